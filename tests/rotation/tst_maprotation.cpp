// The map rotation and bot roster editors: the list commands with their cues, refusals and
// limits, the shuffle, and the rotation and roster as ENGAGE writes them.

#include "rotation/Randomize.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace fd;
using namespace fd::test;

namespace {

const QString ctfRefusal =
    u"message You must have Game Type Selected CTF, if you want add CTF Maps"_s;
const QString holomatchRefusal =
    u"message You may only select maps that are CTF when GameType is CTF"_s;

// Installed: hm_a, ctf_b, hm_two (flag 2), ctf_zero ("01"), hm_x (flag no number).
// Not installed: hm_gone, ctf_gone.
const QString catalogue = mapRecord("pak0.pk3", "hm_a", "A", "2", "0", "\\a.jpg") +
                          mapRecord("pak0.pk3", "ctf_b", "B", "2", "1", "\\b.jpg") +
                          mapRecord("maps/gone.bsp", "hm_gone", "Gone", "2", "0", "\\g.jpg") +
                          mapRecord("maps/gone.bsp", "ctf_gone", "Gone", "2", "1", "\\g.jpg") +
                          mapRecord("pak3.pk3", "hm_two", "Two", "2", "2", "\\t.jpg") +
                          mapRecord("pak3.pk3", "ctf_zero", "Zero", "2", "01", "\\z.jpg") +
                          mapRecord("pak3.pk3", "hm_x", "X", "2", "x", "\\x.jpg");
const QString installed = u"hm_a|ctf_b|hm_two|ctf_zero|hm_x"_s;

ListBox listNamed(const QString& name) {
    for (ListBox list : {ctl::List1, ctl::List2, ctl::list3, ctl::list4})
        if (name == QLatin1String(list.name))
            return list;
    qFatal("no list %s", qPrintable(name));
}

struct ListsProgram : TestProgram {
    ListsProgram() : TestProgram(Start::Later) {
        writeFile(appFolder() + u"/map.ini"_s, catalogue.toUtf8());
        writeFile(appFolder() + u"/bots.ini"_s, "Munro\r\nTelsia  \r\n\r\nKim 4\r\n");
        touch(gameFolder() + u"/baseEF/pak0.pk3"_s);
        touch(gameFolder() + u"/baseEF/pak3.pk3"_s);
        for (const char* picture : {"a", "b", "g", "t", "z", "x"})
            touch(appFolder() + u"/map_images/%1.jpg"_s.arg(QLatin1String(picture)));
        start();
    }
    // One step: "cmdAdd" clicks, "List2=1" selects, "dbl:List1" double-clicks, "List2+x" adds
    // x in code, "CTF"/"TDM" chooses the game type, "no-catalogue" removes map.ini.
    void perform(const QString& step) {
        if (step == u"CTF" || step == u"TDM")
            form.select(step == u"CTF" ? ctl::optionCTF : ctl::optionTeamDeathMatch);
        else if (step == u"no-catalogue")
            QFile::remove(appFolder() + u"/map.ini"_s);
        else if (step.startsWith(u"dbl:"))
            form.doubleClick(listNamed(step.mid(4)));
        else if (step.contains(u'='))
            form.setSelectedIndex(listNamed(step.section(u'=', 0, 0)),
                                  step.section(u'=', 1).toInt());
        else if (step.contains(u'+'))
            form.addItem(listNamed(step.section(u'+', 0, 0)), step.section(u'+', 1));
        else
            form.click(form.control(step)->as<Button>());
    }
    // The events with "cue " and ".wav" left out: "beep / ralert / message ...".
    QString events() const { return log.events.join(u" / "_s).remove(u"cue "_s).remove(".wav"); }
    QStringList addedLines(const char* prefix) const {
        QStringList lines;
        for (const QByteArray& line : readGameFile(u"baseEF/FragDocker.cfg"_s).split('\n'))
            if (line.startsWith(prefix))
                lines << QString::fromLatin1(line.chopped(1));
        return lines;
    }
};

} // namespace

class TestMapRotation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commands_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("rotation"); // the items joined by '|'
        QTest::addColumn<QString>("roster");
        QTest::addColumn<QString>("events");
        // clang-format off
        QTest::newRow("add: selected map, every time") << "cmdAdd List1=1 cmdAdd dbl:List1" << "|ctf_b|ctf_b" << "" << "chanopen / chanopen / chanopen";
        QTest::newRow("remove: selected map only") << "List2+a List2+b List2+c cmdRemove List2=1 cmdRemove List2=0 dbl:List2" << "c" << "" << "beep2 / beep2 / beep2";
        QTest::newRow("remove from an empty rotation") << "dbl:List2 cmdRemove" << "" << "" << "beep2 / beep2";
        QTest::newRow("all maps twice, installed only") << "cmdClearMaps cmdAllMaps cmdAllMaps" << installed + u'|' + installed << "" << "beep / beep / beep";
        QTest::newRow("clear") << "cmdAllMaps cmdClearMaps" << "" << "" << "beep / beep";
        QTest::newRow("CTF maps in CTF") << "CTF cmdAllCTF" << "ctf_b|ctf_gone|ctf_zero" << "" << "beep";
        QTest::newRow("CTF maps refused") << "TDM cmdAllCTF" << "" << "" << "ralert / " + ctfRefusal;
        QTest::newRow("Holomatch maps") << "TDM cmdAllFragdockMaps" << "hm_a|hm_gone" << "" << "beep";
        QTest::newRow("Holomatch maps refused in CTF") << "CTF cmdAllFragdockMaps" << "" << "" << "beep / ralert / " + holomatchRefusal;
        QTest::newRow("all maps in CTF") << "CTF cmdAllMaps" << installed << "" << "beep";
        QTest::newRow("bulk commands without catalogue") << "CTF no-catalogue cmdAllMaps cmdAllCTF cmdRandom" << "" << "" << "beep / beep / beep";
        QTest::newRow("add bot: unchanged, every time") << "cmdAddBot list3=1 cmdAddBot cmdAddBot list3=3 dbl:list3" << "" << "|Telsia  |Telsia  |Kim 4" << "chanopen / chanopen / chanopen / chanopen";
        QTest::newRow("remove bot") << "cmdRemoveBot list3=0 cmdAddBot list3=1 cmdAddBot list3=2 cmdAddBot list4=0 cmdRemoveBot list4=1 dbl:list4" << "" << "Telsia  " << "beep2 / chanopen / chanopen / chanopen / beep2 / beep2";
        QTest::newRow("clear bots") << "list3=0 cmdAddBot cmdClearBots cmdClearBots" << "" << "" << "chanopen / beep / beep";
        // clang-format on
    }
    void commands() {
        QFETCH(QString, steps);
        QFETCH(QString, rotation);
        QFETCH(QString, roster);
        QFETCH(QString, events);
        ListsProgram p;
        QCOMPARE(p.form.items(ctl::List1).join(u'|'), installed);
        QCOMPARE(p.form.items(ctl::list3), QStringList({"Munro", "Telsia  ", "", "Kim 4"}));
        for (const QString& step : steps.split(u' '))
            p.perform(step);
        QCOMPARE(p.form.items(ctl::List2).join(u'|'), rotation);
        QCOMPARE(p.form.items(ctl::list4).join(u'|'), roster);
        QCOMPARE(p.events(), events);
    }

    void shuffleDrawsOncePerItemFromTheLastPosition_data() {
        QTest::addColumn<QString>("items");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QString>("shuffled");
        // clang-format off
        QTest::newRow("one item: one draw") << "a" << QList<double>{0.7} << "a";
        // i = 2: j = 0 swaps a and c; i = 1: j = 0 swaps c and b; i = 0: nothing.
        QTest::newRow("falling i") << "abc" << QList<double>{0, 0, 0} << "bca";
        // j = floor(r * (i + 1)): 2 gives abdc, 1 gives adbc, 0 gives dabc.
        QTest::newRow("whole part of r times i + 1") << "abcd" << QList<double>{0.5, 0.34, 0.25, 0.1} << "dabc";
        // clang-format on
    }
    void shuffleDrawsOncePerItemFromTheLastPosition() {
        QFETCH(QString, items);
        QFETCH(QList<double>, draws);
        QFETCH(QString, shuffled);
        TestProgram p;
        for (QChar item : items)
            p.form.addItem(ctl::List2, item);
        qsizetype drawn = 0;
        shuffleList(p.form, ctl::List2, [&] { return draws.value(drawn++, 0.5); });
        QCOMPARE(drawn, draws.size());
        QCOMPARE(p.form.items(ctl::List2).join(QString()), shuffled);
    }

    void engageWritesTheRotationAndRosterAsBuilt() {
        ListsProgram p;
        p.makeDataFolder();
        p.form.setText(ctl::txtNumberOfBotsToPlay, u"3"_s);
        for (const char* step :
             {"List1=0", "cmdAdd", "cmdAllMaps", "cmdAllFragdockMaps", "CTF", "cmdAllCTF",
              "cmdRandom", "list3=1", "cmdAddBot", "list3=2", "cmdAddBot", "list3=1", "cmdAddBot"})
            p.perform(QString::fromLatin1(step));
        const QStringList built = p.form.items(ctl::List2);
        QCOMPARE(built.size(), 1 + 5 + 2 + 3);
        p.form.click(ctl::cmdEngage);
        QStringList chain;
        for (int n = 1; n <= built.size(); ++n)
            chain << u"Set d%1 \"map %2; set nextmap vstr d%3\""_s.arg(n)
                         .arg(built[n - 1])
                         .arg(n + 1);
        QCOMPARE(p.addedLines("Set d"), chain);
        QCOMPARE(p.addedLines("addbot"),
                 QStringList({"addbot Telsia  ", "addbot ", "addbot Telsia  "}));
    }
};

QTEST_GUILESS_MAIN(TestMapRotation)
#include "tst_maprotation.moc"
