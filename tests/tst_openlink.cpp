// OpenLink against a real X display: which strings reach the launcher, what
// exactly it is handed, and that a missing, failing, broken or hanging
// launcher never holds up or harms the program.
//
// Qt remembers the launcher it found for the rest of the process, so each
// kind of launcher gets a process of its own; the first argument picks it:
//   --launcher=standin   (default) a stand-in xdg-open that records its calls
//   --launcher=none      nothing on PATH that could open a link
//   --launcher=broken    an xdg-open that cannot be executed
// Run it through tests/links/run_under_xvfb.sh.

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
const char *const otherOpeners[] = {"xdg-open", "google-chrome", "firefox", "mozilla", "opera",
                                    "kfmclient", "gnome-open"};

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

// An independent copy, sharing no data with the caller's string.
QString deepCopy(const QString &text)
{
    return QString(text.constData(), text.size());
}

QString withNul()
{
    return QStringLiteral("http://www.quillbrook.example/") + QString(QChar(0)) + QStringLiteral("/usr/bin/xterm");
}

struct ProcessState
{
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

struct LaunchRecord
{
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

    void setBehaviour(const char *behaviour)
    {
        qputenv("HEARTHVALE_LINK_STANDIN", behaviour);
    }

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

    void handsOverAddress_data()
    {
        QTest::addColumn<QString>("url");

        QTest::newRow("http://www.quillbrook.example/") << QStringLiteral("http://www.quillbrook.example/");
        QTest::newRow("https://www.copperwick.example/") << QStringLiteral("https://www.copperwick.example/");
        QTest::newRow("HTTP://WWW.QUILLBROOK.EXAMPLE/") << QStringLiteral("HTTP://WWW.QUILLBROOK.EXAMPLE/");
        // What a shell would act on must arrive as plain text in one argument.
        QTest::newRow("https://www.copperwick.example/a;b?q=it's&x=$(id)#top")
            << QStringLiteral("https://www.copperwick.example/a;b?q=it's&x=$(id)#top");
    }

    void handsOverAddress()
    {
        QFETCH(QString, url);
        const QString before = deepCopy(url);
        // Scheme and host are not case-sensitive, and Qt hands them over in
        // lower case; anything else must arrive exactly as given.
        const QStringList sameAddress{url, QString::fromLatin1(QUrl(url, QUrl::StrictMode).toEncoded())};

        QElapsedTimer timer;
        timer.start();
        const std::int32_t result = OpenLink(url);
        const qint64 elapsed = timer.elapsed();

        QVERIFY2(result > 32, qPrintable(QString::number(result)));
        QVERIFY2(elapsed < promptMs, qPrintable(QString::number(elapsed)));
        QCOMPARE(url, before);

        LaunchRecord launch;
        waitForSingleLaunch(launch);
        CHECKED();
        QCOMPARE(launch.arguments.size(), 1);
        QVERIFY2(sameAddress.contains(launch.arguments.first()), qPrintable(launch.arguments.first()));
        verifyNoZombieAfter(launch.pid);
    }

    void refusesAddress_data()
    {
        QTest::addColumn<QString>("url");

        QTest::newRow("empty") << QString();
        QTest::newRow("index.html") << QStringLiteral("index.html");
        QTest::newRow("www.quillbrook.example") << QStringLiteral("www.quillbrook.example");
        QTest::newRow("file:///etc/passwd") << QStringLiteral("file:///etc/passwd");
        QTest::newRow("javascript:alert(1)") << QStringLiteral("javascript:alert(1)");
        QTest::newRow("/usr/bin/xterm") << QStringLiteral("/usr/bin/xterm");
        QTest::newRow("C:\\Windows\\notepad.exe") << QStringLiteral("C:\\Windows\\notepad.exe");
        QTest::newRow("newline then a command") << QStringLiteral("http://www.quillbrook.example/\nrm -rf ~");
        QTest::newRow("embedded NUL") << withNul();
        QTest::newRow("tab inside") << QStringLiteral("http://www.quillbrook.example/\tx");
        QTest::newRow("DEL inside") << QStringLiteral("http://www.quillbrook.example/\x7fx");
        QTest::newRow("right-to-left override")
            << (QStringLiteral("http://www.quillbrook.example/") + QChar(0x202E) + QStringLiteral("exe.txt"));
        QTest::newRow("no-break space inside")
            << (QStringLiteral("http://www.quillbrook.example/") + QChar(0x00A0) + QStringLiteral("x"));
        QTest::newRow("http:///nohost") << QStringLiteral("http:///nohost");
        QTest::newRow("http:nohost") << QStringLiteral("http:nohost");
        QTest::newRow("ftp://www.quillbrook.example/") << QStringLiteral("ftp://www.quillbrook.example/");
        QTest::newRow("leading space") << QStringLiteral(" http://www.quillbrook.example/");
        QTest::newRow("trailing space") << QStringLiteral("http://www.quillbrook.example/ ");
        QTest::newRow("mailto:someone@quillbrook.example") << QStringLiteral("mailto:someone@quillbrook.example");
    }

    void refusesAddress()
    {
        QFETCH(QString, url);
        const QString before = deepCopy(url);

        const std::int32_t result = OpenLink(url);

        // A launch that did happen would be recorded by the time a later one
        // is, so the only record must be that of the later, accepted address.
        // Checked first, so that a stray launch cannot spill into the next row.
        const QString sentinel = QStringLiteral("https://www.copperwick.example/after");
        QVERIFY(OpenLink(sentinel) > 32);
        QTRY_VERIFY_WITH_TIMEOUT(!records().isEmpty(), launchWaitMs);
        QTest::qWait(100);
        const QList<LaunchRecord> launches = records();
        QCOMPARE(launches.size(), 1);
        QCOMPARE(launches.first().arguments, QStringList{sentinel});

        QCOMPARE(result, SeErrAccessDenied);
        QCOMPARE(url, before);
        verifyNoZombieAfter(launches.first().pid);
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

    void failingLauncherIsHarmless()
    {
        setBehaviour("fail");
        const QString url = QStringLiteral("https://www.copperwick.example/broken");

        QElapsedTimer timer;
        timer.start();
        QVERIFY(OpenLink(url) > 32);
        QVERIFY(timer.elapsed() < promptMs);

        LaunchRecord launch;
        waitForSingleLaunch(launch);
        CHECKED();
        QCOMPARE(launch.arguments, QStringList{url});
        verifyNoZombieAfter(launch.pid);
        CHECKED();

        setBehaviour("record");
        clearRecords();
        QVERIFY(OpenLink(url) > 32);
        LaunchRecord again;
        waitForSingleLaunch(again);
        CHECKED();
        QCOMPARE(again.arguments, QStringList{url});
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

    void reportsNoAssociation_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("http://www.quillbrook.example/") << QStringLiteral("http://www.quillbrook.example/");
        QTest::newRow("https://www.copperwick.example/") << QStringLiteral("https://www.copperwick.example/");
    }

    void reportsNoAssociation()
    {
        QFETCH(QString, url);
        const QString before = deepCopy(url);

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(OpenLink(url), SeErrNoAssoc);
        QVERIFY(timer.elapsed() < promptMs);
        QCOMPARE(url, before);

        // And again: the failure leaves nothing behind that gets in the way.
        QCOMPARE(OpenLink(url), SeErrNoAssoc);
        QCOMPARE(defunctChildren(), QList<qint64>());
    }

    void stillRefusesBeforeLooking()
    {
        // Refused before any launcher is looked for, so Qt has nothing to warn about.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(OpenLink(QStringLiteral("file:///etc/passwd")), SeErrAccessDenied);
    }
};

// With an xdg-open on PATH whose interpreter does not exist, so it is found
// but cannot be started.
class TestOpenLinkBrokenLauncher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_bin;

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        m_bin = std::make_unique<QTemporaryDir>();
        QVERIFY(m_bin->isValid());

        const QString launcher = m_bin->filePath(QStringLiteral("xdg-open"));
        QFile file(launcher);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("#!/nonexistent/hearthvale-interpreter\n") > 0);
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        openLinksOnlyFrom(m_bin->path());
        QCOMPARE(QStandardPaths::findExecutable(QStringLiteral("xdg-open")), launcher);
    }

    void reportsNoAssociation()
    {
        const QString url = QStringLiteral("http://www.quillbrook.example/");
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(OpenLink(url), SeErrNoAssoc);
        QVERIFY(timer.elapsed() < promptMs);
        QCOMPARE(defunctChildren(), QList<qint64>());

        QCOMPARE(OpenLink(url), SeErrNoAssoc);
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
    if (std::strcmp(launcher, "broken") == 0) {
        TestOpenLinkBrokenLauncher test;
        return QTest::qExec(&test, count, args.data());
    }
    qCritical("unknown launcher kind '%s' (standin, none or broken)", launcher);
    return 2;
}

#include "tst_openlink.moc"
