#pragma once

// The edge of the event loop. A failure raised inside a handler (a
// RuntimeError from the draw, or any other exception) must never unwind
// through Qt's event dispatch, so notify() catches it here, shows it to the
// user in a message box that names the error, and ends the program with a
// non-zero status, as the runtime's own error report would.

#include <QApplication>

#include <exception>

namespace hearthvale {

class Application : public QApplication
{
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The message box of an unhandled failure; modal, returns once dismissed.
    static void reportFailure(const std::exception *failure);

    // The text the box shows, e.g. "Run-time error '9':\n\nSubscript out of range".
    static QString describeFailure(const std::exception *failure);

private:
    void failed(const std::exception *failure);

    bool m_failing = false;
};

} // namespace hearthvale
