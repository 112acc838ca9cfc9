// Save and Load through the Save/Load tab: every setting's round trip, what a load does with
// the rules between settings, the list files, and refused slot names.

#include "StoreFiles.h"
#include "core/TextFile.h"
#include "store/SettingsStore.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

constexpr std::array modifications{ctl::chkAssimilation, ctl::chkSpecialties,
                                   ctl::chkDisintegration, ctl::chkElimination, ctl::chkActionHero};

bool isModification(const Field& field) {
    for (CheckBox box : modifications)
        if (qstrcmp(box.name, field.control) == 0)
            return true;
    return false;
}

bool isChooser(const Field& field) {
    return qstrcmp(field.control, ctl::cmboSaveGame.name) == 0;
}

// Every setting as "name=value"; texts trimmed of spaces when asked, as a save stores them.
QStringList settings(const FormModel& form, bool trimmed = false) {
    QStringList values;
    for (const Field& field : settingsRecord) {
        QString value;
        switch (field.kind) {
        case FieldKind::Text:
            value =
                isChooser(field) ? form.text(ctl::cmboSaveGame) : form.text(TextBox{field.control});
            value = trimmed ? text::trimSpaces(value) : value;
            break;
        case FieldKind::Check:
            value = QString::number(form.value(CheckBox{field.control}));
            break;
        case FieldKind::Option:
            value = form.selected(OptionButton{field.control}) ? QStringLiteral("true")
                                                               : QStringLiteral("false");
            break;
        case FieldKind::Flag:
            continue;
        }
        values << QString::fromLatin1(field.name) + u'=' + value;
    }
    return values;
}

// A value other than the initial one in every setting, each as a user could put it there.
void changeEverySetting(FormModel& form) {
    form.select(ctl::optionNonDedicated);
    form.select(ctl::optionTeamDeathMatch);
    form.select(ctl::optionBotSkillCaptain);
    form.setValue(ctl::chkAssimilation, 1); // Team Death Match allows it alone
    for (const Field& field : settingsRecord) {
        if (field.kind == FieldKind::Check && !isModification(field))
            form.setValue(CheckBox{field.control}, qstrcmp(field.initial, "1") == 0 ? 0 : 1);
        else if (field.kind == FieldKind::Text && !isChooser(field))
            form.setText(TextBox{field.control},
                         QStringLiteral("  %1  value ").arg(QString::fromLatin1(field.name)));
    }
    form.choose(ctl::cmboSaveGame, 2);
    form.setText(ctl::txtSaveGameDescription, QStringLiteral("  A  described slot "));
}

StoredRecord recordOf(TestProgram& p, const QString& slot) {
    StoredRecord record;
    [&] { QCOMPARE(p.store.read(slot, record), QString()); }();
    return record;
}

void setStored(StoredRecord& record, const char* name, StoredValue value) {
    for (std::size_t i = 0; i < settingsRecord.size(); ++i)
        if (qstrcmp(settingsRecord[i].name, name) == 0)
            record[i] = value;
}

QString savedFile(const TestProgram& p, const QString& name) {
    return p.appFolder() + QStringLiteral("/saved/") + name;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
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
        QStringList saved;
        {
            TestProgram p(folders);
            changeEverySetting(p.form);
            p.form.setText(ctl::frmGamePath::txtGamePath,
                           QStringLiteral(" /elsewhere/Elite Force "));
            p.form.click(ctl::cmdSave);
            QCOMPARE(p.log.messages(), QStringList());
            saved = settings(p.form, true);
            // The controls keep their spaces; only the stored copy is trimmed.
            QCOMPARE(p.form.text(ctl::txtServerName), QStringLiteral("  ServerName  value "));
            QCOMPARE(test::storedText(p.store.path(), QStringLiteral("Save Game #3"),
                                      QStringLiteral("ServerName")),
                     QStringLiteral("ServerName  value"));
        }
        TestProgram p(folders);
        QVERIFY(settings(p.form) != saved);
        p.log.events.clear();
        loadSlot(p, 2);
        QCOMPARE(settings(p.form), saved);
        QCOMPARE(p.form.text(ctl::txtSaveGameDescription), QStringLiteral("A  described slot"));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath),
                 QStringLiteral("/elsewhere/Elite Force"));
        QCOMPARE(p.form.text(ctl::txtGamePath), p.gameFolder()); // the copy is not refreshed
        QCOMPARE(p.log.cues(), QStringList({"filesrec.wav"}));
    }

    void initialSettingsComeBackWithEmptyMasterServers() {
        TestProgram p;
        p.form.click(ctl::cmdSave);
        p.form.setText(ctl::txtServerName, QStringLiteral("changed"));
        p.form.click(ctl::cmdLoad);
        QCOMPARE(p.form.text(ctl::txtServerName), QStringLiteral("Made By FragDocker"));
        for (TextBox box : {ctl::txtMasterServer3, ctl::txtMasterServer4, ctl::txtMasterServer5})
            QCOMPARE(p.form.text(box), QString());
        QCOMPARE(p.form.text(ctl::txtMasterServer2), QString::fromLatin1(defaultMasterServer));
        QCOMPARE(test::storedText(p.store.path(), QStringLiteral("Save Game #1"),
                                  QStringLiteral("WriteMaxRate")),
                 QStringLiteral("0"));
    }

    void aCaptureTheFlagRecordKeepsItsStoredLimits() {
        TestProgram p;
        StoredRecord record = recordOf(p, QStringLiteral("Save Game #2"));
        setStored(record, "DeathMatch", false);
        setStored(record, "CaptureTheFlag", true);
        setStored(record, "FragLimit", QStringLiteral("7"));
        setStored(record, "CaptureLimit", QStringLiteral("9"));
        QCOMPARE(p.store.write(QStringLiteral("Save Game #2"), record), QString());
        loadSlot(p, 1);
        QVERIFY(p.form.selected(ctl::optionCTF));
        QCOMPARE(p.form.text(ctl::txtCaptureLimit), QStringLiteral("9"));
        QCOMPARE(p.form.text(ctl::txtFragLimit), QStringLiteral("7"));
        QCOMPARE(p.form.text(ctl::txtGameType), QStringLiteral("4"));
    }

    // The modifications as the game type rules leave them when the stored values are set in
    // the record's order after the game type, as clicks in that order would.
    void modificationsLoadAsTheRulesAllow_data() {
        QTest::addColumn<QString>("gameType");
        QTest::addColumn<QList<int>>("stored"); // Assimilation .. Action Hero
        QTest::addColumn<QList<int>>("loaded");
        QTest::addColumn<QList<int>>("visible");
        QTest::newRow("team, assimilation alone")
            << "TeamDeathMatch" << QList<int>{1, 0, 0, 0, 0} << QList<int>{1, 0, 0, 0, 0}
            << QList<int>{1, 1, 0, 0, 0};
        QTest::newRow("team, disintegration clears specialties")
            << "TeamDeathMatch" << QList<int>{0, 1, 1, 0, 0} << QList<int>{0, 0, 1, 0, 0}
            << QList<int>{1, 0, 1, 1, 0};
        QTest::newRow("capture the flag keeps both, hidden")
            << "CaptureTheFlag" << QList<int>{0, 1, 1, 0, 0} << QList<int>{0, 1, 1, 0, 0}
            << QList<int>{0, 0, 0, 0, 0};
    }
    void modificationsLoadAsTheRulesAllow() {
        QFETCH(QString, gameType);
        QFETCH(QList<int>, stored);
        QFETCH(QList<int>, loaded);
        QFETCH(QList<int>, visible);
        TestProgram p;
        StoredRecord record = recordOf(p, QStringLiteral("Save Game #5"));
        setStored(record, "DeathMatch", false);
        setStored(record, gameType.toLatin1().constData(), true);
        int i = 0;
        for (const Field& field : settingsRecord)
            if (isModification(field))
                record[std::size_t(&field - settingsRecord.data())] = stored[i++] == 1;
        QCOMPARE(p.store.write(QStringLiteral("Save Game #5"), record), QString());
        loadSlot(p, 4);
        for (std::size_t m = 0; m < modifications.size(); ++m) {
            QCOMPARE(p.form.value(modifications[m]), loaded[qsizetype(m)]);
            QCOMPARE(int(p.form.visible(modifications[m])), visible[qsizetype(m)]);
        }
    }

    void nullsLoadAsEmptyUncheckedAndUnselected() {
        TestProgram p;
        QCOMPARE(p.store.write(QStringLiteral("Save Game #6"), StoredRecord{}), QString());
        p.form.addItem(ctl::List2, QStringLiteral("kept"));
        loadSlot(p, 5);
        QCOMPARE(p.log.messages(), QStringList());
        for (const QString& setting : settings(p.form)) {
            const QString value = setting.section(u'=', 1);
            QVERIFY2(value.isEmpty() || value == u"0" || value == u"false", qPrintable(setting));
        }
        QCOMPARE(p.form.items(ctl::List2), QStringList({"kept"}));
    }

    void theLastTrueOptionOfAGroupWins() {
        TestProgram p;
        StoredRecord record = recordOf(p, QStringLiteral("Save Game #7"));
        setStored(record, "Dedicated", true);
        setStored(record, "NonDedicated", true);
        setStored(record, "BotSkillEnsign", true);
        setStored(record, "BotSkillCaptain", true);
        QCOMPARE(p.store.write(QStringLiteral("Save Game #7"), record), QString());
        loadSlot(p, 6);
        QVERIFY(p.form.selected(ctl::optionNonDedicated) && !p.form.selected(ctl::optionDedicated));
        QVERIFY(p.form.selected(ctl::optionBotSkillCaptain));
        QVERIFY(!p.form.selected(ctl::optionBotSkillEnsign));
    }

    void savingOneSlotLeavesTheOthersUntouched() {
        TestProgram p;
        const QStringList before = test::slotRows(p.store.path());
        p.form.choose(ctl::cmboSaveGame, 3);
        p.form.setText(ctl::txtServerName, QStringLiteral("Only slot 4"));
        p.form.click(ctl::cmdSave);
        const QStringList after = test::slotRows(p.store.path());
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            if (i != 7) // the name and the row of "Save Game #4"
                QCOMPARE(after[i], before[i]);
        QVERIFY(after[7].contains(QStringLiteral("Only slot 4")));
    }

    void saveWritesTheRecordThenTheListsBetweenItsCues() {
        TestProgram p;
        QStringList seenWhilePlaying;
        p.cues.whilePlaying = [&](const QString&) {
            seenWhilePlaying << QString::number(QFile::exists(savedFile(p, "Save Game #1.bot")));
        };
        QVERIFY(!QFile::exists(p.appFolder() + QStringLiteral("/saved")));
        p.log.events.clear();
        p.form.click(ctl::cmdSave);
        QCOMPARE(p.log.events, QStringList({"cue working.wav (to end)", "cue trancomp.wav"}));
        QCOMPARE(seenWhilePlaying, QStringList({"0", "1"}));
        QCOMPARE(bytesOf(savedFile(p, "Save Game #1.bot")), QByteArray());
        QCOMPARE(bytesOf(savedFile(p, "Save Game #1.maps")), QByteArray());
    }

    void listsRoundTripAndLoadsAppend() {
        TestProgram p;
        const QStringList maps{"hm_borg1", "  spaced  ", "hm_borg1", ""};
        const QStringList bots{"Munro  3", "Chell"};
        for (const QString& map : maps)
            p.form.addItem(ctl::List2, map);
        for (const QString& bot : bots)
            p.form.addItem(ctl::list4, bot);
        p.form.choose(ctl::cmboSaveGame, 2);
        p.form.click(ctl::cmdSave);
        QCOMPARE(bytesOf(savedFile(p, "Save Game #3.maps")),
                 QByteArray("hm_borg1\r\n  spaced  \r\nhm_borg1\r\n\r\n"));
        QCOMPARE(bytesOf(savedFile(p, "Save Game #3.bot")), QByteArray("Munro  3\r\nChell\r\n"));

        p.form.click(ctl::cmdLoad); // without clearing: every entry twice, the old ones first
        QCOMPARE(p.form.items(ctl::List2), maps + maps);
        QCOMPARE(p.form.items(ctl::list4), bots + bots);
        p.form.clear(ctl::List2);
        p.form.clear(ctl::list4);
        p.form.click(ctl::cmdLoad);
        QCOMPARE(p.form.items(ctl::List2), maps);
        QCOMPARE(p.form.items(ctl::list4), bots);
    }

    void missingListFilesChangeNothingAndHandWrittenOnesLoad() {
        TestProgram p;
        p.form.addItem(ctl::list4, QStringLiteral("Tuvok"));
        loadSlot(p, 3); // no list files for this slot
        QCOMPARE(p.form.items(ctl::list4), QStringList({"Tuvok"}));
        QCOMPARE(p.form.count(ctl::List2), 0);

        QDir().mkpath(p.appFolder() + QStringLiteral("/saved"));
        QFile hand(savedFile(p, "Save Game #4.maps"));
        QVERIFY(hand.open(QIODevice::WriteOnly));
        hand.write("hm_voy1\r\nctf_kln1\r\n hm_dm \r\nlast without break");
        hand.close();
        p.form.click(ctl::cmdLoad);
        QCOMPARE(p.form.items(ctl::List2),
                 QStringList({"hm_voy1", "ctf_kln1", " hm_dm ", "last without break"}));
        QCOMPARE(p.log.messages(), QStringList());
    }

    void typingIntoTheChooserEmptiesTheDescription() {
        TestProgram p;
        p.form.setText(ctl::txtSaveGameDescription, QStringLiteral("kept"));
        p.form.choose(ctl::cmboSaveGame, 4);
        QCOMPARE(p.form.text(ctl::txtSaveGameDescription), QStringLiteral("kept"));
        p.form.setText(ctl::cmboSaveGame, QStringLiteral("Save Game #"));
        QCOMPARE(p.form.text(ctl::txtSaveGameDescription), QString());
    }

    void aTextThatNamesNoSlotIsRefused_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("an eighth slot") << "Save Game #8";
        QTest::newRow("trailing space") << "Save Game #1 ";
        QTest::newRow("other case") << "save game #1";
        QTest::newRow("a path") << "../../dock";
        QTest::newRow("empty") << "";
    }
    void aTextThatNamesNoSlotIsRefused() {
        QFETCH(QString, typed);
        TestProgram p;
        const QStringList rows = test::slotRows(p.store.path());
        p.form.setText(ctl::cmboSaveGame, typed);
        p.form.setText(ctl::txtServerName, QStringLiteral("not saved"));
        for (Button command : {ctl::cmdSave, ctl::cmdLoad}) {
            p.log.events.clear();
            p.form.click(command);
            QCOMPARE(p.log.cues(), QStringList({"ralert.wav"}));
            QCOMPARE(p.log.messages().size(), 1);
            QVERIFY(p.log.messages().first().contains(u'"' + typed + u'"'));
        }
        QCOMPARE(p.form.text(ctl::txtServerName), QStringLiteral("not saved"));
        QCOMPARE(test::slotRows(p.store.path()), rows);
        QCOMPARE(QDir(p.appFolder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList({"dock.ldb", "dock.sav", "path.ini"}));
    }

    void aSlotTheStoreLostIsReportedAndNoListIsWritten() {
        TestProgram p;
        QCOMPARE(test::execSql(p.store.path(), QStringLiteral("DROP TABLE \"Save Game #2\"")),
                 QString());
        p.form.choose(ctl::cmboSaveGame, 1);
        p.log.events.clear();
        p.form.click(ctl::cmdSave);
        QCOMPARE(p.log.cues(), QStringList({"working.wav (to end)", "ralert.wav"}));
        const QString message = p.log.messages().value(0);
        QVERIFY2(message.contains(QStringLiteral("Save Game #2")) &&
                     message.contains(p.store.path()),
                 qPrintable(message));
        QVERIFY(!QFile::exists(savedFile(p, "Save Game #2.bot")));
    }

    void aLoadedSetUpWritesTheSameScript() {
        auto folders = std::make_shared<TestFolders>();
        QByteArray before;
        {
            TestProgram p(folders);
            p.makeDataFolder();
            p.form.setText(ctl::txtServerName, QStringLiteral("Voyager"));
            p.form.select(ctl::optionCTF);
            p.form.setText(ctl::txtNumberOfBotsToPlay, QStringLiteral("3"));
            for (TextBox box :
                 {ctl::txtMasterServer3, ctl::txtMasterServer4, ctl::txtMasterServer5})
                p.form.setText(box, QStringLiteral("master.example.org"));
            p.form.addItem(ctl::List2, QStringLiteral("ctf_voy1"));
            p.form.addItem(ctl::List2, QStringLiteral("ctf_kln1"));
            p.form.addItem(ctl::list4, QStringLiteral("Munro 4"));
            p.form.choose(ctl::cmboSaveGame, 2);
            p.form.click(ctl::cmdSave);
            p.form.click(ctl::cmdEngage);
            before = p.readGameFile(QStringLiteral("baseEF/FragDocker.cfg"));
        }
        TestProgram p(folders);
        loadSlot(p, 2);
        p.form.click(ctl::cmdEngage);
        QVERIFY(!before.isEmpty());
        QCOMPARE(p.readGameFile(QStringLiteral("baseEF/FragDocker.cfg")), before);
    }
};

QTEST_MAIN(TestSaveLoad)
#include "tst_saveload.moc"
