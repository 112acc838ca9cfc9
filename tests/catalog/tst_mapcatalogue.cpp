// The record reader of map.ini, the map catalogue at start-up and the details of a clicked map.
// (The bot catalogue is read as any text file: see the list editors' tests.)

#include "catalog/InstalledMaps.h"
#include "catalog/MapCatalogue.h"
#include "core/TextFile.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace fd;
using namespace fd::test;

namespace {

// A program whose application folder holds the catalogue and pictures, and whose game folder
// holds the map files in a data folder spelled "BASEEF".
struct CatalogueProgram : TestProgram {
    explicit CatalogueProgram(const QString& catalogue, const QStringList& mapFiles = {},
                              const QStringList& pictures = {})
        : TestProgram(Start::Later) {
        writeFile(appFolder() + u"/map.ini"_s, catalogue.toUtf8());
        for (const QString& map : mapFiles)
            touch(gameFolder() + u"/BASEEF/"_s + map);
        for (const QString& picture : pictures)
            touch(this->picture(picture));
        start();
        form.show(Window::frmFragDocker);
    }
    QString picture(const QString& name) const { return appFolder() + u"/map_images/"_s + name; }
    // A click on the item: its details as "name players picture", and what the click did.
    QString click(ListBox list, int index) {
        form.setSelectedIndex(list, -1);
        form.setSelectedIndex(list, index);
        return form.text(ctl::txtMapName) + u' ' + form.text(ctl::txtMapPlayers) + u' ' +
               QFileInfo(form.picture(ctl::picMaps)).fileName();
    }
};

const QString borg =
    mapRecord("pak0.pk3", "hm_borg1", "Assimilation", "4-12", "0", "\\hm_borg1.jpg");
const QString voy = mapRecord("pak0.pk3", "hm_voy1", "Isolation", "2-8", "0", "\\hm_voy1.jpg");

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

const QString borgRecord = u"pak0.pk3|hm_borg1|Assimilation|4-12|0|\\hm_borg1.jpg"_s;
const QString x = u"pak0.pk3\nhm_x\nX\n2\n0\n\\x.jpg\n"_s;

} // namespace

class TestMapCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The record reader of map.ini in its two modes, driven by small catalogue texts. Texts of
    // any content are the fuzz target's part.
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

    void startUpListsTheInstalledMapsAndShowsThePlaceholder() {
        // Data folder and sub folder spelled in another case on disk than in the catalogue.
        CatalogueProgram p(
            "Our maps\n" + borg +
                mapRecord("maps/gone.bsp", "hm_gone", "Gone", "2", "0", "\\g.jpg") + voy + borg +
                mapRecord("Maps\\Extra.BSP", "hm_extra", "Extra", "2", "0", "\\unknownmap.jpg"),
            {"pak0.pk3", "MAPS/extra.bsp"}, {"UnknownMap.JPG"});
        QCOMPARE(p.form.items(ctl::List1),
                 QStringList({"hm_borg1", "hm_voy1", "hm_borg1", "hm_extra"}));
        QCOMPARE(p.form.picture(ctl::picMaps), p.picture("UnknownMap.JPG"));
        QCOMPARE(p.form.text(ctl::txtMapName) + p.form.text(ctl::txtMapPlayers), QString());
        QCOMPARE(p.startUp.messages(), QStringList());
    }

    // A click shows the map's details. When its picture is missing, the name changes, players
    // and picture stay, and the notice takes the main window's place.
    void aMissingPictureShowsTheNotice() {
        CatalogueProgram p(borg + voy, {"pak0.pk3"}, {"HM_BORG1.jpg"});
        QCOMPARE(p.click(ctl::List1, 0), u"Assimilation 4-12 HM_BORG1.jpg"_s);
        QCOMPARE(p.log.events, QStringList());
        QCOMPARE(p.click(ctl::List1, 1), u"Isolation 4-12 HM_BORG1.jpg"_s);
        QCOMPARE(p.log.events, QStringList({"cue ralert.wav"}));
        QVERIFY(!p.form.isShown(Window::frmFragDocker) && p.form.isShown(Window::frmErrorMap));
        p.form.click(ctl::frmErrorMap::cmdOk);
        QVERIFY(p.form.isShown(Window::frmFragDocker) && !p.form.isShown(Window::frmErrorMap));
    }

    // Selected maps are looked up without the installation test, by their whole name in the
    // same case, in separated records only.
    void selectedMapsAreLookedUpByTheirExactName_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("details");
        const QString gone =
            mapRecord("maps/gone.bsp", "hm_borg1", "Gone", "2", "0", "\\hm_borg1.jpg");
        QTest::newRow("not installed") << gone << "hm_borg1"
                                       << "Gone 2 hm_borg1.jpg";
        QTest::newRow("other case") << gone << "HM_BORG1"
                                    << "  unknownmap.jpg";
        QTest::newRow("trailing space") << gone << "hm_borg1 "
                                        << "  unknownmap.jpg";
        QTest::newRow("no separators") << QString(gone).remove("'------\n") << "hm_borg1"
                                       << "  unknownmap.jpg";
    }
    void selectedMapsAreLookedUpByTheirExactName() {
        QFETCH(QString, catalogue);
        QFETCH(QString, clicked);
        QFETCH(QString, details);
        CatalogueProgram p(catalogue, {}, {"hm_borg1.jpg"});
        QCOMPARE(p.form.count(ctl::List1), 0);
        p.form.addItem(ctl::List2, clicked);
        QCOMPARE(p.click(ctl::List2, 0), details);
        QCOMPARE(p.log.events, QStringList());
    }

    // An installed program reads the catalogues and pictures that come with it, unless the user
    // put their own in the folder it writes in.
    void aUsersOwnCataloguesAndPicturesComeFirst_data() {
        QTest::addColumn<bool>("own");
        QTest::addColumn<QString>("shown"); // the Map List, the bot list, whose picture
        QTest::newRow("shipped") << false << "hm_voy1 Munro shipped";
        QTest::newRow("the user's own") << true << "hm_borg1 Chell own";
    }
    void aUsersOwnCataloguesAndPicturesComeFirst() {
        QFETCH(bool, own);
        QFETCH(QString, shown);
        QTemporaryDir shipped;
        TestProgram p(TestProgram::Start::Later);
        const QString folder = own ? p.appFolder() : shipped.path();
        writeFile(folder + u"/map.ini"_s,
                  (own ? borg : mapRecord("pak0.pk3", "hm_voy1", "I", "2", "0", "\\hm_borg1.jpg"))
                      .toUtf8());
        writeFile(folder + u"/bots.ini"_s, own ? "Chell\n" : "Munro\n");
        touch(folder + u"/Map_Images/HM_BORG1.JPG"_s); // letter case ignored in both folders
        touch(shipped.filePath(u"map_images/hm_borg1.jpg"_s));
        touch(p.gameFolder() + u"/baseEF/pak0.pk3"_s);
        p.ctx.shippedFolder = shipped.path();
        p.start();
        p.form.setSelectedIndex(ctl::List1, 0);
        QCOMPARE(p.form.items(ctl::List1).join(u',') + u' ' + p.form.items(ctl::list3).join(u',') +
                     (p.form.picture(ctl::picMaps).startsWith(p.appFolder()) ? u" own"_s
                                                                             : u" shipped"_s),
                 shown);
    }

    void theMapListIsFilledUpToItsLimit() {
        CatalogueProgram p(borg + borg + borg, {"pak0.pk3"});
        for (int i = p.form.count(ctl::List1); i < FormModel::maxListItems - 1; ++i)
            p.form.addItem(ctl::List1, QString());
        LoadMapCatalogue(p.ctx, p.appFolder() + u"/map.ini"_s);
        QCOMPARE(p.form.count(ctl::List1), FormModel::maxListItems);
        QCOMPARE(p.log.cues(), QStringList({"ralert.wav"}));
        QVERIFY(p.log.messages().first().contains(u"Map List is full"_s));
    }
};

QTEST_GUILESS_MAIN(TestMapCatalogue)
#include "tst_mapcatalogue.moc"
