// The program run from the command line with no display, from an application folder whose
// window copy may be open at the same time: it prints the very script the window's ENGAGE
// writes, starts the game as ENGAGE does, exits 0, 1 or 2, and leaves dock.sav as it was; Qt's
// own options open the window instead.

#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QProcess>

using namespace fd;

namespace {

// A game that records how it was started, then ends with status 3, or, held by the file
// "hold", runs until SIGTERM ends it with status 7.
const QByteArray standIn = "#!/bin/sh\necho \"$PWD|$*\" > ran.txt\n[ -e hold ] || exit 3\n"
                           "trap 'exit 7' TERM\nwhile :; do sleep 0.1; done\n";

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
        const QString started = QStringLiteral("|+set dedicated 1 +exec fragdocker.cfg");
        QTest::newRow("engaged") << QStringList{"--engage", "2"} << 0 << started;
        QTest::newRow("waited for")
            << QStringList{"--engage=Save Game #2", "--wait"} << 3 << started;
        QTest::newRow("bot count refused")
            << QStringList{"--engage", "Save Game #1"} << 1
            << "If you have BOTS ENABLED you must specify THE NUMBER OF BOTS TO PLAY\n";
        QTest::newRow("no game there")
            << QStringList{"--engage", "1", "--game-folder", FD_TEST_DATA} << 1
            << "The game folder has no \"baseEF\" folder";
        QTest::newRow("listed") << QStringList{"--list"} << 0
                                << "Save Game #2\t\tDock \"Nine\"\nSave Game #3\t";
        QTest::newRow("no slot 9")
            << QStringList{"--engage", "9"} << 2 << "\"9\" is not a save slot";
        QTest::newRow("no slot 0") << QStringList{"--script", "0"} << 2 << "not a save slot";
        QTest::newRow("two actions") << QStringList{"--list", "--script", "1"} << 2 << "one of";
        QTest::newRow("wait alone") << QStringList{"--script", "2", "--wait"} << 2 << "--wait";
        QTest::newRow("unknown") << QStringList{"--engage", "2", "x"} << 2 << "\"x\"";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "FragDocker 1.02\n";
        QTest::newRow("not Qt's") << QStringList{"-platform", "offscreen", "x"} << 2 << "\"x\"";
        QTest::newRow("not ours") << QStringList{"--lsit"} << 2 << "Unknown option 'lsit'";
    }

    void exitCodesAndMessages() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFile::remove(gameFile("ran.txt"));
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(result.storeKept);
        const bool starts = output.startsWith(u'|');
        if (starts) // the game records its working folder and arguments as it starts
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(gameFile("ran.txt")), 20000);
        const QByteArray shown = starts     ? test::readFile(gameFile("ran.txt"))
                                 : exitCode ? result.err
                                            : result.out;
        QVERIFY2(shown.contains((starts ? folders_->gameFolder() + output : output).toUtf8()),
                 shown.constData());
    }

    // Only a program in a "bin" folder with "../share/fragdocker" beside it is installed: it
    // makes its store in the data home on the first start and writes nothing beside itself.
    void installedOnlyByItsLayout_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shared");   // made beside it; a file when without a slash
        QTest::addColumn<QString>("dataHome"); // XDG_DATA_HOME, a relative one ignored
        QTest::addColumn<QString>("store");    // where the store is made, under the home
        const QString local = ".local/share/fragdocker/dock.sav";
        QTest::newRow("installed") << "usr/bin"
                                   << "usr/share/fragdocker/"
                                   << "/data"
                                   << "data/fragdocker/dock.sav";
        QTest::newRow("relative data home") << "usr/bin"
                                            << "usr/share/fragdocker/"
                                            << "d" << local;
        QTest::newRow("shared data a file") << "usr/bin"
                                            << "usr/share/fragdocker"
                                            << "/d"
                                            << "usr/bin/dock.sav";
        QTest::newRow("not in bin") << "opt/FD"
                                    << "opt/share/fragdocker/"
                                    << "/d"
                                    << "opt/FD/dock.sav";
    }
    void installedOnlyByItsLayout() {
        QFETCH(QString, program);
        QFETCH(QString, shared);
        QFETCH(QString, dataHome);
        QFETCH(QString, store);
        QTemporaryDir home;
        QVERIFY(QDir().mkpath(home.filePath(program)));
        test::touch(home.filePath(shared.endsWith(u'/') ? shared + "unused" : shared));
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
        QCOMPARE(process.readAllStandardOutput().count("\tMade By FragDocker\n"), 7);
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

    void waitingPassesSigtermOnAndEndsWithTheGame() {
        test::touch(gameFile("hold"));
        QFile::remove(gameFile("ran.txt"));
        QProcess process;
        start(process, {QStringLiteral("--engage"), QStringLiteral("2"), QStringLiteral("--wait")});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(gameFile("ran.txt")), 20000);
        process.terminate();
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 7);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
