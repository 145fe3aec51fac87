// The address goes to ShellExecuteA, the ANSI entry point, in the system's
// ANSI code page. A string that does not survive that conversion unchanged is
// not handed to the shell at all, rather than opening an address nobody
// asked for.

#include "shellopen_win.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <climits>
#include <optional>
#include <string>

namespace hearthvale::Module1 {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

// A lossy conversion would turn unrepresentable characters into '?' or a
// "best fit" look-alike, so the shell would be asked to open something other
// than what was vetted; such a string is refused instead.
std::optional<std::string> toAnsi(std::u16string_view text)
{
    if (text.empty())
        return std::string();
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;

    const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
    const int wideLength = static_cast<int>(text.size());

    // Where the ANSI code page is UTF-8 Windows rejects the lossiness flags;
    // UTF-8 only loses broken surrogates, which WC_ERR_INVALID_CHARS catches.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    LPBOOL lossyOut = utf8 ? nullptr : &lossy;

    const int needed = WideCharToMultiByte(CP_ACP, flags, wide, wideLength, nullptr, 0, nullptr, lossyOut);
    if (needed <= 0 || lossy)
        return std::nullopt;

    std::string narrow(static_cast<std::size_t>(needed), '\0');
    const int written = WideCharToMultiByte(CP_ACP, flags, wide, wideLength, narrow.data(), needed, nullptr, lossyOut);
    if (written != needed || lossy)
        return std::nullopt;
    return narrow;
}

} // namespace

std::int32_t shellOpen(std::u16string_view url)
{
    // The narrow string ends at the first NUL, so the shell would see only
    // the part before it.
    if (url.empty() || url.find(u'\0') != std::u16string_view::npos)
        return SE_ERR_ACCESSDENIED;

    HWND desktop = GetDesktopWindow();

    const std::optional<std::string> directory = toAnsi(u"C:\\");
    const std::optional<std::string> address = toAnsi(url);
    const std::optional<std::string> operation = toAnsi(u"Open");
    if (!directory || !address || !operation)
        return SE_ERR_ACCESSDENIED;

    HINSTANCE result =
        ShellExecuteA(desktop, operation->c_str(), address->c_str(), nullptr, directory->c_str(), SW_SHOWNORMAL);
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
}

} // namespace hearthvale::Module1
