#pragma once

// Qt's messages while the application object starts.
//
// If Qt cannot open a display or load its platform plugin, it logs several
// lines of advice and then aborts with a core dump. While a StartupMessages
// lives, messages are held back instead; a fatal one goes with those held
// before it to the program's own handler, which explains it in one line and
// exits. Once the start has succeeded, the held messages go out to whatever
// handler was installed before, and that handler is put back.

#include <QList>
#include <QString>

namespace hearthvale {

// What the user asked Qt to start on, and where they said so, so that the
// line can name it: "-platform" or "QT_QPA_PLATFORM", "-display" or "DISPLAY".
struct StartupRequest {
    QString platformFrom; // empty: Qt's own choice
    QString display;
    QString displayFrom;
    QString waylandDisplay;
};

// The line that tells why Qt could not start, from its fatal message and
// those it gave before.
QString describeStartupFailure(const QList<QString> &held, const QString &fatal, const StartupRequest &request);

class StartupMessages
{
public:
    // Called with a fatal message; must not return.
    using FatalHandler = void (*)(const QList<QString> &held, const QString &fatal);

    explicit StartupMessages(FatalHandler onFatal);
    ~StartupMessages();

    StartupMessages(const StartupMessages &) = delete;
    StartupMessages &operator=(const StartupMessages &) = delete;
};

} // namespace hearthvale
