#include "assetfiles.h"

#include "background.h"
#include "icon.h"
#include "installer.h"
#include "writers.h"

#include <QBuffer>
#include <QImage>

namespace assetgen {

namespace {

// The resolution the files record: 100 dots per inch, Qt's own default where
// it knows no screen, as when the generator runs alone. Set here so that the
// bytes do not depend on what Qt assumes in the process drawing them (under
// QtTest, 96).
constexpr int kDotsPerMetre = 3937;

// PNG files are compressed as tightly as zlib can (Qt's quality 0); the
// background is the larger part of the Windows program file and download.
QByteArray encoded(QImage image, const char *format)
{
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, format, qstrcmp(format, "PNG") == 0 ? 0 : -1) ? bytes : QByteArray();
}

} // namespace

std::vector<AssetFile> drawAssetFiles()
{
    // The window shows background.png on ordinary screens and the one with
    // twice the pixels each way where the screen has them.
    std::vector<AssetFile> files = {
        {QStringLiteral("background.png"), encoded(renderBackground(1), "PNG")},
        {QStringLiteral("background@2x.png"), encoded(renderBackground(2), "PNG")},
    };
    std::vector<PixelIcon> icoIcons;
    std::vector<PixelIcon> removalIcons;
    for (int size : kIcoFileSizes) {
        icoIcons.push_back(iconOfSize(size));
        removalIcons.push_back(removalIcon(icoIcons.back()));
    }
    files.push_back({QStringLiteral("hearthvale.ico"), icoFile(icoIcons)});
    for (int size : kDesktopIconSizes)
        files.push_back({QStringLiteral("icons/%1.png").arg(size), encoded(iconImage(iconOfSize(size)), "PNG")});

    // The Windows installer's pictures and its uninstaller's icon.
    const QImage landscape = renderLandscape(1);
    files.push_back({QStringLiteral("installer/welcome.bmp"), encoded(welcomePicture(landscape), "BMP")});
    files.push_back({QStringLiteral("installer/header.bmp"), encoded(headerPicture(landscape), "BMP")});
    files.push_back({QStringLiteral("installer/uninstall.ico"), icoFile(removalIcons)});

    for (const AssetFile &file : files) {
        if (file.bytes.isEmpty())
            return {};
    }
    return files;
}

} // namespace assetgen
