// The settings store file: a new store, the compaction at every start, the lock file, what an
// interrupted start leaves behind, and damaged stores.

#include "StoreFiles.h"
#include "store/SettingsStore.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QRandomGenerator>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

QString file(const TestFolders& folders, const char* name) {
    return folders.appFolder() + u'/' + QString::fromLatin1(name);
}

ino_t inodeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// A store whose seven slots each carry their own server name.
std::shared_ptr<TestFolders> foldersWithSavedSlots() {
    auto folders = std::make_shared<TestFolders>();
    TestProgram p(folders);
    for (int i = 0; i < int(slotNames.size()); ++i) {
        p.form.choose(ctl::cmboSaveGame, i);
        p.form.setText(ctl::txtServerName, u"Server of slot %1"_s.arg(i + 1));
        p.form.click(ctl::cmdSave);
    }
    return folders;
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aNewStoreHoldsSevenSlotsOfInitialSettings() {
        TestProgram p;
        const QString store = p.appFolder() + u"/dock.sav"_s;
        const QStringList initial{"GamePath=" + p.gameFolder(), "ServerName=Made By FragDocker",
                                  "MasterServer3=", "TurnBotsOn=1", "WriteMaxRate=0"};
        for (const char* name : slotNames) {
            const QString slot = QString::fromLatin1(name);
            const QStringList rows = test::tableRows(store, slot);
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.first().split(u'|').size(), int(settingsRecord.size()));
            for (const QString& value : initial + QStringList{"savefile=" + slot})
                QCOMPARE(test::storedText(store, slot, value.section(u'=', 0, 0)),
                         value.section(u'=', 1));
        }
        QVERIFY(p.startUp.messages().isEmpty());
    }

    void everyStartCompactsAndTheLockLastsWhileTheStoreIsOpen() {
        auto folders = foldersWithSavedSlots();
        const QString store = file(*folders, "dock.sav");
        const QStringList before = test::slotRows(store);
        for (int start = 0; start < 2; ++start) {
            const ino_t old = inodeOf(store);
            {
                TestProgram p(folders);
                QVERIFY(p.store.isOpen() && QFile::exists(file(*folders, "dock.ldb")));
                QVERIFY(inodeOf(store) != old); // a new file took the name
                QVERIFY(!QFile::exists(file(*folders, "dock2.sav")));
                QVERIFY(p.startUp.messages().isEmpty());
            }
            QVERIFY(!QFile::exists(file(*folders, "dock.ldb"))); // the lock goes with the store
        }
        QCOMPARE(test::slotRows(store), before);
    }

    void leftoversOfAnInterruptedStartAreSettled_data() {
        QTest::addColumn<QString>("leftover");
        QTest::newRow("unfinished copy beside the store") << "partial copy";
        QTest::newRow("finished copy without the store") << "finished copy";
        QTest::newRow("unfinished new store") << "partial new";
    }
    void leftoversOfAnInterruptedStartAreSettled() {
        QFETCH(QString, leftover);
        auto folders = foldersWithSavedSlots();
        const QString store = file(*folders, "dock.sav");
        const QStringList before = test::slotRows(store);
        if (leftover == u"partial copy") {
            test::writeFile(file(*folders, "dock2.sav"), test::readFile(store).left(700));
        } else if (leftover == u"finished copy") {
            QVERIFY(QFile::rename(store, file(*folders, "dock2.sav")));
        } else {
            test::writeFile(file(*folders, "dock.sav.new"), QByteArray("SQLite format 3"));
        }

        TestProgram p(folders);
        QVERIFY(p.startUp.messages().isEmpty());
        QCOMPARE(test::slotRows(store), before);
        QCOMPARE(QDir(folders->appFolder()).entryList({u"dock*"_s}),
                 QStringList({"dock.ldb", "dock.sav"}));
    }

    void aDamagedStoreIsKeptAsideAndANewOneMade_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("random bytes")        << "random"    << "file is not a database";
        QTest::newRow("a second damage")     << "second"    << "file is not a database";
        QTest::newRow("truncated")           << "truncated" << "malformed";
        QTest::newRow("empty file")          << "empty"     << "the save slot \"Save Game #1\" is missing";
        QTest::newRow("slot table missing")  << "drop"      << "the save slot \"Save Game #4\" is missing";
        QTest::newRow("column missing")      << "column"    << "the save slot \"Save Game #2\" has no column \"TimeLimit\"";
        QTest::newRow("slot without record") << "record"    << "the save slot \"Save Game #7\" holds no record";
        // clang-format on
    }
    void aDamagedStoreIsKeptAsideAndANewOneMade() {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        auto folders = foldersWithSavedSlots();
        const QString store = file(*folders, "dock.sav");
        if (damage == u"second") // one kept aside before: the next number is taken
            test::writeFile(file(*folders, "dock-damaged-1.sav"), "not a database");
        if (damage == u"random" || damage == u"second") {
            QByteArray noise(4096, '\0');
            QRandomGenerator generator(7);
            for (char& byte : noise)
                byte = char(generator.bounded(256));
            test::writeFile(store, noise);
        } else if (damage == u"truncated") {
            test::writeFile(store, test::readFile(store).left(4096 * 3));
        } else if (damage == u"empty") {
            test::writeFile(store, {});
        } else {
            const QString sql = damage == u"drop" ? "DROP TABLE \"Save Game #4\""
                                : damage == u"column"
                                    ? "ALTER TABLE \"Save Game #2\" DROP COLUMN TimeLimit"
                                    : "DELETE FROM \"Save Game #7\"";
            QCOMPARE(test::execSql(store, sql), QString());
        }
        const QByteArray damaged = test::readFile(store);

        TestProgram p(folders);
        const QString kept =
            file(*folders, damage == u"second" ? "dock-damaged-2.sav" : "dock-damaged-1.sav");
        QCOMPARE(test::readFile(kept), damaged);
        QCOMPARE(p.startUp.cues().last(), u"ralert.wav"_s);
        QCOMPARE(p.startUp.messages().size(), 1);
        const QString message = p.startUp.messages().first();
        QVERIFY2(message.contains(reason) && message.contains(kept) && message.contains(store),
                 qPrintable(message));

        // The program goes on with a new store.
        QVERIFY(p.store.isOpen());
        QCOMPARE(test::storedText(store, u"Save Game #4"_s, u"ServerName"_s),
                 u"Made By FragDocker"_s);
        p.form.setText(ctl::txtServerName, u"After the damage"_s);
        p.form.click(ctl::cmdSave);
        QCOMPARE(test::storedText(store, u"Save Game #1"_s, u"ServerName"_s),
                 u"After the damage"_s);
        QCOMPARE(p.log.messages(), QStringList());
    }

    void aStoreThatCannotBeMadeEndsTheProgramWithAMessage() {
        auto folders = std::make_shared<TestFolders>();
        // A folder in the place of the store: nothing can be opened or made there.
        QVERIFY(QDir().mkpath(file(*folders, "dock.sav") + u"/inside"_s));
        TestProgram p(folders);
        QVERIFY(!p.store.isOpen());
        QCOMPARE(p.startUp.messages().size(), 1);
        QVERIFY(p.startUp.messages().first().contains(file(*folders, "dock.sav")));
        QVERIFY(p.form.isClosed(Window::frmFragDocker));
        QVERIFY(QDir(file(*folders, "dock.sav") + u"/inside"_s).exists());
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
