#include "cardpictures.h"

#include <QDir>
#include <QImageReader>
#include <QList>
#include <QPixmap>
#include <QResource>

#include <cstring>

namespace hearthvale {

namespace {

// Every image in a built-in picture file, read by the reader for its known
// format. Left to guess, Qt would load each image plugin it has to ask it.
QList<QImage> readImages(const QString &path, const char *format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    QList<QImage> images;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        images.append(image);
    } while (reader.jumpToNextImage());
    return images;
}

// The images the build wrote out: each a width and a height, then its
// pixels. None where the build could not make them.
QList<QImage> builtImages(const QString &path, QImage::Format format)
{
    const QResource resource(path);
    const uchar *data = resource.data();
    qint64 left = resource.size();
    QList<QImage> images;
    if (!data || resource.compressionAlgorithm() != QResource::NoCompression
        || reinterpret_cast<quintptr>(data) % alignof(quint32) != 0)
        return images;
    quint32 size[2];
    while (left >= qint64(sizeof size)) {
        std::memcpy(size, data, sizeof size);
        const qint64 bytes = qint64(size[0]) * size[1] * 4;
        if (bytes == 0 || bytes > left - qint64(sizeof size))
            break;
        images.append(QImage(data + sizeof size, int(size[0]), int(size[1]), format));
        data += sizeof size + bytes;
        left -= qint64(sizeof size) + bytes;
    }
    return images;
}

} // namespace

QImage cardPicture(const char *name)
{
    const QString file = QLatin1StringView(name).toString();
    const QImage built = builtImages(QStringLiteral(":/pixels/") + file, QImage::Format_RGB32).value(0);
    if (!built.isNull())
        return built;
    return readImages(QStringLiteral(":/assets/%1.png").arg(file), "png")
        .value(0)
        .convertToFormat(QImage::Format_RGB32);
}

QIcon cardIcon()
{
    // The program file's own 16-colour images at 16 and 32 pixels, and the
    // larger drawings the desktop menus use, so that title bars and window
    // switchers on dense screens get a sharp one rather than a blown-up 32.
    QList<QImage> images = builtImages(QStringLiteral(":/pixels/icons"), QImage::Format_ARGB32_Premultiplied);
    if (images.isEmpty()) {
        const QDir icons(QStringLiteral(":/assets/icons"));
        for (const QString &file : icons.entryList())
            images += readImages(icons.filePath(file), "png");
    }
    QIcon icon;
    for (const QImage &image : std::as_const(images))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

} // namespace hearthvale
