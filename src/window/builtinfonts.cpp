#include "builtinfonts.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QResource>
#include <QStringList>

#include <algorithm>

namespace hearthvale {

QString cardFontFamily()
{
    static const QString family = [] {
        const QString comicSans = QStringLiteral("Comic Sans MS");
        QString builtIn;
        for (const char *face : {":/fonts/ComicNeue-Regular.otf", ":/fonts/ComicNeue-Bold.otf"}) {
            // Stored uncompressed, so Qt reads the face straight out of the
            // program's own pages instead of copying it.
            const QResource resource(QLatin1StringView(face).toString());
            if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
                continue;
            const int id = QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
                reinterpret_cast<const char *>(resource.data()), static_cast<qsizetype>(resource.size())));
            builtIn = QFontDatabase::applicationFontFamilies(id).value(0, builtIn);
        }
        if (builtIn.isEmpty())
            return comicSans;
        const QStringList families = QFontDatabase::families();
        const bool installed = std::any_of(families.cbegin(), families.cend(), [&comicSans](const QString &family) {
            return family == comicSans || family.startsWith(comicSans + QStringLiteral(" ["));
        });
        return installed ? comicSans : builtIn;
    }();
    return family;
}

} // namespace hearthvale
