#pragma once

// A push button with a flat face in its palette's button colour and a
// classic raised bevel, its caption centred. Painted here rather than by the
// style, because the stock styles shade the face with a gradient and the
// card's buttons must be plain white.
//
// As on the classic desktop, a focused button is pressed with Return or
// Enter as well as with Space. None of the card's buttons is a default
// button, so Return anywhere else presses nothing.

#include <QPushButton>

class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
