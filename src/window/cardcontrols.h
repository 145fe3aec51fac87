#pragma once

// The card's ten controls, in keyboard order, each with its place, what it
// shows and how: the one table the window is built from (form1.cpp), the
// background picture's panels are drawn under (tools/assetgen/panels.h), and
// the tests check both against.
//
// Places and sizes are in twips, as the card was laid out: 1440 to the inch,
// so 15 to a pixel at 96 dpi.

#include <QRect>
#include <QRgb>

#include <array>

namespace hearthvale {

constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb LightGrey = qRgb(224, 224, 224);
constexpr QRgb Navy = qRgb(0, 0, 128);
// The classic light scheme's button text. The faces are white whatever the
// desktop's colours are, so their captions cannot follow a dark scheme's
// light text.
constexpr QRgb ButtonText = qRgb(0, 0, 0);

// Comic Sans MS at 12 points, or at 8.25 points in bold.
enum class Face { Large, SmallBold };
// The light panel of the picture a control sits on, if any.
enum class Panel { None, Upper, Lower };

struct CardControl {
    const char *name;
    const char *text;
    const char *accessibleName; // where the text does not name the control
    int left, top, width, height; // twips
    QRgb back;
    QRgb fore;
    Face face;
    Panel panel;
};

// clang-format off
constexpr std::array<CardControl, 10> CardControls = {{
    {"Command1", "Generate!", nullptr, 4320, 40, 5175, 495, White, ButtonText, Face::Large, Panel::None},
    {"TxtName", "", "Neighborhood name", 720, 120, 3255, 345, LightGrey, Navy, Face::Large, Panel::Upper},
    {"Label5", "copperwick.example", nullptr, 840, 6720, 1815, 255, LightGrey, Navy, Face::SmallBold, Panel::Lower},
    {"Label4", "quillbrook.example", nullptr, 840, 6480, 1815, 255, LightGrey, Navy, Face::SmallBold, Panel::Lower},
    {"Label6", "(C) Quillbrook Games", nullptr, 720, 6240, 2055, 255, LightGrey, Navy, Face::SmallBold, Panel::Lower},
    {"Label7", "hi@quillbrook.example", nullptr, 840, 5760, 2655, 255, LightGrey, Navy, Face::SmallBold, Panel::Lower},
    {"Label8", "Made by Ada Wren", nullptr, 720, 5520, 1935, 375, LightGrey, Navy, Face::SmallBold, Panel::Lower},
    {"Command4", "Copperwick", nullptr, 2880, 6120, 2175, 375, White, ButtonText, Face::SmallBold, Panel::Lower},
    {"Command2", "Quillbrook", nullptr, 2880, 5640, 2175, 375, White, ButtonText, Face::SmallBold, Panel::Lower},
    {"Command3", "Exit", nullptr, 2880, 6600, 2175, 375, White, ButtonText, Face::SmallBold, Panel::Lower},
}};
// clang-format on

// The card itself, inside the window's frame.
constexpr int CardWidthTwips = 9570;
constexpr int CardHeightTwips = 7170;

// Rounded to the nearest pixel at 96 dpi, halves up.
constexpr int twipsToPixels(int twips)
{
    return (twips * 2 + 15) / 30;
}

constexpr QRect pixelRect(const CardControl &control)
{
    return QRect(twipsToPixels(control.left), twipsToPixels(control.top), twipsToPixels(control.width),
                 twipsToPixels(control.height));
}

// Every pixel of the controls on a panel, which must all be the panel's.
constexpr QRect panelInterior(Panel panel)
{
    QRect covered;
    for (const CardControl &control : CardControls) {
        const QRect r = pixelRect(control);
        if (control.panel != panel)
            continue;
        covered = covered.isNull()
            ? r
            : QRect(QPoint(qMin(covered.left(), r.left()), qMin(covered.top(), r.top())),
                    QPoint(qMax(covered.right(), r.right()), qMax(covered.bottom(), r.bottom())));
    }
    return covered;
}

} // namespace hearthvale
