// The command line and the start-up messages, as a user meets them in a
// terminal: the real program started with no display at all, or with one it
// cannot open. --help and --version answer, anything but the program's and
// Qt's options is refused with a usage line and status 2 (with a display or
// without), and a display or platform that cannot be had is told in one
// line naming what asked for it, with status 1: never an abort. An answer
// that cannot be written is an error, as for any command-line tool.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

enum class Output { Piped, Full, Closed };

Run run(const QStringList &arguments, const QStringList &environment, Output output = Output::Piped)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QLatin1StringView(name));
    for (const QString &setting : environment)
        env.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    QProcess program;
    program.setProcessEnvironment(env);
    if (output == Output::Full)
        program.setStandardOutputFile(QStringLiteral("/dev/full"));
    else if (output == Output::Closed)
        program.setChildProcessModifier([] { ::close(STDOUT_FILENO); });
    program.start(QStringLiteral(HEARTHVALE_PROGRAM), arguments);
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void writeError_data();
    void writeError();

private:
    QTemporaryDir m_work;
};

void TestCli::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // must match; empty: nothing printed
    QTest::addColumn<QString>("err"); // must match; empty: nothing printed
    QTest::addColumn<QString>("errNot"); // must not match, where given

    const QString version = QStringLiteral("^hearthvale-names " HEARTHVALE_EXPECTED_VERSION "\n$");
    const QString usage = QStringLiteral("(?m)^hearthvale-names: .*\n^Usage: hearthvale-names ");
    const QString oneLine = QStringLiteral("^hearthvale-names: [^\n]*%1[^\n]*\n$");
    const QString none;
    // A card the KMS backend is told to open, which is not there.
    const QString kms = m_work.filePath(QStringLiteral("kms.json"));
    QFile config(kms);
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("{\"device\": \"%1/no-such-card\"}").arg(m_work.path()).toUtf8());
    config.close();
    // clang-format off
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << QStringList() << 0 << version << none << none;
    QTest::newRow("-v") << QStringList{QStringLiteral("-v")} << QStringList() << 0 << version << none << none;
    QTest::newRow("--version among Qt's options") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-session"), QStringLiteral("1234_5"), QStringLiteral("--version")} << QStringList() << 0 << version << none << none;
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << QStringList() << 0 << QStringLiteral("^Usage: hearthvale-names (.|\n)*--version") << none << none;
    QTest::newRow("--help-all") << QStringList{QStringLiteral("--help-all")} << QStringList() << 0 << QStringLiteral("--session <session>") << none << none;
    for (const QString &bad : {QStringLiteral("--bogus"), QStringLiteral("-x"), QStringLiteral("extra-argument"),
                               QStringLiteral("-session 1234_5 --bogus"), QStringLiteral("-reverse stray"), QStringLiteral("--session")}) {
        QTest::addRow("'%s' refused", qPrintable(bad)) << bad.split(QLatin1Char(' ')) << QStringList() << 2 << none << usage << none;
    }
    QTest::newRow("'--bogus' refused with a display") << QStringList{QStringLiteral("--bogus")} << QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen")} << 2 << none << usage << none;
    QTest::newRow("X11's -display where another platform runs") << QStringList{QStringLiteral("-display"), QStringLiteral(":1")} << QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen")} << 2 << none << usage << none;
    QTest::newRow("no display") << QStringList() << QStringList() << 1 << none << oneLine.arg(QStringLiteral("DISPLAY is not set")) << QStringLiteral("(?i)reinstall");
    QTest::newRow("DISPLAY unreachable") << QStringList() << QStringList{QStringLiteral("DISPLAY=:7313")} << 1 << none << oneLine.arg(QStringLiteral("\":7313\" \\(given by DISPLAY\\)")) << none;
    QTest::newRow("-display unreachable") << QStringList{QStringLiteral("-display"), QStringLiteral(":7314")} << QStringList{QStringLiteral("DISPLAY=:7313")} << 1 << none << oneLine.arg(QStringLiteral("\":7314\" \\(given by -display\\)")) << none;
    QTest::newRow("--display= without DISPLAY") << QStringList{QStringLiteral("--display=:7314")} << QStringList() << 1 << none << oneLine.arg(QStringLiteral("\":7314\" \\(given by -display\\)")) << none;
    // A Wayland session always has a runtime folder. Without one, libwayland
    // complains on its own before Qt does, and the user gets one line still.
    QTest::newRow("WAYLAND_DISPLAY unreachable") << QStringList() << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland"), QStringLiteral("WAYLAND_DISPLAY=hearthvale-none"), QStringLiteral("XDG_RUNTIME_DIR=") + m_work.path()} << 1 << none << oneLine.arg(QStringLiteral("\"hearthvale-none\" \\(given by WAYLAND_DISPLAY\\)")) << QStringLiteral("XDG_RUNTIME_DIR");
    QTest::newRow("WAYLAND_DISPLAY in no runtime folder") << QStringList() << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland"), QStringLiteral("WAYLAND_DISPLAY=hearthvale-none")} << 1 << none << oneLine.arg(QStringLiteral("\"hearthvale-none\" \\(given by WAYLAND_DISPLAY\\): XDG_RUNTIME_DIR is not set")) << none;
    QTest::newRow("no such QT_QPA_PLATFORM") << QStringList() << QStringList{QStringLiteral("DISPLAY=:7313"), QStringLiteral("QT_QPA_PLATFORM=hearthvale-none")} << 1 << none << oneLine.arg(QStringLiteral("plugin \"hearthvale-none\" \\(given by QT_QPA_PLATFORM\\)")) << none;
    QTest::newRow("no such --platform=") << QStringList{QStringLiteral("--platform=hearthvale-none")} << QStringList{QStringLiteral("DISPLAY=:7313")} << 1 << none << oneLine.arg(QStringLiteral("\"hearthvale-none\" \\(given by -platform\\)")) << none;
    QTest::newRow("no such -platform") << QStringList{QStringLiteral("-platform"), QStringLiteral("hearthvale-none")} << QStringList{QStringLiteral("DISPLAY=:7313")} << 1 << none << oneLine.arg(QStringLiteral("\"hearthvale-none\" \\(given by -platform\\); Qt has: .*offscreen")) << none;
    // A plugin that fails for a reason of its own is named, not taken for a display.
    QTest::newRow("no graphics device") << QStringList() << QStringList{QStringLiteral("QT_QPA_PLATFORM=eglfs"), QStringLiteral("QT_QPA_EGLFS_INTEGRATION=eglfs_kms"), QStringLiteral("QT_QPA_EGLFS_KMS_CONFIG=") + kms} << 1 << none << oneLine.arg(QStringLiteral("plugin \"eglfs\" \\(given by QT_QPA_PLATFORM\\)")) << QStringLiteral("given by (-display|DISPLAY|WAYLAND_DISPLAY)|is not set");
    // clang-format on
}

void TestCli::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QString, errNot);
    const Run result = run(arguments, environment);
    QVERIFY2(result.status != -1, "the program did not end of itself within 30 s");
    QCOMPARE(result.status, status);
    for (const auto &[printed, wanted] : {std::pair{result.out, out}, std::pair{result.err, err}}) {
        if (wanted.isEmpty())
            QVERIFY2(printed.isEmpty(), qPrintable(printed));
        else
            QVERIFY2(QRegularExpression(wanted).match(printed).hasMatch(), qPrintable(printed));
    }
    if (!errNot.isEmpty())
        QVERIFY2(!QRegularExpression(errNot).match(result.err).hasMatch(), qPrintable(result.err));
}

void TestCli::writeError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("closed"); // stdout closed; else /dev/full
    QTest::newRow("--version >/dev/full") << QStringList{QStringLiteral("--version")} << false;
    QTest::newRow("--help >/dev/full") << QStringList{QStringLiteral("--help")} << false;
    QTest::newRow("--help-all >&-") << QStringList{QStringLiteral("--help-all")} << true;
    QTest::newRow("-v >&-") << QStringList{QStringLiteral("-v")} << true;
}

void TestCli::writeError()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, closed);
    const Run result = run(arguments, {}, closed ? Output::Closed : Output::Full);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err,
             QStringLiteral("hearthvale-names: write error: %1\n")
                 .arg(QString::fromLocal8Bit(std::strerror(closed ? EBADF : ENOSPC))));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
