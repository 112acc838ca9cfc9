// Set-up files through the command line: a slot exported, imported into another and exported
// again gives the same file and the same script; bad files are refused with the file, line and
// setting named and the store untouched; an import waits for the window to end and survives
// being killed at any moment; a file starts the stand-in server and asks it.

#include "core/FormModel.h"
#include "support/CatalogFiles.h"
#include "support/FreePort.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>

#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace fd;
using fd::test::freePort;
using namespace Qt::StringLiterals;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

// Every file of the application folder with its bytes: the store and the slots' lists.
QMap<QString, QByteArray> folderBytes(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        if (const QString path = it.next(); !path.endsWith(u".toml"))
            files.insert(path, test::readFile(path));
    return files;
}

QByteArray withoutSlotName(const QByteArray& setup) {
    QList<QByteArray> lines = setup.split('\n');
    lines.removeIf([](const QByteArray& line) { return line.startsWith("SaveFile = "); });
    return lines.join('\n');
}

} // namespace

class TestSetups : public QObject {
    Q_OBJECT

    std::shared_ptr<test::TestFolders> folders_ = std::make_shared<test::TestFolders>();

    QString appFile(const QString& name) const { return folders_->appFolder() + u'/' + name; }

    void start(QProcess& process, const QStringList& arguments) const {
        process.setWorkingDirectory(folders_->appFolder());
        process.start(appFile(u"fragdocker"_s), arguments);
    }
    Run run(const QStringList& arguments) const {
        QProcess process;
        start(process, arguments);
        process.waitForFinished(120000);
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
    QByteArray exported(int slot) const { return run({u"--export"_s, QString::number(slot)}).out; }

private Q_SLOTS:
    // Slots 1 to 6 saved by the window, each with other game types, check boxes, options and
    // texts; slot 1 with the longest lists.
    void initTestCase() {
        QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/fragdocker"), appFile(u"fragdocker"_s)));
        test::TestProgram window(folders_);
        window.makeDataFolder();
        const Control options[][3] = {
            {ctl::optionDedicated, ctl::optionDeathmatch, ctl::optionBotSkillEnsign},
            {ctl::optionNonDedicated, ctl::optionTeamDeathMatch, ctl::optionBotSkillCaptain},
            {ctl::optionDedicated, ctl::optionCTF, ctl::optionBotSkillLieutenant}};
        for (int slot = 0; slot < 6; ++slot) {
            FormModel& form = window.form;
            for (const Control option : options[slot % 3])
                form.select(option.as<OptionButton>());
            for (std::size_t i = 0; i < settingsRecord.size(); ++i)
                if (settingsRecord[i].kind == FieldKind::Check)
                    form.setValue(settingsRecord[i].control.as<CheckBox>(), int(i + slot) % 2);
            form.setValue(ctl::chkTurnBotsOn, 1);
            form.setText(ctl::txtNumberOfBotsToPlay, QString::number(slot + 1));
            form.setText(ctl::txtServerName, u"Ωmega \"%1\" 🚀 Dock\té"_s.arg(slot));
            form.setText(ctl::txtSaveGameDescription, u"set-up \\ %1 ✓"_s.arg(slot));
            form.clear(ctl::List2);
            form.clear(ctl::list4);
            for (int i = 0; i < (slot == 0 ? FormModel::maxListItems : slot); ++i) {
                form.addItem(ctl::List2, u"hm_map%1"_s.arg(i));
                form.addItem(ctl::list4, u" Bot %1 "_s.arg(i));
            }
            form.setText(ctl::cmboSaveGame, QString::fromLatin1(slotNames[std::size_t(slot)]));
            form.click(ctl::cmdSave);
        }
        QCOMPARE(window.log.messages(), QStringList());
    }

    void exportImportExportIsExact() {
        for (int slot = 1; slot <= 6; ++slot) {
            const QByteArray first = exported(slot);
            QVERIFY(first.contains("Ωmega"));
            test::writeFile(appFile(u"s.toml"_s), first);
            QCOMPARE(run({u"--import"_s, u"s.toml"_s, u"7"_s}).exitCode, 0);
            const QByteArray second = exported(7);
            QVERIFY(second.contains("\nSaveFile = \"Save Game #7\"\n"));
            QCOMPARE(withoutSlotName(second), withoutSlotName(first));
            const Run script = run({u"--script"_s, QString::number(slot)});
            QCOMPARE(script.exitCode, 0);
            QCOMPARE(run({u"--script"_s, u"7"_s}).out, script.out);
        }
        QCOMPARE(exported(1).count('\n'), 2 * FormModel::maxListItems + 79);
    }

    // Refused while the window holds the store, stored once it ended; killed at random
    // moments, each import leaves the slot all old or all new.
    void importWaitsForTheWindowAndIsAllOrNothing() {
        const QByteArray old = exported(3);
        test::writeFile(appFile(u"old.toml"_s), old);
        test::writeFile(appFile(u"new.toml"_s), exported(1).replace("Ωmega", "New"));
        {
            const test::TestProgram window(folders_);
            const Run refused = run({u"--import"_s, u"new.toml"_s, u"3"_s});
            QCOMPARE(refused.exitCode, 78);
            QVERIFY2(refused.err.contains("FragDocker is running"), refused.err.constData());
        }
        QCOMPARE(exported(3), old);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(run({u"--import"_s, u"new.toml"_s, u"3"_s}).exitCode, 0);
        const int importUs = int(clock.nsecsElapsed() / 1000);
        const QByteArray renewed = exported(3);
        QVERIFY(renewed.contains("New") && renewed.count('\n') > old.count('\n'));
        QRandomGenerator random(26);
        for (int i = 0; i < 10; ++i) {
            const bool isNew = exported(3) == renewed;
            QProcess import;
            start(import, {u"--import"_s, isNew ? u"old.toml"_s : u"new.toml"_s, u"3"_s});
            QVERIFY(import.waitForStarted());
            ::usleep(useconds_t(random.bounded(importUs)));
            ::kill(pid_t(import.processId()), SIGKILL);
            import.waitForFinished();
            const QByteArray after = exported(3);
            QVERIFY(after == old || after == renewed);
        }
    }

    // A file with only what differs from a new slot starts the stand-in server on its port,
    // with a script named after the file, and --status asks that server.
    void aSmallFileStartsTheServerAndIsAsked() {
        QTemporaryDir served;
        QVERIFY(QDir(served.path()).mkdir(u"baseEF"_s));
        QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/demo/Elite Force/stvoyHM.exe"),
                            served.filePath(u"stvoyHM.exe"_s)));
        test::writeFile(
            appFile(u"file-dock.toml"_s),
            QStringLiteral("ServerName = \"File Dock\"\nTurnBotsOn = false\nSetNetport = "
                           "true\nSetNetportNumber = %1\nMaps = [\"hm_voy1\", "
                           "\"hm_borg1\"]\n")
                .arg(freePort())
                .toUtf8());
        QProcess server;
        start(server,
              {u"--engage"_s, u"file-dock.toml"_s, u"--wait"_s, u"--game-folder"_s, served.path()});
        const auto stop = qScopeGuard([&server] {
            server.terminate();
            server.waitForFinished(20000);
        });
        QTRY_VERIFY_WITH_TIMEOUT(run({u"--status"_s, u"file-dock.toml"_s}).exitCode == 0, 30000);
        QVERIFY(run({u"--status"_s, u"file-dock.toml"_s})
                    .out.contains("Server name:  File Dock\nMap:          hm_voy1"));
        QVERIFY(QFile::exists(served.filePath(u"baseEF/FragDocker-file-dock.cfg"_s)));
        server.terminate();
        QVERIFY(server.waitForFinished(20000));
        QCOMPARE(server.exitCode(), 0);
    }

    void badInputIsRefusedAndChangesNothing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("arguments"); // "F" stands for the file
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QStringList import{"--import", "F", "2"};
        const QByteArray longList = "Maps = [" + QByteArray("'m',").repeated(32768) + "]";
        // clang-format off
        QTest::newRow("unknown name") << "ServerName = 'x'\nPureServr = true\n"_ba << import << 78 << "\"F\", line 2, setting \"PureServr\": there is no such setting; did you mean \"PureServer\"?";
        QTest::newRow("case differs") << "servername = 'x'\n"_ba << import << 78 << "did you mean \"ServerName\"?";
        QTest::newRow("check box 2") << "PureServer = 2\n"_ba << import << 78 << "line 1, setting \"PureServer\": true or false";
        QTest::newRow("check box text") << "\n\nDeathMatch = 'yes'\n"_ba << import << 78 << "line 3, setting \"DeathMatch\": true or false";
        QTest::newRow("text a fraction") << "MaxPlayers = 8.5\n"_ba << import << 78 << "setting \"MaxPlayers\": text in quotes";
        QTest::newRow("text a truth") << "ServerName = true\n"_ba << import << 78 << "setting \"ServerName\": text in quotes";
        QTest::newRow("line break") << "ServerName = \"a\\nb\"\n"_ba << import << 78 << "setting \"ServerName\": a value cannot hold a line break";
        QTest::newRow("escaped NUL") << "Bots = ['a', \"b\\u0000\"]\n"_ba << import << 78 << "setting \"Bots\": entry 2: a value cannot hold a line break or NUL";
        QTest::newRow("list a text") << "Maps = 'hm_voy1'\n"_ba << import << 78 << "setting \"Maps\": a list";
        QTest::newRow("list too long") << longList << import << 78 << "setting \"Maps\": it holds 32768 entries; a list holds at most 32767";
        QTest::newRow("empty") << ""_ba << import << 78 << "\"F\": it holds no setting";
        QTest::newRow("NUL byte") << "ServerName = 'x'\n\nMaxPlayers = '1\0'\n"_ba << import << 78 << "\"F\", line 3: it is not text";
        QTest::newRow("not UTF-8") << "ServerName = '\xe9t\xe9'\n"_ba << import << 78 << "line 1: it is not UTF-8 text";
        QTest::newRow("over 10 MiB") << QByteArray(10 * 1024 * 1024 + 1, '#') << import << 78 << "\"F\": it is larger than 10 MiB";
        QTest::newRow("twice") << "ServerName = 'x'\nServerName = 'y'\n"_ba << import << 78 << "\"F\", line 2: ";
        QTest::newRow("engaged") << "PureServr = true\n"_ba << QStringList{"--engage", "F"} << 78 << "line 1, setting \"PureServr\"";
        QTest::newRow("no slot") << "ServerName = 'x'\n"_ba << QStringList{"--import", "F"} << 2 << "--import needs the slot";
        QTest::newRow("no file") << ""_ba << QStringList{"--import", "none.toml", "2"} << 2 << "no set-up file \"none.toml\"";
        QTest::newRow("no mounted file") << ""_ba << QStringList{"--engage", "/etc/none/setup.toml"} << 2 << "no set-up file \"/etc/none/setup.toml\"";
        QTest::newRow("import a file") << ""_ba << QStringList{"--import", "F", "F"} << 2 << "\"F\" is not a save slot";
        QTest::newRow("script a slot's") << ""_ba << QStringList{"--engage", "Slot3.toml"} << 2 << "\"Slot3.toml\" cannot name a script";
        QTest::newRow("export no slot") << ""_ba << QStringList{"--export", "F"} << 2 << "\"F\" is not a save slot";
        // clang-format on
    }
    void badInputIsRefusedAndChangesNothing() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const QString name =
            arguments.contains(u"Slot3.toml"_s) ? u"Slot3.toml"_s : u"bad_setup.toml"_s;
        test::writeFile(appFile(name), file);
        const QMap<QString, QByteArray> before = folderBytes(folders_->appFolder());
        arguments.replaceInStrings(QRegularExpression(u"^F$"_s), name);
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.contains(message.replace(u"\"F\""_s, u'"' + name + u'"').toUtf8()),
                 result.err.constData());
        QCOMPARE(result.err.count('\n'), exitCode == 2 ? 2 : 1);
        QVERIFY(folderBytes(folders_->appFolder()) == before);
    }
};

QTEST_GUILESS_MAIN(TestSetups)
#include "tst_setups.moc"
