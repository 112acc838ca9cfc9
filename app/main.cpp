// FragDocker: sets up and starts an Elite Force multiplayer server.

#include "CommandLine.h"
#include "RunProgram.h"
#include "WindowArguments.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[]) {
    std::signal(SIGXFSZ, SIG_IGN); // a file size limit fails a write (EFBIG), which is reported
    if (fd::wantsCommandLine(argc, argv)) {
        // No window: a core application, which needs no display.
        QCoreApplication app(argc, argv);
        return fd::runCommandLine(QCoreApplication::arguments(), fd::runningProgramFolders());
    }
    // Qt's GUI would abort without a display, naming no cause the user can act on.
    if (const std::optional<int> refused = fd::refuseWindow(argc, argv))
        return *refused;
    QApplication app(argc, argv);                 // takes Qt's own options out of the arguments
    if (QCoreApplication::arguments().size() > 1) // what is left is refused, with its reason
        return fd::runCommandLine(QCoreApplication::arguments(), fd::runningProgramFolders());
    return fd::runProgram(fd::runningProgramFolders());
}
