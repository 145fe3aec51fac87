#include "nameannouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace hearthvale {

namespace {

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
// The announcer as assistive technology sees it. Its name is read from the
// announcer rather than set with setAccessibleName(), whose change event
// Qt 6.4 sends malformed, so that each press is spoken once, on the show.
class AccessibleAnnouncer : public QAccessibleWidget
{
public:
    explicit AccessibleAnnouncer(NameAnnouncer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const NameAnnouncer *>(widget())->announcement();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *announcerInterface(const QString &, QObject *object)
{
    if (auto *announcer = qobject_cast<NameAnnouncer *>(object))
        return new AccessibleAnnouncer(announcer);
    return nullptr;
}
#endif

} // namespace

NameAnnouncer::NameAnnouncer(QWidget *parent)
    : QWidget(parent)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // Once per process: the one factory serves every announcer.
    static const bool factoryInstalled = (QAccessible::installFactory(announcerInterface), true);
    Q_UNUSED(factoryInstalled);
#endif
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide(); // until there is something to say
}

void NameAnnouncer::announce(const QString &text)
{
    m_announcement = text;
    // Qt hands the events to no one when nothing listens.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window(), text);
    QAccessible::updateAccessibility(&event);
#else
    // Hidden and shown again in one go: nothing is drawn in between, and a
    // screen reader on AT-SPI hears the notification appear, the same text
    // included. Screen readers keep each object's name until they are told
    // it changed, so they are told first; otherwise they would read out the
    // name of the press before.
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    hide();
    show();
#ifdef Q_OS_WIN
    // Windows' UI Automation bridge raises nothing for a shown object, but
    // turns a value change carrying a string into a notification of that
    // string, which Narrator and NVDA speak. The AT-SPI bridge would only
    // warn about it, as the announcer has no value, so it is sent here alone.
    QAccessibleValueChangeEvent event(this, text);
    QAccessible::updateAccessibility(&event);
#endif
#endif
}

} // namespace hearthvale
