// The rules between settings: the game type, the five modifications and the eight companion
// boxes, driven through the model as a user's clicks, a change in code and a load drive them.

#include "support/TestProgram.h"

#include <QtTest>

#include <array>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestProgram;

namespace {

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

// Each companion check box, the text box it governs, and what clearing the box leaves in it.
struct Companion {
    CheckBox box;
    TextBox text;
    const char* cleared;
};
const std::array<Companion, 8> companions{{
    {ctl::chkAllowClientsToDownload, ctl::txtMaxPacketsToDownload, "77"},
    {ctl::chkChangeReservedMemory, ctl::txtChangeReservedMemoryAmount, "47"},
    {ctl::chkCreateServerLog, ctl::txtCreateServerLogPath, "77"},
    {ctl::chkForcePlayerRespawn, ctl::txtForcePlayerRespawnSeconds, "77"},
    {ctl::chkKickInactivePlayers, ctl::txtKickInactivePlayersSeconds, "77"},
    {ctl::chkSetNetIP, ctl::txtSetNetIPNumber, "77"},
    {ctl::chkSetNetport, ctl::txtSetNetportNumber, "77"},
    {ctl::chkWarmup, ctl::txtWarmupSeconds, "77"},
}};

} // namespace

Q_DECLARE_METATYPE(Companion)

class TestRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        QTest::addColumn<Companion>("companion");
        for (const Companion& companion : companions)
            QTest::newRow(companion.box.name) << companion;
    }
    void companionBoxes() {
        QFETCH(Companion, companion);
        const auto [box, text, cleared] = companion;
        const QString clearedText = QString::fromLatin1(cleared);
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

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
