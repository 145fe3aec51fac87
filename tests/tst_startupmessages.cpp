// Qt's messages while the application starts: a fatal one is told in one
// line (the messages a user meets are tst_cli's, from the real program; here
// the cases no command line brings about), and the held ones reach the
// handler that was installed before, which is put back afterwards (not Qt's
// default one).

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
        QTest::newRow("no plugins at all")
            << QList<QString>{notFound.arg(QLatin1StringView("xcb"))} << NoPluginCouldStart << StartupRequest{}
            << QStringLiteral("no Qt platform plugin \"xcb\"; Qt has: none");
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
