// The committed pictures must be the ones the generator draws, so that
// nobody ships assets the source no longer makes. Built against the Qt that
// drew them (assets/drawn-with-qt.txt), every byte must match. Another Qt
// rasterises the landscape a little differently and may encode PNGs
// otherwise; even then the file kinds and sizes, the icons' pixels (worked
// out without Qt's painter) and the background's panel interiors and emblems,
// which the window's controls rely on, must match exactly.

#include "assetfiles.h"
#include "panels.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>

#include <cmath>

using namespace assetgen;

namespace {

const QString kCommittedDir = QStringLiteral(HEARTHVALE_ASSETS_DIR);

QByteArray committedBytes(const QString &path)
{
    QFile file(QDir(kCommittedDir).filePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage decoded(const QByteArray &bytes)
{
    return QImage::fromData(bytes).convertToFormat(QImage::Format_ARGB32);
}

QString drawnWithQt()
{
    return QString::fromLatin1(committedBytes(QStringLiteral("drawn-with-qt.txt"))).trimmed();
}

// The first pixel, in the window's pixels, where the two backgrounds differ
// inside a panel interior or on an emblem's disc; empty if none does.
QString firstSharpDifference(const QImage &fresh, const QImage &kept)
{
    const int scale = fresh.width() / 640;
    auto differsAt = [&](int x, int y) {
        for (int dy = 0; dy < scale; ++dy) {
            for (int dx = 0; dx < scale; ++dx) {
                if (fresh.pixel(x * scale + dx, y * scale + dy) != kept.pixel(x * scale + dx, y * scale + dy))
                    return true;
            }
        }
        return false;
    };
    for (const QRect &interior : kPanelInteriors) {
        for (int y = interior.top(); y <= interior.bottom(); ++y) {
            for (int x = interior.left(); x <= interior.right(); ++x) {
                if (differsAt(x, y))
                    return QStringLiteral("panel interior at %1,%2").arg(x).arg(y);
            }
        }
    }
    for (const QPointF centre : kEmblemCentres) {
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                const bool onDisc = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y()) <= kEmblemSolidRadius;
                if (onDisc && differsAt(x, y))
                    return QStringLiteral("emblem at %1,%2").arg(x).arg(y);
            }
        }
    }
    return {};
}

} // namespace

class TestAssetGen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void committedCopyMatches_data();
    void committedCopyMatches();
    void everyCommittedPictureIsDrawn();

private:
    std::vector<AssetFile> m_drawn;
};

void TestAssetGen::initTestCase()
{
    m_drawn = drawAssetFiles();
    QVERIFY2(!m_drawn.empty(), "the generator could not encode its pictures");
}

void TestAssetGen::committedCopyMatches_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("fresh");
    for (const AssetFile &file : m_drawn)
        QTest::newRow(qPrintable(file.path)) << file.path << file.bytes;
}

void TestAssetGen::committedCopyMatches()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, fresh);
    const QByteArray kept = committedBytes(path);
    QVERIFY2(!kept.isEmpty(), "drawn but not committed: rerun hearthvale-assetgen on the assets folder");
    if (fresh == kept)
        return;
    QVERIFY2(drawnWithQt() != QLatin1StringView(qVersion()),
             "differs from the committed copy, drawn with this same Qt: rerun hearthvale-assetgen on the assets "
             "folder and commit the result");

    QBuffer freshDevice(&fresh);
    QBuffer keptDevice(const_cast<QByteArray *>(&kept));
    QImageReader freshReader(&freshDevice);
    QImageReader keptReader(&keptDevice);
    QCOMPARE(freshReader.format(), keptReader.format());
    QCOMPARE(freshReader.size(), keptReader.size());
    QVERIFY2(!path.endsWith(QLatin1StringView(".ico")), "the icon file is made without Qt's painter and must match");
    const QImage freshImage = decoded(fresh);
    const QImage keptImage = decoded(kept);
    if (path.endsWith(QLatin1StringView(".png"))) {
        QCOMPARE(freshImage, keptImage);
    } else if (path.startsWith(QLatin1StringView("background"))) {
        const QString difference = firstSharpDifference(freshImage, keptImage);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        qInfo("%s: drawn with Qt %s, this is %s; the landscape may differ, the panels and emblems match",
              qPrintable(path), qPrintable(drawnWithQt()), qVersion());
    } else {
        qInfo("%s: drawn with Qt %s, this is %s; same kind and size", qPrintable(path), qPrintable(drawnWithQt()),
              qVersion());
    }
}

void TestAssetGen::everyCommittedPictureIsDrawn()
{
    QSet<QString> drawn;
    for (const AssetFile &file : m_drawn)
        drawn.insert(file.path);
    const QDir dir(kCommittedDir);
    QDirIterator it(kCommittedDir, {QStringLiteral("*.bmp"), QStringLiteral("*.ico"), QStringLiteral("*.png")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = dir.relativeFilePath(it.next());
        QVERIFY2(drawn.contains(path), qPrintable(path + QStringLiteral(": committed but no longer drawn")));
    }
}

QTEST_GUILESS_MAIN(TestAssetGen)
#include "tst_assetgen.moc"
