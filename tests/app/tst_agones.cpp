// A server started with --engage and --wait under Agones: the command line tells a sidecar the
// test plays (an HTTP server on a loopback port) that the server is ready once it first
// answers, healthy while it answers and not while it is frozen, and shut down once it has
// ended; a sidecar that comes late still hears of readiness, and one that fails or never
// answers neither holds up nor ends the server.

#include "support/CatalogFiles.h"
#include "support/FreePort.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QProcess>

#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace fd;
using fd::test::freePort;

namespace {

// The sidecar's REST interface as the test plays it: each request whose body is "{}" is
// recorded by its path and answered with `status`; with status 0, connections are let in but
// never read.
class FakeSidecar {
public:
    explicit FakeSidecar(quint16 port) : port_(port) {}
    ~FakeSidecar() { close(); }

    void open(int status) {
        status_ = status;
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port_);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 64);
    }
    void close() {
        for (const pollfd& client : clients_)
            ::close(client.fd);
        clients_.clear();
        if (listener_ >= 0)
            ::close(listener_);
        listener_ = -1;
    }

    // The paths requested within `ms` milliseconds, one a line, or until `awaited` came.
    QByteArray serve(int ms, const QByteArray& awaited = "\n") {
        QByteArray paths;
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired() && !paths.contains(awaited)) {
            std::vector<pollfd> events{{status_ ? listener_ : -1, POLLIN, 0}};
            events.insert(events.end(), clients_.begin(), clients_.end());
            ::poll(events.data(), events.size(),
                   int(std::min<qint64>(deadline.remainingTime(), 50)));
            if (events[0].revents & POLLIN)
                clients_.push_back(
                    {::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC), POLLIN, 0});
            for (std::size_t i = 1; i < events.size(); ++i)
                if (events[i].revents)
                    paths += answer(events[i].fd);
        }
        return paths;
    }

private:
    // The path of a whole request read from `client`, answered and closed.
    QByteArray answer(int client) {
        char buffer[4096];
        const ssize_t size = ::recv(client, buffer, sizeof buffer, 0);
        QByteArray& request = received_[client];
        request += QByteArray(buffer, std::max<ssize_t>(size, 0));
        if (size > 0 && !request.endsWith("\r\n\r\n{}"))
            return {};
        const QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) +
                                 " X\r\nContent-Length: 2\r\nConnection: close\r\n\r\n{}";
        ::send(client, reply.constData(), std::size_t(reply.size()), MSG_NOSIGNAL);
        ::close(client);
        std::erase_if(clients_, [client](const pollfd& open) { return open.fd == client; });
        const QByteArray path = request.split(' ').value(1);
        received_.erase(client);
        return size > 0 ? path + '\n' : QByteArray();
    }

    const quint16 port_;
    int status_ = 200;
    int listener_ = -1;
    std::vector<pollfd> clients_;
    std::map<int, QByteArray> received_;
};

} // namespace

class TestAgones : public QObject {
    Q_OBJECT

    std::shared_ptr<test::TestFolders> folders_ = std::make_shared<test::TestFolders>();
    const quint16 sidecarPort_ = freePort(SOCK_STREAM);

    QString appFile(const QString& name) const { return folders_->appFolder() + u'/' + name; }
    QString gameFile(const QString& name) const { return folders_->gameFolder() + u'/' + name; }

    void start(QProcess& process, const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("AGONES_SDK_HTTP_PORT"), QString::number(sidecarPort_));
        process.setProcessEnvironment(environment);
        process.start(appFile(QStringLiteral("fragdocker")), arguments);
        process.waitForStarted();
    }
    int status() const {
        QProcess process;
        start(process, {QStringLiteral("--status"), QStringLiteral("3")});
        process.waitForFinished(20000);
        return process.exitCode();
    }
    // Stops the program as a container's end does, serving the sidecar meanwhile.
    QByteArray stop(QProcess& program, FakeSidecar& sidecar) const {
        program.terminate();
        QByteArray paths;
        for (QDeadlineTimer deadline(20000);
             program.state() != QProcess::NotRunning && !deadline.hasExpired();
             program.waitForFinished(50))
            paths += sidecar.serve(50);
        return paths;
    }

private Q_SLOTS:
    // Slot 3 starts the demo's stand-in, which answers queries, held back while "hold" exists.
    void initTestCase() {
        QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/fragdocker"), appFile("fragdocker")));
        test::writeFile(gameFile("stvoyHM.exe"),
                        "#!/bin/sh\nwhile [ -e hold ]; do sleep 0.1; done\n"
                        "exec '" FD_APP_DIR "/demo/Elite Force/stvoyHM.exe' \"$@\"\n");
        QFile::setPermissions(gameFile("stvoyHM.exe"), QFile::ReadOwner | QFile::ExeOwner);
        test::TestProgram desktop(folders_);
        desktop.makeDataFolder();
        desktop.form.addItem(ctl::List2, QStringLiteral("hm_voy1"));
        desktop.form.setValue(ctl::chkTurnBotsOn, 0);
        desktop.form.setValue(ctl::chkSetNetport, 1);
        desktop.form.setText(ctl::txtSetNetportNumber, QString::number(freePort(SOCK_DGRAM)));
        desktop.form.setText(ctl::cmboSaveGame, QStringLiteral("Save Game #3"));
        desktop.form.click(ctl::cmdSave);
        QCOMPARE(desktop.log.messages(), QStringList());
    }

    void theSidecarHearsWhatTheServerDoes() {
        test::touch(gameFile("hold"));
        FakeSidecar sidecar(sidecarPort_);
        sidecar.open(200);
        QProcess program;
        const auto stopAtEnd = qScopeGuard([&] { stop(program, sidecar); }); // also after a failure
        start(program, {QStringLiteral("--engage"), QStringLiteral("3"), QStringLiteral("--wait")});
        QCOMPARE(sidecar.serve(1500), QByteArray()); // not ready before the first answer

        // The server answers while no sidecar is up yet; the one that comes later hears of it.
        sidecar.close();
        QFile::remove(gameFile("hold"));
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += program.readAllStandardError()).contains("/ready"), 20000);
        sidecar.open(200);
        QCOMPARE(sidecar.serve(5000), QByteArray("/ready\n"));
        const qsizetype healthy = sidecar.serve(4500, "never").count("/health\n");
        QVERIFY2(healthy >= 1 && healthy <= 3, QByteArray::number(healthy).constData());

        const pid_t game =
            test::readFile(QStringLiteral("/proc/%1/task/%1/children").arg(program.processId()))
                .trimmed()
                .toInt();
        QVERIFY(game > 0);
        ::kill(game, SIGSTOP);
        sidecar.serve(2500, "never"); // the last answers before the freeze
        const QByteArray frozen = sidecar.serve(3000, "never");
        ::kill(game, SIGCONT);
        QCOMPARE(frozen, QByteArray());
        QCOMPARE(sidecar.serve(5000), QByteArray("/health\n"));

        QVERIFY(stop(program, sidecar).endsWith("/shutdown\n"));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(::kill(game, 0), -1);         // no game left
        err += program.readAllStandardError(); // a success is told only after a failure
        QVERIFY2(err.count(" took /health") <= err.count(" take /health"), err.data());
    }

    void aFailingSidecarNeitherHoldsNorEndsTheServer_data() {
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<int>("readyRequests"); // at least
        QTest::newRow("answers 500") << 500 << 2;
        QTest::newRow("never answers") << 0 << 0;
    }
    void aFailingSidecarNeitherHoldsNorEndsTheServer() {
        QFETCH(int, httpStatus);
        QFETCH(int, readyRequests);
        FakeSidecar sidecar(sidecarPort_);
        sidecar.open(httpStatus);
        QProcess program;
        const auto stopAtEnd = qScopeGuard([&] { stop(program, sidecar); }); // also after a failure
        start(program, {QStringLiteral("--engage"), QStringLiteral("3"), QStringLiteral("--wait")});
        QTRY_COMPARE_WITH_TIMEOUT(status(), 0, 20000);
        QVERIFY(sidecar.serve(2500, "never").count("/ready\n") >= readyRequests);
        QCOMPARE(status(), 0);
        QCOMPARE(program.state(), QProcess::Running);
        stop(program, sidecar);
        QCOMPARE(program.state(), QProcess::NotRunning);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestAgones)
#include "tst_agones.moc"
