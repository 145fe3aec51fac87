#include "startupmessages.h"

#include <QByteArray>
#include <QRegularExpression>

#include <cstdlib>

namespace hearthvale {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// A message handler is a plain function, so what it needs is kept here; one
// StartupMessages lives at a time.
QList<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;
StartupMessages::FatalHandler fatalHandler = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        QList<QString> held;
        for (const HeldMessage &message : std::as_const(heldMessages))
            held.append(message.text);
        fatalHandler(held, text);
        std::_Exit(1); // in case the handler returned
    }
    heldMessages.append({type, QByteArray(context.category), text});
}

QString givenBy(const QString &where)
{
    return where.isEmpty() ? QString() : QStringLiteral(" (given by %1)").arg(where);
}

} // namespace

QString describeStartupFailure(const QList<QString> &held, const QString &fatal, const StartupRequest &request)
{
    // Qt names each plugin it cannot find, and lists those it has in its
    // fatal message; the X11 and Wayland plugins say so before Qt gives up on
    // them.
    static const QRegularExpression notFound(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    static const QRegularExpression available(QStringLiteral("Available platform plugins are: (.*)\\."));
    QStringList missing;
    bool x11 = false;
    bool wayland = false;
    for (const QString &text : held) {
        if (const QRegularExpressionMatch match = notFound.match(text); match.hasMatch())
            missing.append(QStringLiteral("\"%1\"").arg(match.captured(1)));
        x11 = x11 || text.contains(QLatin1StringView("could not connect to display"));
        wayland = wayland || text.contains(QLatin1StringView("Failed to create wl_display"));
    }
    QStringList told;
    if (fatal.contains(QLatin1StringView("no Qt platform plugin could be initialized"))) {
        if (!missing.isEmpty()) {
            QStringList has = available.match(fatal).captured(1).split(QLatin1StringView(", "), Qt::SkipEmptyParts);
            has.sort();
            told.append(QStringLiteral("no Qt platform plugin %1%2; Qt has: %3")
                            .arg(missing.join(QLatin1StringView(" or ")), givenBy(request.platformFrom),
                                 has.isEmpty() ? QStringLiteral("none") : has.join(QLatin1StringView(", "))));
        }
        if (x11 && request.display.isEmpty())
            told.append(QStringLiteral("no display to open: DISPLAY is not set"));
        else if (x11)
            told.append(
                QStringLiteral("cannot open display \"%1\"%2").arg(request.display, givenBy(request.displayFrom)));
        if (wayland && request.waylandDisplay.isEmpty())
            told.append(QStringLiteral("no Wayland display to open: WAYLAND_DISPLAY is not set"));
        else if (wayland)
            told.append(QStringLiteral("cannot open Wayland display \"%1\" (given by WAYLAND_DISPLAY)")
                            .arg(request.waylandDisplay));
    }
    // Anything else Qt found fatal is told in its own words.
    return told.isEmpty() ? fatal.trimmed() : told.join(QLatin1StringView("; "));
}

StartupMessages::StartupMessages(FatalHandler onFatal)
{
    fatalHandler = onFatal;
    previousHandler = qInstallMessageHandler(holdMessage);
}

StartupMessages::~StartupMessages()
{
    qInstallMessageHandler(previousHandler);
    const QList<HeldMessage> held = std::exchange(heldMessages, {});
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

} // namespace hearthvale
