// ENGAGE: the script written into the game folder, the refusals, and the start of the game.

#include "core/TextFile.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace fd;
using fd::test::TestProgram;

namespace {

const QString scriptFile = QStringLiteral("baseEF/FragDocker.cfg");
const QString botRefusal =
    QStringLiteral("If you have BOTS ENABLED you must specify THE NUMBER OF BOTS TO PLAY");

QByteArray golden(const char* name) {
    QFile file(QStringLiteral(FD_TEST_DATA "/engage/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> scriptLines(const TestProgram& p) {
    QList<QByteArray> lines = p.readGameFile(scriptFile).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        line.chop(1); // the CR
    return lines;
}

bool allWindowsClosed(const FormModel& form) {
    return form.isClosed(Window::frmGamePath) && form.isClosed(Window::frmFragDocker) &&
           form.isClosed(Window::frmErrorMap) && form.isClosed(Window::frmFragdockerRunning);
}

// A program ready for ENGAGE: the data folder made and the bots off.
struct ReadyProgram : TestProgram {
    ReadyProgram() {
        makeDataFolder();
        form.setValue(ctl::chkTurnBotsOn, 0);
    }
};

} // namespace

class TestEngage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initialSettingsWithBotsOffGiveTheReferenceScript() {
        ReadyProgram p;
        p.form.click(ctl::cmdEngage);
        QCOMPARE(p.readGameFile(scriptFile), golden("initial-bots-off.cfg"));
        QCOMPARE(p.log.events.first(), QStringLiteral("cue engage.wav"));
        QCOMPARE(p.launcher.program, p.gameFolder() + QStringLiteral("/stvoyHM.exe"));
        QCOMPARE(p.launcher.arguments,
                 QStringList({"+set", "dedicated", "1", "+exec", "fragdocker.cfg"}));
        QCOMPARE(p.launcher.workingFolder, p.gameFolder());
        QVERIFY(allWindowsClosed(p.form));
    }

    void missingNumberOfBotsIsRefused_data() {
        QTest::addColumn<QString>("bots");
        QTest::newRow("zero") << "0";
        QTest::newRow("empty") << "";
        QTest::newRow("not a number") << "x";
        QTest::newRow("negative") << "-1";
    }
    void missingNumberOfBotsIsRefused() {
        QFETCH(QString, bots);
        TestProgram p;
        p.makeDataFolder();
        p.form.setText(ctl::txtNumberOfBotsToPlay, bots);
        p.form.click(ctl::cmdEngage);

        const QList<QByteArray> lines = scriptLines(p);
        QCOMPARE(lines.size(), 24); // lines 1 to 31, less those not written by default
        QCOMPARE(lines.last(), QByteArray("seta bot_nochat \"0\""));
        QCOMPARE(p.log.events,
                 QStringList({"cue engage.wav", "cue ralert.wav", "message " + botRefusal}));
        QVERIFY(!p.form.isClosed(Window::frmFragDocker));
    }

    void botsOnWithANumberWriteTheBotCountAndTheRoster() {
        TestProgram p;
        p.makeDataFolder();
        p.form.setText(ctl::txtNumberOfBotsToPlay, QStringLiteral("4"));
        p.form.addItem(ctl::list4, QStringLiteral("Munro  "));
        p.form.addItem(ctl::list4, QStringLiteral("Chell 3"));
        p.form.click(ctl::cmdEngage);
        const QList<QByteArray> lines = scriptLines(p);
        QVERIFY(lines.contains("seta bot_minplayers \"4\""));
        QCOMPARE(lines.mid(lines.size() - 2),
                 QList<QByteArray>({"addbot Munro  ", "addbot Chell 3"}));
        QCOMPARE(p.form.text(ctl::txtMoreBots), QStringLiteral("4"));
    }

    void botsOffStillWriteTheRosterButNoBotCount() {
        ReadyProgram p;
        p.form.addItem(ctl::list4, QStringLiteral("Tuvok"));
        p.form.click(ctl::cmdEngage);
        const QList<QByteArray> lines = scriptLines(p);
        QCOMPARE(lines.last(), QByteArray("addbot Tuvok"));
        for (const QByteArray& line : lines)
            QVERIFY(!line.startsWith("seta bot_minplayers"));
    }

    void mapRotationBecomesAChainOfVariables_data() {
        QTest::addColumn<QStringList>("maps");
        QTest::addColumn<QList<QByteArray>>("block");
        QTest::newRow("one map") << QStringList({"hm_borg1"})
                                 << QList<QByteArray>(
                                        {"Set d1 \"map hm_borg1; set nextmap vstr d2\"",
                                         "set \"nextmap vstr d1\"", "wait", "vstr d1"});
        QTest::newRow("two maps") << QStringList({"A", "B"})
                                  << QList<QByteArray>({"Set d1 \"map A; set nextmap vstr d2\"",
                                                        "Set d2 \"map B; set nextmap vstr d3\"",
                                                        "set \"nextmap vstr d1\"", "wait",
                                                        "vstr d1"});
    }
    void mapRotationBecomesAChainOfVariables() {
        QFETCH(QStringList, maps);
        QFETCH(QList<QByteArray>, block);
        ReadyProgram p;
        for (const QString& map : maps)
            p.form.addItem(ctl::List2, map);
        p.form.click(ctl::cmdEngage);
        const QList<QByteArray> lines = scriptLines(p);
        QCOMPARE(lines.mid(lines.size() - block.size()), block);
    }

    void valuesAreWrittenUnchangedBetweenQuotes() {
        ReadyProgram p;
        p.form.setText(ctl::txtServerName, QStringLiteral("  The \"Best\" Server "));
        p.form.setText(ctl::txtConsolePassword, QStringLiteral("secret"));
        p.form.setValue(ctl::chkSetNetIP, 1);
        p.form.setText(ctl::txtSetNetIPNumber, QStringLiteral("10.0.0.1"));
        p.form.setValue(ctl::chkSetNetport, 1);
        p.form.setValue(ctl::chkAllowClientsToDownload, 0);
        p.form.click(ctl::cmdEngage);
        const QList<QByteArray> lines = scriptLines(p);
        QVERIFY(lines.contains("seta sv_hostname \"  The \"Best\" Server \""));
        QVERIFY(lines.contains("seta sv_rconpassword \"secret\""));
        QVERIFY(!lines.join().contains("sv_privatePassword"));
        QVERIFY(!lines.join().contains("cl_"));
        const qsizetype port = lines.indexOf("seta net_port \"27660\"");
        QVERIFY(port > 0 && lines.indexOf("seta net_ip \"10.0.0.1\"") == port + 1);
    }

    void onlyThePrivatePasswordGivesOnlyItsLine() {
        ReadyProgram p;
        p.form.setText(ctl::txtPrivateClientPassword, QStringLiteral("friends"));
        p.form.click(ctl::cmdEngage);
        const QByteArray script = p.readGameFile(scriptFile);
        QVERIFY(script.contains("seta sv_privatePassword \"friends\"\r\n"));
        QVERIFY(!script.contains("sv_rconpassword"));
    }

    void nonDedicatedServerGetsTheShortCommandLine() {
        ReadyProgram p;
        p.form.select(ctl::optionNonDedicated);
        p.form.click(ctl::cmdEngage);
        QCOMPARE(p.launcher.arguments, QStringList({"+exec", "fragdocker.cfg"}));
    }

    void windows1252BytesGoIntoTheScriptByteForByte() {
        ReadyProgram p;
        QByteArray bytes;
        for (int b = 0x80; b < 0x100; ++b)
            bytes.append(char(b));
        p.form.addItem(ctl::list4, text::decode(bytes));
        p.form.click(ctl::cmdEngage);
        QVERIFY(p.readGameFile(scriptFile).endsWith("addbot " + bytes + "\r\n"));
    }

    void theDataFolderIsFoundInAnyLetterCase() {
        TestProgram p;
        const QString folder = p.makeDataFolder(QStringLiteral("baseef"));
        p.form.setValue(ctl::chkTurnBotsOn, 0);
        p.form.click(ctl::cmdEngage);
        QVERIFY(QFile::exists(folder + QStringLiteral("/FragDocker.cfg")));
        QVERIFY(allWindowsClosed(p.form));
    }

    void weaponDamageThatIsNotANumberLeavesTheOldScriptAlone() {
        TestProgram p;
        const QString folder = p.makeDataFolder();
        text::writeLines(folder + QStringLiteral("/FragDocker.cfg"), {QStringLiteral("old")});
        p.form.setValue(ctl::chkTurnBotsOn, 0);
        p.form.setText(ctl::txtWeaponEnhancerDamage, QStringLiteral("1e2"));
        p.form.click(ctl::cmdEngage);
        QCOMPARE(p.readGameFile(scriptFile), QByteArray("old\r\n"));
        QCOMPARE(p.log.cues(), QStringList({"engage.wav", "ralert.wav"}));
        QVERIFY(p.log.messages().first().contains(QStringLiteral("\"1e2\"")));
        QVERIFY(p.launcher.program.isEmpty());
    }

    void missingDataFolderIsReportedAndNothingStarts() {
        TestProgram p;
        p.form.setValue(ctl::chkTurnBotsOn, 0);
        p.form.click(ctl::cmdEngage);
        QCOMPARE(p.log.cues(), QStringList({"engage.wav", "ralert.wav"}));
        QVERIFY(p.log.messages().first().contains(p.gameFolder()));
        QVERIFY(p.launcher.program.isEmpty());
        QVERIFY(!p.form.isClosed(Window::frmFragDocker));
    }

    void failedStartIsReportedAndTheProgramStaysOpen() {
        ReadyProgram p;
        p.launcher.failure = QStringLiteral("could not start it");
        p.form.click(ctl::cmdEngage);
        QCOMPARE(p.log.messages(), QStringList({"could not start it"}));
        QVERIFY(!p.form.isClosed(Window::frmFragDocker));
        QVERIFY(!p.readGameFile(scriptFile).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestEngage)
#include "tst_engage.moc"
