#pragma once

// The program's name as people see it at the top of its window and of the
// message box that reports a failure, kept in one place so the two agree.

#include <QString>

namespace hearthvale {

inline QString windowCaption()
{
    return QStringLiteral("Hearthvale Neighborhood Name Generator");
}

} // namespace hearthvale
