// The record reader of map.ini in its two modes, driven by small catalogue texts.

#include "catalog/MapCatalogue.h"
#include "core/TextFile.h"

#include <QtTest>

using namespace fd;

namespace {

// A record as one line: its six fields joined by '|'.
QString joined(const MapRecord& r) {
    return QStringList{r.MapFile, r.ListName,   r.MapName, r.RecommendedPlayers,
                       r.CtfFlag, r.PictureFile}
        .join(u'|');
}

QStringList records(MapRecordReader& reader) {
    QStringList all;
    while (const std::optional<MapRecord> record = reader.next())
        all << joined(*record);
    return all;
}

// A map is installed in these tests when its file's name holds "pak".
bool inPak(const QString& mapFile) {
    return mapFile.contains(QStringLiteral("pak"));
}

const QString borg =
    QStringLiteral("'------\npak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n\\hm_borg1.jpg\n");
const QString borgRecord = QStringLiteral("pak0.pk3|hm_borg1|Assimilation|4-12|0|\\hm_borg1.jpg");

} // namespace

class TestMapRecordReader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fullMode_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("no separator at all")
            << "Maps\npak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n\\hm_borg1.jpg\n"
            << QStringList();
        QTest::newRow("free lines before, between and after records")
            << "My maps\n\n" + borg + "comment\n\n" + borg + "trailer\n"
            << QStringList{borgRecord, borgRecord};
        QTest::newRow("separator indented by a space is skipped up to the next real one")
            << " '------\npak0.pk3\nhm_x\nX\n2\n0\n\\x.jpg\n" + borg << QStringList{borgRecord};
        QTest::newRow("separator after a tab is no separator")
            << "\t'------\npak0.pk3\nhm_x\nX\n2\n0\n\\x.jpg\n"
            << QStringList();
        QTest::newRow("twelve hyphens and a title are a separator")
            << "'------------ Holomatch maps\npak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n"
               "\\hm_borg1.jpg\n"
            << QStringList{borgRecord};
        QTest::newRow("separator with trailing spaces")
            << "'------   \npak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n\\hm_borg1.jpg\n"
            << QStringList{borgRecord};
        QTest::newRow("five hyphens are no separator")
            << "'-----\npak0.pk3\nhm_x\nX\n2\n0\n\\x.jpg\n"
            << QStringList();
        QTest::newRow("start marker after a separator is skipped")
            << "'------\n[start]\npak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n\\hm_borg1.jpg\n"
            << QStringList{borgRecord};
        QTest::newRow("start marker with text behind it")
            << "'------\n[start] here\npak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n"
               "\\hm_borg1.jpg\n"
            << QStringList{borgRecord};
        QTest::newRow("[START] is taken as the map file, shifting the record")
            << "'------\n[START]\npak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n\\hm_borg1.jpg\n"
            << QStringList{"[START]|pak0.pk3|hm_borg1|Assimilation|4-12|0"};
        QTest::newRow("start marker away from a separator is an ordinary line")
            << "[start]\n'------\npak0.pk3\n[start]\nX\n2\n0\n\\x.jpg\n"
            << QStringList{"pak0.pk3|[start]|X|2|0|\\x.jpg"};
        QTest::newRow("only spaces are trimmed; inner spaces and tabs stay")
            << "'------\n  pak0.pk3  \n hm_dn1\t\n\tThe  Machine \n 4 - 12 \n 0 \n \\hm dn1.jpg\n"
            << QStringList{"pak0.pk3|hm_dn1\t|\tThe  Machine|4 - 12|0|\\hm dn1.jpg"};
        QTest::newRow("lines after the sixth field are ignored")
            << "'------\npak0.pk3\nhm_a\nA\n2\n0\n\\a.jpg\nextra\n'------ \nmore\n"
            << QStringList{"pak0.pk3|hm_a|A|2|0|\\a.jpg", "more|||||"};
        QTest::newRow("full mode takes the six lines even over a separator")
            << "'------\npak0.pk3\nhm_a\n'------\npak0.pk3\nhm_b\nB\n2\n0\n\\b.jpg\n"
            << QStringList{"pak0.pk3|hm_a|'------|pak0.pk3|hm_b|B"};
        QTest::newRow("record cut short by the end of the file")
            << "'------\npak0.pk3\nhm_a" << QStringList{"pak0.pk3|hm_a||||"};
        QTest::newRow("separator as the last line")
            << borg + "'------" << QStringList{borgRecord, "|||||"};
        QTest::newRow("two records of one name are both yielded")
            << borg + QString(borg).replace(QStringLiteral("Assimilation"), QStringLiteral("Again"))
            << QStringList{borgRecord, "pak0.pk3|hm_borg1|Again|4-12|0|\\hm_borg1.jpg"};
        QTest::newRow("Windows line ends")
            << "Title\r\n'------\r\npak0.pk3\r\nhm_a\r\nA\r\n2\r\n0\r\n\\a.jpg\r\n"
            << QStringList{"pak0.pk3|hm_a|A|2|0|\\a.jpg"};
    }
    void fullMode() {
        QFETCH(QString, catalogue);
        QFETCH(QStringList, expected);
        const QStringList lines = text::splitLines(catalogue);
        MapRecordReader reader(lines);
        QCOMPARE(records(reader), expected);
    }

    void installedOnlyMode_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("only installed records")
            << "'------\nmissing.bsp\nhm_gone\nGone\n2\n0\n\\gone.jpg\n" + borg
            << QStringList{borgRecord};
        QTest::newRow("a missing map's later lines are scanned for a separator")
            << "'------\nmissing.bsp\nhm_gone\n'------\npak3.pk3\nhm_found\nFound\n2-4\n1\n"
               "\\found.jpg\n"
            << QStringList{"pak3.pk3|hm_found|Found|2-4|1|\\found.jpg"};
        QTest::newRow("an installed map takes its four lines even over a separator")
            << "'------\npak0.pk3\nhm_a\n'------\npak0.pk3\nhm_b\nB\n2\n0\n\\b.jpg\n"
            << QStringList{"pak0.pk3|hm_a|'------|pak0.pk3|hm_b|B"};
        QTest::newRow("the test sees the trimmed map file; start marker skipped")
            << "'------\n[start]\n  pak0.pk3 \nhm_a\nA\n2\n0\n\\a.jpg\n"
            << QStringList{"pak0.pk3|hm_a|A|2|0|\\a.jpg"};
        QTest::newRow("installed record cut short after its map file")
            << "'------\npak0.pk3" << QStringList{"pak0.pk3|||||"};
        QTest::newRow("missing map at the end of the file")
            << "'------\nmissing.bsp" << QStringList();
        QTest::newRow("separator as the last line has no map file")
            << borg + "'------" << QStringList{borgRecord};
    }
    void installedOnlyMode() {
        QFETCH(QString, catalogue);
        QFETCH(QStringList, expected);
        const QStringList lines = text::splitLines(catalogue);
        MapRecordReader reader(lines, inPak);
        QCOMPARE(records(reader), expected);
    }

    void installationIsTestedOncePerRecordInFileOrder() {
        const QStringList lines = text::splitLines(
            "'------\npak0.pk3\nhm_a\nA\n2\n0\n\\a.jpg\n'------\nmissing.bsp\nhm_b\n'------\n"
            "pak3.pk3\nhm_c\n");
        QStringList tested;
        MapRecordReader reader(lines, [&tested](const QString& mapFile) {
            tested << mapFile;
            return inPak(mapFile);
        });
        records(reader);
        QCOMPARE(tested, QStringList({"pak0.pk3", "missing.bsp", "pak3.pk3"}));
    }

    void ctfFlagIsReadAsANumber_data() {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("ctf");
        QTest::addColumn<bool>("holomatch");
        QTest::newRow("1") << "1" << true << false;
        QTest::newRow("0") << "0" << false << true;
        QTest::newRow("leading zero") << "01" << true << false;
        QTest::newRow("with a point") << "1.0" << true << false;
        QTest::newRow("2") << "2" << false << false;
        QTest::newRow("not a number") << "x" << false << false;
        QTest::newRow("number then text") << "1x" << false << false;
        QTest::newRow("empty, as in a record cut short") << "" << false << false;
    }
    void ctfFlagIsReadAsANumber() {
        QFETCH(QString, flag);
        QFETCH(bool, ctf);
        QFETCH(bool, holomatch);
        MapRecord record;
        record.CtfFlag = flag;
        QCOMPARE(hasCtfFlag(record, 1), ctf);
        QCOMPARE(hasCtfFlag(record, 0), holomatch);
    }

    void linesOfAnyContentAreReadWithoutHarm() {
        QString odd = QStringLiteral("'------\n");
        odd += QString(100000, u'x') + u'\n' + QChar(0) + QStringLiteral("\n\xFFFD\n'---");
        const QStringList lines = text::splitLines(odd);
        MapRecordReader reader(lines);
        const QStringList all = records(reader);
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().size(), 100000 + 1 + 1 + 4 + 5); // five '|' between six fields
    }
};

QTEST_GUILESS_MAIN(TestMapRecordReader)
#include "tst_maprecordreader.moc"
