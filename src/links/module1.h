#pragma once

// Opening a web address in the user's browser, for the links the window
// shows (the home page and the like).
//
// A shell "Open" verb runs whatever file or program a string names, so only
// what isWebAddress (webaddress.h) lets through is handed on; anything else
// is refused here, before any launcher or shell is reached. The call never
// waits for the browser: the launcher is started detached and the program
// carries on whether it works, fails or hangs.
//
// The result follows the Windows ShellExecute convention on every platform:
// above 32 means the request was accepted, 32 or less that it was refused,
// with the reason in the shell's own codes. The window's buttons drop it.

#include <QString>

#include <cstdint>
#include <functional>

namespace hearthvale::Module1 {

// Any value above 32 means "accepted", as ShellExecute reports success.
inline constexpr std::int32_t LinkAccepted = 42;
// ShellExecute's SE_ERR_ACCESSDENIED: the address is not one we will open.
inline constexpr std::int32_t SeErrAccessDenied = 5;
// ShellExecute's SE_ERR_NOASSOC: nothing could be started to open it.
inline constexpr std::int32_t SeErrNoAssoc = 31;

// Returns above 32 once a launcher has taken the address, 32 or less if the
// address was refused or no launcher could be started. url is not changed.
std::int32_t OpenLink(const QString &url);

// What OpenLink hands a vetted address to: the platform's launcher
// (xdg-open or the desktop portal, the Windows shell), unless a test has put
// something in its place, so that no test ever opens a real browser. Its
// result is OpenLink's. An empty function puts the platform's back.
using Launcher = std::function<std::int32_t(const QString &address)>;
void setLauncher(Launcher launcher);

} // namespace hearthvale::Module1
