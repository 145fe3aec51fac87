#pragma once

// The program's one window: a fixed-size card with a background picture, a
// name box and "Generate!" on the upper panel, and the credits and three
// small buttons on the lower panel.
//
// Every control's place, size, colours, font and caption stand in one table
// in form1.cpp, in keyboard order; the constructor walks it once. The window
// owns the name table and the draw; its handlers are the only code that
// runs after start-up.

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

// 1440 twips to the inch, so 15 to a pixel at 96 dpi. Rounded to the
// nearest pixel, halves up.
constexpr int twipsToPixels(int twips)
{
    return (twips * 2 + 15) / 30;
}

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(RandomSource &source, QWidget *parent = nullptr);

    const NameGenerator &names() const { return m_names; }

    // The window's handlers. Load runs once, just before the window is
    // first shown; the others answer the buttons' clicks.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    void setVisible(bool visible) override;

    // The controls, by the names the rest of the program knows them by.
    CommandButton *Command1 = nullptr;
    CommandButton *Command2 = nullptr;
    CommandButton *Command3 = nullptr;
    CommandButton *Command4 = nullptr;
    QLineEdit *TxtName = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
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
