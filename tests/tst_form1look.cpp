// The window as a person sees it: where each control sits, what it shows,
// the colours on screen (read back from a grab of the painted window), the
// keyboard order and the fonts. Runs at scale 1, 1.5 and 2, so every pixel
// check goes through the grab's device pixel ratio.

#include "window/cardcontrols.h"
#include "window/commandbutton.h"
#include "window/form1.h"
#include "names/randomsource.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>

using hearthvale::Form1;
using hearthvale::RandomSource;

namespace {

const QColor White(255, 255, 255);
const QColor LightGrey(224, 224, 224);
const QColor Navy(0, 0, 128);
const QColor Panel(224, 223, 227);

QColor pixelAt(const QImage &grab, QPoint point)
{
    const qreal ratio = grab.devicePixelRatio();
    return grab.pixelColor(qRound(point.x() * ratio + ratio / 2 - 0.5), qRound(point.y() * ratio + ratio / 2 - 0.5));
}

// How many of the grab's pixels inside a box, given in window pixels, pass a test.
template <typename Test> int countPixels(const QImage &grab, const QRect &box, Test test)
{
    const qreal ratio = grab.devicePixelRatio();
    const QRect pixels(QPoint(qFloor(box.left() * ratio), qFloor(box.top() * ratio)),
                       QPoint(qCeil((box.right() + 1) * ratio) - 1, qCeil((box.bottom() + 1) * ratio) - 1));
    int count = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            count += test(grab.pixelColor(x, y));
    }
    return count;
}

// Text drawn in a colour leaves at least some pixels of exactly that colour
// where the strokes are solid, and everything else blends towards the back.
bool showsColour(const QImage &grab, const QRect &box, const QColor &colour)
{
    return countPixels(grab, box, [&colour](const QColor &pixel) { return pixel == colour; }) > 0;
}

// A built-in picture, the right way up, one QRgb a pixel. Qt reads a pixel
// ratio of 2 into an "@2x" file; here a pixel is a pixel.
QImage picture(const char *name)
{
    QImage image(QStringLiteral(":/assets/%1").arg(QLatin1StringView(name)));
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_RGB32);
}

// Pixels dark enough to read against white or light grey.
int darkPixels(const QImage &grab, const QRect &box)
{
    return countPixels(grab, box, [](const QColor &pixel) { return pixel.lightness() < 96; });
}

} // namespace

class TestForm1Look : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setCursorFlashTime(0); // a caret that does not blink
        m_form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_form));
        m_form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m_form));
    }

    void windowIsFixedCentredAndTitled()
    {
        QCOMPARE(m_form.windowTitle(), QStringLiteral(HEARTHVALE_DISPLAY_NAME));
        QCOMPARE(QApplication::focusWidget(), m_form.Command1);
        QCOMPARE(m_form.size(), QSize(638, 478));
        QCOMPARE(m_form.minimumSize(), QSize(638, 478));
        QCOMPARE(m_form.maximumSize(), QSize(638, 478));
        const Qt::WindowFlags flags = m_form.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        // Frame and all, centred where it fits, and otherwise from the screen's top left.
        const QRect screen = m_form.screen()->availableGeometry();
        const QRect frame = m_form.frameGeometry();
        QVERIFY(frame.width() > screen.width() ? frame.left() == screen.left()
                                               : qAbs(frame.center().x() - screen.center().x()) <= 1);
        QVERIFY(frame.height() > screen.height() ? frame.top() == screen.top()
                                                 : qAbs(frame.center().y() - screen.center().y()) <= 1);
    }

    // Where the card's table puts each control, in pixels at 96 dpi.
    void placement_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        for (const hearthvale::CardControl &control : hearthvale::CardControls)
            QTest::newRow(control.name) << QLatin1StringView(control.name).toString() << hearthvale::pixelRect(control);
    }

    void placement()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        const auto *control = m_form.findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), pixels);
        QVERIFY(control->isVisible());
    }

    void captionsAndFonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Command1") << QStringLiteral("Command1") << QStringLiteral("Generate!") << 12.0 << false;
        QTest::newRow("TxtName") << QStringLiteral("TxtName") << QString() << 12.0 << false;
        QTest::newRow("Command2") << QStringLiteral("Command2") << QStringLiteral("Quillbrook") << 8.25 << true;
        QTest::newRow("Command4") << QStringLiteral("Command4") << QStringLiteral("Copperwick") << 8.25 << true;
        QTest::newRow("Command3") << QStringLiteral("Command3") << QStringLiteral("Exit") << 8.25 << true;
        for (const char *label : {"Label4", "Label5", "Label6", "Label7", "Label8"})
            QTest::newRow(label) << QString::fromLatin1(label) << QString() << 8.25 << true;
    }

    void captionsAndFonts()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        const auto *control = m_form.findChild<QWidget *>(name);
        QVERIFY(control);
        if (const auto *button = qobject_cast<const QPushButton *>(control)) {
            QCOMPARE(button->text(), caption);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        if (const auto *box = qobject_cast<const QLineEdit *>(control))
            QCOMPARE(box->text(), caption);
        const QFont font = control->font();
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.bold(), bold);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        // Comic Sans MS where the system has it; without it, the built-in
        // stand-in, whatever other faces there are.
        const bool comicSans = QFontDatabase::families().contains(QStringLiteral("Comic Sans MS"));
        QCOMPARE(QFontInfo(font).family(), comicSans ? QStringLiteral("Comic Sans MS") : QStringLiteral("Comic Neue"));
    }

    // Each label's text must fit the part of its box that stays visible:
    // Label7 is cut short on the right by Command2 and on the left of that
    // lies over Label8's lower part. Comic Sans MS sets these texts up to a
    // quarter wider than Comic Neue, so with the stand-in they must leave
    // that much room.
    void labelTextsFit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("visible");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("Label4") << QStringLiteral("Label4") << QSize(121, 17) << QStringLiteral(".example");
        QTest::newRow("Label5") << QStringLiteral("Label5") << QSize(121, 17) << QStringLiteral(".example");
        QTest::newRow("Label6") << QStringLiteral("Label6") << QSize(137, 17) << QString();
        QTest::newRow("Label7") << QStringLiteral("Label7") << QSize(192 - 56, 17) << QStringLiteral("@");
        QTest::newRow("Label8") << QStringLiteral("Label8") << QSize(129, 384 - 368) << QString();
    }

    void labelTextsFit()
    {
        QFETCH(QString, name);
        QFETCH(QSize, visible);
        QFETCH(QString, mentions);
        const auto *label = m_form.findChild<QLabel *>(name);
        QVERIFY(label);
        const QString text = label->text();
        QVERIFY(!text.isEmpty());
        QVERIFY(text.contains(mentions));
        for (QChar c : text)
            QVERIFY(c.unicode() >= 0x20 && c.unicode() < 0x7f);
        const QFontMetricsF metrics(label->font());
        const bool standIn = QFontInfo(label->font()).family() != QStringLiteral("Comic Sans MS");
        const qreal width = metrics.horizontalAdvance(text) * (standIn ? 1.25 : 1.0);
        QVERIFY2(width <= visible.width(), qPrintable(QStringLiteral("%1: %2 px").arg(text).arg(width)));
        QVERIFY(metrics.height() <= visible.height());
        QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void stacking_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("topmost");
        QTest::newRow("Label8 above the overlap") << QPoint(100, 375) << QStringLiteral("Label8");
        QTest::newRow("Label7 over Label8") << QPoint(100, 388) << QStringLiteral("Label7");
        QTest::newRow("Command2 over Label7") << QPoint(200, 390) << QStringLiteral("Command2");
    }

    void stacking()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, topmost);
        const QWidget *child = m_form.childAt(point);
        QVERIFY(child);
        // childAt may find a widget inside a control; walk up to the control.
        while (child->parentWidget() != &m_form)
            child = child->parentWidget();
        QCOMPARE(child->objectName(), topmost);
    }

    void colours_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("Generate! face, left of the caption") << QPoint(300, 19) << White;
        QTest::newRow("Quillbrook face") << QPoint(200, 380) << White;
        QTest::newRow("Exit face") << QPoint(200, 460) << White;
        QTest::newRow("name box") << QPoint(200, 19) << LightGrey;
        QTest::newRow("Label5 past its text") << QPoint(174, 462) << LightGrey;
        QTest::newRow("Label8 past its text") << QPoint(174, 370) << LightGrey;
        QTest::newRow("lower panel, left") << QPoint(20, 420) << Panel;
        QTest::newRow("lower panel, right of the buttons") << QPoint(341, 420) << Panel;
        QTest::newRow("upper panel, right of the box") << QPoint(270, 18) << Panel;
    }

    void colours()
    {
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        QCOMPARE(pixelAt(m_form.grab().toImage(), point), colour);
    }

    void textColours()
    {
        const QImage grab = m_form.grab().toImage();
        for (const char *label : {"Label4", "Label5", "Label6", "Label7", "Label8"}) {
            const auto *control = m_form.findChild<QLabel *>(QLatin1StringView(label));
            QVERIFY2(showsColour(grab, control->geometry(), Navy), label);
        }
        QVERIFY(!showsColour(grab, m_form.TxtName->geometry(), Navy));

        m_form.TxtName->setText(QStringLiteral("Bell Island Hot Springs"));
        const QImage filled = m_form.grab().toImage();
        m_form.TxtName->clear();
        QVERIFY(showsColour(filled, m_form.TxtName->geometry(), Navy));
        QCOMPARE(m_form.TxtName->geometry(), QRect(48, 8, 217, 23));
    }

    // The card's colours are its own. A desktop scheme whose text is light
    // (a dark scheme) or whose every colour is light must not blank out the
    // captions, the focus rectangle, or the box's text, caret and selection.
    void fixedColoursUnderDesktopSchemes_data()
    {
        QTest::addColumn<QPalette>("desktop");
        QPalette dark(QColor(49, 54, 59), QColor(49, 54, 59));
        dark.setColor(QPalette::ButtonText, QColor(252, 252, 252));
        dark.setColor(QPalette::WindowText, QColor(252, 252, 252));
        dark.setColor(QPalette::Text, QColor(252, 252, 252));
        dark.setColor(QPalette::Base, QColor(35, 38, 41));
        dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
        QTest::newRow("dark scheme") << dark;
        QPalette washedOut(White, White);
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            washedOut.setColor(QPalette::ColorRole(role), role % 2 ? White : LightGrey);
        QTest::newRow("every colour light") << washedOut;
    }

    void fixedColoursUnderDesktopSchemes()
    {
        QFETCH(QPalette, desktop);
        // The desktop's scheme is there before the window is made.
        const QPalette before = QApplication::palette();
        QApplication::setPalette(desktop);
        Form1 form(m_source);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QImage grab = form.grab().toImage();
        form.TxtName->setFocus();
        const QImage caret = form.grab().toImage();
        form.TxtName->setText(QStringLiteral("Salem's Lot"));
        const QImage text = form.grab().toImage();
        form.TxtName->selectAll();
        const QImage selected = form.grab().toImage();
        QApplication::setPalette(before);

        // Inside the bevel: the caption, and on the focused button the dotted rectangle.
        for (const QPushButton *button : {form.Command1, form.Command2, form.Command3, form.Command4})
            QVERIFY2(darkPixels(grab, button->geometry().adjusted(4, 4, -4, -4)) > 10, qPrintable(button->text()));
        const QRect focusRow(form.Command1->geometry().topLeft() + QPoint(3, 3), QSize(100, 1));
        QVERIFY(darkPixels(grab, focusRow) > 20);
        const QRect box = form.TxtName->geometry();
        QVERIFY(darkPixels(caret, box.adjusted(3, 3, -3, -3)) >= 8); // the empty box shows only its caret
        QVERIFY(showsColour(text, box, Navy));
        QVERIFY(showsColour(selected, box, Navy)); // the classic highlight
        QVERIFY(showsColour(selected, box, White)); // the selected text on it
    }

    void background()
    {
        const QImage grab = m_form.grab().toImage();
        QCOMPARE(grab.size(), QSize(638, 478) * grab.devicePixelRatio());
        // Land, not panel, away from the panels and the controls.
        for (QPoint land : {QPoint(500, 250), QPoint(400, 440), QPoint(600, 470)})
            QVERIFY(pixelAt(grab, land) != Panel);
        // The emblems at the panels' left ends are blue.
        for (QPoint emblem : {QPoint(23, 18), QPoint(23, 378)}) {
            const QColor c = pixelAt(grab, emblem);
            QVERIFY2(c.blue() > c.red() + 40 && c.blue() > c.green() + 20, qPrintable(c.name()));
        }
    }

    // Each emblem's house has a lit window in its gable that only the picture
    // with twice the pixels has: 5 x 5 of its pixels, panes either side of
    // glazing bars one pixel wide. A dense screen must get that picture, one
    // to one at twice the pixels and scaled down smoothly between; an
    // ordinary one the plain picture, pixel for pixel.
    void pictureSuitsTheScreen_data()
    {
        QTest::addColumn<QPoint>("window"); // top left, in the sharp picture's pixels
        QTest::newRow("upper emblem") << QPoint(45, 31);
        QTest::newRow("lower emblem") << QPoint(45, 751);
    }

    void pictureSuitsTheScreen()
    {
        QFETCH(QPoint, window);
        const QImage sharp = picture("background@2x.png");
        QCOMPARE(sharp.size(), QSize(1280, 960));
        const QPoint bar = window + QPoint(2, 0); // between the top two panes
        QCOMPARE(sharp.pixel(bar - QPoint(1, 0)), sharp.pixel(bar + QPoint(1, 0)));
        QVERIFY(sharp.pixel(bar) != sharp.pixel(bar + QPoint(1, 0)));

        const QImage grab = m_form.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal ratio = grab.devicePixelRatio();
        const QRect box(window / 2 - QPoint(1, 1), QSize(5, 5)); // around it, in window pixels
        if (ratio == 1 || ratio == 2) {
            const QRect area(box.topLeft() * ratio, box.size() * ratio);
            QImage shown = grab.copy(area);
            shown.setDevicePixelRatio(1);
            QCOMPARE(shown, (ratio == 1 ? picture("background.png") : sharp).copy(area));
            return;
        }
        // Scaled down: the panes' warm light shows, and the bars blend into it.
        QSet<QRgb> sharpColours; // all that a grab without blending could show there
        for (int y = box.top() * 2 - 2; y <= box.bottom() * 2 + 3; ++y) {
            for (int x = box.left() * 2 - 2; x <= box.right() * 2 + 3; ++x)
                sharpColours.insert(sharp.pixel(x, y));
        }
        QVERIFY(countPixels(grab, box, [](const QColor &c) { return c.red() > c.blue() + 40; }) > 0);
        QVERIFY(countPixels(grab, box, [&](const QColor &c) { return !sharpColours.contains(c.rgb()); }) > 0);
    }

    // A fixed picture with fixed captions: Qt's right-to-left layout
    // (-reverse) must leave every pixel where it was.
    void sameRightToLeft()
    {
        QImage grabs[2];
        for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            QApplication::setLayoutDirection(direction);
            Form1 form(m_source);
            form.TxtName->setText(QStringLiteral("Bell Island Hot Springs"));
            grabs[direction] = form.grab().toImage();
        }
        QApplication::setLayoutDirection(Qt::LeftToRight);
        QCOMPARE(grabs[Qt::RightToLeft], grabs[Qt::LeftToRight]);
    }

    // Tab walks the window's controls; asked of the window, which keeps its
    // focus whether or not it is the active one.
    void keyboardOrder()
    {
        m_form.Command1->setFocus();
        QCOMPARE(m_form.focusWidget(), m_form.Command1);
        const QList<QWidget *> order{m_form.TxtName, m_form.Command4, m_form.Command2, m_form.Command3,
                                     m_form.Command1};
        for (QWidget *next : order) {
            QTest::keyClick(m_form.focusWidget(), Qt::Key_Tab);
            QCOMPARE(m_form.focusWidget(), next);
        }
    }

    // What a screen reader announces for each control.
    void accessibleNames()
    {
        const QList<QWidget *> controls = m_form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 10);
        for (QWidget *control : controls) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
        }
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(m_form.TxtName);
        QVERIFY(box->text(QAccessible::Name).contains(QStringLiteral("name"), Qt::CaseInsensitive));
        for (const QPushButton *button : {m_form.Command1, m_form.Command2, m_form.Command3, m_form.Command4})
            QVERIFY(!button->text().contains(QLatin1Char('&')));
    }

    // The program file's two, and the larger ones for dense screens.
    void windowIconSizes()
    {
        const QList<QSize> sizes = m_form.windowIcon().availableSizes();
        for (int size : {16, 32, 48, 128})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }

private:
    RandomSource m_source;
    Form1 m_form{m_source};
};

QTEST_MAIN(TestForm1Look)
#include "tst_form1look.moc"
