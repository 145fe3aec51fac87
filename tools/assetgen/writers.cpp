#include "writers.h"

#include <QSaveFile>

#include <algorithm>
#include <cstdio>

namespace assetgen {

namespace {

void putLe16(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void putLe32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// One image of an icon file: a bitmap header with the height doubled to
// cover the mask, the palette, the 4-bit colour rows and the 1-bit mask,
// both bottom row first and padded to whole 32-bit words.
QByteArray icoBitmap(const PixelIcon &icon)
{
    const int n = icon.size;
    const int xorStride = ((n * 4 + 31) / 32) * 4;
    const int andStride = ((n + 31) / 32) * 4;
    QByteArray out;
    putLe32(out, 40);
    putLe32(out, quint32(n));
    putLe32(out, quint32(2 * n));
    putLe16(out, 1);
    putLe16(out, 4);
    putLe32(out, 0);
    putLe32(out, quint32((xorStride + andStride) * n));
    putLe32(out, 0);
    putLe32(out, 0);
    putLe32(out, 16);
    putLe32(out, 0);
    for (QRgb c : kClassicPalette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    for (int y = n - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < n; ++x) {
            const int ink = std::max(icon.at(x, y), 0); // black under the mask
            row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? ink << 4 : ink));
        }
        out.append(row);
    }
    for (int y = n - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < n; ++x) {
            if (icon.at(x, y) == Clear)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

} // namespace

QByteArray icoFile(const std::vector<PixelIcon> &icons)
{
    std::vector<QByteArray> bitmaps;
    for (const PixelIcon &icon : icons)
        bitmaps.push_back(icoBitmap(icon));
    QByteArray out;
    putLe16(out, 0);
    putLe16(out, 1); // an icon, not a cursor
    putLe16(out, int(icons.size()));
    quint32 offset = quint32(6 + 16 * icons.size());
    for (std::size_t i = 0; i < icons.size(); ++i) {
        out.append(char(icons[i].size));
        out.append(char(icons[i].size));
        out.append(char(16));
        out.append(char(0));
        putLe16(out, 1);
        putLe16(out, 4);
        putLe32(out, quint32(bitmaps[i].size()));
        putLe32(out, offset);
        offset += quint32(bitmaps[i].size());
    }
    for (const QByteArray &b : bitmaps)
        out.append(b);
    return out;
}

void complain(const QString &message)
{
    std::fprintf(stderr, "hearthvale-assetgen: %s\n", qPrintable(message));
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        complain(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace assetgen
