// The server query as a supervisor relies on it: only a whole, well-formed answer to the query
// asked is taken, and what a server says reaches systemd's status line with no control byte.

#include "hosting/HeadlessWine.h"
#include "hosting/RunningServers.h"
#include "hosting/ServerAddress.h"
#include "hosting/ServerQuery.h"
#include "hosting/Supervisor.h"
#include "support/CatalogFiles.h"
#include "support/NotifySocket.h"

#include <QtTest>

#include <QRandomGenerator>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace fd::hosting;

namespace {

const std::string head = "\xff\xff\xff\xff";

// A server on a loopback port that answers each getinfo with `reply(challenge)`, `times` times,
// then ends; its process is what the supervisor watches.
pid_t serveQueries(int socket, int times,
                   const std::function<std::string(const std::string&)>& reply) {
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    for (int answered = 0; answered < times;) {
        char request[512];
        sockaddr_in from{};
        socklen_t size = sizeof from;
        const ssize_t got = ::recvfrom(socket, request, sizeof request, 0,
                                       reinterpret_cast<sockaddr*>(&from), &size);
        const std::string text(request, std::size_t(std::max<ssize_t>(got, 0)));
        if (!text.starts_with(head + "getinfo "))
            continue;
        const std::string datagram = reply(text.substr(head.size() + 8));
        ::sendto(socket, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&from),
                 size);
        ++answered;
    }
    ::_exit(0);
}

std::string info(const std::string& pairs) {
    return head + "infoResponse\n" + pairs;
}

} // namespace

class TestQuery : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyAWholeAnswerToTheQueryIsTaken_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("status");   // a getstatus reply; else getinfo
        QTest::addColumn<QString>("taken"); // the map and the players' names taken; "-" none
        const QByteArray status = "\xff\xff\xff\xffstatusResponse\n\\mapname\\m\\challenge\\c\n";
        // clang-format off
        QTest::newRow("info") << QByteArray(info("\\mapname\\m\\challenge\\c").c_str()) << false << "m";
        QTest::newRow("info, no challenge") << QByteArray(info("\\mapname\\m").c_str()) << false << "m";
        QTest::newRow("players") << status + "3 0 \"Munro\"\n-1 50 \"a b\"\n" << true << "m Munro a b";
        QTest::newRow("wrong challenge") << QByteArray(info("\\mapname\\m\\challenge\\d").c_str()) << false << "-";
        QTest::newRow("other reply") << QByteArray(info("\\mapname\\m").c_str()) << true << "-";
        QTest::newRow("no marker") << QByteArray("infoResponse\n\\mapname\\m") << false << "-";
        QTest::newRow("no pairs") << QByteArray(info("mapname\\m").c_str()) << false << "-";
        QTest::newRow("key without value") << QByteArray(info("\\mapname\\m\\clients").c_str()) << false << "-";
        QTest::newRow("empty key") << QByteArray(info("\\\\m").c_str()) << false << "-";
        QTest::newRow("control in a key") << QByteArray(info("\\map\x01name\\m").c_str()) << false << "-";
        QTest::newRow("more after info") << QByteArray(info("\\mapname\\m\nx").c_str()) << false << "-";
        QTest::newRow("player, no quotes") << status + "3 0 Munro\n" << true << "-";
        QTest::newRow("player, no ping") << status + "3 \"Munro\"\n" << true << "-";
        QTest::newRow("player, no score") << status + "x 0 \"Munro\"\n" << true << "-";
        QTest::newRow("player, no closing quote") << status + "3 0 \"Munro\n" << true << "-";
        QTest::newRow("player line unended") << status + "3 0 \"Munro\"" << true << "-";
        // clang-format on
    }
    void onlyAWholeAnswerToTheQueryIsTaken() {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, status);
        QFETCH(QString, taken);
        const auto reply =
            parseReply(datagram.toStdString(), status ? Query::Status : Query::Info, "c");
        QString seen = u"-"_s;
        if (reply) {
            seen = QString::fromStdString(reply->value("mapname"));
            for (const Player& player : reply->players)
                seen += u' ' + QString::fromStdString(player.name);
        }
        QCOMPARE(seen, taken);
    }

    // Whatever a server sends that is no whole answer never makes it ready; an answer's control
    // bytes (even a NUL) reach the status line escaped.
    void theSupervisorIsReadyOnlyOnAWholeAnswer_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("status");   // "" when it must not be ready
        QTest::addColumn<QByteArray>("watchdog"); // WATCHDOG_PID; "" this process
        const QByteArray controls = "STATUS=Map hm\\x1b[2J\\x07\\x00\\x7f, 3 of 8";
        QTest::newRow("40 KB, a wrong challenge late") << "long" << QByteArray() << QByteArray();
        QTest::newRow("a right header, random bytes") << "random" << QByteArray() << QByteArray();
        QTest::newRow("control bytes in the map name") << "control" << controls << QByteArray();
        QTest::newRow("another's watchdog") << "control" << controls << QByteArray("1");
        QTest::newRow("a watchdog for no number") << "control" << controls << QByteArray("x");
        QTest::newRow("a socket path with no room for its end")
            << "no room" << QByteArray() << QByteArray();
    }
    void theSupervisorIsReadyOnlyOnAWholeAnswer() {
        QFETCH(QString, answer);
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, watchdog);
        const int server = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        QVERIFY(::bind(server, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
                ::getsockname(server, reinterpret_cast<sockaddr*>(&address), &size) == 0);
        QTemporaryDir dir;
        fd::test::NotifySocket notify(dir.filePath(
            answer == u"no room" ? QString(107 - dir.path().size(), u'n') : u"notify"_s));
        qputenv("NOTIFY_SOCKET", QFile::encodeName(notify.path));
        qputenv("WATCHDOG_USEC", "200000"); // asked again every 0.1 s once ready
        qputenv("WATCHDOG_PID", watchdog.isEmpty() ? QByteArray::number(::getpid()) : watchdog);

        const pid_t game =
            serveQueries(server, watchdog.isEmpty() ? 3 : 1, [&](const std::string& challenge) {
                if (answer == u"long")
                    return info("\\mapname\\m\\pad\\" + std::string(40000, 'x') + "\\challenge\\x");
                if (answer == u"random") {
                    std::string noise = info("");
                    for (int i = 0; i < 2000; ++i)
                        noise += char(QRandomGenerator::global()->bounded(256));
                    return noise;
                }
                return info("\\mapname\\hm\x1b[2J\x07" + std::string(1, '\0') +
                            "\x7f\\clients\\3\\sv_maxclients\\8\\challenge\\" + challenge);
            });
        const SystemdNotifier notifier;
        sigset_t none;
        sigemptyset(&none);
        const volatile sig_atomic_t stopping = 0;
        Supervisor(address, notifier).watch(game, stopping, none);
        const QByteArray messages = notify.read(0);
        ::close(server);
        QCOMPARE(messages.contains("\nREADY=1\n") || messages.startsWith("READY=1"),
                 !status.isEmpty());
        QVERIFY2(status.isEmpty() || messages.contains(status), messages.constData());
        QCOMPARE(messages.contains("WATCHDOG=1"), !status.isEmpty() && watchdog.isEmpty());
        for (const char byte : messages)
            QVERIFY(byte == '\n' || (byte >= 0x20 && byte != 0x7f));
    }
    // With no note, the server that answers at a port is the only slot there with its name,
    // else the only slot there; a host name is asked of the resolver.
    void theSlotThatServesIsTold() {
        qputenv("XDG_RUNTIME_DIR", QTemporaryDir().path().toUtf8()); // no note there
        const std::optional<sockaddr_in> at = ServerAddress{28000, u"localhost"_s}.queryAddress();
        QVERIFY(at && at->sin_addr.s_addr == htonl(INADDR_LOOPBACK));
        const std::vector<SlotServerName> one{{u"Save Game #1"_s, u"A"_s}};
        const std::vector<SlotServerName> two{one.front(), {u"Save Game #2"_s, u"B"_s}};
        QCOMPARE(whoServes(*at, u"s"_s, one, u"C"_s), u"Save Game #1"_s);
        QCOMPARE(whoServes(*at, u"s"_s, two, u"B"_s), u"Save Game #2"_s);
        QCOMPARE(whoServes(*at, u"s"_s, two, u"C"_s), QString());
    }

    // With no display, Wine's prefix gets a driver list ending in "null" unless its registry
    // names one; a "Graphics" value of another section does not count.
    void aPrefixWithNoDisplayFallsBackToNullGraphics_data() {
        QTest::addColumn<QByteArray>("registry");
        QTest::addColumn<bool>("set");
        const QByteArray drivers = "[Software\\\\Wine\\\\Drivers] 1\n";
        QTest::newRow("no registry") << QByteArray() << true;
        QTest::newRow("a list") << drivers + "\"Graphics\"=\"x11\"\n" << false;
        QTest::newRow("another section's") << drivers + "\"Audio\"=\"\"\n[X]\n\"Graphics\"=\"\"\n"
                                           << true;
    }
    void aPrefixWithNoDisplayFallsBackToNullGraphics() {
        QFETCH(QByteArray, registry);
        QFETCH(bool, set);
        QTemporaryDir bin, prefix;
        const QString log = bin.filePath(u"ran"_s);
        for (const QString& name : {bin.filePath(u"wine"_s), bin.filePath(u"wineserver"_s)}) {
            fd::test::writeFile(name,
                                "#!/bin/sh\necho \"$0 $*\" >> " + QFile::encodeName(log) + "\n");
            QVERIFY(QFile::setPermissions(name, QFile::ReadOwner | QFile::ExeOwner));
        }
        if (!registry.isEmpty())
            fd::test::writeFile(prefix.filePath(u"user.reg"_s), registry);
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        fallBackToNullGraphics(bin.filePath(u"wine"_s), {u"WINEPREFIX="_s + prefix.path()});
        const QByteArray lines = fd::test::readFile(log);
        QCOMPARE(lines.contains(
                     "wine reg add HKCU\\Software\\Wine\\Drivers /v Graphics /d x11,null /f\n"),
                 set);
        QCOMPARE(lines.contains("wineserver -w\n"), set);
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
