#pragma once

// A failure raised while a handler runs: the draw's bounds check, a control
// that refuses its text. It carries the number and text that the error
// report shows; nothing inside a handler catches it, the event loop's edge does.

#include <QString>

#include <stdexcept>

namespace hearthvale {

class RuntimeError : public std::runtime_error
{
public:
    enum Code : int { Overflow = 6, SubscriptOutOfRange = 9 };

    RuntimeError(int code, const QString &description)
        : std::runtime_error(description.toStdString())
        , m_code(code)
        , m_description(description)
    {
    }

    int code() const { return m_code; }
    QString description() const { return m_description; }

private:
    int m_code;
    QString m_description;
};

} // namespace hearthvale
