// Both platforms vet the address here, before branching, so that neither
// the shell nor a launcher ever sees a string that is not a web address.

#include "links/module1.h"

#include <QChar>
#include <QUrl>

#ifdef Q_OS_WIN
#include "links/shellopen_win.h"
#else
#include <QDesktopServices>
#include <QGuiApplication>
#endif

namespace hearthvale::Module1 {

namespace {

// QUrl tolerates things a launcher or a shell may read differently: line
// breaks and NULs would split or cut the address, and spaces, bidi overrides
// or zero-width characters let an address look like another. None of them
// belongs in a link we offer, so such a string is refused whole.
bool hasOnlyVisibleCharacters(const QString &text)
{
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t codePoint = text.at(i).unicode();
        if (QChar::isHighSurrogate(codePoint) && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        } else if (QChar::isSurrogate(codePoint)) {
            return false;
        }
        if (QChar::isSpace(codePoint))
            return false;
        switch (QChar::category(codePoint)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
            return false;
        default:
            break;
        }
    }
    return true;
}

bool isWebAddress(const QString &text, QUrl &parsed)
{
    if (text.isEmpty() || !hasOnlyVisibleCharacters(text))
        return false;

    parsed = QUrl(text, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.isRelative() || parsed.host().isEmpty())
        return false;

    const QString scheme = parsed.scheme();
    return scheme.compare(QLatin1StringView("http"), Qt::CaseInsensitive) == 0
        || scheme.compare(QLatin1StringView("https"), Qt::CaseInsensitive) == 0;
}

} // namespace

std::int32_t OpenLink(const QString &url)
{
    QUrl parsed;
    if (!isWebAddress(url, parsed))
        return SeErrAccessDenied;

#ifdef Q_OS_WIN
    return shellOpen(url.toStdU16String());
#else
    // QDesktopServices needs the GUI application's platform plugin; without
    // one there is nothing to start a launcher with.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return SeErrNoAssoc;

    // Qt starts xdg-open (or asks the desktop portal) detached, passing the
    // address as one argument and never through a shell.
    return QDesktopServices::openUrl(parsed) ? LinkAccepted : SeErrNoAssoc;
#endif
}

} // namespace hearthvale::Module1
