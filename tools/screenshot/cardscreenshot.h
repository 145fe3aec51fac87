// The picture software centres show of the program (packaging/screenshot.png):
// the window itself, drawn on Qt's offscreen platform at one pixel to the
// card's one, just after a press of Generate! has drawn "Pinechester".
// hearthvale-screenshot writes it; a test compares the committed copy with
// it, so the screenshot cannot fall behind the window.

#pragma once

#include "names/randomsource.h"
#include "window/form1.h"

#include <QCoreApplication>
#include <QImage>

namespace screenshot {

// The one value the draw gets: it lands in the middle of slot 6.
class FixedSource : public hearthvale::RandomSource
{
public:
    float next() override { return 6.5F / 1001.0F; }
};

// Needs a QApplication on the offscreen platform.
inline QImage cardScreenshot()
{
    FixedSource source;
    hearthvale::Form1 form(source);
    form.show();
    QCoreApplication::processEvents();
    form.Command1_Click();
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace screenshot
