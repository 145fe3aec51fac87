// Qt's messages while the application starts: a fatal one is told apart by
// what it is about, and the held ones reach the handler that was installed
// before, which is put back afterwards (not Qt's default one).

#include "window/startupmessages.h"

#include <QTest>

using hearthvale::StartupFailure;
using hearthvale::StartupMessages;

namespace {

QList<QString> recorded;

void record(QtMsgType, const QMessageLogContext &, const QString &text)
{
    recorded.append(text);
}

[[noreturn]] void unexpectedFatal(StartupFailure, const QString &fatal)
{
    qFatal("unexpected fatal message: %s", qPrintable(fatal));
}

const QString NoPluginCouldStart =
    QStringLiteral("This application failed to start because no Qt platform plugin could be initialized. "
                   "Reinstalling the application may fix this problem.");

} // namespace

class TestStartupMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classify_data()
    {
        QTest::addColumn<QList<QString>>("held");
        QTest::addColumn<QString>("fatal");
        QTest::addColumn<StartupFailure>("failure");
        QTest::newRow("plugin not installed")
            << QList<QString>{QStringLiteral("Could not find the Qt platform plugin \"wayland\" in \"\"")}
            << NoPluginCouldStart << StartupFailure::PluginMissing;
        QTest::newRow("X display unreachable")
            << QList<QString>{QStringLiteral("could not connect to display :7313"),
                              QStringLiteral(
                                  "Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.")}
            << NoPluginCouldStart << StartupFailure::DisplayMissing;
        QTest::newRow("Wayland display unreachable")
            << QList<QString>{QStringLiteral("Failed to create wl_display (No such file or directory)")}
            << NoPluginCouldStart << StartupFailure::DisplayMissing;
        QTest::newRow("no graphics device")
            << QList<QString>{QStringLiteral("Could not open DRM device /dev/dri/card0")}
            << QStringLiteral("Could not open DRM device") << StartupFailure::Other;
        QTest::newRow("plugin failed for another reason")
            << QList<QString>() << NoPluginCouldStart << StartupFailure::Other;
    }

    void classify()
    {
        QFETCH(QList<QString>, held);
        QFETCH(QString, fatal);
        QFETCH(StartupFailure, failure);
        QCOMPARE(hearthvale::classifyStartupFailure(held, fatal), failure);
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
