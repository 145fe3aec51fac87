#include "form1.h"

#include "builtinfonts.h"
#include "cardcontrols.h"
#include "cardpictures.h"
#include "commandbutton.h"
#include "config/caption.h"
#include "failure.h"
#include "links/module1.h"
#include "nameannouncer.h"
#include "screenfit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace hearthvale {

namespace {

const CardControl &cardControl(const char *name)
{
    return *std::find_if(CardControls.begin(), CardControls.end(),
                         [name](const CardControl &control) { return std::strcmp(control.name, name) == 0; });
}

QFont controlFont(Face face)
{
    QFont font(cardFontFamily());
    font.setPointSizeF(face == Face::Large ? 12.0 : 8.25);
    font.setWeight(face == Face::Large ? QFont::Normal : QFont::Bold);
    return font;
}

// Every colour drawn on the card's own fixed colours is fixed too, in every
// colour group, so that no desktop scheme (dark, high contrast) can put light
// text on a white face or a grey box.
void colour(QWidget *widget, QPalette::ColorRole backRole, QPalette::ColorRole foreRole, const CardControl &control)
{
    QPalette palette = widget->palette();
    palette.setColor(backRole, QColor(control.back));
    palette.setColor(foreRole, QColor(control.fore));
    if (backRole == QPalette::Button) {
        // The classic bevel around the face, and the focus rectangle in the
        // caption's colour.
        palette.setColor(QPalette::Light, QColor(255, 255, 255));
        palette.setColor(QPalette::Midlight, QColor(227, 227, 227));
        palette.setColor(QPalette::Dark, QColor(128, 128, 128));
        palette.setColor(QPalette::Mid, QColor(160, 160, 160));
        palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
    } else if (backRole == QPalette::Base) {
        // The caret is drawn in the text colour; a selection in the classic
        // highlight, which stands out against the grey box.
        palette.setColor(QPalette::Highlight, QColor(Navy));
        palette.setColor(QPalette::HighlightedText, QColor(White));
    }
    widget->setPalette(palette);
}

void setUp(CommandButton *button, const CardControl &control)
{
    button->setText(QLatin1StringView(control.text));
    button->setAutoDefault(false);
    colour(button, QPalette::Button, QPalette::ButtonText, control);
}

void setUp(QLineEdit *box, const CardControl &control)
{
    box->setText(QLatin1StringView(control.text));
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    colour(box, QPalette::Base, QPalette::Text, control);
}

void setUp(QLabel *label, const CardControl &control)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(QLatin1StringView(control.text));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    colour(label, QPalette::Window, QPalette::WindowText, control);
}

} // namespace

Form1::Form1(RandomSource &source, QWidget *parent)
    // On Windows a fixed size alone keeps the resizable frame, with its
    // resize cursors; the dialog frame is the one that cannot be dragged.
    // Other platforms ignore the hint and go by the fixed size.
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_background(cardPicture("background"))
    , m_names(source)
{
    setWindowTitle(windowCaption());
    setWindowIcon(cardIcon());
    setFixedSize(twipsToPixels(CardWidthTwips), twipsToPixels(CardHeightTwips));
    // A fixed picture with fixed captions: Qt's right-to-left layout (-reverse,
    // or a right-to-left language) must neither mirror the controls' alignment
    // nor set "Generate!" as "!Generate".
    setLayoutDirection(Qt::LeftToRight);

    // A new name box lays its empty text out twice before it has a font of
    // its own: in the application's font, then in the one it takes from the
    // card. Made while both are the box's font, it loads no font that
    // nothing on the card is drawn in.
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(controlFont(Face::Large));
    setFont(controlFont(Face::Large));
    Command1 = makeControl<CommandButton>("Command1");
    TxtName = makeControl<QLineEdit>("TxtName");
    Label5 = makeControl<QLabel>("Label5");
    Label4 = makeControl<QLabel>("Label4");
    Label6 = makeControl<QLabel>("Label6");
    Label7 = makeControl<QLabel>("Label7");
    Label8 = makeControl<QLabel>("Label8");
    Command4 = makeControl<CommandButton>("Command4");
    Command2 = makeControl<CommandButton>("Command2");
    Command3 = makeControl<CommandButton>("Command3");
    QApplication::setFont(applicationFont);
    orderControls();
    Command1->setFocus();

    // In the box whose text it tells; the card keeps its ten controls.
    m_announcer = new NameAnnouncer(TxtName);
    const std::pair<CommandButton *, void (Form1::*)()> handlers[] = {
        {Command1, &Form1::Command1_Click},
        {Command2, &Form1::Command2_Click},
        {Command3, &Form1::Command3_Click},
        {Command4, &Form1::Command4_Click},
    };
    for (const auto &[button, handler] : handlers)
        connect(button, &QPushButton::clicked, this,
                [this, handler] { runHandler([this, handler] { (this->*handler)(); }); });

    m_loaded = runHandler([this] { Form_Load(); });
    if (m_loaded)
        new ScreenFit(this); // centred on its screen, and whole on every screen
}

// The control of that name in the card's table, made and set up as the table
// says.
template <typename Control> Control *Form1::makeControl(const char *name)
{
    const CardControl &control = cardControl(name);
    auto *made = new Control(this);
    made->setObjectName(QLatin1StringView(name));
    made->setGeometry(pixelRect(control));
    made->setFont(controlFont(control.face));
    if (control.accessibleName)
        made->setAccessibleName(QLatin1StringView(control.accessibleName));
    setUp(made, control);
    return made;
}

// In the table's keyboard order: the labels lie on the card beneath the
// buttons, each under those before it, and never take the focus; the focus
// goes from each of the others to the next.
void Form1::orderControls()
{
    QWidget *previous = nullptr;
    for (const CardControl &control : CardControls) {
        auto *widget = findChild<QWidget *>(QLatin1StringView(control.name), Qt::FindDirectChildrenOnly);
        if (qobject_cast<QLabel *>(widget)) {
            widget->lower();
            continue;
        }
        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

void Form1::Form_Load()
{
    m_names.SeedGenerator();
    m_names.LoadNames();
}

void Form1::Command1_Click()
{
    TxtName->setText(m_names.NameDraw());
    // The focus stays on "Generate!", so a screen reader is told the name.
    m_announcer->announce(TxtName->text());
}

void Form1::Command2_Click()
{
    Module1::OpenLink(QStringLiteral("http://www.quillbrook.example/"));
}

void Form1::Command4_Click()
{
    Module1::OpenLink(QStringLiteral("http://www.copperwick.example/"));
}

void Form1::Command3_Click()
{
    // Ends at once: nothing is saved and nothing is asked.
    QCoreApplication::exit(0);
}

const QImage *Form1::sharpBackground(qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1)
        return nullptr;
    if (!m_sharpBackground)
        m_sharpBackground = cardPicture("background@2x");
    return m_sharpBackground->size() == m_background.size() * 2 ? &*m_sharpBackground : nullptr;
}

void Form1::paintEvent(QPaintEvent *)
{
    // At its natural size from the top left: the picture is two pixels wider
    // and taller than the card, and those edges are simply cut off.
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QImage *sharp = sharpBackground(ratio);
    if (!sharp) {
        painter.drawImage(0, 0, m_background);
        return;
    }
    // The sharp picture covers the same place. At twice the pixels it lands
    // one to one on the screen's; at any other ratio Qt scales it, smoothly,
    // so that its one-pixel lines blend rather than drop out or double.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !qFuzzyCompare(ratio, 2.0));
    painter.drawImage(QRectF(QPointF(0, 0), m_background.size()), *sharp);
}

} // namespace hearthvale
