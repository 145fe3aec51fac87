// What the program says when Qt's platform cannot start, in the cases that
// tst_cli's command lines do not bring about (a plugin that cannot be
// loaded, none at all, several asked for, one that started and then failed),
// and what is written while it starts: held back, then passed on.

#include "window/commandline.h"
#include "window/startupmessages.h"

#include <QPluginLoader>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using hearthvale::CommandLine;
using Plugins = QMap<QString, QString>;

#ifdef Q_OS_UNIX
namespace {

QStringList recorded;

void record(QtMsgType, const QMessageLogContext &, const QString &text)
{
    recorded.append(text);
}

} // namespace
#endif

class TestStartupMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void describe_data();
    void describe();
    void heldUntilTheStartIsOver();
};

void TestStartupMessages::describe_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<Plugins>("plugins");
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("told");
    const Plugins x11{{QStringLiteral("xcb"), QString()}, {QStringLiteral("offscreen"), QString()}};
    // The plugin Qt starts with where nothing asks for another.
#ifdef Q_OS_WIN
    const QString native = QStringLiteral("windows");
#else
    const QString native = QStringLiteral("xcb");
#endif
    const Plugins both{{QStringLiteral("xcb"), QString()}, {QStringLiteral("wayland"), QString()}};
    const QString noFile = QStringLiteral("/nonexistent/libqxcb.so");
    QPluginLoader unloadable(noFile);
    QVERIFY(!unloadable.load());
    // clang-format off
    QTest::newRow("-platform before QT_QPA_PLATFORM, options left out") << QStringList{QStringLiteral("-platform"), QStringLiteral("nowhere:fontconfig")} << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("DISPLAY=:0")} << x11 << QString() << QStringLiteral("no Qt platform plugin \"nowhere\" (given by -platform); Qt has: offscreen, xcb");
    QTest::newRow("no plugins at all") << QStringList() << QStringList{QStringLiteral("DISPLAY=:0")} << Plugins() << QString() << QStringLiteral("no Qt platform plugin \"%1\"; Qt has: none").arg(native);
    QTest::newRow("found, but cannot be loaded") << QStringList() << QStringList{QStringLiteral("DISPLAY=:0")} << Plugins{{native, noFile}} << QString() << QStringLiteral("the Qt platform plugin \"%1\" cannot be loaded: %2").arg(native, unloadable.errorString());
    QTest::newRow("each asked for, in turn") << QStringList() << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland;XCB"), QStringLiteral("WAYLAND_DISPLAY=/run/w"), QStringLiteral("DISPLAY=:0")} << both << QString() << QStringLiteral("cannot open Wayland display \"/run/w\" (given by WAYLAND_DISPLAY); cannot open display \":0\" (given by DISPLAY)");
#ifndef Q_OS_WIN
    QTest::newRow("a Wayland session") << QStringList() << QStringList{QStringLiteral("XDG_SESSION_TYPE=wayland")} << both << QString() << QStringLiteral("no Wayland display to open: WAYLAND_DISPLAY is not set; no display to open: DISPLAY is not set");
#endif
    QTest::newRow("no display's plugin") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen")} << QStringList() << x11 << QString() << QStringLiteral("the Qt platform plugin \"offscreen\" (given by -platform) could not start");
    QTest::newRow("started, then failed") << QStringList() << QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen")} << x11 << QStringLiteral("offscreen") << QStringLiteral("the Qt platform plugin \"offscreen\" (given by QT_QPA_PLATFORM) could not start: Qt's words, over lines");
    // clang-format on
}

void TestStartupMessages::describe()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(Plugins, plugins);
    QFETCH(QString, started);
    QFETCH(QString, told);
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XDG_RUNTIME_DIR"})
        qunsetenv(name);
    for (const QString &setting : environment)
        qputenv(qPrintable(setting.section(u'=', 0, 0)), setting.section(u'=', 1).toLocal8Bit());
    const CommandLine line = hearthvale::readCommandLine(QStringList{QStringLiteral("hearthvale-names")} + arguments);
    QCOMPARE(hearthvale::describeFailedStart(line, plugins, started, QStringLiteral("Qt's words,\nover lines\n")),
             told);
}

// Written to stderr while Qt starts, it reaches the real stderr once the
// start is over, in order, while Qt's messages reach the handler in place
// before; both are back afterwards.
void TestStartupMessages::heldUntilTheStartIsOver()
{
#ifndef Q_OS_UNIX
    QSKIP("stderr is held on Unix, whose platform libraries write to it themselves");
#else
    QTemporaryFile file;
    QVERIFY(file.open());
    const auto written = [&file] {
        QFile copy(file.fileName());
        return copy.open(QIODevice::ReadOnly) ? copy.readAll() : QByteArray("unreadable");
    };
    const int realStderr = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    const QtMessageHandler original = qInstallMessageHandler(record);
    const auto restore = qScopeGuard([=] {
        qInstallMessageHandler(original);
        dup2(realStderr, STDERR_FILENO);
        close(realStderr);
    });
    std::fputs("before\n", stderr);
    QByteArray whileStarting;
    hearthvale::startPlatform(CommandLine(), [&] {
        std::fputs("while starting\n", stderr);
        qWarning("a message");
        whileStarting = written();
    });
    std::fputs("after\n", stderr);
    QCOMPARE(whileStarting, QByteArray("before\n"));
    QCOMPARE(written(), QByteArray("before\nwhile starting\nafter\n"));
    QCOMPARE(recorded, QStringList{QStringLiteral("a message")});
    QVERIFY(qInstallMessageHandler(record) == record);
#endif
}

QTEST_GUILESS_MAIN(TestStartupMessages)
#include "tst_startupmessages.moc"
