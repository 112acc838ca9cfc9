// `fragdocker --engage N --wait` watching the demo's stand-in server under a simulated systemd
// notify socket: the time from the server's first answer to a query (the benchmark asks it
// every 2 ms from the start) to READY=1, negative when the program saw its answer first, and
// the CPU time the watching program spends per minute, with the unit's watchdog (60 s) and
// with a tight one (1 s).

#include "app/Program.h"
#include "core/NullServices.h"
#include "core/TextFile.h"
#include "hosting/ServerQuery.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

constexpr std::uint16_t port = 27990;

// The application folder: the program, and slot 2 saved with the demo game on `port`.
void makeAppFolder(const QString& app, const QString& game) {
    QDir().mkpath(game + QStringLiteral("/baseEF"));
    QFile::copy(QStringLiteral(FD_APP_DIR "/fragdocker"), app + QStringLiteral("/fragdocker"));
    QFile::copy(QStringLiteral(FD_APP_DIR "/demo/Elite Force/stvoyHM.exe"),
                game + QStringLiteral("/stvoyHM.exe"));
    (void)fd::text::writeLines(app + QStringLiteral("/path.ini"), {game});
    fd::NullServices none;
    fd::Program program({none, none, none, none}, app);
    fd::Form_Load(program);
    fd::FormModel& form = program.form;
    form.setValue(fd::ctl::chkTurnBotsOn, 0);
    form.addItem(fd::ctl::List2, QStringLiteral("hm_voy1"));
    form.setValue(fd::ctl::chkSetNetport, 1);
    form.setText(fd::ctl::txtSetNetportNumber, QString::number(port));
    form.setValue(fd::ctl::chkSetNetIP, 1);
    form.setText(fd::ctl::txtSetNetIPNumber, QStringLiteral("127.0.0.1"));
    form.setText(fd::ctl::cmboSaveGame, QStringLiteral("Save Game #2"));
    form.click(fd::ctl::cmdSave);
}

int notifySocket(const QString& path) {
    const int receiver = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof address.sun_path);
    ::bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address);
    return receiver;
}

double cpuSeconds(qint64 process) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(process));
    stat.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
    return double(fields.value(12).toLongLong() + fields.value(13).toLongLong()) /
           double(::sysconf(_SC_CLK_TCK)); // utime and stime
}

struct Watch {
    double answerToReadyMs = -1; // no answer or no READY=1 within 20 s
    double cpuPerMinute = 0;
};

// One start: waits for the first answer and for READY=1, then watches for `watchSeconds`.
Watch watchOnce(const QString& app, const QString& watchdogUsec, int watchSeconds) {
    const QString path = app + QStringLiteral("/notify");
    QFile::remove(path);
    const int notify = notifySocket(path);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    fd::hosting::QuerySocket asker(server);

    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NOTIFY_SOCKET"), path);
    environment.insert(QStringLiteral("WATCHDOG_USEC"), watchdogUsec);
    program.setProcessEnvironment(environment);
    program.start(app + QStringLiteral("/fragdocker"),
                  {QStringLiteral("--engage"), QStringLiteral("2"), QStringLiteral("--wait")});
    std::optional<Clock::time_point> answered, ready;
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(20);
    while (!(ready && answered) && Clock::now() < giveUp) {
        if (!answered)
            asker.send(fd::hosting::Query::Info);
        pollfd events[] = {{notify, POLLIN, 0}, {asker.descriptor(), POLLIN, 0}};
        ::poll(events, 2, 2);
        if (!answered && asker.receive())
            answered = Clock::now();
        char message[4096];
        const ssize_t size =
            (events[0].revents & POLLIN) ? ::recv(notify, message, sizeof message, 0) : 0;
        if (!ready && size > 0 && QByteArray(message, size).contains("READY=1"))
            ready = Clock::now();
    }
    Watch watch;
    if (answered && ready)
        watch.answerToReadyMs =
            std::chrono::duration<double, std::milli>(*ready - *answered).count();
    const double before = cpuSeconds(program.processId());
    QThread::sleep(watchSeconds);
    watch.cpuPerMinute = (cpuSeconds(program.processId()) - before) * 60.0 / watchSeconds;
    program.terminate();
    program.waitForFinished(10000);
    ::close(notify);
    return watch;
}

} // namespace

int main() {
    QTemporaryDir appDir, gameDir;
    const QString game = gameDir.filePath(QStringLiteral("Elite Force"));
    makeAppFolder(appDir.path(), game);

    std::vector<double> latencies;
    for (int run = 0; run < 7; ++run)
        latencies.push_back(
            watchOnce(appDir.path(), QStringLiteral("60000000"), 0).answerToReadyMs);
    std::sort(latencies.begin(), latencies.end());
    std::printf("first answer to READY=1: median %.2f ms, worst %.2f ms of %zu starts\n",
                latencies[latencies.size() / 2], latencies.back(), latencies.size());
    for (const char* usec : {"60000000", "1000000"}) {
        const Watch watch = watchOnce(appDir.path(), QString::fromLatin1(usec), 30);
        std::printf("CPU per minute while watching, WATCHDOG_USEC=%s: %.3f s\n", usec,
                    watch.cpuPerMinute);
    }
    return 0;
}
