#include "program.h"

#include "config/version.h"
#include "failure.h"
#include "form1.h"
#include "names/randomsource.h"
#include "startupmessages.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace hearthvale {

namespace {

constexpr const char *ProgramName = "hearthvale-names";

// The program's own options. Qt's (-session, -name, -platform, -style, ...)
// are whatever QApplication takes out of the command line as it starts, on
// whichever platform it starts; so they are never listed here.
struct OwnOptions {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();

    OwnOptions()
    {
        parser.setApplicationDescription(QStringLiteral("Proposes a name for a neighborhood in a game."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    }
};

int refuse(const QString &error)
{
    std::fprintf(stderr, "%s: %s\nUsage: %s [--help] [--version]\n", ProgramName, qPrintable(error), ProgramName);
    return 2;
}

// What is wrong with a command line that should hold none but our own
// options, if anything.
std::optional<QString> commandLineError(const QStringList &arguments)
{
    OwnOptions own;
    if (!own.parser.parse(arguments))
        return own.parser.errorText();
    if (!own.parser.positionalArguments().isEmpty())
        return QStringLiteral("Unexpected argument '%1'.").arg(own.parser.positionalArguments().first());
    return std::nullopt;
}

// --help-all lists Qt's options as well, and Qt knows them only once a GUI
// application exists. The offscreen platform needs no display and is always
// there; QCommandLineParser prints the help and ends the process.
[[noreturn]] void showHelpAll()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {}); // only the help
    int argc = 2;
    char program[] = "hearthvale-names";
    char option[] = "--help-all";
    char *argv[] = {program, option, nullptr};
    QGuiApplication app(argc, argv);
    OwnOptions own;
    own.parser.process(app);
    std::exit(0);
}

// --help and --version, answered without a display, wherever they stand
// among Qt's options. None means "start the window".
std::optional<int> answerCommandLine(int argc, char **argv)
{
    std::optional<QCoreApplication> probe(std::in_place, argc, argv);
    QCoreApplication::setApplicationName(QLatin1StringView(ProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(HEARTHVALE_VERSION));

    OwnOptions own;
    own.parser.parse(QCoreApplication::arguments()); // Qt's options are unknown here, and left for later
    if (own.parser.isSet(QStringLiteral("help-all"))) {
        probe.reset(); // one application object at a time
        showHelpAll();
    }
    if (own.parser.isSet(own.help)) {
        std::fputs(qPrintable(own.parser.helpText()), stdout);
        return 0;
    }
    if (own.parser.isSet(own.version)) {
        std::printf("%s %s\n", ProgramName, HEARTHVALE_VERSION);
        return 0;
    }
    return std::nullopt;
}

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
    } else if (x11.isEmpty()) {
        std::fprintf(stderr, "%s: no display to open: DISPLAY is not set\n", ProgramName);
    } else {
        std::fprintf(stderr, "%s: cannot open display \"%s\"\n", ProgramName, x11.constData());
    }
}

[[noreturn]] void startFailed(StartupFailure failure, const QString &fatal)
{
    if (failure == StartupFailure::PluginMissing) {
        // Debian's qt6-qpa-plugins, or a -platform or QT_QPA_PLATFORM that names no plugin.
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        std::fprintf(stderr, "%s: Qt's platform plugin%s%s%s is missing (on Debian: install qt6-qpa-plugins)\n",
                     ProgramName, platform.isEmpty() ? "" : " \"", platform.constData(),
                     platform.isEmpty() ? "" : "\"");
    } else if (failure == StartupFailure::DisplayMissing) {
        describeMissingDisplay();
    } else {
        std::fprintf(stderr, "%s: %s\n", ProgramName, qPrintable(fatal.trimmed()));
    }
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

int runProgram(int argc, char **argv)
{
    if (argc > 1) {
        if (const std::optional<int> status = answerCommandLine(argc, argv))
            return *status;
    }

    // Without a display nothing else can be told: which of the remaining
    // options are Qt's is known only once its platform has started.
    std::optional<StartupMessages> holding(std::in_place, startFailed);
    QApplication app(argc, argv);
    holding.reset();

    // Qt has taken its own options out; what is left must be ours.
    if (const std::optional<QString> error = commandLineError(QCoreApplication::arguments()))
        return refuse(*error);

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
