// The yardstick of the start-up benchmark: the smallest Qt Widgets program, one window with a
// label, built by the same build. Prints when its window is first painted and its resident
// memory after idling (see StartupProbe.h); fd_bench_startup runs it.

#include "StartupProbe.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    fd::bench::StartupProbe probe(QStringLiteral("minimal"));
    QWidget window;
    window.setObjectName(QStringLiteral("minimal"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Hello")));
    window.show();
    return QApplication::exec();
}
