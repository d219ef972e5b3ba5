#pragma once
#include <QStringList>

namespace vel {

// Shown when a data file the program cannot work without is missing: at
// start-up and when a report is asked for.
inline QStringList missingFilesLines()
{
    return {QStringLiteral("   Some files necessary to run the software could not be found!"),
            QStringLiteral("                 Please reinstall de software and try again.")};
}

inline QString actionNotAvailable() { return QStringLiteral("Action not available!"); }

}  // namespace vel
