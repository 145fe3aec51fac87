#include "program.h"

#include "commandline.h"
#include "config/version.h"
#include "failure.h"
#include "form1.h"
#include "names/randomsource.h"
#include "startupmessages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace hearthvale {

namespace {

// What the start-up messages name, set before Qt starts.
StartupRequest request;

int refuse(const QString &error)
{
    std::fprintf(stderr, "%s: %s\n%s", ProgramName, qPrintable(error), qPrintable(usageLine()));
    return 2;
}

// What the user asked Qt to start on: the command line's word before the
// environment's.
StartupRequest startupRequest(const CommandLine &line)
{
    StartupRequest asked;
    if (!line.platform.isEmpty())
        asked.platformFrom = QStringLiteral("-platform");
    else if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        asked.platformFrom = QStringLiteral("QT_QPA_PLATFORM");
    const bool displayGiven = !line.display.isEmpty();
    asked.display = displayGiven ? line.display : qEnvironmentVariable("DISPLAY");
    asked.displayFrom = displayGiven ? QStringLiteral("-display") : QStringLiteral("DISPLAY");
    asked.waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    return asked;
}

[[noreturn]] void startFailed(const QList<QString> &held, const QString &fatal)
{
    std::fprintf(stderr, "%s: %s\n", ProgramName, qPrintable(describeStartupFailure(held, fatal, request)));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

int runProgram(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine line = readCommandLine(arguments);
    switch (line.request) {
    case CommandLine::Request::Help:
    case CommandLine::Request::HelpAll:
        std::fputs(qPrintable(helpText(line.request == CommandLine::Request::HelpAll)), stdout);
        return 0;
    case CommandLine::Request::Version: std::printf("%s %s\n", ProgramName, HEARTHVALE_VERSION); return 0;
    case CommandLine::Request::Start: break;
    }
    if (!line.error.isEmpty())
        return refuse(line.error);

    // Qt takes "--session=<id>" only as two arguments. They live as long as
    // the application object; an unchanged command line goes as it came,
    // which on Windows keeps Qt reading the wide one.
    const QStringList split = qtForm(arguments);
    std::vector<QByteArray> splitArguments;
    std::vector<char *> splitArgv;
    if (split != arguments) {
        for (const QString &argument : split)
            splitArguments.push_back(argument.toLocal8Bit());
        for (QByteArray &argument : splitArguments)
            splitArgv.push_back(argument.data());
        splitArgv.push_back(nullptr);
        argc = int(split.size());
        argv = splitArgv.data();
    }

    // Without a display nothing can be shown: a clear line instead of Qt's abort.
    request = startupRequest(line);
    std::optional<StartupMessages> holding(std::in_place, startFailed);
    QApplication app(argc, argv);
    holding.reset();

    // What Qt has left is an option of another platform's plugin (-display
    // on Wayland), or its value.
    if (const QStringList left = QCoreApplication::arguments().mid(1); !left.isEmpty()) {
        return refuse(isQtOption(left.first()) ? QStringLiteral("Option '%1' does not apply to the %2 platform.")
                                                     .arg(left.first(), QGuiApplication::platformName())
                                               : QStringLiteral("Unexpected argument '%1'.").arg(left.first()));
    }

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
