// hearthvale-rawimages: writes the committed pictures out as the window
// holds them in memory, for the build to put into the program. The window
// then draws its background and hands its icons over straight from the
// program file, with no image reader, no decoding and no conversion, at
// start-up or at any paint.
//
//   hearthvale-rawimages rgb32|argb32pm OUTPUT INPUT...
//
// OUTPUT holds every image of each INPUT in turn (an icon file holds
// several): its width and height as 32-bit numbers, then its pixels, top
// row first, four bytes each in this machine's byte order. So it is made
// only where the program runs on the machine that builds it.

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // where Qt looks for the icon file's reader
    const bool opaque = argc > 1 && qstrcmp(argv[1], "rgb32") == 0;
    if (argc < 4 || (!opaque && qstrcmp(argv[1], "argb32pm") != 0)) {
        std::fprintf(stderr, "usage: hearthvale-rawimages rgb32|argb32pm OUTPUT INPUT...\n");
        return 2;
    }
    const QImage::Format format = opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    QByteArray bytes;
    for (int i = 3; i < argc; ++i) {
        QImageReader reader(QString::fromLocal8Bit(argv[i]));
        int count = 0;
        do {
            const QImage image = reader.read().convertToFormat(format);
            if (image.isNull())
                break;
            const quint32 size[2] = {quint32(image.width()), quint32(image.height())};
            bytes.append(reinterpret_cast<const char *>(size), sizeof size);
            for (int y = 0; y < image.height(); ++y)
                bytes.append(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
            ++count;
        } while (reader.jumpToNextImage());
        if (count == 0) {
            std::fprintf(stderr, "hearthvale-rawimages: cannot read %s: %s\n", argv[i],
                         qPrintable(reader.errorString()));
            return 1;
        }
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "hearthvale-rawimages: cannot write %s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
