// Save and Load through the Save/Load tab: every setting's round trip, what a load does with
// the rules between settings, the list files, and refused slot names.

#include "StoreFiles.h"
#include "core/TextFile.h"
#include "store/SettingsStore.h"
#include "store/SlotRecord.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

// A value other than the initial one in every setting, each as a user could put it there.
void changeEverySetting(FormModel& form) {
    for (const Field& field : settingsRecord) {
        if (field.kind == FieldKind::Check)
            form.setValue(field.control.as<CheckBox>(), qstrcmp(field.initial, "1") == 0 ? 0 : 1);
        else if (field.kind == FieldKind::Text)
            form.setText(field.control.as<TextBox>(),
                         u"  %1  value "_s.arg(QLatin1String(field.name)));
    }
    form.select(ctl::optionNonDedicated);
    form.select(ctl::optionTeamDeathMatch); // clears the modifications
    form.select(ctl::optionBotSkillCaptain);
    form.setValue(ctl::chkAssimilation, 1); // Team Death Match allows it alone
    form.choose(ctl::cmboSaveGame, 2);
    form.setText(ctl::txtSaveGameDescription, u"  A  described slot "_s);
}

QString savedFile(const TestProgram& p, const QString& name) {
    return p.appFolder() + u"/saved/"_s + name;
}

void loadSlot(TestProgram& p, int index) {
    p.form.choose(ctl::cmboSaveGame, index);
    p.form.click(ctl::cmdLoad);
}

} // namespace

class TestSaveLoad : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everySettingSurvivesASaveAndALoad() {
        auto folders = std::make_shared<TestFolders>();
        StoredRecord saved;
        {
            TestProgram p(folders);
            changeEverySetting(p.form);
            p.form.setText(ctl::frmGamePath::txtGamePath, u" /elsewhere/Elite Force "_s);
            p.form.click(ctl::cmdSave);
            QCOMPARE(p.log.messages(), QStringList());
            saved = recordFromControls(p.form);
            // The controls keep their spaces; only the stored copy is trimmed.
            QCOMPARE(p.form.text(ctl::txtServerName), u"  ServerName  value "_s);
            QCOMPARE(test::storedText(p.store.path(), u"Save Game #3"_s, u"ServerName"_s),
                     u"ServerName  value"_s);
        }
        TestProgram p(folders);
        QVERIFY(recordFromControls(p.form) != saved);
        p.log.events.clear();
        loadSlot(p, 2);
        QVERIFY(recordFromControls(p.form) == saved);
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), u"/elsewhere/Elite Force"_s);
        QCOMPARE(p.form.text(ctl::txtSaveGameDescription), u"A  described slot"_s);
        QCOMPARE(p.form.text(ctl::txtMaxPlayers), u"MaxPlayers  value"_s);
        QCOMPARE(p.form.value(ctl::chkPureServer), 1);
        QVERIFY(p.form.selected(ctl::optionBotSkillCaptain));
        QCOMPARE(p.form.text(ctl::txtGamePath), p.gameFolder()); // the copy is not refreshed
        QCOMPARE(p.log.cues(), QStringList({"filesrec.wav"}));
    }

    // A save writes its slot only, then its lists (the folder made while the first cue plays,
    // to its end); a load appends the lists, the old entries first, and keeps lists without file.
    void saveWritesOneSlotAndItsListsAndLoadsAppend() {
        TestProgram p;
        const QStringList before = test::slotRows(p.store.path());
        const QStringList maps{"hm_borg1", "  spaced  ", "hm_borg1", ""};
        const QStringList bots{"Munro  3", "Chell"};
        for (const QString& map : maps)
            p.form.addItem(ctl::List2, map);
        for (const QString& bot : bots)
            p.form.addItem(ctl::list4, bot);
        p.form.choose(ctl::cmboSaveGame, 2);
        p.form.setText(ctl::txtServerName, u"Only slot 3"_s);
        p.form.click(ctl::cmdSave);
        QCOMPARE(p.log.events, QStringList({"cue working.wav (to end)", "cue trancomp.wav"}));
        QCOMPARE(test::readFile(savedFile(p, "Save Game #3.maps")),
                 QByteArray("hm_borg1\r\n  spaced  \r\nhm_borg1\r\n\r\n"));
        QCOMPARE(test::readFile(savedFile(p, "Save Game #3.bot")),
                 QByteArray("Munro  3\r\nChell\r\n"));
        QStringList after = test::slotRows(p.store.path());
        QVERIFY(after.takeAt(5).contains(u"Only slot 3"_s)); // the row of "Save Game #3"
        QCOMPARE(after, before.mid(0, 5) + before.mid(6));

        p.form.click(ctl::cmdLoad);
        QCOMPARE(p.form.items(ctl::List2), maps + maps);
        QCOMPARE(p.form.items(ctl::list4), bots + bots);
        test::writeFile(savedFile(p, "Save Game #4.maps"), "hm_voy1\r\n hm_dm \r\nno break");
        p.form.clear(ctl::List2);
        loadSlot(p, 3);
        QCOMPARE(p.form.items(ctl::List2), QStringList({"hm_voy1", " hm_dm ", "no break"}));
        QCOMPARE(p.form.items(ctl::list4), bots + bots);
        QCOMPARE(p.log.messages(), QStringList());
    }

    // The store and the list files hold passwords: private whatever the umask, also a store that
    // was not. A link planted at a list file's name, or at the name its new content is written
    // under, is replaced, and the file it points to stays as it was.
    void savedFilesArePrivateAndFollowNoPlantedLink_data() {
        QTest::addColumn<int>("mask");
        QTest::newRow("umask 022") << 022;
        QTest::newRow("umask 077") << 077;
    }
    void savedFilesArePrivateAndFollowNoPlantedLink() {
        QFETCH(int, mask);
        auto folders = std::make_shared<TestFolders>();
        { TestProgram first(folders); }
        const QString store = folders->appFolder() + u"/dock.sav"_s, mine = store + u".mine"_s;
        QCOMPARE(::chmod(QFile::encodeName(store), 0644), 0);
        const ino_t storeFile = test::inodeOf(store);
        test::writeFile(mine, "mine");
        QVERIFY(QDir().mkpath(folders->appFolder() + u"/saved"_s));
        const QString maps = folders->appFolder() + u"/saved/Save Game #3.maps"_s,
                      bots = folders->appFolder() + u"/saved/Save Game #3.bot"_s;
        QVERIFY(QFile::link(mine, maps + u".new"_s) && QFile::link(mine, bots));
        const mode_t before = ::umask(mode_t(mask));
        TestProgram p(folders);
        p.form.addItem(ctl::List2, u"hm_voy1"_s);
        p.form.addItem(ctl::list4, u"Munro"_s);
        p.form.choose(ctl::cmboSaveGame, 2);
        p.form.click(ctl::cmdSave);
        ::umask(before);
        QCOMPARE(p.log.messages(), QStringList());
        for (const QString& file : {store, maps, bots})
            QCOMPARE(test::regularFileMode(file), 0600);
        QCOMPARE(test::readFile(maps) + test::readFile(bots), QByteArray("hm_voy1\r\nMunro\r\n"));
        QCOMPARE(test::readFile(mine), QByteArray("mine"));
        QCOMPARE(test::inodeOf(store), storeFile); // made private in place, not rewritten
    }

    void aTextThatNamesNoSlotIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("an eighth slot") << "Save Game #8";
        QTest::newRow("other case") << "save game #1";
        QTest::newRow("a path") << "../../dock";
        QTest::newRow("empty") << "";
    }
    void aTextThatNamesNoSlotIsRefused() {
        QFETCH(QString, typed);
        TestProgram p;
        const QStringList rows = test::slotRows(p.store.path());
        p.form.setText(ctl::cmboSaveGame, typed);
        p.form.setText(ctl::txtServerName, u"not saved"_s);
        for (Button command : {ctl::cmdSave, ctl::cmdLoad}) {
            p.log.events.clear();
            p.form.click(command);
            QCOMPARE(p.log.cues(), QStringList({"ralert.wav"}));
            QCOMPARE(p.log.messages().size(), 1);
            QVERIFY(p.log.messages().first().contains(u'"' + typed + u'"'));
        }
        QCOMPARE(p.form.text(ctl::txtServerName), u"not saved"_s);
        QCOMPARE(test::slotRows(p.store.path()), rows);
        QVERIFY(!QFile::exists(p.appFolder() + u"/saved"_s));
    }
};

QTEST_MAIN(TestSaveLoad)
#include "tst_saveload.moc"
