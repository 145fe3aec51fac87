// Both platforms vet the address here, before branching, so that neither
// the shell nor a launcher ever sees a string that is not a web address.

#include "links/module1.h"

#include "links/webaddress.h"

#include <QUrl>

#ifdef Q_OS_WIN
#include "links/shellopen_win.h"
#else
#include <QDesktopServices>
#include <QGuiApplication>
#endif

namespace hearthvale::Module1 {

namespace {

Launcher &replacedLauncher()
{
    static Launcher launcher;
    return launcher;
}

std::int32_t platformLaunch(const QString &url, const QUrl &parsed)
{
#ifdef Q_OS_WIN
    Q_UNUSED(parsed);
    return shellOpen(url.toStdU16String());
#else
    Q_UNUSED(url);
    // QDesktopServices needs the GUI application's platform plugin; without
    // one there is nothing to start a launcher with.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return SeErrNoAssoc;

    // Qt starts xdg-open (or asks the desktop portal) detached, passing the
    // address as one argument and never through a shell.
    return QDesktopServices::openUrl(parsed) ? LinkAccepted : SeErrNoAssoc;
#endif
}

} // namespace

std::int32_t OpenLink(const QString &url)
{
    QUrl parsed;
    if (!isWebAddress(url, parsed))
        return SeErrAccessDenied;
    if (const Launcher &launcher = replacedLauncher())
        return launcher(url);
    return platformLaunch(url, parsed);
}

void setLauncher(Launcher launcher)
{
    replacedLauncher() = std::move(launcher);
}

} // namespace hearthvale::Module1
