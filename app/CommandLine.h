#pragma once
// The program without its window, for hosting on a machine with no display: lists the save
// slots, prints the script of one or starts the game with it, through the same Load and ENGAGE
// that the window runs. Reads the settings store without changing it and without its lock, so
// it also works while a copy with its window is open.

#include "core/AppFolders.h"
#include "core/Outcome.h"

#include <QStringList>

namespace fd {

namespace exitCode {
inline constexpr int done = 0;         // the game was started, or what was asked printed
inline constexpr int failed = 1;       // something failed: the settings store could not be read
inline constexpr int usage = 2;        // the command line asks for nothing this program does
inline constexpr int notAnswering = 3; // --status: no server answers (as an init script's status)
// ENGAGE refused, or a set-up the user must fix first: a port in use, no game program, no
// Wine. It is EX_CONFIG of <sysexits.h>, which a service manager need not restart.
inline constexpr int refused = 78;

// The exit code for a failure of that kind.
inline int of(FailureKind kind) {
    switch (kind) {
    case FailureKind::Refused:
        return refused;
    case FailureKind::Usage:
        return usage;
    case FailureKind::Failed:
    case FailureKind::Damaged:
        break;
    }
    return failed;
}
} // namespace exitCode

// Whether the command line asks for this rather than the window: one of this program's own
// options is given, or a word after two dashes. Qt's own options (-platform, -display, ...)
// are for the window.
bool wantsCommandLine(int argc, char* argv[]);

// Runs what the command line asks, with messages on standard error; returns the exit code.
// Needs a QCoreApplication, and nothing of a display.
int runCommandLine(const QStringList& arguments, const AppFolders& appFolders);

// The program's arguments as Qt spells them, before any QCoreApplication exists.
QStringList argumentList(int argc, char* argv[]);

// Says on standard error what is wrong with the command line and where to look; returns the
// exit code of a usage error.
int usageError(const QString& problem);

} // namespace fd
