// The screenshot that software centres show must be the window as it is
// today: drawn again here the way hearthvale-screenshot draws it, and
// compared with the committed copy pixel for pixel.

#include "cardscreenshot.h"

#include <QImage>
#include <QTest>

class TestScreenshot : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void committedScreenshotIsTodaysWindow()
    {
        const QImage committed(QStringLiteral(HEARTHVALE_SCREENSHOT));
        QVERIFY2(!committed.isNull(), HEARTHVALE_SCREENSHOT " cannot be read");
        const QImage today = screenshot::cardScreenshot();
        QVERIFY2(committed.convertToFormat(QImage::Format_RGB32) == today,
                 "the window has changed: run hearthvale-screenshot " HEARTHVALE_SCREENSHOT " and commit the result");
    }
};

QTEST_MAIN(TestScreenshot)
#include "tst_screenshot.moc"
