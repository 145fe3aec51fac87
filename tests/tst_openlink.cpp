// OpenLink against a real X display and a launcher: what exactly the
// launcher is handed, that a missing or hanging launcher never holds up the
// program, and that no launcher is left behind as our zombie. Which strings
// are let through at all is tst_webaddress's part.
//
// Qt remembers the launcher it found for the rest of the process, so each
// kind of launcher gets a process of its own; the first argument picks it:
//   --launcher=standin   (default) a stand-in xdg-open that records its calls
//   --launcher=none      nothing on PATH that could open a link
// Run it through tests/xvfb.sh, which starts one.

#include "links/module1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include <sys/types.h>
#include <unistd.h>

using hearthvale::Module1::OpenLink;
using hearthvale::Module1::SeErrAccessDenied;
using hearthvale::Module1::SeErrNoAssoc;

namespace {

// A hang check, not a benchmark: the hanging stand-in sleeps for 30 s.
constexpr qint64 promptMs = 2000;
// How long a detached launcher may take to leave its record.
constexpr int launchWaitMs = 10000;

// What Qt would fall back on when xdg-open is missing.
const char *const otherOpeners[] = {"xdg-open", "google-chrome", "firefox",   "mozilla",
                                    "opera",    "kfmclient",     "gnome-open"};

// Leaves Qt nothing to open links with but what lies in folder: PATH holds
// only that, and the variables through which Qt could pick another opener
// are gone.
void openLinksOnlyFrom(const QString &folder)
{
    for (const char *name : {"BROWSER", "DEFAULT_BROWSER", "SNAP", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                             "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        qunsetenv(name);
    qputenv("PATH", QFile::encodeName(folder));
}

struct ProcessState {
    bool exists = false;
    char state = '?';
    qint64 parent = -1;
};

ProcessState processState(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    // "pid (comm) state ppid ...", where comm may itself hold spaces and ')'.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return {};
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    if (fields.size() < 2 || fields.at(0).isEmpty())
        return {};
    return {true, fields.at(0).at(0), fields.at(1).toLongLong()};
}

// Children of this process that have ended and were never reaped.
QList<qint64> defunctChildren()
{
    const qint64 self = ::getpid();
    QList<qint64> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const ProcessState state = processState(pid);
        if (state.exists && state.parent == self && state.state == 'Z')
            found.append(pid);
    }
    return found;
}

// Finished means gone, or left as a zombie by whoever is its parent.
bool hasFinished(qint64 pid)
{
    const ProcessState state = processState(pid);
    return !state.exists || state.state == 'Z';
}

QString commandName(qint64 pid)
{
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!cmdline.open(QIODevice::ReadOnly))
        return {};
    const QByteArray program = cmdline.readAll().split('\0').value(0);
    return QString::fromLocal8Bit(program).section(QLatin1Char('/'), -1);
}

struct LaunchRecord {
    qint64 pid = -1;
    QStringList arguments;
};

} // namespace

// A helper's failed check ends only the helper; this ends the test too.
#define CHECKED()                                                                                                      \
    do {                                                                                                               \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

// With a stand-in xdg-open first (and alone) on PATH.
class TestOpenLink : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_bin;
    std::unique_ptr<QTemporaryDir> m_records;
    QList<qint64> m_hangingLaunchers;

    void setBehaviour(const char *behaviour) { qputenv("HEARTHVALE_LINK_STANDIN", behaviour); }

    QList<LaunchRecord> records() const
    {
        QList<LaunchRecord> found;
        const QDir dir(m_records->path());
        const QStringList names = dir.entryList({QStringLiteral("call-*")}, QDir::Files, QDir::Name);
        for (const QString &name : names) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            LaunchRecord record;
            record.pid = name.mid(5).toLongLong();
            QByteArray data = file.readAll();
            if (data.endsWith('\0')) {
                data.chop(1);
                const QList<QByteArray> arguments = data.split('\0');
                for (const QByteArray &argument : arguments)
                    record.arguments.append(QString::fromUtf8(argument));
            } else if (!data.isEmpty()) {
                record.arguments.append(QStringLiteral("<unterminated record>"));
            }
            found.append(record);
        }
        return found;
    }

    void clearRecords()
    {
        QDir dir(m_records->path());
        const QStringList names = dir.entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : names)
            dir.remove(name);
    }

    // The launcher is detached, so its record turns up some time after
    // OpenLink has returned.
    void waitForSingleLaunch(LaunchRecord &launch)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!records().isEmpty(), launchWaitMs);
        const QList<LaunchRecord> all = records();
        QCOMPARE(all.size(), 1);
        launch = all.first();
    }

    // Once the launcher has ended, nothing of it may be left for us to reap.
    void verifyNoZombieAfter(qint64 launcherPid)
    {
        QTRY_VERIFY_WITH_TIMEOUT(hasFinished(launcherPid), launchWaitMs);
        const ProcessState state = processState(launcherPid);
        QVERIFY2(!state.exists || state.parent != ::getpid(), "the launcher was left as our zombie");
        QCOMPARE(defunctChildren(), QList<qint64>());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));

        m_bin = std::make_unique<QTemporaryDir>();
        m_records = std::make_unique<QTemporaryDir>();
        QVERIFY(m_bin->isValid());
        QVERIFY(m_records->isValid());

        const QString launcher = m_bin->filePath(QStringLiteral("xdg-open"));
        QVERIFY(QFile::copy(QStringLiteral(HEARTHVALE_LINKS_TEST_DIR "/xdg-open-standin.sh"), launcher));
        QVERIFY(QFile::setPermissions(launcher, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        // Only the stand-in: no real browser can be reached from here.
        openLinksOnlyFrom(m_bin->path());
        qputenv("HEARTHVALE_LINK_RECORDS", QFile::encodeName(m_records->path()));
        QCOMPARE(QStandardPaths::findExecutable(QStringLiteral("xdg-open")), launcher);
    }

    void init()
    {
        setBehaviour("record");
        clearRecords();
    }

    void cleanup()
    {
        // Hanging stand-ins are not ours to wait for, but neither should they
        // outlive the test.
        for (qint64 pid : std::as_const(m_hangingLaunchers)) {
            if (commandName(pid) == QStringLiteral("sleep"))
                ::kill(static_cast<pid_t>(pid), SIGTERM);
        }
        m_hangingLaunchers.clear();
        clearRecords();
    }

    void launcherGetsAddressAsOneArgument_data()
    {
        QTest::addColumn<QString>("url");

        QTest::newRow("plain") << QStringLiteral("http://www.quillbrook.example/");
        // What a shell would act on must arrive as plain text in one argument.
        QTest::newRow("shell characters") << QStringLiteral("https://www.copperwick.example/a;b?q=it's&x=$(id)#top");
    }

    void launcherGetsAddressAsOneArgument()
    {
        QFETCH(QString, url);
        // Qt hands the address over as QUrl writes it out, which may escape
        // what the given text did not; anything else must arrive as given.
        const QStringList sameAddress{url, QString::fromLatin1(QUrl(url, QUrl::StrictMode).toEncoded())};

        const std::int32_t result = OpenLink(url);
        QVERIFY2(result > 32, qPrintable(QString::number(result)));

        LaunchRecord launch;
        waitForSingleLaunch(launch);
        CHECKED();
        QCOMPARE(launch.arguments.size(), 1);
        QVERIFY2(sameAddress.contains(launch.arguments.first()), qPrintable(launch.arguments.first()));
        verifyNoZombieAfter(launch.pid);
    }

    void hangingLauncherDoesNotBlock()
    {
        setBehaviour("hang");
        const QString url = QStringLiteral("http://www.quillbrook.example/slow");

        QElapsedTimer timer;
        timer.start();
        const std::int32_t result = OpenLink(url);
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(result > 32, qPrintable(QString::number(result)));
        QVERIFY2(elapsed < promptMs, qPrintable(QString::number(elapsed)));

        LaunchRecord launch;
        waitForSingleLaunch(launch);
        CHECKED();
        m_hangingLaunchers.append(launch.pid);
        QCOMPARE(launch.arguments, QStringList{url});

        // The launcher really is still hanging, and it is not our child, so
        // nothing here will ever wait on it.
        QTRY_COMPARE_WITH_TIMEOUT(commandName(launch.pid), QStringLiteral("sleep"), launchWaitMs);
        QVERIFY(processState(launch.pid).parent != ::getpid());

        // The program carries on: the next link still opens promptly.
        setBehaviour("record");
        clearRecords();
        const QString next = QStringLiteral("https://www.copperwick.example/next");
        timer.restart();
        QVERIFY(OpenLink(next) > 32);
        QVERIFY(timer.elapsed() < promptMs);
        LaunchRecord nextLaunch;
        waitForSingleLaunch(nextLaunch);
        CHECKED();
        QCOMPARE(nextLaunch.arguments, QStringList{next});
        QVERIFY(!hasFinished(launch.pid));
    }
};

// With nothing on PATH that Qt could open a link with.
class TestOpenLinkWithoutLauncher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_emptyBin;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        m_emptyBin = std::make_unique<QTemporaryDir>();
        QVERIFY(m_emptyBin->isValid());
        openLinksOnlyFrom(m_emptyBin->path());
        for (const char *opener : otherOpeners)
            QCOMPARE(QStandardPaths::findExecutable(QString::fromLatin1(opener)), QString());
    }

    void reportsNoAssociation() { QCOMPARE(OpenLink(QStringLiteral("http://www.quillbrook.example/")), SeErrNoAssoc); }

    // The launcher's own check of the address: a refused one is turned away
    // before Qt looks for a launcher, so it is not "no association", and Qt
    // has nothing to warn about.
    void refusedAddressNeverReachesLauncher()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(OpenLink(QStringLiteral("file:///etc/passwd")), SeErrAccessDenied);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);

    std::vector<char *> args(argv, argv + argc);
    const char *launcher = "standin";
    constexpr const char option[] = "--launcher=";
    if (args.size() > 1 && std::strncmp(args[1], option, sizeof option - 1) == 0) {
        launcher = args[1] + sizeof option - 1;
        args.erase(args.begin() + 1);
    }
    const int count = static_cast<int>(args.size());

    if (std::strcmp(launcher, "standin") == 0) {
        TestOpenLink test;
        return QTest::qExec(&test, count, args.data());
    }
    if (std::strcmp(launcher, "none") == 0) {
        TestOpenLinkWithoutLauncher test;
        return QTest::qExec(&test, count, args.data());
    }
    qCritical("unknown launcher kind '%s' (standin or none)", launcher);
    return 2;
}

#include "tst_openlink.moc"
