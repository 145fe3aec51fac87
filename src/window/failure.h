#pragma once

// What the user sees when a handler fails, standing in for a runtime's
// default error report.
//
// Every handler of the window runs through runHandler(). A failure raised
// inside it (a RuntimeError from the draw's bounds check, memory running
// out) is caught right there, at the boundary between Qt and our code, so
// that no exception ever unwinds through Qt's event dispatch. The user gets
// a message box naming the error, and then the program ends with status 1.

#include <QString>

#include <exception>
#include <functional>

namespace hearthvale {

// The box's text, e.g. "Run-time error '9':\n\nSubscript out of range".
QString describeFailure(const std::exception *failure);

// Shows the failure in a modal message box; returns once it is dismissed.
void reportFailure(const std::exception *failure);

// Runs one handler and says whether it completed. If it failed: the report,
// then the event loop is asked to end with status 1.
bool runHandler(const std::function<void()> &handler) noexcept;

} // namespace hearthvale
