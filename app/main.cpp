// FragDocker: sets up and starts an Elite Force multiplayer server.

#include "RunProgram.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return fd::runProgram(QCoreApplication::applicationDirPath());
}
