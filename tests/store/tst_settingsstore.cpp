// The settings store file: a new store, the compaction at every start, the lock file, what an
// interrupted start leaves behind, and damaged stores.

#include "StoreFiles.h"
#include "store/SettingsStore.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QRandomGenerator>

#include <sys/stat.h>

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
        p.form.setText(ctl::txtServerName, QStringLiteral("Server of slot %1").arg(i + 1));
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
        const QString store = p.appFolder() + QStringLiteral("/dock.sav");
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
        QCOMPARE(QDir(folders->appFolder()).entryList({QStringLiteral("dock*")}),
                 QStringList({"dock.ldb", "dock.sav"}));
    }

    void aDamagedStoreIsKeptAsideAndANewOneMade_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("random bytes")        << "random"    << "file is not a database";
        QTest::newRow("truncated")           << "truncated" << "malformed";
        // clang-format on
    }
    void aDamagedStoreIsKeptAsideAndANewOneMade() {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        auto folders = foldersWithSavedSlots();
        const QString store = file(*folders, "dock.sav");
        if (damage == u"random") {
            QByteArray noise(4096, '\0');
            QRandomGenerator generator(7);
            for (char& byte : noise)
                byte = char(generator.bounded(256));
            test::writeFile(store, noise);
        } else { // truncated
            test::writeFile(store, test::readFile(store).left(4096 * 3));
        }
        const QByteArray damaged = test::readFile(store);

        TestProgram p(folders);
        const QString kept = file(*folders, "dock-damaged-1.sav");
        QCOMPARE(test::readFile(kept), damaged);
        QCOMPARE(p.startUp.cues().last(), QStringLiteral("ralert.wav"));
        QCOMPARE(p.startUp.messages().size(), 1);
        const QString message = p.startUp.messages().value(0);
        QVERIFY2(message.contains(reason) && message.contains(kept) && message.contains(store),
                 qPrintable(message));

        // The program goes on with a new store.
        QVERIFY(p.store.isOpen());
        QCOMPARE(
            test::storedText(store, QStringLiteral("Save Game #4"), QStringLiteral("ServerName")),
            QStringLiteral("Made By FragDocker"));
        p.form.setText(ctl::txtServerName, QStringLiteral("After the damage"));
        p.form.click(ctl::cmdSave);
        p.form.setText(ctl::txtServerName, QString());
        p.form.click(ctl::cmdLoad);
        QCOMPARE(p.form.text(ctl::txtServerName), QStringLiteral("After the damage"));
        QVERIFY(p.log.messages().isEmpty());
        QVERIFY(!p.form.isClosed(Window::frmFragDocker));
    }

    void aSecondDamagedStoreGetsANameOfItsOwn() {
        auto folders = std::make_shared<TestFolders>();
        const QString store = file(*folders, "dock.sav");
        for (int n = 1; n <= 2; ++n) {
            test::writeFile(
                store, QByteArray("not a database, take %1").replace("%1", QByteArray::number(n)));
            TestProgram p(folders);
            QVERIFY(p.startUp.messages().value(0).contains(file(
                *folders, QStringLiteral("dock-damaged-%1.sav").arg(n).toLatin1().constData())));
        }
        QCOMPARE(test::readFile(file(*folders, "dock-damaged-1.sav")),
                 QByteArray("not a database, take 1"));
    }

    void aFailedCompactionLeavesNoCopyBehind() {
        TestProgram p;
        p.store.close();
        // The copy's name leads into a folder that does not exist, so writing the copy fails.
        const QString copy = p.appFolder() + QStringLiteral("/dock2.sav");
        QVERIFY(QFile::link(p.appFolder() + QStringLiteral("/no folder/dock2.sav"), copy));
        const StoreStep step = SettingsStore::compact(p.appFolder());
        QCOMPARE(step.outcome, StoreStep::Failed);
        QVERIFY2(step.detail.contains(copy), qPrintable(step.detail));
        QVERIFY(!QFileInfo(copy).isSymLink() && !QFile::exists(copy));
    }

    void aStoreThatCannotBeMadeEndsTheProgramWithAMessage() {
        auto folders = std::make_shared<TestFolders>();
        // A folder in the place of the store: nothing can be opened or made there.
        QVERIFY(QDir().mkpath(file(*folders, "dock.sav") + QStringLiteral("/inside")));
        TestProgram p(folders);
        QVERIFY(!p.store.isOpen());
        QCOMPARE(p.startUp.messages().size(), 1);
        QVERIFY(p.startUp.messages().first().contains(file(*folders, "dock.sav")));
        QVERIFY(p.form.isClosed(Window::frmFragDocker));
        QVERIFY(QDir(file(*folders, "dock.sav") + QStringLiteral("/inside")).exists());
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
