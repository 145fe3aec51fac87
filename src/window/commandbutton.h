#pragma once

// A push button with a flat face in its palette's button colour and a
// classic raised bevel, its caption centred. Painted here rather than by the
// style, because the stock styles shade the face with a gradient and the
// card's buttons must be plain white.

#include <QPushButton>

class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
