// The program from start to end: the command line, read before Qt starts
// (commandline.h), so that --help, --help-all, --version and the usage line
// for anything unknown need no display; Qt's platform, started with what it
// writes held back and a failure told in one line (startupmessages.h); an
// option that the platform Qt started on leaves (-display on Wayland); then
// the window and the event loop.

#include "config/version.h"
#include "window/commandline.h"
#include "window/failure.h"
#include "window/form1.h"
#include "window/startupmessages.h"
#include "names/randomsource.h"

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace hearthvale;

namespace {

int refuse(const QString &error)
{
    std::fprintf(stderr, "%s: %s\n%s", ProgramName, qPrintable(error), qPrintable(usageLine()));
    return 2;
}

// What was asked for must reach stdout: a full disk or a closed stdout is
// an error, told on stderr, as command-line tools do.
int print(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    const auto size = std::size_t(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0)
        return 0;
    std::fprintf(stderr, "%s: write error: %s\n", ProgramName, std::strerror(errno));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine line = readCommandLine(arguments);
    if (!line.error.isEmpty())
        return refuse(line.error);
    if (line.request == CommandLine::Request::Version)
        return print(QStringLiteral("%1 " HEARTHVALE_VERSION "\n").arg(QLatin1StringView(ProgramName)));
    if (line.request != CommandLine::Request::Start)
        return print(helpText(line.request == CommandLine::Request::HelpAll));

    // Qt keeps these for the application's life.
    QByteArrayList forQt = line.forQt;
    std::vector<char *> qtArgv;
    for (QByteArray &argument : forQt)
        qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = int(forQt.size());
    std::unique_ptr<QApplication> app;
    startPlatform(line, [&] { app = std::make_unique<QApplication>(qtArgc, qtArgv.data()); });
    // What Qt has left is an option of another platform's plugin (-display
    // on Wayland), and its value.
    if (qtArgc > 1) {
        return refuse(QStringLiteral("Option '%1' does not apply to the %2 platform.")
                          .arg(QString::fromLocal8Bit(qtArgv[1]), QGuiApplication::platformName()));
    }

    QCoreApplication::setApplicationName(QLatin1StringView(ProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(HEARTHVALE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(HEARTHVALE_APP_ID));
    // Handlers catch their own failures; this is for the window's creation.
    try {
        Form1 form(RandomSource::process());
        if (!form.loaded())
            return 1; // and the user has been told why
        form.show();
        return QCoreApplication::exec();
    } catch (const std::exception &failure) {
        reportFailure(&failure);
    }
    return 1;
}
