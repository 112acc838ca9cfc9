// The map catalogue at start-up and the details of a clicked map; the bot catalogue.

#include "catalog/Module1.h"
#include "catalog/modReadBots.h"
#include "catalog/modReadFile.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

using namespace fd;
using namespace fd::test;

namespace {

// A program whose application folder holds the catalogue and whose game folder holds the
// data folder spelled "BASEEF", with the map files given.
struct CatalogueProgram : TestProgram {
    explicit CatalogueProgram(const QString& catalogue, const QStringList& mapFiles = {},
                              const QStringList& pictures = {})
        : TestProgram(Start::Later) {
        writeFile(appFolder() + QStringLiteral("/map.ini"), catalogue.toUtf8());
        for (const QString& map : mapFiles)
            touch(gameFolder() + QStringLiteral("/BASEEF/") + map);
        for (const QString& picture : pictures)
            touch(appFolder() + QStringLiteral("/map_images/") + picture);
        start();
    }
    QString picture(const QString& name) const {
        return appFolder() + QStringLiteral("/map_images/") + name;
    }
    void click(ListBox list, int index) {
        form.setSelectedIndex(list, -1);
        form.setSelectedIndex(list, index);
    }
};

const QString borg =
    mapRecord("pak0.pk3", "hm_borg1", "Assimilation", "4-12", "0", "\\hm_borg1.jpg");
const QString voy = mapRecord("pak0.pk3", "hm_voy1", "Isolation", "2-8", "0", "\\hm_voy1.jpg");
const QString gone = mapRecord("maps/gone.bsp", "hm_gone", "Gone", "2", "0", "\\gone.jpg");

} // namespace

class TestMapCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpListsTheInstalledMapsAndShowsThePlaceholder() {
        // Data folder and sub folder spelled in another case on disk than in the catalogue.
        CatalogueProgram p(
            "Our maps\n" + borg + gone + voy + borg +
                mapRecord("Maps\\Extra.BSP", "hm_extra", "Extra", "2", "0", "\\unknownmap.jpg"),
            {"pak0.pk3", "MAPS/extra.bsp"}, {"UnknownMap.JPG"});
        QCOMPARE(p.form.items(ctl::List1),
                 QStringList({"hm_borg1", "hm_voy1", "hm_borg1", "hm_extra"}));
        QCOMPARE(p.form.picture(ctl::picMaps), p.picture("UnknownMap.JPG")); // the placeholder
        QVERIFY(p.form.text(ctl::txtMapName).isEmpty() &&
                p.form.text(ctl::txtMapPlayers).isEmpty());
        QVERIFY(p.startUp.events.filter(QStringLiteral("message")).isEmpty());
    }

    void malformedMapFilesAreNotInstalled() {
        QString catalogue;
        for (const QString& mapFile :
             {QString(), QStringLiteral("maps"), QStringLiteral("pak0.pk3") + QChar(0),
              QStringLiteral("pak0.pk3\\x"), QString(300, u'x')})
            catalogue += mapRecord(mapFile, "hm_bad", "Bad", "2", "0", "\bad.jpg");
        CatalogueProgram p(catalogue + borg, {"pak0.pk3", "maps/x.bsp"});
        QCOMPARE(p.form.items(ctl::List1), QStringList({"hm_borg1"}));
    }

    void withoutCataloguesOrGameFolderTheListsStayEmpty() {
        TestProgram noCatalogue;
        QCOMPARE(noCatalogue.form.count(ctl::List1), 0);
        QCOMPARE(noCatalogue.form.count(ctl::list3), 0);
        QVERIFY(noCatalogue.startUp.messages().isEmpty());
        noCatalogue.form.addItem(ctl::List2, QStringLiteral("hm_borg1"));
        noCatalogue.form.setSelectedIndex(ctl::List2, 0); // a click changes nothing
        QVERIFY(noCatalogue.form.text(ctl::txtMapName).isEmpty());
        QVERIFY(noCatalogue.log.events.isEmpty());

        CatalogueProgram wrongFolder(borg, {"pak0.pk3"});
        wrongFolder.form.setText(ctl::frmGamePath::txtGamePath, QStringLiteral("/nowhere"));
        LoadMapCatalogue(wrongFolder.ctx, wrongFolder.appFolder() + QStringLiteral("/map.ini"));
        QCOMPARE(wrongFolder.form.items(ctl::List1), QStringList({"hm_borg1"})); // as at start
    }

    void clickingAMapShowsItsNamePlayersAndPicture() {
        CatalogueProgram p(borg + voy, {"pak0.pk3"}, {"hm_borg1.jpg", "HM_VOY1.jpg"});
        p.form.show(Window::frmFragDocker);
        p.click(ctl::List1, 1);
        QCOMPARE(p.form.text(ctl::txtMapName), QStringLiteral("Isolation"));
        QCOMPARE(p.form.text(ctl::txtMapPlayers), QStringLiteral("2-8"));
        QCOMPARE(p.form.picture(ctl::picMaps), p.picture("HM_VOY1.jpg"));
        QVERIFY(p.log.cues().isEmpty());
        QVERIFY(p.form.isShown(Window::frmFragDocker));
    }

    void aMissingPictureShowsTheNoticeAndKeepsPlayersAndPicture() {
        CatalogueProgram p(borg + voy, {"pak0.pk3"}, {"hm_borg1.jpg"});
        p.form.show(Window::frmFragDocker);
        p.click(ctl::List1, 0);
        p.click(ctl::List1, 1);
        QCOMPARE(p.form.text(ctl::txtMapName), QStringLiteral("Isolation"));
        QCOMPARE(p.form.text(ctl::txtMapPlayers), QStringLiteral("4-12"));
        QCOMPARE(p.form.picture(ctl::picMaps), p.picture("hm_borg1.jpg"));
        QCOMPARE(p.log.events, QStringList({"cue ralert.wav"}));
        QVERIFY(!p.form.isShown(Window::frmFragDocker));
        QVERIFY(p.form.isShown(Window::frmErrorMap));

        p.form.click(ctl::frmErrorMap::cmdOk);
        QVERIFY(!p.form.isShown(Window::frmErrorMap));
        QVERIFY(p.form.isShown(Window::frmFragDocker));
    }

    void everyRecordOfOneNameIsAppliedAndTheLastRemains() {
        const QString first = mapRecord("pak0.pk3", "hm_twin", "First", "2", "0", "\\missing.jpg");
        const QString second = mapRecord("pak0.pk3", "hm_twin", "Second", "4", "0", "\\twin.jpg");
        const QString third = mapRecord("pak0.pk3", "hm_twin", "Third", "6", "0", "\\gone.jpg");
        CatalogueProgram p(first + second + third, {"pak0.pk3"}, {"twin.jpg"});
        QCOMPARE(p.form.items(ctl::List1), QStringList({"hm_twin", "hm_twin", "hm_twin"}));
        p.click(ctl::List1, 0);
        QCOMPARE(p.form.text(ctl::txtMapName), QStringLiteral("Third"));
        QCOMPARE(p.form.text(ctl::txtMapPlayers), QStringLiteral("4"));
        QCOMPARE(p.form.picture(ctl::picMaps), p.picture("twin.jpg"));
        QCOMPARE(p.log.cues(), QStringList({"ralert.wav", "ralert.wav"})); // one per missing
    }

    void pictureFileWithoutItsBackslashIsMissing() {
        CatalogueProgram p(mapRecord("pak0.pk3", "hm_a", "A", "2", "0", "a.jpg"), {"pak0.pk3"},
                           {"a.jpg"});
        touch(p.appFolder() + QStringLiteral("/map_images.jpg")); // not what it names either
        p.click(ctl::List1, 0);
        QCOMPARE(p.form.text(ctl::txtMapName), QStringLiteral("A"));
        QCOMPARE(p.log.cues(), QStringList({"ralert.wav"}));
        QVERIFY(p.form.isShown(Window::frmErrorMap));
    }

    void selectedMapsAreLookedUpWithoutTheInstallationTest() {
        CatalogueProgram p(gone, {}, {"gone.jpg"});
        QCOMPARE(p.form.count(ctl::List1), 0);
        p.form.addItem(ctl::List2, QStringLiteral("hm_gone"));
        p.click(ctl::List2, 0);
        QCOMPARE(p.form.text(ctl::txtMapName), QStringLiteral("Gone"));
        QCOMPARE(p.form.picture(ctl::picMaps), p.picture("gone.jpg"));
    }

    // A selected map is found only by its whole name in the same case, in separated records.
    void clicksThatFindNoRecordChangeNothing_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("clicked");
        const QString unseparated("pak0.pk3\nhm_borg1\nAssimilation\n4-12\n0\n\\hm_borg1.jpg\n");
        QTest::newRow("other case") << borg << "HM_BORG1";
        QTest::newRow("part of the name") << borg << "hm_borg";
        QTest::newRow("trailing space") << borg << "hm_borg1 ";
        QTest::newRow("no separators") << unseparated << "hm_borg1";
    }
    void clicksThatFindNoRecordChangeNothing() {
        QFETCH(QString, catalogue);
        QFETCH(QString, clicked);
        CatalogueProgram p(catalogue, {"pak0.pk3"}, {"hm_borg1.jpg"});
        p.form.addItem(ctl::List2, clicked);
        QCOMPARE(p.form.count(ctl::List1), catalogue == borg ? 1 : 0);
        p.click(ctl::List2, 0);
        QVERIFY(p.form.text(ctl::txtMapName).isEmpty());
        QVERIFY(p.log.events.isEmpty());
    }

    void theMapListIsFilledUpToItsLimit() {
        QString many;
        for (int i = 0; i < 3; ++i)
            many += borg;
        CatalogueProgram p(many, {"pak0.pk3"});
        for (int i = p.form.count(ctl::List1); i < FormModel::maxListItems - 1; ++i)
            p.form.addItem(ctl::List1, QStringLiteral("x"));
        LoadMapCatalogue(p.ctx, p.appFolder() + QStringLiteral("/map.ini"));
        QCOMPARE(p.form.count(ctl::List1), FormModel::maxListItems);
        QCOMPARE(p.log.cues(), QStringList({"ralert.wav"}));
        QVERIFY(p.log.messages().first().contains(QStringLiteral("Map List is full")));
    }

    void botCatalogueLinesAreTakenExactly_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("final line break gives no extra item")
            << QByteArray("Munro\r\nTelsia\r\n") << QStringList{"Munro", "Telsia"};
        QTest::newRow("last line without a line break")
            << QByteArray("Munro\nTelsia") << QStringList{"Munro", "Telsia"};
        QTest::newRow("spaces kept") << QByteArray("  Munro 4  \r\n") << QStringList{"  Munro 4  "};
        QTest::newRow("blank lines give empty items") << QByteArray("\r\nMunro\r\n\r\n\r\nKim\r\n")
                                                      << QStringList{"", "Munro", "", "", "Kim"};
        QTest::newRow("single-byte code page")
            << QByteArray("Bi\xE9ssman\r\n") << QStringList{"Bi\u00E9ssman"};
    }
    void botCatalogueLinesAreTakenExactly() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, items);
        TestProgram p(TestProgram::Start::Later);
        writeFile(p.appFolder() + QStringLiteral("/bots.ini"), file);
        p.start();
        QCOMPARE(p.form.items(ctl::list3), items);
    }
};

QTEST_GUILESS_MAIN(TestMapCatalogue)
#include "tst_mapcatalogue.moc"
