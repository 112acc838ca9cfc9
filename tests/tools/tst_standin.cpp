// The demo's stand-in server answers the engine's queries as the engine does, whichever way a
// query client ends its request.

#include "support/CatalogFiles.h"
#include "support/FreePort.h"

#include <QProcess>
#include <QTest>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

class TestStandIn : public QObject {
    Q_OBJECT

    QTemporaryDir game_;
    QProcess server_;
    int socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);

    // The server's reply to `query`, or nothing when none comes within a while.
    QByteArray ask(const QByteArray& query) {
        const QByteArray datagram = "\xff\xff\xff\xff" + query;
        ::send(socket_, datagram.constData(), datagram.size(), 0);
        pollfd readable{socket_, POLLIN, 0};
        if (::poll(&readable, 1, 300) <= 0)
            return {};
        char buffer[1400];
        const ssize_t size = ::recv(socket_, buffer, sizeof buffer, 0);
        return size > 4 ? QByteArray(buffer + 4, size - 4) : QByteArray();
    }

private Q_SLOTS:
    void initTestCase() {
        fd::test::writeFile(game_.filePath(QStringLiteral("baseEF/demo.cfg")),
                            "seta sv_hostname \"Demo Host\"\r\n"
                            "Set d1 \"map hm_voy1; set nextmap vstr d2\"\r\naddbot Munro 3\r\n");
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(fd::test::freePort());
        server_.setWorkingDirectory(game_.path());
        server_.start(QStringLiteral(FD_APP_DIR "/demo/Elite Force/stvoyHM.exe"),
                      {QStringLiteral("+set net_port %1").arg(ntohs(address.sin_port)),
                       QStringLiteral("+exec demo")});
        ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        for (int tries = 0; tries < 100 && ask("getinfo").isEmpty(); ++tries)
            QTest::qWait(50);
    }
    void cleanupTestCase() {
        server_.terminate();
        server_.waitForFinished();
        ::close(socket_);
    }

    void queriesAreAnsweredHoweverTheyEnd_data() {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reply"); // empty: none
        const QByteArray info = "infoResponse\n\\hostname\\Demo Host\\mapname\\hm_voy1\\gametype"
                                "\\0\\sv_maxclients\\8\\clients\\1\\g_needpass\\0\\protocol\\24"
                                "\\challenge\\";
        const QByteArray status = "statusResponse\n\\sv_hostname\\Demo Host\\mapname\\hm_voy1"
                                  "\\g_gametype\\0\\sv_maxclients\\8\\challenge\\";
        QTest::newRow("getinfo") << QByteArray("getinfo") << info;
        QTest::newRow("getinfo, NUL") << QByteArray("getinfo\0", 8) << info;
        QTest::newRow("getinfo x, newline") << QByteArray("getinfo x7\n") << info + "x7";
        QTest::newRow("getstatus, NUL")
            << QByteArray("getstatus\0", 10) << status + "\n0 0 \"Munro\"\n";
        QTest::newRow("getstatus x, NUL, CR LF")
            << QByteArray("GetStatus 42\r\n\0", 15) << status + "42\n0 0 \"Munro\"\n";
        QTest::newRow("after the NUL") << QByteArray("\0getinfo", 8) << QByteArray();
        QTest::newRow("another") << QByteArray("getchallenge\0", 13) << QByteArray();
    }
    void queriesAreAnsweredHoweverTheyEnd() {
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reply);
        QCOMPARE(ask(query), reply);
    }
};

QTEST_GUILESS_MAIN(TestStandIn)
#include "tst_standin.moc"
