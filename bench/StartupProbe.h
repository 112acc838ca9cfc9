#pragma once
// Shared by the two programs that the start-up benchmark starts: reports when a top-level
// window is first painted, then, after a moment of idling, the resident memory, and ends the
// program. Printed lines (read by fd_bench_startup):
//   painted_ns <CLOCK_MONOTONIC at the first paint, nanoseconds>
//   since_exec_ms <time from the process's start to the first paint, 10 ms resolution>
//   rss_kb <VmRSS after idling>
// A program may do more at the first paint (see afterFirstPaint); the idling starts after it.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>

namespace fd::bench {

inline long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// Milliseconds since the kernel started this process (its start time counts in clock ticks
// since boot, as CLOCK_BOOTTIME does), so that loading libraries and static set-up count.
inline double msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which ends at the last ')': state is field 3, start time 22.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields[19].toDouble();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

inline long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // Files under /proc have no size, so read them whole rather than up to their end.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).simplified().split(' ').value(0).toLong();
    }
    return -1;
}

// Watches every paint event of the application for the first one of the window named
// `windowName`; then idles `idleMs` and reports the memory. Ends the program with code 2 when
// no such paint comes within `timeoutMs`.
class StartupProbe : public QObject {
public:
    // Runs once at the first paint of the window, before the idling.
    std::function<void(QWidget* window)> afterFirstPaint;

    StartupProbe(QString windowName, int idleMs = 1000, int timeoutMs = 20000)
        : windowName_(std::move(windowName)), idleMs_(idleMs) {
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(timeoutMs, this, [this] {
            std::printf("error no paint of %s\n", qPrintable(windowName_));
            std::fflush(stdout);
            std::_Exit(2);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && watched->objectName() == windowName_) {
            painted_ = true;
            const long long at = monotonicNs();
            std::printf("painted_ns %lld\nsince_exec_ms %.1f\n", at, msSinceProcessStart());
            std::fflush(stdout);
            if (afterFirstPaint) {
                QWidget* window = static_cast<QWidget*>(watched);
                QTimer::singleShot(0, this, [this, window] { afterFirstPaint(window); });
            }
            QTimer::singleShot(idleMs_, this, [] {
                std::printf("rss_kb %ld\n", residentKb());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString windowName_;
    int idleMs_;
    bool painted_ = false;
};

} // namespace fd::bench
