// FragDocker as it starts for the user, from the application folder named by the first
// argument: the same start as the program's own entry point, with the real services. Prints
// when the main window is first painted and the resident memory after idling (see
// StartupProbe.h), then ends the program in order; fd_bench_startup runs it. With --tabs it
// also shows each tab of the main window in turn after the first paint, and prints how long
// each took from the click to its painted page (goal: under 50 ms):
//   tab_ms <milliseconds> <tab caption>
//   fd_bench_fragdocker <application folder> [--tabs]

#include "StartupProbe.h"
#include "app/RunProgram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>

#include <cstdio>
#include <cstring>

namespace {

// Each tab after the first shown and painted at once, as a click on its caption does.
void showEachTab(QWidget* window) {
    QTabWidget* tabs = window->findChild<QTabWidget*>();
    for (int i = 1; tabs && i < tabs->count(); ++i) {
        QElapsedTimer timer;
        timer.start();
        tabs->setCurrentIndex(i);
        window->repaint();
        std::printf("tab_ms %.1f %s\n", double(timer.nsecsElapsed()) / 1e6,
                    qPrintable(tabs->tabText(i)));
    }
    if (tabs)
        tabs->setCurrentIndex(0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: fd_bench_fragdocker <application folder> [--tabs]\n");
        return 2;
    }
    fd::bench::StartupProbe probe(QStringLiteral("frmFragDocker"));
    if (argc > 2 && std::strcmp(argv[2], "--tabs") == 0)
        probe.afterFirstPaint = showEachTab;
    return fd::runProgram(QString::fromLocal8Bit(argv[1]));
}
