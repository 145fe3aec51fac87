// The window draws its controls straight onto the background picture, and
// the desktop shows the icon at 16 and 32 pixels from a 16-colour file, so
// these checks read the shipped pictures back pixel by pixel and byte by byte.

#include "icon.h"
#include "panels.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSet>
#include <QSize>
#include <QString>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace {

const QString kBackgroundPath = QStringLiteral(":/assets/background.png");
const QString kIconPath = QStringLiteral(":/assets/hearthvale.ico");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

QString describe(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// Every image in the icon file, as Qt reads them.
QList<QImage> iconImages()
{
    QList<QImage> images;
    QImageReader reader(kIconPath);
    const int count = reader.imageCount();
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i))
            break;
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

QImage iconOfSize(int size)
{
    const QList<QImage> images = iconImages();
    const auto it = std::find_if(images.cbegin(), images.cend(),
                                 [size](const QImage &img) { return img.size() == QSize(size, size); });
    return it == images.cend() ? QImage() : *it;
}

struct ColourCount {
    QSet<QRgb> opaque;
    int transparent = 0;
    int partial = 0;
};

ColourCount countColours(const QImage &img)
{
    ColourCount count;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qAlpha(p) == 0)
                ++count.transparent;
            else if (qAlpha(p) == 255)
                count.opaque.insert(p | 0xFF000000U);
            else
                ++count.partial;
        }
    }
    return count;
}

} // namespace

using assetgen::kClassicPalette;
using assetgen::kPanelColour;

class TestAssets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void backgroundIsOpaqueTrueColour();
    void wholePanelInteriorIsFlat_data();
    void wholePanelInteriorIsFlat();
    void emblemIsBlue_data();
    void emblemIsBlue();
    void panelColourAppearsOnlyOnPanels();

    void iconFileHoldsItsSizesInOrder();
    void iconDirectorySaysFourBits_data();
    void iconDirectorySaysFourBits();
    void iconImagesUseClassicPalette_data();
    void iconImagesUseClassicPalette();
    void desktopIconsMatch_data();
    void desktopIconsMatch();

private:
    QImage m_background;
    QByteArray m_png;
    QByteArray m_ico;
};

void TestAssets::initTestCase()
{
    m_png = readAll(kBackgroundPath);
    QVERIFY2(!m_png.isEmpty(), "the background is missing from the resources");
    QVERIFY(m_background.load(kBackgroundPath));
    m_ico = readAll(kIconPath);
    QVERIFY2(!m_ico.isEmpty(), "the icon is missing from the resources");
}

void TestAssets::backgroundIsOpaqueTrueColour()
{
    QCOMPARE(m_background.size(), QSize(640, 480));
    QVERIFY(!m_background.hasAlphaChannel());

    QImageReader reader(kBackgroundPath);
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.size(), QSize(640, 480));

    // The header itself: 8 bits to each of red, green and blue (colour type
    // 2), with no alpha and no palette.
    QVERIFY(m_png.size() >= 33);
    QCOMPARE(m_png.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(qFromBigEndian<quint32>(m_png.constData() + 16), 640U);
    QCOMPARE(qFromBigEndian<quint32>(m_png.constData() + 20), 480U);
    QCOMPARE(int(m_png.at(24)), 8);
    QCOMPARE(int(m_png.at(25)), 2);
}

void TestAssets::wholePanelInteriorIsFlat_data()
{
    QTest::addColumn<QRect>("interior");
    QTest::newRow("upper") << assetgen::kPanelInteriors[0];
    QTest::newRow("lower") << assetgen::kPanelInteriors[1];
}

void TestAssets::wholePanelInteriorIsFlat()
{
    QFETCH(QRect, interior);
    for (int y = interior.top(); y <= interior.bottom(); ++y) {
        for (int x = interior.left(); x <= interior.right(); ++x) {
            const QRgb p = m_background.pixel(x, y) | 0xFF000000U;
            if (p != kPanelColour)
                QFAIL(qPrintable(QStringLiteral("%1 at %2,%3").arg(describe(p)).arg(x).arg(y)));
        }
    }
}

void TestAssets::emblemIsBlue_data()
{
    QTest::addColumn<QPoint>("point");
    // The centres, and points just inside each disc's rim, so a stray dot
    // of blue would not pass for a disc.
    for (const QPointF exact : assetgen::kEmblemCentres) {
        const QPoint centre(int(exact.x()), int(exact.y()));
        for (const QPoint offset : {QPoint(0, 0), QPoint(-10, 0), QPoint(10, 0), QPoint(0, -10), QPoint(0, 10)}) {
            const QPoint p = centre + offset;
            QTest::addRow("%d,%d", p.x(), p.y()) << p;
        }
    }
}

void TestAssets::emblemIsBlue()
{
    QFETCH(QPoint, point);
    const QRgb p = m_background.pixel(point);
    QVERIFY2(qBlue(p) >= qRed(p) + 60 && qBlue(p) >= qGreen(p) + 40, qPrintable(describe(p)));
}

void TestAssets::panelColourAppearsOnlyOnPanels()
{
    // Where the landscape happened to match the panel exactly, a control's
    // edge would vanish into it.
    int strays = 0;
    QPoint first;
    for (int y = 0; y < m_background.height(); ++y) {
        for (int x = 0; x < m_background.width(); ++x) {
            const QPoint p(x, y);
            if (assetgen::kPanelAreas[0].contains(p) || assetgen::kPanelAreas[1].contains(p))
                continue;
            if ((m_background.pixel(p) | 0xFF000000U) == kPanelColour) {
                if (strays++ == 0)
                    first = p;
            }
        }
    }
    QVERIFY2(strays == 0,
             qPrintable(QStringLiteral("%1 pixels, first at %2,%3").arg(strays).arg(first.x()).arg(first.y())));
}

void TestAssets::iconFileHoldsItsSizesInOrder()
{
    QImageReader reader(kIconPath);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.format(), QByteArray("ico"));
    QCOMPARE(reader.imageCount(), int(assetgen::kIcoFileSizes.size()));

    const QList<QImage> images = iconImages();
    QList<QSize> sizes;
    for (const QImage &img : images) {
        QVERIFY(!img.isNull());
        sizes.append(img.size());
    }
    QList<QSize> wanted;
    for (int size : assetgen::kIcoFileSizes)
        wanted.append(QSize(size, size));
    QCOMPARE(sizes, wanted);
}

void TestAssets::iconDirectorySaysFourBits_data()
{
    QTest::addColumn<int>("entry");
    QTest::newRow("first entry") << 0;
    QTest::newRow("second entry") << 1;
}

void TestAssets::iconDirectorySaysFourBits()
{
    QFETCH(int, entry);
    QVERIFY(m_ico.size() >= 6 + 2 * 16);
    QCOMPARE(le16(m_ico, 0), quint16(0));
    QCOMPARE(le16(m_ico, 2), quint16(1)); // an icon, not a cursor
    QCOMPARE(le16(m_ico, 4), quint16(assetgen::kIcoFileSizes.size()));

    const qsizetype dir = 6 + 16 * entry;
    const int width = quint8(m_ico.at(dir));
    const int height = quint8(m_ico.at(dir + 1));
    QCOMPARE(width, assetgen::kIcoFileSizes[std::size_t(entry)]);
    QCOMPARE(height, width);
    QCOMPARE(int(quint8(m_ico.at(dir + 2))), 16); // palette entries
    QCOMPARE(le16(m_ico, dir + 4), quint16(1)); // planes
    QCOMPARE(le16(m_ico, dir + 6), quint16(4)); // bits per pixel
    const quint32 length = le32(m_ico, dir + 8);
    const quint32 offset = le32(m_ico, dir + 12);
    QVERIFY(qsizetype(offset) + qsizetype(length) <= m_ico.size());

    // The bitmap header: height doubled to cover the AND mask.
    QCOMPARE(le32(m_ico, offset), 40U);
    QCOMPARE(le32(m_ico, offset + 4), quint32(width));
    QCOMPARE(le32(m_ico, offset + 8), quint32(2 * height));
    QCOMPARE(le16(m_ico, offset + 12), quint16(1));
    QCOMPARE(le16(m_ico, offset + 14), quint16(4));
    QCOMPARE(le32(m_ico, offset + 16), 0U); // uncompressed

    // Header, 16-colour palette, 4-bit rows and 1-bit mask rows, each row
    // padded to whole 32-bit words.
    const quint32 xorRow = ((width * 4 + 31) / 32) * 4;
    const quint32 andRow = ((width + 31) / 32) * 4;
    QCOMPARE(length, 40 + 16 * 4 + (xorRow + andRow) * quint32(height));
}

void TestAssets::iconImagesUseClassicPalette_data()
{
    QTest::addColumn<int>("size");
    for (int size : assetgen::kIcoFileSizes)
        QTest::addRow("%dx%d", size, size) << size;
}

void TestAssets::iconImagesUseClassicPalette()
{
    QFETCH(int, size);
    const QImage img = iconOfSize(size);
    QVERIFY2(!img.isNull(), "no image of this size in the icon file");
    const ColourCount count = countColours(img);
    QVERIFY2(count.opaque.size() <= 16, qPrintable(QString::number(count.opaque.size())));
    // A picture, not a blank or a single blot.
    QVERIFY(count.opaque.size() >= 6);
    QCOMPARE(count.partial, 0);
    QVERIFY(count.transparent > 0);
    QVERIFY(count.transparent < size * size / 2);
    for (QRgb c : count.opaque)
        QVERIFY2(std::find(kClassicPalette.cbegin(), kClassicPalette.cend(), c) != kClassicPalette.cend(),
                 qPrintable(describe(c)));
}

void TestAssets::desktopIconsMatch_data()
{
    QTest::addColumn<int>("size");
    for (int size : assetgen::kDesktopIconSizes)
        QTest::addRow("%d", size) << size;
}

void TestAssets::desktopIconsMatch()
{
    QFETCH(int, size);
    const QString path = QFINDTESTDATA(QStringLiteral("../assets/icons/%1.png").arg(size));
    QVERIFY2(!path.isEmpty(), "the desktop icon is missing from assets/icons");
    QImage png;
    QVERIFY(png.load(path));
    png = png.convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(png.size(), QSize(size, size));
    QVERIFY(png.hasAlphaChannel());

    const ColourCount count = countColours(png);
    QCOMPARE(count.partial, 0);
    QVERIFY(count.transparent > 0);
    QVERIFY(count.opaque.size() >= 6);
    for (QRgb c : count.opaque)
        QVERIFY2(std::find(kClassicPalette.cbegin(), kClassicPalette.cend(), c) != kClassicPalette.cend(),
                 qPrintable(describe(c)));

    // The sizes the icon file also holds must show exactly the same pixels.
    if (std::find(assetgen::kIcoFileSizes.cbegin(), assetgen::kIcoFileSizes.cend(), size)
        != assetgen::kIcoFileSizes.cend()) {
        const QImage ico = iconOfSize(size);
        QVERIFY(!ico.isNull());
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb a = png.pixel(x, y);
                const QRgb b = ico.pixel(x, y);
                const bool same = (qAlpha(a) == 0 && qAlpha(b) == 0) || a == b;
                if (!same)
                    QFAIL(qPrintable(QStringLiteral("%1,%2: png %3 alpha %4, ico %5 alpha %6")
                                         .arg(x)
                                         .arg(y)
                                         .arg(describe(a))
                                         .arg(qAlpha(a))
                                         .arg(describe(b))
                                         .arg(qAlpha(b))));
            }
        }
    }
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
