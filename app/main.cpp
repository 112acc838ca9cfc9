// FragDocker: sets up and starts an Elite Force multiplayer server.

#include "CommandLine.h"
#include "RunProgram.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (fd::wantsCommandLine(argc)) {
        // No window: a core application, which needs no display.
        QCoreApplication app(argc, argv);
        return fd::runCommandLine(QCoreApplication::arguments(),
                                  QCoreApplication::applicationDirPath());
    }
    QApplication app(argc, argv);
    return fd::runProgram(QCoreApplication::applicationDirPath());
}
