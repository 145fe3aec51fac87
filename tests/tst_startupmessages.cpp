// Qt's messages while the application starts: a fatal one is told in one
// line that names what the user asked for, and the held ones reach the handler that was installed
// before, which is put back afterwards (not Qt's default one).

#include "window/startupmessages.h"

#include <QTest>

using hearthvale::StartupMessages;
using hearthvale::StartupRequest;
Q_DECLARE_METATYPE(StartupRequest)

namespace {

QList<QString> recorded;

void record(QtMsgType, const QMessageLogContext &, const QString &text)
{
    recorded.append(text);
}

[[noreturn]] void unexpectedFatal(const QList<QString> &, const QString &fatal)
{
    qFatal("unexpected fatal message: %s", qPrintable(fatal));
}

const QString NoPluginCouldStart =
    QStringLiteral("This application failed to start because no Qt platform plugin could be initialized. "
                   "Reinstalling the application may fix this problem.\n");
const QString Available = QStringLiteral("\nAvailable platform plugins are: offscreen, xcb.\n");

} // namespace

class TestStartupMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void describe_data()
    {
        QTest::addColumn<QList<QString>>("held");
        QTest::addColumn<QString>("fatal");
        QTest::addColumn<StartupRequest>("request");
        QTest::addColumn<QString>("told");
        const QString notFound = QStringLiteral("Could not find the Qt platform plugin \"%1\" in \"\"");
        QTest::newRow("-platform nosuch")
            << QList<QString>{notFound.arg(QLatin1StringView("nosuch"))} << NoPluginCouldStart + Available
            << StartupRequest{QStringLiteral("-platform"), {}, {}, {}}
            << QStringLiteral("no Qt platform plugin \"nosuch\" (given by -platform); Qt has: offscreen, xcb");
        QTest::newRow("no plugins at all")
            << QList<QString>{notFound.arg(QLatin1StringView("xcb"))} << NoPluginCouldStart << StartupRequest{}
            << QStringLiteral("no Qt platform plugin \"xcb\"; Qt has: none");
        const QList<QString> x11{
            QStringLiteral("could not connect to display :99"),
            QStringLiteral("Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.")};
        QTest::newRow("-display :99") << x11 << NoPluginCouldStart + Available
                                      << StartupRequest{{}, QStringLiteral(":99"), QStringLiteral("-display"), {}}
                                      << QStringLiteral("cannot open display \":99\" (given by -display)");
        QTest::newRow("DISPLAY unset") << x11 << NoPluginCouldStart + Available
                                       << StartupRequest{{}, {}, QStringLiteral("DISPLAY"), {}}
                                       << QStringLiteral("no display to open: DISPLAY is not set");
        QTest::newRow("WAYLAND_DISPLAY=w9")
            << QList<QString>{QStringLiteral("Failed to create wl_display (No such file or directory)")}
            << NoPluginCouldStart << StartupRequest{{}, {}, {}, QStringLiteral("w9")}
            << QStringLiteral("cannot open Wayland display \"w9\" (given by WAYLAND_DISPLAY)");
        QTest::newRow("no graphics device")
            << QList<QString>{QStringLiteral("Could not open DRM device /dev/dri/card0")}
            << QStringLiteral("Could not open DRM device\n") << StartupRequest{}
            << QStringLiteral("Could not open DRM device");
        QTest::newRow("plugin failed for another reason")
            << QList<QString>() << NoPluginCouldStart << StartupRequest{} << NoPluginCouldStart.trimmed();
    }

    void describe()
    {
        QFETCH(QList<QString>, held);
        QFETCH(QString, fatal);
        QFETCH(StartupRequest, request);
        QFETCH(QString, told);
        QCOMPARE(hearthvale::describeStartupFailure(held, fatal, request), told);
    }

    void heldMessagesReachThePreviousHandler()
    {
        recorded.clear();
        const QtMessageHandler original = qInstallMessageHandler(record);
        {
            StartupMessages holding(unexpectedFatal);
            qWarning("while starting");
            QVERIFY(recorded.isEmpty());
        }
        QCOMPARE(recorded, QList<QString>{QStringLiteral("while starting")});
        qWarning("after the start");
        qInstallMessageHandler(original);
        QCOMPARE(recorded.size(), 2);
        QCOMPARE(recorded.last(), QStringLiteral("after the start"));
    }
};

QTEST_GUILESS_MAIN(TestStartupMessages)
#include "tst_startupmessages.moc"
