#include "background.h"

#include "panels.h"
#include "scene.h"
#include "shadowlayer.h"

namespace assetgen {

namespace {

std::vector<Tree> neighbourhoodTrees()
{
    // clang-format off
    std::vector<Tree> trees = {
        // Park, around the pond.
        {{2, 40}, 12, 0}, {{6, 96}, 13, 1}, {{30, 150}, 15, 0}, {{22, 188}, 12, 0}, {{58, 222}, 14, 0},
        {{150, 60}, 15, 0}, {{186, 44}, 12, 1}, {{228, 70}, 16, 0}, {{240, 126}, 13, 2}, {{218, 168}, 12, 0},
        {{152, 222}, 11, 1}, {{104, 60}, 10, 2},
        // Along the main road.
        {{276, 210}, 9, 0}, {{436, 196}, 9, 0}, {{566, 184}, 9, 0}, {{632, 186}, 9, 0},
        {{300, 270}, 9, 0}, {{520, 246}, 8, 0},
        // Gardens.
        {{262, 58}, 13, 0}, {{350, 48}, 14, 0}, {{440, 62}, 10, 1}, {{520, 52}, 15, 0}, {{620, 40}, 16, 0},
        {{614, 262}, 12, 0}, {{508, 340}, 10, 2}, {{628, 440}, 14, 0}, {{510, 470}, 11, 1},
        {{440, 352}, 9, 0}, {{364, 470}, 12, 0}, {{272, 318}, 12, 0}, {{300, 352}, 10, 2},
        // Down by the allotments.
        {{24, 302}, 14, 0}, {{180, 330}, 13, 1}, {{120, 296}, 9, 0},
        // Shrubs against the houses.
        {{270, 170}, 5, 0}, {{276, 178}, 4, 2}, {{366, 168}, 5, 0}, {{428, 170}, 4, 0},
        {{524, 92}, 5, 0}, {{582, 150}, 4, 2}, {{528, 318}, 5, 0}, {{594, 318}, 4, 0},
        {{578, 380}, 5, 0}, {{528, 440}, 4, 2}, {{416, 322}, 5, 0}, {{352, 312}, 4, 0},
        {{380, 446}, 5, 0}, {{424, 392}, 4, 2},
    };
    // clang-format on
    return trees;
}

std::vector<Roof> neighbourhoodRoofs()
{
    const double aA = mainRoadAngleDeg(300);
    const double aB = mainRoadAngleDeg(395);
    const double aG = mainRoadAngleDeg(380);
    return {
        // The wing first, so the main roof laps over where they join.
        {{324, 122}, 18, 30, aA, QColor(176, 100, 78), true, false, false},
        {{302, 150}, 56, 38, aA, QColor(176, 100, 78), true, true, false},
        {{396, 140}, 64, 40, aB, QColor(108, 116, 130), false, true, true},
        {{551, 120}, 64, 40, 90, QColor(150, 108, 84), true, false, false},
        {{560, 292}, 66, 38, 0, QColor(166, 88, 82), true, true, false},
        {{552, 408}, 58, 38, 90, QColor(118, 130, 108), false, true, false},
        {{384, 294}, 58, 38, aG, QColor(188, 160, 118), true, true, true},
        {{400, 418}, 54, 36, 90, QColor(140, 96, 86), true, false, false},
        // Garden sheds.
        {{262, 108}, 14, 10, -10, QColor(118, 124, 106), false, false, false},
        {{618, 364}, 14, 11, 0, QColor(146, 112, 84), false, false, false},
    };
}

} // namespace

QImage renderLandscape(int scale)
{
    // Every painter works in the scene's own coordinates; the picture's
    // pixel ratio maps them onto its pixels.
    QImage img(kWidth * scale, kHeight * scale, QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    paintGround(img);
    ShadowLayer shadows(scale);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);

        // Gardens get tended lawns; the park keeps the wild grass.
        const double n = -2.0;
        paintLawn(p, QPolygonF({{250, n}, {450, n}, {450, 220}, {250, 236}}), -8, 9);
        paintLawn(p, QPolygonF({{488, n}, {660, n}, {660, 196}, {488, 200}}), 90, 9);
        paintLawn(p, QPolygonF({{488, 238}, {660, 236}, {660, 490}, {488, 490}}), 0, 9);
        paintLawn(p, QPolygonF({{258, 256}, {448, 246}, {448, 490}, {258, 490}}), 80, 9);

        paintStreams(p);
        paintPond(p);
        paintReeds(p);
        paintFootpaths(p);
        paintFootbridge(p, shadows, {48, 104}, 125);
        paintFootbridge(p, shadows, {194, 212}, 70);
        paintRoads(p);
        paintBridge(p, shadows);

        // Driveways and front paths.
        const QColor concrete(196, 192, 182);
        paintPaving(p, QRectF(-8, 0, 16, 62), mainRoadAngleDeg(334), {334, 172}, concrete);
        paintPaving(p, QRectF(-8, 0, 16, 46), mainRoadAngleDeg(420), {420, 164}, concrete);
        paintPaving(p, QRectF(0, -8, 44, 16), 0, {487, 150}, concrete);
        paintPaving(p, QRectF(-8, -36, 16, 36), 0, {598, 272}, concrete);
        paintPaving(p, QRectF(0, -8, 48, 16), 0, {487, 426}, concrete);
        paintPaving(p, QRectF(-8, -30, 16, 30), mainRoadAngleDeg(360), {358, 278}, concrete);
        paintPaving(p, QRectF(0, -7, 32, 14), 0, {416, 440}, concrete);
        const QColor stone(214, 204, 184);
        paintPaving(p, QRectF(-2.5, 0, 5, 40), mainRoadAngleDeg(290), {290, 174}, stone);
        paintPaving(p, QRectF(-2.5, 0, 5, 30), 0, {548, 308}, stone);

        // Back gardens.
        paintDeck(p, QRectF(370, 96, 30, 16));
        paintPool(p, QRectF(408, 74, 34, 20));
        paintPool(p, QRectF(594, 300, 22, 40));
        paintDeck(p, QRectF(590, 100, 18, 40));
        Rng veg(0x56454745ULL);
        paintVegetableBed(p, QRectF(272, 80, 22, 14), true, veg);
        paintVegetableBed(p, QRectF(298, 80, 22, 14), true, veg);
        paintVegetableBed(p, QRectF(272, 270, 16, 30), false, veg);
        paintVegetableBed(p, QRectF(332, 300, 16, 26), false, veg);
        // Allotments south of the park.
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 2; ++j)
                paintVegetableBed(p, QRectF(56 + i * 30, 314 + j * 26, 24, 18), (i + j) % 2 == 0, veg);

        Rng flowers(0x464C4F57ULL);
        {
            QPainterPath bed;
            bed.addEllipse(QPointF(110, 236), 7, 5);
            paintFlowerBed(p, bed, flowers, 26);
        }
        {
            Rng shape(0x42454453ULL);
            paintFlowerBed(p, wobblyBlob({240, 220}, 9, 6, shape, 0.2), flowers, 34);
        }
        {
            QPainterPath bed;
            bed.addRect(QRectF(508, 264, 6, 46));
            paintFlowerBed(p, bed, flowers, 40);
            QPainterPath bed2;
            bed2.addRect(QRectF(352, 322, 48, 5));
            paintFlowerBed(p, bed2, flowers, 36);
            QPainterPath bed3;
            bed3.addRect(QRectF(530, 160, 40, 5));
            paintFlowerBed(p, bed3, flowers, 30);
        }

        // Park benches beside the path.
        for (const QPointF b : {QPointF(70, 208), QPointF(196, 98)}) {
            p.fillRect(QRectF(b + QPointF(1, 1.5), QSizeF(10, 4)), QColor(0, 0, 0, 60));
            p.fillRect(QRectF(b, QSizeF(10, 4)), QColor(150, 110, 76));
            p.fillRect(QRectF(b, QSizeF(10, 1.3)), QColor(112, 80, 56));
        }

        Rng hedgeRng(0x48454447ULL);
        paintHedge(p, shadows, {{354, 224}, {352, 190}, {350, 16}}, hedgeRng);
        paintFence(p, shadows, {{252, 232}, {252, -4}});
        paintFence(p, shadows, {{446, 210}, {446, -4}});
        paintFence(p, shadows, {{490, 84}, {660, 84}});
        paintFence(p, shadows, {{490, 356}, {660, 356}});
        paintFence(p, shadows, {{450, 364}, {350, 364}});
        paintFence(p, shadows, {{256, 248}, {256, 370}});
        paintHedge(p, shadows, {{490, 244}, {490, 490}}, hedgeRng);
        paintHedge(p, shadows, {{50, 296}, {180, 296}}, hedgeRng);
    }

    const std::vector<Roof> roofs = neighbourhoodRoofs();
    const std::vector<Tree> trees = neighbourhoodTrees();
    const quint64 treeSeed = 0x5452454553ULL;
    for (const Roof &r : roofs)
        castRoofShadow(shadows, r);
    castTreeShadows(shadows, trees, treeSeed);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        paintCar(p, shadows, {334, 196}, mainRoadAngleDeg(334) + 90, QColor(176, 64, 58));
        paintCar(p, shadows, {598, 252}, 90, QColor(226, 226, 222));
        paintCar(p, shadows, {508, 426}, 0, QColor(70, 96, 140));
        paintCar(p, shadows, {160, mainRoadY(160) + 6}, mainRoadAngleDeg(160), QColor(224, 184, 90));
    }
    shadows.applyTo(img, 2, 0.5);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Rng rng(0x524F4F46ULL);
        for (const Roof &r : roofs)
            paintRoof(p, r, rng);
        paintTrees(p, trees, treeSeed);
    }

    // A whisper of grain ties the flat shapes into one picture. It is as
    // fine as the pixels, at every scale.
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double g = (latticeValue(x, y, 0x6752U) - 0.5) * 7.0;
            const QRgb px = line[x];
            line[x] = qRgb(clampByte(qRed(px) + g), clampByte(qGreen(px) + g), clampByte(qBlue(px) + g));
        }
    }

    return img;
}

QImage renderBackground(int scale)
{
    QImage img = renderLandscape(scale);
    paintPanels(img);
    QImage picture = img.convertToFormat(QImage::Format_RGB888);
    picture.setDevicePixelRatio(1); // a file knows nothing of it
    return picture;
}

} // namespace assetgen
