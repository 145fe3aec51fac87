#pragma once

// Tells a screen reader each name as it is drawn, while the focus stays on
// "Generate!". The name goes into the box, but a screen reader reads a box
// only when it has the focus; without this a blind user would hear nothing
// on a press and would have to tab to the box and back for every name.
//
// From Qt 6.8 on, an announcement event says it. Before that, the announcer
// is an empty child of the name box, never painted and taking no room, no
// focus and no clicks, which assistive technology sees as a notification
// named with the text to say: renamed and shown again after each draw, it is
// spoken whatever has the focus (on AT-SPI; on Windows a value change
// carrying the text makes UI Automation raise the notification).

#include <QString>
#include <QWidget>

namespace hearthvale {

class NameAnnouncer : public QWidget
{
    Q_OBJECT

public:
    explicit NameAnnouncer(QWidget *parent);

    void announce(const QString &text);

    // The notification's accessible name: what was last announced.
    QString announcement() const { return m_announcement; }

private:
    QString m_announcement;
};

} // namespace hearthvale
