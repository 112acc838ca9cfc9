// FragDocker as it starts for the user, from the application folder named by the first
// argument: the same start as the program's own entry point, with the real services. Prints
// when the main window is first painted and the resident memory after idling (see
// StartupProbe.h), then ends the program in order; fd_bench_startup runs it.
//   fd_bench_fragdocker <application folder>

#include "StartupProbe.h"
#include "app/RunProgram.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: fd_bench_fragdocker <application folder>\n");
        return 2;
    }
    fd::bench::StartupProbe probe(QStringLiteral("frmFragDocker"));
    return fd::runProgram(QString::fromLocal8Bit(argv[1]));
}
