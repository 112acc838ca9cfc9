// The program run from the command line with no display, from an application folder whose
// window copy may be open at the same time: it prints the very script the window's ENGAGE
// writes, starts the game as ENGAGE does, exits 0, 1 or 2, and leaves dock.sav as it was.

#include "store/StoreFiles.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QProcess>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace fd;

namespace {

// A game that records how it was started, then ends with status 3, or, held by the file
// "hold", runs until SIGTERM, SIGHUP or SIGQUIT ends it with status 7.
const QByteArray standIn = "#!/bin/sh\necho \"$PWD|$*\" > ran.txt\n[ -e hold ] || exit 3\n"
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

    void start(QProcess& process, const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
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
        test::writeFile(gameFile("stvoyHM.exe"), standIn);
        QFile::setPermissions(gameFile("stvoyHM.exe"), QFile::ReadOwner | QFile::ExeOwner);
        test::TestProgram desktop(folders_);
        desktop.makeDataFolder();
        desktop.form.setValue(ctl::chkTurnBotsOn, 0);
        desktop.form.setText(ctl::txtServerName, QStringLiteral("Dock \"Nine\""));
        for (const char* map : {"hm_voy1", "ctf_kln1"})
            desktop.form.addItem(ctl::List2, QString::fromLatin1(map));
        desktop.form.addItem(ctl::list4, QStringLiteral("Munro 3"));
        desktop.form.setText(ctl::cmboSaveGame, QStringLiteral("Save Game #2"));
        desktop.form.click(ctl::cmdSave);
        QCOMPARE(desktop.log.messages(), QStringList());
    }

    void theScriptIsWhatTheWindowsEngageWrites() {
        test::TestProgram window(folders_); // open beside it, holding the store
        const Run script = run({QStringLiteral("--script"), QStringLiteral("2")});
        QCOMPARE(script.exitCode, 0);
        QVERIFY(script.storeKept && QFile::exists(appFile("dock.ldb")));
        QVERIFY(!QFile::exists(gameFile("baseEF/FragDocker.cfg"))); // nothing written
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
        const QString started = QStringLiteral("|+set dedicated 1 +exec fragdocker.cfg");
        QTest::newRow("engaged") << QStringList{"--engage", "2"} << 0 << started << QString();
        QTest::newRow("waited for")
            << QStringList{"--engage=Save Game #2", "--wait"} << 3 << started << QString();
        QTest::newRow("bot count refused")
            << QStringList{"--engage", "Save Game #1"} << 1
            << "If you have BOTS ENABLED you must specify THE NUMBER OF BOTS TO PLAY\n"
            << QString();
        QTest::newRow("no game there")
            << QStringList{"--engage", "1", "--game-folder", FD_TEST_DATA} << 1
            << "The game folder has no \"baseEF\" folder" << QString();
        QTest::newRow("listed") << QStringList{"--list"} << 0
                                << "Save Game #2\t\tDock \"Nine\"\nSave Game #3\t" << QString();
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
        QTest::newRow("slot 7 unreadable, slot 2 engaged") << QStringList{"--engage", "2"} << 0 << started << "no slot 7";
        QTest::newRow("control characters listed") << QStringList{"--list"} << 0 << "Save Game #4\ta\\tb\\nc\\\\d\\x01\t" << "odd description";
        QTest::newRow("fullwidth digit") << QStringList{"--engage", "\uFF11"} << 2 << "not a save slot" << QString();
        QTest::newRow("Arabic-Indic digit") << QStringList{"--script", "\u0661"} << 2 << "not a save slot" << QString();
        QTest::newRow("option twice") << QStringList{"--engage", "2", "--engage", "3"} << 2 << "--engage is given more than once" << QString();
        QTest::newRow("flag twice") << QStringList{"--list", "--list"} << 2 << "--list is given more than once" << QString();
        QTest::newRow("empty game folder") << QStringList{"--script", "2", "--game-folder", ""} << 2 << "--game-folder needs" << QString();
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
        else if (store == u"odd description")
            test::execSql(appFile("dock.sav"),
                          QStringLiteral("UPDATE \"Save Game #4\" SET SaveFileDescription = 'a' || "
                                         "char(9) || 'b' || char(10) || 'c\\d' || char(1)"));
        const Run result = run(arguments);
        test::writeFile(appFile("dock.sav"), stored);
        QFile::remove(appFile("dock.sav-journal"));
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(result.storeKept);
        const bool starts = output.startsWith(u'|');
        if (starts) // the game records its working folder and arguments as it starts
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(gameFile("ran.txt")), 20000);
        const QByteArray shown = starts ? test::readFile(gameFile("ran.txt"))
                                 : exitCode && !store.endsWith(u"out") ? result.err
                                                                       : result.out;
        QVERIFY2(shown.contains((starts ? folders_->gameFolder() + output : output).toUtf8()),
                 shown.constData());
    }

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
        QCOMPARE(process.exitCode(), 7);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
