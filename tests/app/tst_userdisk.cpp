// What the program meets on a user's disk: files in another letter case, numbers with white
// space around them, a store that lacks parts, and the game in a Wine prefix of its own.

#include "catalog/MapPictures.h"
#include "platform/SystemCuePlayer.h"
#include "platform/SystemProcessLauncher.h"
#include "platform/WinePrefix.h"
#include "store/StoreFiles.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

void writeProgram(const QString& path, const QByteArray& script) {
    test::writeFile(path, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

// A stand-in command that writes what `echo` makes of `what` into `out`.
QByteArray recorder(const QString& out, const QByteArray& what) {
    return "#!/bin/sh\necho \"" + what + "\" > '" + out.toUtf8() + "'\n";
}

QString appFile(const TestFolders& folders, const QString& name) {
    return folders.appFolder() + u'/' + name;
}

// Saves every slot with its own server name and a time limit of 30.
void saveEverySlot(const std::shared_ptr<TestFolders>& folders) {
    TestProgram p(folders);
    for (const char* slot : slotNames) {
        p.form.setText(ctl::cmboSaveGame, QString::fromLatin1(slot));
        p.form.setText(ctl::txtServerName, QString::fromLatin1(slot));
        p.form.setText(ctl::txtTimeLimit, QStringLiteral("30"));
        p.form.click(ctl::cmdSave);
    }
}

} // namespace

class TestUserDisk : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cuesAndThePlaceholderAreFoundWhateverTheirLetterCase() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("played"));
        writeProgram(dir.filePath(QStringLiteral("bin/aplay")), recorder(out, "$*"));
        qputenv("PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ':' + qgetenv("PATH"));
        const QString cue = dir.filePath(QStringLiteral("wavs/BEEP.WAV"));
        test::writeFile(cue, QByteArray("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0"
                                        "\x40\x1f\0\0\x01\0\x08\0data\0\0\0\0",
                                        44));
        SystemCuePlayer(dir.path()).play(QStringLiteral("beep.wav"));
        QTRY_COMPARE(QString::fromUtf8(test::readFile(out)), "-q " + cue + "\n");

        const QString picture = dir.filePath(QStringLiteral("Map_Images/UnknownMap.JPG"));
        test::touch(picture);
        QCOMPARE(placeholderPicture(dir.path()), picture);
    }

    void theStoreIsFoundWhateverItsLetterCase_data() {
        QTest::addColumn<QString>("spelling");
        QTest::addColumn<QStringList>("files"); // the store's files while the program runs
        QTest::newRow("store") << "Dock.sav" << QStringList{"dock.ldb", "Dock.sav"};
        QTest::newRow("finished copy") << "DOCK2.SAV" << QStringList{"dock.ldb", "dock.sav"};
    }
    void theStoreIsFoundWhateverItsLetterCase() {
        QFETCH(QString, spelling);
        QFETCH(QStringList, files);
        auto folders = std::make_shared<TestFolders>();
        saveEverySlot(folders);
        QVERIFY(QFile::rename(appFile(*folders, "dock.sav"), appFile(*folders, spelling)));
        TestProgram p(folders);
        p.form.setText(ctl::cmboSaveGame, QStringLiteral("Save Game #3"));
        p.form.click(ctl::cmdLoad);
        QCOMPARE(p.form.text(ctl::txtServerName), QStringLiteral("Save Game #3"));
        QVERIFY(p.startUp.messages().isEmpty());
        QCOMPARE(QDir(folders->appFolder()).entryList({"dock*"}), files);
    }

    // A store that cannot be opened at all is named, and the program ends.
    void aStoreThatCannotBeOpenedEndsTheProgram() {
        TestProgram p(TestProgram::Start::Later);
        QVERIFY(QDir().mkpath(appFile(*p.folders(), "dock.sav/in the way")));
        p.start();
        QVERIFY(p.form.isClosed(Window::frmFragDocker));
        QCOMPARE(p.startUp.messages().size(), 1);
        QVERIFY(p.startUp.messages().front().contains(appFile(*p.folders(), "dock.sav")));
    }

    void aStoreThatLacksPartsOfSlotsKeepsTheRest_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("slot");           // the slot remade
        QTest::addColumn<QString>("serverName"); // what it holds then
        QTest::newRow("table") << "DROP TABLE \"Save Game #4\"" << 4 << "Made By FragDocker";
        QTest::newRow("record") << "DELETE FROM \"Save Game #7\"" << 7 << "Made By FragDocker";
        QTest::newRow("column") << "ALTER TABLE \"Save Game #2\" DROP COLUMN TimeLimit" << 2
                                << "Save Game #2";
    }
    void aStoreThatLacksPartsOfSlotsKeepsTheRest() {
        QFETCH(QString, damage);
        QFETCH(int, slot);
        QFETCH(QString, serverName);
        auto folders = std::make_shared<TestFolders>();
        saveEverySlot(folders);
        const QString store = appFile(*folders, "dock.sav");
        QCOMPARE(test::execSql(store, damage), QString());
        TestProgram p(folders);
        const QString remade = QStringLiteral("Save Game #%1").arg(slot);
        const QStringList messages = p.startUp.messages();
        QVERIFY2(messages.size() == 1 && messages[0].contains(store) &&
                     messages[0].contains(remade) && !messages[0].contains(u"#1"),
                 qPrintable(messages.join(u'\n')));
        for (const char* name : slotNames) {
            const QString other = QString::fromLatin1(name);
            QCOMPARE(test::storedText(store, other, "ServerName"),
                     other == remade ? serverName : other);
            QCOMPARE(test::storedText(store, other, "TimeLimit"),
                     QString(other == remade ? "25" : "30"));
        }
        QStringList remadeChoices; // initial ones: a box off, a box on, an option not chosen
        for (const char* column : {"PureServer", "AllowPlayerVoting", "NonDedicated"})
            remadeChoices << test::storedText(store, remade, QString::fromLatin1(column));
        QCOMPARE(remadeChoices, QStringList({"0", "1", "0"}));
        QCOMPARE(QDir(folders->appFolder()).entryList({"dock*"}),
                 QStringList({"dock.ldb", "dock.sav"}));
    }

    void numbersTakeOnlySpacesAroundThem_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("bots");
        QTest::addColumn<QString>("refusal"); // empty: the game starts
        // clang-format off
        QTest::newRow("spaces")                        << " 3 "    << " 4 "  << "";
        QTest::newRow("damage after a tab")            << "\t3"    << "4"    << "is not a number";
        QTest::newRow("damage before a line break")    << "3\n"    << "4"    << "holds a line break";
        QTest::newRow("damage after a no-break space") << "\u00a03" << "4"    << "is not a number";
        QTest::newRow("bots after a tab")              << "3"      << "\t4"  << "THE NUMBER OF BOTS";
        QTest::newRow("bots before a line break")      << "3"      << "4\n"  << "holds a line break";
        // clang-format on
    }
    void numbersTakeOnlySpacesAroundThem() {
        QFETCH(QString, damage);
        QFETCH(QString, bots);
        QFETCH(QString, refusal);
        TestProgram p;
        p.makeDataFolder();
        p.form.setText(ctl::txtWeaponEnhancerDamage, damage);
        p.form.setText(ctl::txtNumberOfBotsToPlay, bots);
        // The folder given in another letter case than the disk's.
        p.form.setText(ctl::frmGamePath::txtGamePath,
                       p.gameFolder().replace("Elite Force", "ELITE FORCE"));
        p.form.click(ctl::cmdEngage);
        QCOMPARE(p.log.messages().value(0).contains(refusal), true);
        QCOMPARE(p.log.messages().size(), refusal.isEmpty() ? 0 : 1);
        if (refusal.isEmpty()) {
            QCOMPARE(p.launcher.workingFolder, p.gameFolder());
            QCOMPARE(p.launcher.program, p.gameFolder() + QStringLiteral("/stvoyHM.exe"));
        }
    }

    void theGameRunsInTheWinePrefixInUse() {
        qputenv("WINEPREFIX", "/games/ef prefix");
        QCOMPARE(winePrefixInUse(), QStringLiteral("/games/ef prefix"));
        qputenv("WINEPREFIX", "");
        QCOMPARE(winePrefixInUse(), QDir::homePath() + QStringLiteral("/.wine"));
        qunsetenv("WINEPREFIX");
        QCOMPARE(winePrefixInUse(), QDir::homePath() + QStringLiteral("/.wine"));

        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("started"));
        writeProgram(dir.filePath(QStringLiteral("bin/wine")),
                     recorder(out, "$WINEPREFIX|$PWD|$*"));
        qputenv("PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ':' + qgetenv("PATH"));
        const QString game = dir.filePath(QStringLiteral("game/stvoyHM.exe"));
        test::writeFile(game, "MZ");
        SystemProcessLauncher launcher(QStringLiteral("/games/ef prefix"));
        const Outcome<ProcessCommand> command =
            launcher.prepare(game, {"+exec", "fragdocker.cfg"}, dir.filePath("game"));
        QVERIFY(command.ok() && launcher.startDetached(*command).ok());
        QTRY_COMPARE(QString::fromUtf8(test::readFile(out)), "/games/ef prefix|" +
                                                                 dir.filePath("game") + "|" + game +
                                                                 " +exec fragdocker.cfg\n");
    }
};

QTEST_GUILESS_MAIN(TestUserDisk)
#include "tst_userdisk.moc"
