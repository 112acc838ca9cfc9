// The map rotation editor: adding, removing, the bulk commands with their game-type rules,
// clearing and shuffling, and the rotation as ENGAGE writes it.

#include "rotation/Randomize.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace fd;
using namespace fd::test;

namespace {

const QString ctfRefusal =
    QStringLiteral("You must have Game Type Selected CTF, if you want add CTF Maps");
const QString holomatchRefusal =
    QStringLiteral("You may only select maps that are CTF when GameType is CTF");

// Installed: hm_a, ctf_b, hm_two (flag 2), ctf_zero ("01"). Not installed: hm_gone, ctf_gone.
// One record's flag is no number.
const QString catalogue = mapRecord("pak0.pk3", "hm_a", "A", "2", "0", "\\a.jpg") +
                          mapRecord("pak0.pk3", "ctf_b", "B", "2", "1", "\\b.jpg") +
                          mapRecord("maps/gone.bsp", "hm_gone", "Gone", "2", "0", "\\g.jpg") +
                          mapRecord("maps/gone.bsp", "ctf_gone", "Gone", "2", "1", "\\g.jpg") +
                          mapRecord("pak3.pk3", "hm_two", "Two", "2", "2", "\\t.jpg") +
                          mapRecord("pak3.pk3", "ctf_zero", "Zero", "2", "01", "\\z.jpg") +
                          mapRecord("pak3.pk3", "hm_x", "X", "2", "x", "\\x.jpg");

struct RotationProgram : TestProgram {
    RotationProgram() : TestProgram(Start::Later) {
        writeFile(appFolder() + QStringLiteral("/map.ini"), catalogue.toUtf8());
        touch(gameFolder() + QStringLiteral("/baseEF/pak0.pk3"));
        touch(gameFolder() + QStringLiteral("/baseEF/pak3.pk3"));
        for (const char* picture : {"a", "b", "g", "t", "z", "x"})
            touch(appFolder() + QStringLiteral("/map_images/%1.jpg").arg(QLatin1String(picture)));
        start();
        log.events.clear();
    }
    QStringList rotation() const { return form.items(ctl::List2); }
    QStringList scriptMaps() const {
        QStringList maps;
        for (const QByteArray& line :
             readGameFile(QStringLiteral("baseEF/FragDocker.cfg")).split('\n'))
            if (line.startsWith("Set d"))
                maps << QString::fromLatin1(line.trimmed());
        return maps;
    }
};

QStringList setLines(const QStringList& maps) {
    QStringList lines;
    for (int n = 1; n <= maps.size(); ++n)
        lines << QStringLiteral("Set d%1 \"map %2; set nextmap vstr d%3\"")
                     .arg(n)
                     .arg(maps[n - 1])
                     .arg(n + 1);
    return lines;
}

const QStringList installed{"hm_a", "ctf_b", "hm_two", "ctf_zero", "hm_x"};

} // namespace

class TestMapRotation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addAppendsTheSelectedMapEveryTime() {
        RotationProgram p;
        p.form.click(ctl::cmdAdd); // nothing selected: an empty item
        p.form.setSelectedIndex(ctl::List1, 1);
        p.form.click(ctl::cmdAdd);
        p.form.doubleClick(ctl::List1);
        QCOMPARE(p.rotation(), QStringList({"", "ctf_b", "ctf_b"}));
        QCOMPARE(p.log.cues(), QStringList({"chanopen.wav", "chanopen.wav", "chanopen.wav"}));
    }

    void removeTakesOutTheSelectedItemOnly() {
        RotationProgram p;
        for (const char* map : {"hm_a", "ctf_b", "hm_two"})
            p.form.addItem(ctl::List2, QString::fromLatin1(map));
        p.form.click(ctl::cmdRemove); // nothing selected
        QCOMPARE(p.rotation().size(), 3);
        p.form.setSelectedIndex(ctl::List2, 1);
        p.form.click(ctl::cmdRemove);
        QCOMPARE(p.rotation(), QStringList({"hm_a", "hm_two"}));
        QCOMPARE(p.form.selectedIndex(ctl::List2), -1);
        p.form.setSelectedIndex(ctl::List2, 0);
        p.form.doubleClick(ctl::List2);
        QCOMPARE(p.rotation(), QStringList({"hm_two"}));
        p.form.clear(ctl::List2);
        p.form.doubleClick(ctl::List2); // an empty rotation
        QCOMPARE(p.log.cues(), QStringList(4, QStringLiteral("beep2.wav")));
        QVERIFY(p.log.messages().isEmpty());
    }

    void allMapsAddsTheInstalledMapsEachTimeAndClearEmpties() {
        RotationProgram p;
        QCOMPARE(p.form.items(ctl::List1), installed);
        p.form.click(ctl::cmdClearMaps); // already empty
        p.form.click(ctl::cmdAllMaps);
        p.form.click(ctl::cmdAllMaps);
        QCOMPARE(p.rotation(), installed + installed);
        p.form.click(ctl::cmdClearMaps);
        QCOMPARE(p.form.count(ctl::List2), 0);
        QCOMPARE(p.log.events, QStringList(4, QStringLiteral("cue beep.wav")));
    }

    void allMapsTestsTheGameFolderOfNowWhileTheMapListStays() {
        RotationProgram p;
        QTemporaryDir other;
        touch(other.path() + QStringLiteral("/BaseEf/maps/GONE.bsp"));
        p.form.setText(ctl::frmGamePath::txtGamePath, other.path());
        p.form.click(ctl::cmdAllMaps);
        QCOMPARE(p.rotation(), QStringList({"hm_gone", "ctf_gone"}));
        QCOMPARE(p.form.items(ctl::List1), installed);
    }

    void bulkCommandsFollowTheGameType_data() {
        QTest::addColumn<bool>("ctf");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("rotation");
        QTest::addColumn<QStringList>("events");
        const QStringList beep{"cue beep.wav"};
        // clang-format off
        QTest::newRow("CTF maps in CTF")        << true  << "cmdAllCTF" << QStringList{"ctf_b", "ctf_gone", "ctf_zero"} << beep;
        QTest::newRow("CTF maps refused in another game type")
            << false << "cmdAllCTF" << QStringList() << QStringList{"cue ralert.wav", "message " + ctfRefusal};
        QTest::newRow("Holomatch maps in another game type") << false << "cmdAllFragdockMaps" << QStringList{"hm_a", "hm_gone"} << beep;
        QTest::newRow("Holomatch maps refused in CTF")
            << true << "cmdAllFragdockMaps" << QStringList() << beep + QStringList{"cue ralert.wav", "message " + holomatchRefusal};
        QTest::newRow("all maps in CTF")        << true  << "cmdAllMaps" << installed << beep;
        // clang-format on
    }
    void bulkCommandsFollowTheGameType() {
        QFETCH(bool, ctf);
        QFETCH(QString, button);
        QFETCH(QStringList, rotation);
        QFETCH(QStringList, events);
        RotationProgram p;
        p.form.select(ctf ? ctl::optionCTF : ctl::optionTeamDeathMatch);
        p.log.events.clear();
        p.form.clickByName(button);
        QCOMPARE(p.rotation(), rotation);
        QCOMPARE(p.log.events, events);
    }

    void bulkCommandsOnNothingOnlyBeep() {
        TestProgram p; // no catalogue, an empty rotation
        p.form.select(ctl::optionCTF);
        p.log.events.clear();
        for (Button button : {ctl::cmdAllMaps, ctl::cmdAllCTF, ctl::cmdRandom})
            p.form.click(button);
        QCOMPARE(p.form.count(ctl::List2), 0);
        QCOMPARE(p.log.events, QStringList(3, QStringLiteral("cue beep.wav")));
    }

    void addsStopAtTheListLimitWithAMessage() {
        RotationProgram p;
        for (int i = 0; i < FormModel::maxListItems - 2; ++i)
            p.form.addItem(ctl::List2, QStringLiteral("hm_a"));
        p.form.click(ctl::cmdAllMaps); // room for two of five
        QCOMPARE(p.form.count(ctl::List2), FormModel::maxListItems);
        QCOMPARE(p.form.items(ctl::List2).last(), QStringLiteral("ctf_b"));
        p.form.click(ctl::cmdAdd);
        QCOMPARE(p.form.count(ctl::List2), FormModel::maxListItems);
        const QStringList cues{"beep.wav", "ralert.wav", "chanopen.wav", "ralert.wav"};
        QCOMPARE(p.log.cues(), cues);
        QCOMPARE(p.log.messages().size(), 2);
        QVERIFY(p.log.messages().first().contains(QStringLiteral("Selected Maps list is full")));
    }

    void shuffleDrawsOncePerItemFromTheLastPosition_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QStringList>("shuffled");
        const QStringList abc{"a", "b", "c"};
        // clang-format off
        QTest::newRow("empty: no draw")  << QStringList() << QList<double>() << QStringList();
        QTest::newRow("one item: one draw, no change") << QStringList{"a"} << QList<double>{0.7} << QStringList{"a"};
        // i = 2: j = 0 swaps a and c; i = 1: j = 0 swaps c and b; i = 0: nothing.
        QTest::newRow("falling i")       << abc << QList<double>{0, 0, 0} << QStringList{"b", "c", "a"};
        QTest::newRow("draws just below 1 keep the order") << abc << QList<double>{0.9999, 0.9999, 0.9999} << abc;
        // i = 3: j = floor(0.5 * 4) = 2 gives a b d c; i = 2: j = floor(0.34 * 3) = 1 gives
        // a d b c; i = 1: j = floor(0.25 * 2) = 0 gives d a b c.
        QTest::newRow("whole part of r times i + 1")
            << QStringList{"a", "b", "c", "d"} << QList<double>{0.5, 0.34, 0.25, 0.1} << QStringList{"d", "a", "b", "c"};
        // clang-format on
    }

    void shuffleDrawsOncePerItemFromTheLastPosition() {
        QFETCH(QStringList, items);
        QFETCH(QList<double>, draws);
        QFETCH(QStringList, shuffled);
        TestProgram p;
        for (const QString& item : items)
            p.form.addItem(ctl::List2, item);
        qsizetype drawn = 0;
        shuffleList(p.form, ctl::List2, [&] { return draws.value(drawn++, 0.5); });
        QCOMPARE(drawn, draws.size());
        QCOMPARE(p.form.items(ctl::List2), shuffled);
    }

    void theGeneratorStartsTheSameEveryRunAndIsNeverReseeded() {
        const QStringList maps{"m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8", "m9", "m10"};
        auto shuffledTwice = [&maps] {
            TestProgram p;
            QStringList shuffled;
            for (int round = 0; round < 2; ++round) {
                p.form.clear(ctl::List2);
                for (const QString& map : maps)
                    p.form.addItem(ctl::List2, map);
                p.form.click(ctl::cmdRandom);
                shuffled << p.form.items(ctl::List2).join(u' ');
            }
            return shuffled;
        };
        const QStringList run1 = shuffledTwice();
        QCOMPARE(shuffledTwice(), run1);
        QVERIFY(run1[0] != maps.join(u' ') && run1[0] != run1[1]);
        QStringList sorted = run1[0].split(u' ');
        sorted.sort();
        QStringList expected = maps;
        expected.sort();
        QCOMPARE(sorted, expected);

        UniformGenerator draw;
        for (int i = 0; i < 10000; ++i) {
            const double r = draw();
            QVERIFY(r >= 0 && r < 1);
        }
    }

    void engageWritesTheRotationAsBuilt() {
        RotationProgram p;
        p.form.setValue(ctl::chkTurnBotsOn, 0);
        p.form.setSelectedIndex(ctl::List1, 0);
        p.form.click(ctl::cmdAdd);
        p.form.click(ctl::cmdAllMaps);
        p.form.click(ctl::cmdAllFragdockMaps);
        p.form.select(ctl::optionCTF);
        p.form.click(ctl::cmdAllCTF);
        p.form.click(ctl::cmdRandom);
        const QStringList built = p.rotation();
        QCOMPARE(built.size(), 1 + 5 + 2 + 3);
        p.form.click(ctl::cmdEngage);
        QCOMPARE(p.scriptMaps(), setLines(built));
    }
};

QTEST_GUILESS_MAIN(TestMapRotation)
#include "tst_maprotation.moc"
