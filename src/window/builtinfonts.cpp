#include "builtinfonts.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QResource>
#include <QString>
#include <QStringList>
// Qt's platform font database: the one call here that no public API offers.
#include <qpa/qplatformfontdatabase.h>

#include <algorithm>

namespace hearthvale {

void registerBuiltInFonts()
{
    static const bool registered = [] {
        for (const char *face : {":/fonts/ComicNeue-Regular.otf", ":/fonts/ComicNeue-Bold.otf"}) {
            // Stored uncompressed, so Qt reads the face straight out of the
            // program's own pages instead of copying it.
            const QResource resource(QLatin1StringView(face).toString());
            if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
                continue;
            QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
                reinterpret_cast<const char *>(resource.data()), static_cast<qsizetype>(resource.size())));
        }
        // Under the alias a request for Comic Sans MS finds Comic Neue at
        // once. Through QFont's substitution table instead, Qt would first
        // have fontconfig work out two lists of fallback fonts, which no
        // text on the card needs; a character Comic Neue lacks still finds
        // its fallback when it is drawn.
        const QString comicSans = QStringLiteral("Comic Sans MS");
        const QStringList families = QFontDatabase::families();
        const bool installed = std::any_of(families.cbegin(), families.cend(), [&comicSans](const QString &family) {
            return family == comicSans || family.startsWith(comicSans + QStringLiteral(" ["));
        });
        if (!installed)
            QPlatformFontDatabase::registerAliasToFontFamily(QStringLiteral("Comic Neue"), comicSans);
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace hearthvale
