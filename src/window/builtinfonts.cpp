#include "builtinfonts.h"

#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QResource>
#include <QString>

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
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace hearthvale
