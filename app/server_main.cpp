// FragDocker for servers: the command line of the program without its window, so that it
// needs no display and none of the window's libraries.

#include "CommandLine.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char* argv[]) {
    std::signal(SIGXFSZ, SIG_IGN); // a file size limit fails a write (EFBIG), which is reported
    QCoreApplication app(argc, argv);
    return fd::runCommandLine(QCoreApplication::arguments(), fd::runningProgramFolders());
}
