#include "form1.h"

#include "builtinfonts.h"
#include "commandbutton.h"
#include "config/caption.h"
#include "failure.h"
#include "links/module1.h"
#include "nameannouncer.h"
#include "screenfit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QResource>

#include <array>
#include <cstring>
#include <variant>

namespace hearthvale {

namespace {

constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb LightGrey = qRgb(224, 224, 224);
constexpr QRgb Navy = qRgb(0, 0, 128);
// The classic light scheme's button text. The faces are white whatever the
// desktop's colours are, so their captions cannot follow a dark scheme's
// light text.
constexpr QRgb ButtonText = qRgb(0, 0, 0);

enum class Face { Large, SmallBold };

// clang-format off
using Slot = std::variant<CommandButton *Form1::*, QLineEdit *Form1::*, QLabel *Form1::*>;
// clang-format on

struct Control {
    Slot slot;
    const char *name;
    const char *text;
    const char *accessibleName;
    int left, top, width, height; // twips
    QRgb back;
    QRgb fore;
    Face face;
};

// In keyboard order. Positions and sizes in twips.
// clang-format off
const std::array<Control, 10> Controls = {{
    {&Form1::Command1, "Command1", "Generate!", nullptr, 4320, 40, 5175, 495, White, ButtonText, Face::Large},
    {&Form1::TxtName, "TxtName", "", "Neighborhood name", 720, 120, 3255, 345, LightGrey, Navy, Face::Large},
    {&Form1::Label5, "Label5", "copperwick.example", nullptr, 840, 6720, 1815, 255, LightGrey, Navy, Face::SmallBold},
    {&Form1::Label4, "Label4", "quillbrook.example", nullptr, 840, 6480, 1815, 255, LightGrey, Navy, Face::SmallBold},
    {&Form1::Label6, "Label6", "(C) Quillbrook Games", nullptr, 720, 6240, 2055, 255, LightGrey, Navy, Face::SmallBold},
    {&Form1::Label7, "Label7", "hi@quillbrook.example", nullptr, 840, 5760, 2655, 255, LightGrey, Navy, Face::SmallBold},
    {&Form1::Label8, "Label8", "Made by Ada Wren", nullptr, 720, 5520, 1935, 375, LightGrey, Navy, Face::SmallBold},
    {&Form1::Command4, "Command4", "Copperwick", nullptr, 2880, 6120, 2175, 375, White, ButtonText, Face::SmallBold},
    {&Form1::Command2, "Command2", "Quillbrook", nullptr, 2880, 5640, 2175, 375, White, ButtonText, Face::SmallBold},
    {&Form1::Command3, "Command3", "Exit", nullptr, 2880, 6600, 2175, 375, White, ButtonText, Face::SmallBold},
}};
// clang-format on

constexpr int ClientWidthTwips = 9570;
constexpr int ClientHeightTwips = 7170;

// Every image in a built-in picture file, read by the reader for its known
// format. Left to guess, Qt would load each image plugin it has to ask it.
QList<QImage> readImages(const QString &path, const char *format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    QList<QImage> images;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            break;
        images.append(image);
    } while (reader.jumpToNextImage());
    return images;
}

// The images the build wrote out as the window holds them in memory
// (tools/rawimages.cpp): each a width and a height, then its pixels, read in
// place from the program's own pages, with nothing decoded or copied. None
// where the build could not make them.
QList<QImage> builtImages(const QString &path, QImage::Format format)
{
    const QResource resource(path);
    const uchar *data = resource.data();
    qint64 left = resource.size();
    QList<QImage> images;
    if (!data || resource.compressionAlgorithm() != QResource::NoCompression
        || reinterpret_cast<quintptr>(data) % alignof(quint32) != 0)
        return images;
    quint32 size[2];
    while (left >= qint64(sizeof size)) {
        std::memcpy(size, data, sizeof size);
        const qint64 bytes = qint64(size[0]) * size[1] * 4;
        if (bytes == 0 || bytes > left - qint64(sizeof size))
            break;
        images.append(QImage(data + sizeof size, int(size[0]), int(size[1]), format));
        data += sizeof size + bytes;
        left -= qint64(sizeof size) + bytes;
    }
    return images;
}

// A background, top row first, in the window's own format, so that a paint
// only copies it. Where the build could not prepare it, the PNG is decoded
// once instead.
QImage picture(const QString &name)
{
    const QImage built = builtImages(QStringLiteral(":/pixels/") + name, QImage::Format_RGB32).value(0);
    if (!built.isNull())
        return built;
    return readImages(QStringLiteral(":/assets/%1.png").arg(name), "png")
        .value(0)
        .convertToFormat(QImage::Format_RGB32);
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
void colour(QWidget *widget, QPalette::ColorRole backRole, QPalette::ColorRole foreRole, const Control &control)
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

} // namespace

Form1::Form1(RandomSource &source, QWidget *parent)
    // On Windows a fixed size alone keeps the resizable frame, with its
    // resize cursors; the dialog frame is the one that cannot be dragged.
    // Other platforms ignore the hint and go by the fixed size.
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_background(picture(QStringLiteral("background")))
    , m_names(source)
{
    setWindowTitle(windowCaption());
    // The icon at every size it is drawn in: the program file's own
    // 16-colour images at 16 and 32 pixels, and the larger drawings the
    // desktop menus use, so that title bars and window switchers on dense
    // screens get a sharp one rather than a blown-up 32.
    // Built in ready to hand over, so that no image reader is looked for or
    // loaded; the files themselves are read only where the build could not.
    QList<QImage> images = builtImages(QStringLiteral(":/pixels/icons"), QImage::Format_ARGB32_Premultiplied);
    if (images.isEmpty()) {
        const QDir icons(QStringLiteral(":/assets/icons"));
        for (const QString &file : icons.entryList())
            images += readImages(icons.filePath(file), "png");
    }
    QIcon icon;
    for (const QImage &image : std::as_const(images))
        icon.addPixmap(QPixmap::fromImage(image));
    setWindowIcon(icon);
    setFixedSize(twipsToPixels(ClientWidthTwips), twipsToPixels(ClientHeightTwips));
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
    buildControls();
    QApplication::setFont(applicationFont);
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
}

void Form1::buildControls()
{
    QWidget *previous = nullptr;
    for (const Control &control : Controls) {
        QWidget *widget = std::visit(
            [this, &control](auto member) -> QWidget * {
                using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
                auto *created = new Widget(this);
                this->*member = created;
                return created;
            },
            control.slot);
        widget->setObjectName(QLatin1StringView(control.name));
        widget->setGeometry(twipsToPixels(control.left), twipsToPixels(control.top), twipsToPixels(control.width),
                            twipsToPixels(control.height));
        widget->setFont(controlFont(control.face));
        if (control.accessibleName)
            widget->setAccessibleName(QLatin1StringView(control.accessibleName));

        if (auto *button = qobject_cast<CommandButton *>(widget)) {
            button->setText(QLatin1StringView(control.text));
            button->setAutoDefault(false);
            colour(button, QPalette::Button, QPalette::ButtonText, control);
        } else if (auto *box = qobject_cast<QLineEdit *>(widget)) {
            box->setText(QLatin1StringView(control.text));
            box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            colour(box, QPalette::Base, QPalette::Text, control);
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            label->setTextFormat(Qt::PlainText);
            label->setText(QLatin1StringView(control.text));
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setAutoFillBackground(true);
            colour(label, QPalette::Window, QPalette::WindowText, control);
            // Labels lie on the card beneath the buttons; walking in keyboard
            // order, each one goes under those before it.
            label->lower();
            continue; // labels never take the focus
        }

        widget->setFocusPolicy(Qt::StrongFocus);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    Command1->setFocus();
}

void Form1::setVisible(bool visible)
{
    if (visible && !m_loaded) {
        m_loaded = true;
        if (!runHandler([this] { Form_Load(); }))
            return; // reported; the window never shows
        new ScreenFit(this); // centred on its screen, and whole on every screen
    }
    QWidget::setVisible(visible);
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
        m_sharpBackground = picture(QStringLiteral("background@2x"));
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
