// The record reader of map.ini in its two modes, driven by small catalogue texts. Texts of any
// content are the fuzz target's part.

#include "catalog/MapCatalogue.h"
#include "core/TextFile.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace fd;

namespace {

// Every record as one line of its six fields joined by '|'; the records joined by " + ".
QString readAll(MapRecordReader& reader) {
    QStringList all;
    while (const std::optional<MapRecord> r = reader.next())
        all << QStringList{r->MapFile, r->ListName,   r->MapName, r->RecommendedPlayers,
                           r->CtfFlag, r->PictureFile}
                   .join(u'|');
    return all.join(u" + "_s);
}

// A map is installed in these tests when its file's name holds "pak".
bool inPak(const QString& mapFile) {
    return mapFile.contains(u"pak"_s);
}

const QString borg = u"'------\npak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n\\hm_borg1.jpg\n"_s;
const QString borgRecord = u"pak0.pk3|hm_borg1|Assimilation|4-12|0|\\hm_borg1.jpg"_s;
const QString x = u"pak0.pk3\nhm_x\nX\n2\n0\n\\x.jpg\n"_s;

} // namespace

class TestMapRecordReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bothModes_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("all");       // full mode
        QTest::addColumn<QString>("installed"); // installed-only mode, "pak" files installed
        const QString both = borgRecord + " + " + borgRecord;
        const QString shifted = u"pak0.pk3|hm_a|'------|pak0.pk3|hm_b|B"_s;
        // clang-format off
        QTest::newRow("no separator at all") << "Maps\n" + x << "" << "";
        QTest::newRow("free lines around records") << "My maps\n\n" + borg + "comment\n\n" + borg + "trailer\n" << both << both;
        QTest::newRow("indented separator skipped") << " '------\n" + x + borg << borgRecord << borgRecord;
        QTest::newRow("separator after a tab is none") << "\t'------\n" + x << "" << "";
        QTest::newRow("twelve hyphens and a title") << "'------------ Holomatch maps\n" + borg.mid(8) << borgRecord << borgRecord;
        QTest::newRow("trailing spaces") << "'------   \n" + borg.mid(8) << borgRecord << borgRecord;
        QTest::newRow("five hyphens are none") << "'-----\n" + x << "" << "";
        QTest::newRow("start marker skipped") << "'------\n[start]\n" + borg.mid(8) << borgRecord << borgRecord;
        QTest::newRow("start marker with text") << "'------\n[start] here\n" + borg.mid(8) << borgRecord << borgRecord;
        QTest::newRow("[START] is the map file") << "'------\n[START]\n" + borg.mid(8) << "[START]|pak0.pk3|hm_borg1|Assimilation|4-12|0" << "";
        QTest::newRow("start marker elsewhere is a line") << "[start]\n'------\npak0.pk3\n[start]\nX\n2\n0\n\\x.jpg\n" << "pak0.pk3|[start]|X|2|0|\\x.jpg" << "pak0.pk3|[start]|X|2|0|\\x.jpg";
        QTest::newRow("only spaces trimmed") << "'------\n  pak0.pk3  \n hm_dn1\t\n\tThe  Machine \n 4 - 12 \n 0 \n \\hm dn1.jpg\n" << "pak0.pk3|hm_dn1\t|\tThe  Machine|4 - 12|0|\\hm dn1.jpg" << "pak0.pk3|hm_dn1\t|\tThe  Machine|4 - 12|0|\\hm dn1.jpg";
        QTest::newRow("lines after the sixth ignored") << "'------\n" + x + "extra\n'------ \nmore\n" << "pak0.pk3|hm_x|X|2|0|\\x.jpg + more|||||" << "pak0.pk3|hm_x|X|2|0|\\x.jpg";
        QTest::newRow("six lines even over a separator") << "'------\npak0.pk3\nhm_a\n'------\npak0.pk3\nhm_b\nB\n2\n0\n\\b.jpg\n" << shifted << shifted;
        QTest::newRow("record cut short") << "'------\npak0.pk3\nhm_a" << "pak0.pk3|hm_a||||" << "pak0.pk3|hm_a||||";
        QTest::newRow("cut short after the map file") << "'------\npak0.pk3" << "pak0.pk3|||||" << "pak0.pk3|||||";
        QTest::newRow("separator as the last line") << borg + "'------" << borgRecord + " + |||||" << borgRecord;
        QTest::newRow("two records of one name") << borg + QString(borg).replace("Assimilation", "Again") << borgRecord + " + pak0.pk3|hm_borg1|Again|4-12|0|\\hm_borg1.jpg" << borgRecord + " + pak0.pk3|hm_borg1|Again|4-12|0|\\hm_borg1.jpg";
        QTest::newRow("Windows line ends") << "Title\r\n'------\r\npak0.pk3\r\nhm_a\r\nA\r\n2\r\n0\r\n\\a.jpg\r\n" << "pak0.pk3|hm_a|A|2|0|\\a.jpg" << "pak0.pk3|hm_a|A|2|0|\\a.jpg";
        QTest::newRow("missing map only") << "'------\nmissing.bsp\nhm_gone\nGone\n2\n0\n\\gone.jpg\n" + borg << "missing.bsp|hm_gone|Gone|2|0|\\gone.jpg + " + borgRecord << borgRecord;
        QTest::newRow("missing map's lines scanned") << "'------\nmissing.bsp\nhm_gone\n'------\npak3.pk3\nhm_found\nFound\n2-4\n1\n\\found.jpg\n" << "missing.bsp|hm_gone|'------|pak3.pk3|hm_found|Found" << "pak3.pk3|hm_found|Found|2-4|1|\\found.jpg";
        QTest::newRow("missing map at the end") << "'------\nmissing.bsp" << "missing.bsp|||||" << "";
        // clang-format on
    }
    void bothModes() {
        QFETCH(QString, catalogue);
        QFETCH(QString, all);
        QFETCH(QString, installed);
        const QStringList lines = text::splitLines(catalogue);
        MapRecordReader full(lines), installedOnly(lines, inPak);
        QCOMPARE(readAll(full), all);
        QCOMPARE(readAll(installedOnly), installed);
    }

    void installationIsTestedOncePerRecordInFileOrder() {
        const QStringList lines =
            text::splitLines("'------\n" + x + "'------\nmissing.bsp\nhm_b\n'------\npak3.pk3\n");
        QStringList tested;
        MapRecordReader reader(lines, [&tested](const QString& mapFile) {
            tested << mapFile;
            return inPak(mapFile);
        });
        readAll(reader);
        QCOMPARE(tested, QStringList({"pak0.pk3", "missing.bsp", "pak3.pk3"}));
    }

    void ctfFlagIsReadAsANumber_data() {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<int>("matches"); // the flag it counts as, -1 for none
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("leading zero") << "01" << 1;
        QTest::newRow("with a point") << "1.0" << 1;
        QTest::newRow("2") << "2" << -1;
        QTest::newRow("not a number") << "x" << -1;
        QTest::newRow("number then text") << "1x" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void ctfFlagIsReadAsANumber() {
        QFETCH(QString, flag);
        QFETCH(int, matches);
        MapRecord record;
        record.CtfFlag = flag;
        QCOMPARE(hasCtfFlag(record, 1), matches == 1);
        QCOMPARE(hasCtfFlag(record, 0), matches == 0);
    }
};

QTEST_GUILESS_MAIN(TestMapRecordReader)
#include "tst_maprecordreader.moc"
