#pragma once

// The program's one window: a fixed-size card with a background picture, a
// name box and "Generate!" on the upper panel, and the credits and three
// small buttons on the lower panel.
//
// Every control's place, size, colours, font and caption come from the
// card's table (cardcontrols.h), which the constructor walks once. The Load
// handler runs at the end of the constructor, so before the window can be
// shown; the others answer the buttons' clicks, and are the only code that
// runs after start-up. The window owns the name table and the draw.

#include "names/namegenerator.h"

#include <QImage>
#include <QWidget>

#include <optional>

class CommandButton;
class QLabel;
class QLineEdit;

namespace hearthvale {

class NameAnnouncer;
class RandomSource;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(RandomSource &source, QWidget *parent = nullptr);

    const NameGenerator &names() const { return m_names; }
    // Whether Load completed; where it failed, the user has been told and
    // the window is not to be shown.
    bool loaded() const { return m_loaded; }

    // The window's handlers.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // The controls, by the names the handlers know them by.
    CommandButton *Command1 = nullptr; // the "Generate!" button, right of the name box
    QLineEdit *TxtName = nullptr; // the box the drawn name is shown in
    QLabel *Label5 = nullptr; // the Copperwick site's domain, lowest on the lower panel
    QLabel *Label4 = nullptr; // the Quillbrook site's domain
    QLabel *Label6 = nullptr; // the rights notice's heading
    QLabel *Label7 = nullptr; // the author's contact address
    QLabel *Label8 = nullptr; // the author credit, highest on the lower panel
    CommandButton *Command4 = nullptr; // the Copperwick button, between the other two
    CommandButton *Command2 = nullptr; // the Quillbrook button, above it
    CommandButton *Command3 = nullptr; // the Exit button, below it

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    template <typename Control> Control *makeControl(const char *name);
    void orderControls();
    const QImage *sharpBackground(qreal devicePixelRatio);

    const QImage m_background;
    // The same picture with twice the pixels each way, for screens with more
    // than one pixel to the card's one. Looked up the first time such a
    // screen paints the card, so that ordinary screens never touch it; if it
    // were missing or the wrong size, the card would keep m_background.
    std::optional<QImage> m_sharpBackground;
    NameGenerator m_names;
    NameAnnouncer *m_announcer = nullptr;
    bool m_loaded = false;
};

} // namespace hearthvale
