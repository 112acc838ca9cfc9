// The settings: the game type, the five modifications and the eight companion boxes, driven
// through the model as a user's clicks, a change in code and a load drive them; and ENGAGE: the
// script written into the game folder, the refusals, and the start of the game.

#include "core/PathResolver.h"
#include "core/TextFile.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <array>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestProgram;

namespace {

const QString scriptFile = u"baseEF/FragDocker.cfg"_s;

// A program with the data folder made and the bots off, ready for ENGAGE.
struct ReadyProgram : test::TestProgram {
    explicit ReadyProgram(const QString& dataFolder = u"baseEF"_s) {
        if (!dataFolder.isEmpty())
            makeDataFolder(dataFolder);
        form.setValue(ctl::chkTurnBotsOn, 0);
    }
    QList<QByteArray> engage() {
        form.click(ctl::cmdEngage);
        QList<QByteArray> lines =
            test::readFile(PathResolver().resolve(gameFolder() + u'/' + scriptFile)).split('\n');
        lines.removeLast(); // after the last line break
        for (QByteArray& line : lines)
            line.chop(1); // the CR
        return lines;
    }
    bool allClosed() const {
        return form.isClosed(Window::frmGamePath) && form.isClosed(Window::frmFragDocker) &&
               form.isClosed(Window::frmErrorMap) && form.isClosed(Window::frmFragdockerRunning);
    }
};

// The five modifications in the order the tables below write them: A S D E H.
const std::array<CheckBox, 5> modifications{ctl::chkAssimilation, ctl::chkSpecialties,
                                            ctl::chkDisintegration, ctl::chkElimination,
                                            ctl::chkActionHero};
const QString letters = u"ASDEH"_s;

CheckBox modification(QChar letter) {
    const qsizetype index = letters.indexOf(letter);
    if (index < 0)
        qFatal("no modification %c", letter.toLatin1());
    return modifications[size_t(index)];
}

// Each box as "1" (checked) or "0" (cleared), followed by "h" when hidden: "0h 1 0h 0 0h".
QString describeModifications(const FormModel& form) {
    QStringList boxes;
    for (CheckBox box : modifications)
        boxes << QString::number(form.value(box)) + (form.visible(box) ? "" : "h");
    return boxes.join(u' ');
}

// One step of a scenario:
//   FFA, TDM, CTF     a click on that game type option
//   A, S, D, E, H     a click on that modification box (a user can click only a shown box)
//   E=1               a modification's value set in code, as a load sets it
//   frag=30           the frag limit typed; capture=9 likewise the capture limit
bool perform(FormModel& form, const QString& step) {
    if (step == u"FFA")
        form.select(ctl::optionDeathmatch);
    else if (step == u"TDM")
        form.select(ctl::optionTeamDeathMatch);
    else if (step == u"CTF")
        form.select(ctl::optionCTF);
    else if (step.startsWith(u"frag="))
        form.setText(ctl::txtFragLimit, step.mid(5));
    else if (step.startsWith(u"capture="))
        form.setText(ctl::txtCaptureLimit, step.mid(8));
    else if (step.size() == 3 && step[1] == u'=')
        form.setValue(modification(step[0]), step.mid(2).toInt());
    else if (step.size() == 1) {
        const CheckBox box = modification(step[0]);
        if (!form.visible(box))
            return false;
        form.setValue(box, 1 - form.value(box));
    } else
        qFatal("unknown step %s", qPrintable(step));
    return true;
}

} // namespace

class TestEngage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initialSettingsWithBotsOffGiveTheReferenceScript() {
        ReadyProgram p;
        p.form.click(ctl::cmdEngage);
        QFile golden(QStringLiteral(FD_TEST_DATA "/engage/initial-bots-off.cfg"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(p.readGameFile(scriptFile), golden.readAll());
        QCOMPARE(p.log.events,
                 QStringList({"cue engage.wav", "start " + p.gameFolder() + "/stvoyHM.exe"}));
        QCOMPARE(p.launcher.arguments,
                 QStringList({"+set", "dedicated", "1", "+exec", "fragdocker.cfg"}));
        QCOMPARE(p.launcher.workingFolder, p.gameFolder());
        QVERIFY(p.allClosed());
    }

    // The bot count only with bots on; the roster always, byte for byte; values as typed; each
    // password line only when it is given; the short command line for a listen server.
    void botCountRosterAndValuesAsTyped() {
        ReadyProgram p(u"baseef"_s); // found in any letter case
        p.form.addItem(ctl::list4, u"Tuvok"_s);
        p.form.setText(ctl::txtPrivateClientPassword, u"friends"_s);
        p.form.select(ctl::optionNonDedicated);
        QByteArray script = p.engage().join('\n');
        QVERIFY(script.endsWith("\naddbot Tuvok") &&
                script.contains("\nseta sv_privatePassword \"friends\"\n"));
        QVERIFY(!script.contains("bot_minplayers") && !script.contains("rcon"));
        QCOMPARE(p.launcher.arguments, QStringList({"+exec", "fragdocker.cfg"}));
        QVERIFY(p.allClosed());

        p.form.setText(ctl::txtPrivateClientPassword, QString());
        p.form.setValue(ctl::chkTurnBotsOn, 1);
        p.form.setText(ctl::txtNumberOfBotsToPlay, u"4"_s);
        QByteArray bytes;
        for (int b = 0x80; b < 0x100; ++b)
            bytes.append(char(b));
        p.form.addItem(ctl::list4, text::decode(bytes));
        p.form.setText(ctl::txtServerName, u"  The \"Best\" Server "_s);
        p.form.setText(ctl::txtConsolePassword, u"secret"_s);
        p.form.setValue(ctl::chkSetNetIP, 1);
        p.form.setText(ctl::txtSetNetIPNumber, u"10.0.0.1"_s);
        p.form.setValue(ctl::chkSetNetport, 1);
        p.form.setValue(ctl::chkAllowClientsToDownload, 0);
        script = p.engage().join('\n');
        QCOMPARE(p.form.text(ctl::txtMoreBots), u"4"_s);
        QVERIFY(script.endsWith("\naddbot Tuvok\naddbot " + bytes));
        for (const char* line : {"seta bot_nochat \"0\"\nseta bot_minplayers \"4\"\n",
                                 "\nseta sv_hostname \"  The \"Best\" Server \"\n",
                                 "\nseta sv_rconpassword \"secret\"\n",
                                 "\nseta net_port \"27660\"\nseta net_ip \"10.0.0.1\"\n"})
            QVERIFY2(script.contains(line), line);
        QVERIFY(!script.contains("sv_privatePassword") && !script.contains("cl_"));
    }

    // Each refusal or failure is told with the alert cue and one message, starts nothing and
    // leaves the program open. A missing number of bots leaves the script up to the bot lines.
    void refusalsAndFailuresStartNothing_data() {
        QTest::addColumn<QString>("setting");   // bots=N: bots on, N to play; damage=X; start fails
        QTest::addColumn<QString>("message");   // a part of it
        QTest::addColumn<QByteArray>("script"); // the script's last line; "old" the one before
        const QString botRefusal = u"you must specify THE NUMBER OF BOTS TO PLAY"_s;
        const QByteArray lastHeadLine("seta bot_nochat \"0\"");
        // clang-format off
        for (const char* bots : {"0", "", "x", "-1"})
            QTest::addRow("bots \"%s\"", bots) << u"bots="_s + QLatin1String(bots) << botRefusal << lastHeadLine;
        QTest::newRow("no data folder") << "no data folder" << "Elite Force/baseEF" << QByteArray("(missing)");
        QTest::newRow("damage no number") << "damage=1e2" << "\"1e2\"" << QByteArray("old");
        QTest::newRow("start failed") << "start fails" << "could not start" << QByteArray("vstr d1");
        // clang-format on
        const std::pair<const char*, const char*> kinds[] = {{"setting", "\"ServerQuote\""},
                                                             {"rotation", "of the map rotation"},
                                                             {"roster", "of the bot roster"}};
        for (const auto& [kind, named] : kinds)
            for (const char16_t c : {u'\n', u'\r', u'\0'})
                QTest::addRow("%s holding %d", kind, int(c))
                    << u"breaks "_s + QLatin1String(kind) + QChar(c) << named << QByteArray("old");
    }
    void refusalsAndFailuresStartNothing() {
        QFETCH(QString, setting);
        QFETCH(QString, message);
        QFETCH(QByteArray, script);
        ReadyProgram p(setting == u"no data folder" ? QString() : u"baseEF"_s);
        if (setting != u"no data folder")
            text::writeLines(p.gameFolder() + u'/' + scriptFile, {u"old"_s});
        p.form.setValue(ctl::chkTurnBotsOn, setting.startsWith(u"bots="));
        if (setting.startsWith(u"bots="))
            p.form.setText(ctl::txtNumberOfBotsToPlay, setting.mid(5));
        if (setting.startsWith(u"damage="))
            p.form.setText(ctl::txtWeaponEnhancerDamage, setting.mid(7));
        p.launcher.failure = setting == u"start fails" ? u"could not start"_s : QString();
        const QString value = u"a"_s + setting.back() + u"quit"_s;
        if (setting.startsWith(u"breaks s"))
            p.form.setText(ctl::txtServerQuote, value);
        else if (setting.startsWith(u"breaks r"))
            p.form.addItem(setting.contains(u"rotation") ? ctl::List2 : ctl::list4, value);
        const QList<QByteArray> lines = p.engage();
        QCOMPARE(p.log.cues(), QStringList({"engage.wav", "ralert.wav"}));
        QCOMPARE(p.log.messages().size(), 1);
        QVERIFY2(p.log.messages().first().contains(message), qPrintable(p.log.messages().first()));
        QCOMPARE(lines.isEmpty() ? QByteArray("(missing)") : lines.last(), script);
        QVERIFY(!setting.startsWith(u"bots=") || lines.size() == 24);
        QVERIFY(!p.form.isClosed(Window::frmFragDocker) &&
                p.launcher.program.isEmpty() == (setting != u"start fails"));
    }

    void scenarios_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("gameType");
        QTest::addColumn<QString>("limits"); // frag capture, "locked" when capture is locked

        // clang-format off
        // Right after start-up the number is "0" and no modification rule runs.
        QTest::newRow("fresh start")                     << ""        << "0h 0 0 0 0" << "0" << "10 0";
        QTest::newRow("start: each shown box alone")    << "S D E H" << "0h 1 1 1 1" << "0" << "10 0";
        QTest::newRow("start: cleared by a game type")   << "S D E H CTF" << "0h 0 0 0h 0h" << "4" << "0 5";

        // Free For All chosen (after another game type) is "2" and runs its rules.
        QTest::newRow("FFA: Elimination, Disintegration") << "TDM FFA E D"  << "0h 0h 1 1 0h"   << "2" << "10 0 locked";
        QTest::newRow("FFA: Specialties, Elimination")   << "TDM FFA S E"   << "0h 1 0h 1 0h"   << "2" << "10 0 locked";
        QTest::newRow("FFA: Action Hero clears three")   << "TDM FFA D H"   << "0h 0h 0h 0h 1"  << "2" << "10 0 locked";
        QTest::newRow("FFA: Action Hero set, nested")    << "TDM FFA S=1 E=1 H=1" << "0h 0h 0h 0h 1" << "2" << "10 0 locked";

        // Team Death Match.
        QTest::newRow("TDM chosen")                      << "TDM"       << "0 0 0 0 0h"   << "3" << "10 0 locked";
        QTest::newRow("TDM: Assimilation")               << "TDM A"     << "1 0 0h 0h 0h" << "3" << "10 0 locked";
        QTest::newRow("TDM: Assimilation clears Elim.")  << "TDM E A=1" << "1 0 0h 0h 0h" << "3" << "10 0 locked";
        QTest::newRow("TDM: Specialties, Disintegr.")    << "TDM S D"   << "0 0h 1 0 0h"  << "3" << "10 0 locked";
        QTest::newRow("TDM: Elimination")                << "TDM E"     << "0h 0 0 1 0h"  << "3" << "10 0 locked";

        // Capture The Flag.
        QTest::newRow("CTF chosen")                      << "CTF"       << "0h 0 0 0h 0h" << "4" << "0 5";
        QTest::newRow("CTF: typed frag limit set to 0")  << "frag=30 CTF" << "0h 0 0 0h 0h" << "4" << "0 5";

        // Leaving Capture The Flag, and what the other game types leave alone.
        QTest::newRow("typed frag limit kept")           << "frag=30 TDM FFA" << "0h 0 0 0 0" << "2" << "30 0 locked";
        QTest::newRow("FFA modifications cleared by TDM") << "TDM FFA S E TDM" << "0 0 0 0 0h" << "3" << "10 0 locked";
        // clang-format on
    }
    void scenarios() {
        QFETCH(QString, steps);
        QFETCH(QString, boxes);
        QFETCH(QString, gameType);
        QFETCH(QString, limits);
        TestProgram p;
        for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts))
            QVERIFY2(perform(p.form, step), qPrintable(step + u" is hidden"_s));
        QCOMPARE(describeModifications(p.form), boxes);
        QCOMPARE(p.form.text(ctl::txtGameType), gameType);
        QCOMPARE(p.form.text(ctl::txtFragLimit) + u' ' + p.form.text(ctl::txtCaptureLimit) +
                     (p.form.locked(ctl::txtCaptureLimit) ? " locked" : ""),
                 limits);
    }

    // Each companion check box locks its own text box when cleared and unlocks it when checked;
    // only Change Reserved Memory also changes the text, to "47" when cleared.
    void companionBoxes_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("companion");
        QTest::addColumn<QString>("clearedText"); // what clearing leaves in the text box
        // clang-format off
        QTest::newRow("download") << "chkAllowClientsToDownload" << "txtMaxPacketsToDownload" << "77";
        QTest::newRow("memory")   << "chkChangeReservedMemory"   << "txtChangeReservedMemoryAmount" << "47";
        QTest::newRow("log")      << "chkCreateServerLog"        << "txtCreateServerLogPath" << "77";
        QTest::newRow("respawn")  << "chkForcePlayerRespawn"     << "txtForcePlayerRespawnSeconds" << "77";
        QTest::newRow("inactive") << "chkKickInactivePlayers"    << "txtKickInactivePlayersSeconds" << "77";
        QTest::newRow("net IP")   << "chkSetNetIP"               << "txtSetNetIPNumber" << "77";
        QTest::newRow("net port") << "chkSetNetport"             << "txtSetNetportNumber" << "77";
        QTest::newRow("warmup")   << "chkWarmup"                 << "txtWarmupSeconds" << "77";
        // clang-format on
    }
    void companionBoxes() {
        QFETCH(QString, check);
        QFETCH(QString, companion);
        QFETCH(QString, clearedText);
        const QByteArray checkName = check.toLatin1(), companionName = companion.toLatin1();
        const CheckBox box{checkName.constData()};
        const TextBox text{companionName.constData()};
        TestProgram p;
        p.form.setValue(box, 1);
        QVERIFY(!p.form.locked(text));
        p.form.setText(text, u"77"_s); // typed while unlocked
        p.form.setValue(box, 0);
        QCOMPARE(p.form.text(text) + (p.form.locked(text) ? " locked" : ""),
                 clearedText + " locked");
        p.form.setValue(box, 1);
        QCOMPARE(p.form.text(text) + (p.form.locked(text) ? " locked" : ""), clearedText); // kept
    }
};

QTEST_GUILESS_MAIN(TestEngage)
#include "tst_engage.moc"
