#pragma once

// Qt's messages while the application object starts.
//
// If Qt cannot open a display or load its platform plugin, it logs several
// lines of advice and then aborts with a core dump. While a StartupMessages
// lives, messages are held back instead; a fatal one is classified and handed
// to the program's own handler, which explains it in one line and exits. Once
// the start has succeeded, the held messages go out to whatever handler was
// installed before, and that handler is put back.

#include <QList>
#include <QString>

namespace hearthvale {

enum class StartupFailure {
    PluginMissing, // the platform plugin asked for is not installed
    DisplayMissing, // the plugin is there, but no display could be opened
    Other, // anything else Qt found fatal; its own text says what
};

// What a fatal message, with the messages held before it, is about.
StartupFailure classifyStartupFailure(const QList<QString> &held, const QString &fatal);

class StartupMessages
{
public:
    // Called with a fatal message; must not return.
    using FatalHandler = void (*)(StartupFailure failure, const QString &fatal);

    explicit StartupMessages(FatalHandler onFatal);
    ~StartupMessages();

    StartupMessages(const StartupMessages &) = delete;
    StartupMessages &operator=(const StartupMessages &) = delete;
};

} // namespace hearthvale
