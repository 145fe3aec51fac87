#include "links/webaddress.h"

#include <QChar>

namespace hearthvale {

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
        case QChar::Other_Format: return false;
        default: break;
        }
    }
    return true;
}

} // namespace

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

} // namespace hearthvale
