#include "startupmessages.h"

#include <QByteArray>

#include <algorithm>
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
        fatalHandler(classifyStartupFailure(held, text), text);
        std::_Exit(1); // in case the handler returned
    }
    heldMessages.append({type, QByteArray(context.category), text});
}

bool anyContains(const QList<QString> &held, QLatin1StringView words)
{
    return std::any_of(held.cbegin(), held.cend(), [words](const QString &text) { return text.contains(words); });
}

} // namespace

StartupFailure classifyStartupFailure(const QList<QString> &held, const QString &fatal)
{
    if (anyContains(held, QLatin1StringView("Could not find the Qt platform plugin")))
        return StartupFailure::PluginMissing;
    // The X11 and Wayland plugins say so before Qt gives up on them.
    const bool noDisplay = anyContains(held, QLatin1StringView("could not connect to display"))
        || anyContains(held, QLatin1StringView("Failed to create wl_display"));
    if (noDisplay && fatal.contains(QLatin1StringView("no Qt platform plugin could be initialized")))
        return StartupFailure::DisplayMissing;
    return StartupFailure::Other;
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
