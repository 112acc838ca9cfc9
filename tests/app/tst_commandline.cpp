// The program run from the command line with no display, from an application folder whose
// window copy may be open at the same time: it prints the very script the window's ENGAGE
// writes, starts the game as ENGAGE does, exits with each status --help names, and leaves
// dock.sav as it was; Qt's own options open the window instead. Hosting: slots side by side on
// ports of their own, readiness and watchdog over a simulated systemd notify socket, --status, a
// clean stop. Loopback addresses only.

#include "store/StoreFiles.h"
#include "support/CatalogFiles.h"
#include "support/FreePort.h"
#include "support/NotifySocket.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QProcess>

#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fd;
using fd::test::freePort;
using fd::test::NotifySocket;

namespace {

// A game that records how it was started, then ends with status 5, or, held by the file
// "hold", runs until SIGTERM, SIGHUP or SIGQUIT ends it with status 7.
const QByteArray standIn = "#!/bin/sh\necho \"$PWD|$*\" > ran.txt\n[ -e hold ] || exit 5\n"
                           "trap 'exit 7' TERM HUP QUIT\nwhile :; do sleep 0.1; done\n";

// Leaves the store as a window killed in the middle of saving slot 2 leaves it: changed pages
// in the file and the journal that takes them back.
void leaveHotJournal(const QString& store) {
    if (const pid_t child = ::fork(); child != 0) {
        ::waitpid(child, nullptr, 0);
        return;
    }
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(store).constData(), &db);
    sqlite3_exec(db, "BEGIN; UPDATE \"Save Game #2\" SET ServerName = 'torn'", nullptr, nullptr,
                 nullptr);
    sqlite3_db_cacheflush(db);
    ::_exit(0);
}

// Ends a program started with --wait by SIGTERM, which it passes on to its game, also when a
// check failed before the end: a QProcess would kill only the program.
struct StopAtEnd {
    ~StopAtEnd() {
        for (QProcess* process : processes) {
            process->terminate();
            process->waitForFinished(20000);
        }
    }
    std::vector<QProcess*> processes;
};

struct Run {
    int exitCode = -1;
    QByteArray out, err;
    bool storeKept = false; // dock.sav byte for byte as before
};

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

    std::shared_ptr<test::TestFolders> folders_ = std::make_shared<test::TestFolders>();

    QString appFile(const QString& name) const { return folders_->appFolder() + u'/' + name; }
    QString gameFile(const QString& name) const { return folders_->gameFolder() + u'/' + name; }

    quint16 port2_ = freePort(), port3_ = freePort(), port4_ = freePort();

    void start(QProcess& process, const QStringList& arguments,
               const NotifySocket* notify = nullptr) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), appFile("run"));
        if (notify) {
            environment.insert(QStringLiteral("NOTIFY_SOCKET"), notify->path);
            environment.insert(QStringLiteral("WATCHDOG_USEC"), QStringLiteral("400000"));
        }
        process.setProcessEnvironment(environment);
        process.start(appFile(QStringLiteral("fragdocker")), arguments);
    }

    Run run(const QStringList& arguments) const {
        const QByteArray store = test::readFile(appFile("dock.sav"));
        QProcess process;
        start(process, arguments);
        process.waitForFinished(60000);
        return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError(),
                test::readFile(appFile("dock.sav")) == store};
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/fragdocker"), appFile("fragdocker")));
        test::writeFile(appFile("users.txt"), "the user's"); // no link may lead a write here
        test::writeFile(gameFile("stvoyHM.exe"), standIn);
        QFile::setPermissions(gameFile("stvoyHM.exe"), QFile::ReadOwner | QFile::ExeOwner);
        test::TestProgram desktop(folders_);
        desktop.makeDataFolder();
        for (const char* map : {"hm_voy1", "ctf_kln1"})
            desktop.form.addItem(ctl::List2, QString::fromLatin1(map));
        desktop.form.addItem(ctl::list4, QStringLiteral("Munro 3"));
        const std::tuple<int, quint16, const char*> slots[] = {{1, freePort(), "One"},
                                                               {2, port2_, "Dock \"Nine\""},
                                                               {3, port3_, "^1Fi^7ve"},
                                                               {4, port4_, "Four"},
                                                               {5, port3_, "^1Fi^7ve"}};
        for (auto [slot, port, name] : slots) { // slot 1: bots on, their number missing
            desktop.form.setValue(ctl::chkTurnBotsOn, int(slot == 1));
            desktop.form.setText(ctl::txtServerName, QString::fromLatin1(name));
            desktop.form.setValue(ctl::chkSetNetport, 1);
            desktop.form.setText(ctl::txtSetNetportNumber, QString::number(port));
            desktop.form.setValue(ctl::chkSetNetIP, int(slot > 2));
            desktop.form.setText(ctl::txtSetNetIPNumber, QStringLiteral("127.0.0.1"));
            desktop.form.setText(ctl::cmboSaveGame, QStringLiteral("Save Game #%1").arg(slot));
            desktop.form.click(ctl::cmdSave);
        }
        QCOMPARE(desktop.log.messages(), QStringList());
    }

    void theScriptIsWhatTheWindowsEngageWrites() {
        test::TestProgram window(folders_); // open beside it, holding the store
        const Run script = run({QStringLiteral("--script"), QStringLiteral("2")});
        QVERIFY(script.exitCode == 0 && script.storeKept && QFile::exists(appFile("dock.ldb")));
        QVERIFY(!QFile::exists(gameFile("baseEF/FragDocker.cfg"))); // nothing written
        // A link at the script's .old: the user's file is found untouched by every row below.
        QVERIFY(QFile::link(appFile("users.txt"), gameFile("baseEF/FragDocker.cfg.old")));
        window.form.setText(ctl::cmboSaveGame, QStringLiteral("Save Game #2"));
        window.form.click(ctl::cmdLoad);
        window.form.click(ctl::cmdEngage);
        QCOMPARE(window.launcher.program, gameFile("stvoyHM.exe"));
        QCOMPARE(script.out, window.readGameFile(QStringLiteral("baseEF/FragDocker.cfg")));
        QVERIFY(script.out.contains("Set d2 \"map ctf_kln1; set nextmap vstr d3\"\r\n"));
        QCOMPARE(script.out.count("\n"), script.out.count("\r\n"));
    }

    void exitCodesAndMessages_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("store"); // how the store is changed for the row
        const QString started =
            QStringLiteral("|+set dedicated 1 +set net_port %1 +exec FragDocker-slot2.cfg")
                .arg(port2_);
        QTest::newRow("engaged") << QStringList{"--engage", "2"} << 0 << started << QString();
        QTest::newRow("waited for")
            << QStringList{"--engage=Save Game #2", "--wait"} << 5 << started << QString();
        QTest::newRow("not answering") << QStringList{"--status", "2"} << 3
                                       << "No server answers for Save Game #2" << QString();
        QTest::newRow("bot count refused") << QStringList{"--engage", "Save Game #1"} << 78
                                           << "Save Game #1: If you have BOTS ENABLED you must "
                                              "specify THE NUMBER OF BOTS TO PLAY\n"
                                           << QString();
        QTest::newRow("no game there")
            << QStringList{"--engage", "1", "--game-folder", FD_TEST_DATA} << 78
            << "Save Game #1: The game folder has no \"baseEF\" folder" << QString();
        QTest::newRow("listed") << QStringList{"--list"} << 0
                                << "Save Game #2\t\tDock \"Nine\"\nSave Game #3\t" << QString();
        QTest::newRow("last slot by number")
            << QStringList{"--script", "7"} << 78 << "Save Game #7: The map rotation is empty"
            << QString();
        QTest::newRow("no slot 9")
            << QStringList{"--engage", "9"} << 2 << "\"9\" is not a save slot" << QString();
        QTest::newRow("no slot 0")
            << QStringList{"--script", "0"} << 2 << "not a save slot" << QString();
        QTest::newRow("two actions")
            << QStringList{"--list", "--script", "1"} << 2 << "one of" << QString();
        QTest::newRow("wait alone")
            << QStringList{"--script", "2", "--wait"} << 2 << "--wait" << QString();
        QTest::newRow("unknown") << QStringList{"--engage", "2", "x"} << 2 << "\"x\"" << QString();
        QTest::newRow("version") << QStringList{"--version"} << 0 << "FragDocker 1.02\n"
                                 << QString();
        // clang-format off
        QTest::newRow("hot journal") << QStringList{"--list"} << 0 << "Save Game #2\t\tDock \"Nine\"\n" << "hot journal";
        QTest::newRow("slot 7 unreadable, listed") << QStringList{"--list"} << 1 << "\"Save Game #7\"" << "no slot 7";
        QTest::newRow("slot 7 unreadable, listed others") << QStringList{"--list"} << 1 << "Save Game #6\t" << "no slot 7 out";
        QTest::newRow("slot 7 unreadable, engaged") << QStringList{"--engage", "7"} << 1 << "\"Save Game #7\"" << "no slot 7";
        QTest::newRow("slot 7 unreadable, slot 2 engaged") << QStringList{"--engage", "2"} << 0 << started << "no slot 7";
        QTest::newRow("slot 3 damaged, named") << QStringList{"--list"} << 1 << "\": the save slot cannot be read whole (" << "damaged slot 3";
        QTest::newRow("control characters listed") << QStringList{"--list"} << 0 << "Save Game #4\ta\\tb\\nc\\\\d\\x01\t" << "odd description";
        QTest::newRow("a check box stored as a word") << QStringList{"--script", "2"} << 0 << "seta g_friendlyfire \"1\"" << "sql:UPDATE \"Save Game #2\" SET FriendlyFire = 'TRUE'";
        QTest::newRow("the highest port") << QStringList{"--engage", "2"} << 0 << "|+set dedicated 1 +set net_port 65535 +exec" << "sql:UPDATE \"Save Game #2\" SET SetNetportNumber = '65535'";
        QTest::newRow("a check box stored as a fraction") << QStringList{"--script", "2"} << 0 << "seta g_friendlyfire \"1\"" << "sql:UPDATE \"Save Game #2\" SET FriendlyFire = 0.5";
        QTest::newRow("a check box stored as bytes") << QStringList{"--script", "2"} << 0 << "seta g_friendlyfire \"0\"" << "sql:UPDATE \"Save Game #2\" SET FriendlyFire = X'01'";
        QTest::newRow("a check box in a text column") << QStringList{"--script", "2"} << 0 << "seta g_friendlyfire \"1\"" << "sql:ALTER TABLE \"Save Game #2\" DROP FriendlyFire; ALTER TABLE \"Save Game #2\" ADD FriendlyFire TEXT DEFAULT '-1'";
        for (const char* name : {"", ".old", ".new"})
            QTest::addRow("a link at the script's name%s", name) << QStringList{"--engage", "2"} << 0 << started << "link:" + QString(name);
        QTest::newRow("fullwidth digit") << QStringList{"--engage", "\uFF11"} << 2 << "not a save slot" << QString();
        QTest::newRow("flag twice") << QStringList{"--list", "--list"} << 2 << "--list is given more than once" << QString();
        QTest::newRow("empty game folder") << QStringList{"--script", "2", "--game-folder", ""} << 2 << "--game-folder needs" << QString();
        QTest::newRow("not Qt's") << QStringList{"-platform", "offscreen", "x"} << 2 << "\"x\"" << QString();
        QTest::newRow("not ours") << QStringList{"--lsit"} << 2 << "Unknown option 'lsit'" << QString();
        QTest::newRow("no maps") << QStringList{"--engage", "6", "--game-folder", folders_->gameFolder()} << 78 << "Save Game #6: The map rotation is empty" << "sql:UPDATE \"Save Game #6\" SET TurnBotsOn = 0";
        QTest::newRow("no display") << QStringList{"-style", "fusion", "-reverse"} << 2 << "no display to open the window on; on a machine" << QString();
        QTest::newRow("a word, no display") << QStringList{"2"} << 2 << "unexpected argument \"2\"" << QString();
        QTest::newRow("a word, no X11 display") << QStringList{"-platform", "xcb", "-display=", "x"} << 2 << "\"x\"" << QString();
        // clang-format on
    }

    void exitCodesAndMessages() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, store);
        QFile::remove(gameFile("ran.txt"));
        const QByteArray stored = test::readFile(appFile("dock.sav"));
        if (store == u"hot journal")
            leaveHotJournal(appFile("dock.sav"));
        else if (store.startsWith(u"no slot 7"))
            test::execSql(appFile("dock.sav"), QStringLiteral("DROP TABLE \"Save Game #7\""));
        else if (store == u"damaged slot 3")
            QVERIFY(
                test::damageSlotPage(appFile("dock.sav"), QStringLiteral("Save Game #3"), false));
        else if (store == u"odd description")
            test::execSql(appFile("dock.sav"),
                          QStringLiteral("UPDATE \"Save Game #4\" SET SaveFileDescription = 'a' || "
                                         "char(9) || 'b' || char(10) || 'c\\d' || char(1)"));
        else if (store.startsWith(u"sql:")) // as another tool may have written it
            QCOMPARE(test::execSql(appFile("dock.sav"), store.mid(4)), QString());
        const QString script = gameFile("baseEF/FragDocker-slot2.cfg");
        if (store.startsWith(u"link:")) { // a file of the user's linked at a name of the script
            QFile::remove(script + store.mid(5));
            QVERIFY(QFile::link(appFile("users.txt"), script + store.mid(5)));
        }
        const Run result = run(arguments);
        test::writeFile(appFile("dock.sav"), stored);
        QFile::remove(appFile("dock.sav-journal"));
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(result.storeKept);
        QVERIFY(!QFileInfo(script).isSymLink() && test::readFile(script).contains("Nine") &&
                test::readFile(appFile("users.txt")) == "the user's"); // replaced, not written
        const bool starts = output.startsWith(u'|');
        if (starts) // the game records its working folder and arguments as it starts
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(gameFile("ran.txt")), 20000);
        const QByteArray shown = starts ? test::readFile(gameFile("ran.txt"))
                                 : exitCode && !store.endsWith(u"out") ? result.err
                                                                       : result.out;
        QVERIFY2(shown.contains((starts ? folders_->gameFolder() + output : output).toUtf8()),
                 shown.constData());
    }

    // Under a file size limit (a quota), a write fails with its reason: the program never dies
    // by SIGXFSZ, also when it was started without that signal ignored.
    void aFileSizeLimitIsAFailureNotADeath() {
        QTemporaryDir folder;
        QVERIFY(
            QFile::copy(QStringLiteral(FD_APP_DIR "/fragdocker"), folder.filePath("fragdocker")));
        QProcess process;
        process.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{8192, 8192};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        process.start(folder.filePath("fragdocker"), {QStringLiteral("--list")});
        QVERIFY(process.waitForFinished(60000));
        const QByteArray err = process.readAllStandardError();
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 1 &&
                     err.contains(QFile::encodeName(folder.filePath("dock.sav"))) &&
                     err.contains("File too large"),
                 err.constData());
    }

    // Only a program in a "bin" folder with "../share/fragdocker" beside it is installed: it
    // makes its store in the data home on the first start and writes nothing beside itself.
    void installedOnlyByItsLayout_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shared");   // made beside it; a file when without a slash
        QTest::addColumn<QString>("dataHome"); // XDG_DATA_HOME, a relative one ignored
        QTest::addColumn<QString>("store");    // where the store is made, under the home; "" none
        const QString local = ".local/share/fragdocker/dock.sav";
        // clang-format off
        QTest::newRow("installed")              << "usr/bin" << "usr/share/fragdocker/" << "/data"   << "data/fragdocker/dock.sav";
        QTest::newRow("relative data home")     << "usr/bin" << "usr/share/fragdocker/" << "d"       << local;
        QTest::newRow("shared data a file")     << "usr/bin" << "usr/share/fragdocker"  << "/d"      << "usr/bin/dock.sav";
        QTest::newRow("not in bin")             << "opt/FD"  << "opt/share/fragdocker/" << "/d"      << "opt/FD/dock.sav";
        QTest::newRow("data home not makeable") << "usr/bin" << "usr/share/fragdocker/" << "/file/d" << "";
        // clang-format on
    }
    void installedOnlyByItsLayout() {
        QFETCH(QString, program);
        QFETCH(QString, shared);
        QFETCH(QString, dataHome);
        QFETCH(QString, store);
        QTemporaryDir home;
        QVERIFY(QDir().mkpath(home.filePath(program)));
        test::touch(home.filePath(shared.endsWith(u'/') ? shared + "unused" : shared));
        test::touch(home.filePath("file"));
        QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/fragdocker"),
                            home.filePath(program + "/fragdocker")));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"),
                           dataHome.startsWith(u'/') ? home.path() + dataHome : dataHome);
        process.setProcessEnvironment(environment);
        process.start(home.filePath(program + "/fragdocker"), {QStringLiteral("--list")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.readAllStandardOutput().count("\tMade By FragDocker\n"),
                 store.isEmpty() ? 0 : 7);
        QCOMPARE(process.readAllStandardError().count('\n'), int(store.isEmpty())); // what failed
        QVERIFY(QFile::exists(home.filePath(store)));
        QCOMPARE(QDir(home.filePath(program)).count(), uint(store.startsWith(program) ? 4 : 3));
    }

    // Qt's own options open the window, which takes the store's lock.
    void qtsOwnOptionsOpenTheWindow() {
        QProcess process;
        start(process, {"-platform", "offscreen", "-reverse"});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(appFile("dock.ldb")), 20000);
        process.terminate();
        QVERIFY(process.waitForFinished(20000));
    }

    // SIGTERM, SIGHUP and SIGQUIT are passed on to the game: it ends, and the program with it,
    // with 0 whatever status the game ends with.
    void waitingPassesSignalsOnAndEndsWithTheGame_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGQUIT") << SIGQUIT;
    }
    void waitingPassesSignalsOnAndEndsWithTheGame() {
        QFETCH(int, signal);
        test::touch(gameFile("hold"));
        QFile::remove(gameFile("ran.txt"));
        QProcess process;
        start(process, {QStringLiteral("--engage"), QStringLiteral("2"), QStringLiteral("--wait")});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(gameFile("ran.txt")), 20000);
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(20000));
        QVERIFY(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0);
    }

    // Two slots started at once from one game folder, each on its own port with its own
    // script; --status tells which of two slots with one port and one server name serves it,
    // and a third on a port already served is refused.
    void slotsSideBySide() {
        QTemporaryDir served;
        QVERIFY(QDir(served.path()).mkdir(QStringLiteral("baseEF")));
        QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/demo/Elite Force/stvoyHM.exe"),
                            served.filePath(QStringLiteral("stvoyHM.exe"))));
        NotifySocket notify5(served.filePath(QStringLiteral("n5"))),
            notify4(served.filePath(QStringLiteral("n4")));
        QProcess five, four;
        const StopAtEnd stop{{&five, &four}};
        const auto engage = [&](QProcess& process, const char* slot, const NotifySocket& notify) {
            start(process, {"--engage", slot, "--wait", "--game-folder", served.path()}, &notify);
        };
        engage(five, "5", notify5);
        engage(four, "4", notify4);
        for (NotifySocket* notify : {&notify5, &notify4})
            QVERIFY(notify->read(20000, "READY=1").contains("READY=1"));
        for (auto [slot, text] : {std::pair("5", "hm_voy1\nGame type:    0 (Free For All)"),
                                  std::pair("4", "of 8\n  Munro (bot)  score 0, ping 0\n")}) {
            const Run status = run({QStringLiteral("--status"), QString::fromLatin1(slot)});
            QCOMPARE(status.exitCode, 0);
            QVERIFY2(status.out.contains(text), status.out.constData());
        }

        const QString everySlot =
            QStringLiteral(
                "Save Game #3\t%1\tshares port %1 with slot 5\nSave Game #4\t%2\tanswers: "
                "Four\nSave Game #5\t%1\tanswers: Five\n")
                .arg(port3_)
                .arg(port4_);
        // A stale note (slot 2 ran there once) is overruled by the answering server's name.
        const QString note4 = appFile("run/fragdocker/server-127.0.0.1-%1").arg(port4_);
        test::writeFile(note4, "Save Game #2\n" + test::readFile(note4).split('\n')[1] + '\n');
        const Run every = run({QStringLiteral("--status")}); // slot 4 by its server name
        QVERIFY2(every.out.contains(everySlot.toUtf8()), every.out + every.err);

        // The watchdog is fed while the server answers, and not while it is frozen.
        const pid_t game =
            test::readFile(QStringLiteral("/proc/%1/task/%1/children").arg(five.processId()))
                .trimmed()
                .toInt();
        QVERIFY(game > 0 && notify5.read(2000, "WATCHDOG=1").contains("WATCHDOG=1"));
        ::kill(game, SIGSTOP);
        notify5.read(400);
        const QByteArray frozen = notify5.read(1200);
        ::kill(game, SIGCONT);
        QVERIFY(!frozen.contains("WATCHDOG=1"));
        QVERIFY(notify5.read(3000, "WATCHDOG=1").contains("WATCHDOG=1"));

        const Run third = run({"--engage", "3", "--game-folder", served.path()});
        QCOMPARE(third.exitCode, 78);
        QVERIFY2(third.err.contains(
                     QStringLiteral("Port %1 of Save Game #3 is in use").arg(port3_).toUtf8()),
                 third.err.constData());
        QVERIFY(!QFile::exists(served.filePath(QStringLiteral("baseEF/FragDocker-slot3.cfg"))));

        for (QProcess* process : {&five, &four}) {
            process->terminate();
            QVERIFY(process->waitForFinished(20000) && process->exitCode() == 0 &&
                    process->readAllStandardError().contains("the server answers on port"));
        }
        QVERIFY(notify5.read(0).contains("STOPPING=1"));
        QCOMPARE(::kill(game, 0), -1); // no game left
        QVERIFY(!QFile::exists(appFile("run/fragdocker/server-127.0.0.1-%1").arg(port3_)));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
