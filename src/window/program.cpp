#include "program.h"

#include "config/version.h"
#include "failure.h"
#include "form1.h"
#include "names/randomsource.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace hearthvale {

namespace {

constexpr const char *ProgramName = "hearthvale-names";

// Qt's own options, which QApplication takes out of the command line; known
// here only so that they are not refused.
const QList<QCommandLineOption> &qtOptions()
{
    static const QList<QCommandLineOption> options = [] {
        QList<QCommandLineOption> list{
            QCommandLineOption(QStringLiteral("platform"), QString(), QStringLiteral("name")),
            QCommandLineOption(QStringLiteral("display"), QString(), QStringLiteral("display")),
            QCommandLineOption(QStringLiteral("style"), QString(), QStringLiteral("style")),
            QCommandLineOption(QStringLiteral("reverse")),
        };
        for (QCommandLineOption &option : list)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        return list;
    }();
    return options;
}

// The answer to --help, --version or a bad command line, if there is one;
// none means "start the window".
std::optional<int> answerCommandLine(int argc, char **argv)
{
    QCoreApplication probe(argc, argv);
    QCoreApplication::setApplicationName(QLatin1StringView(ProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(HEARTHVALE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Proposes a name for a neighborhood in a game."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions(qtOptions());

    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString error = parsed ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())
                                     : parser.errorText();
        std::fprintf(stderr, "%s: %s\nUsage: %s [--help] [--version]\n", ProgramName, qPrintable(error), ProgramName);
        return 2;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", ProgramName, HEARTHVALE_VERSION);
        return 0;
    }
    return std::nullopt;
}

// While the platform starts, Qt's messages are held back: if it cannot open
// a display it logs several lines of advice and then aborts. Instead, one
// line names the display and the program exits with status 1. If the start
// succeeds, the held messages go out as usual.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;

void describeMissingDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (platform.startsWith("wayland")) {
        if (wayland.isEmpty())
            std::fprintf(stderr, "%s: no display to open: WAYLAND_DISPLAY is not set\n", ProgramName);
        else
            std::fprintf(stderr, "%s: cannot open Wayland display \"%s\"\n", ProgramName, wayland.constData());
    } else if (!platform.isEmpty() && !platform.startsWith("xcb")) {
        std::fprintf(stderr, "%s: cannot open a display on the \"%s\" platform\n", ProgramName, platform.constData());
    } else if (x11.isEmpty()) {
        std::fprintf(stderr, "%s: no display to open: DISPLAY is not set\n", ProgramName);
    } else {
        std::fprintf(stderr, "%s: cannot open display \"%s\"\n", ProgramName, x11.constData());
    }
}

// Without its platform plugin (Debian's qt6-qpa-plugins) Qt fails the same
// way, and a missing display would be the wrong thing to name.
bool platformPluginMissing()
{
    return std::any_of(heldMessages.cbegin(), heldMessages.cend(), [](const HeldMessage &message) {
        return message.text.contains(QLatin1StringView("Could not find the Qt platform plugin"));
    });
}

void holdStartupMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        if (platformPluginMissing()) {
            const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
            std::fprintf(stderr, "%s: Qt's platform plugin%s%s%s is missing (on Debian: install qt6-qpa-plugins)\n",
                         ProgramName, platform.isEmpty() ? "" : " \"", platform.constData(), platform.isEmpty() ? "" : "\"");
        } else {
            describeMissingDisplay();
        }
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages.append({type, QByteArray(context.category), text});
}

void releaseHeldMessages()
{
    qInstallMessageHandler(nullptr);
    for (const HeldMessage &message : std::as_const(heldMessages)) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
}

} // namespace

int runProgram(int argc, char **argv)
{
    if (argc > 1) {
        if (const std::optional<int> status = answerCommandLine(argc, argv))
            return *status;
    }

    qInstallMessageHandler(holdStartupMessage);
    QApplication app(argc, argv);
    releaseHeldMessages();
    QCoreApplication::setApplicationName(QLatin1StringView(ProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(HEARTHVALE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(HEARTHVALE_APP_ID));

    // Handlers catch their own failures; this is for the window's creation.
    try {
        Form1 form(RandomSource::process());
        form.show();
        if (!form.isVisible())
            return 1; // Load failed, and the user has been told
        return QCoreApplication::exec();
    } catch (const std::exception &failure) {
        reportFailure(&failure);
    }
    return 1;
}

} // namespace hearthvale
