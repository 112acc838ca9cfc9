// FragDocker for servers: the command line of the program without its window, so that it
// needs no display and none of the window's libraries.

#include "CommandLine.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return fd::runCommandLine(QCoreApplication::arguments(), fd::runningProgramFolders());
}
