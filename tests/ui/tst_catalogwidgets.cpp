// The Maps and Bots tabs' lists, map details and picture on screen (offscreen), wired to the
// catalogue and rotation commands through the control model.

#include "support/CatalogFiles.h"
#include "support/TestProgram.h"
#include "support/Widgets.h"
#include "ui/MainWindow.h"

#include <QtTest>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

using namespace fd;
using namespace fd::test;

namespace {

void writePicture(const QString& path, QSize size) {
    QDir().mkpath(QFileInfo(path).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (!image.save(path, "JPG"))
        qFatal("cannot write %s", qPrintable(path));
}

struct MapsTab : TestProgram {
    MapsTab() : TestProgram(Start::Later) {
        writeFile(appFolder() + QStringLiteral("/map.ini"),
                  (mapRecord("pak0.pk3", "hm_good", "Good", "2-8", "0", "\\good.jpg") +
                   mapRecord("pak0.pk3", "hm_broken", "Broken", "4-12", "0", "\\broken.jpg"))
                      .toUtf8());
        touch(gameFolder() + QStringLiteral("/baseEF/pak0.pk3"));
        writePicture(appFolder() + QStringLiteral("/map_images/unknownmap.jpg"), {20, 10});
        writePicture(appFolder() + QStringLiteral("/map_images/good.jpg"), {141, 146});
        writeFile(appFolder() + QStringLiteral("/map_images/broken.jpg"), "no picture");
        writeFile(appFolder() + QStringLiteral("/bots.ini"), "Munro\r\nTelsia \r\n");
        start();
        window.show();
        auto* tabs = widget<QTabWidget>("SSTab1");
        for (int i = tabs->count() - 1; i >= 0; --i) // each page is built when first shown
            tabs->setCurrentIndex(i);
    }
    template <typename W> W* widget(const char* name) { return test::widget<W>(window, name); }
    QPoint centreOfRow(QListWidget* list, int row) {
        return list->visualItemRect(list->item(row)).center();
    }
    QStringList shown(QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    // As a mouse delivers it: press, release, double click, release.
    static void doubleClick(QWidget* widget, QPoint at) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }
    QSize pictureSize() { return widget<QLabel>("picMaps")->pixmap().size(); }

    ui::MainWindow window{form, appFolder()};
};

} // namespace

class TestCatalogWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theListsShowTheCataloguesAndThePlaceholder() {
        MapsTab tab;
        QCOMPARE(tab.shown(tab.widget<QListWidget>("List1")),
                 QStringList({"hm_good", "hm_broken"}));
        QCOMPARE(tab.shown(tab.widget<QListWidget>("list3")), QStringList({"Munro", "Telsia "}));
        QCOMPARE(tab.pictureSize(), QSize(20, 10));
    }

    void clickingAMapShowsItsDetailsAndAnUndecodablePictureThePlaceholder() {
        MapsTab tab;
        auto* maps = tab.widget<QListWidget>("List1");
        QTest::mouseClick(maps->viewport(), Qt::LeftButton, {}, tab.centreOfRow(maps, 0));
        QCOMPARE(tab.form.selectedIndex(ctl::List1), 0);
        QCOMPARE(tab.widget<QLineEdit>("txtMapName")->text(), QStringLiteral("Good"));
        QCOMPARE(tab.widget<QLineEdit>("txtMapPlayers")->text(), QStringLiteral("2-8"));
        QCOMPARE(tab.pictureSize(), QSize(141, 146));
        QTest::mouseClick(maps->viewport(), Qt::LeftButton, {}, tab.centreOfRow(maps, 1));
        QCOMPARE(tab.widget<QLineEdit>("txtMapPlayers")->text(), QStringLiteral("4-12"));
        QCOMPARE(tab.pictureSize(), QSize(20, 10));
        QVERIFY(tab.log.events.isEmpty());
    }

    void doubleClicksAddAndRemove() {
        MapsTab tab;
        auto* maps = tab.widget<QListWidget>("List1");
        auto* rotation = tab.widget<QListWidget>("List2");
        tab.doubleClick(maps->viewport(), tab.centreOfRow(maps, 1));
        QCOMPARE(tab.shown(rotation), QStringList({"hm_broken"}));
        QTest::mouseClick(tab.widget<QPushButton>("cmdAdd"), Qt::LeftButton);
        QCOMPARE(tab.shown(rotation), QStringList({"hm_broken", "hm_broken"}));

        QTest::mouseClick(rotation->viewport(), Qt::LeftButton, {}, tab.centreOfRow(rotation, 0));
        // A double click below the last item still counts: it removes the selected item.
        const QPoint below(5, rotation->viewport()->height() - 5);
        tab.doubleClick(rotation->viewport(), below);
        QCOMPARE(tab.shown(rotation), QStringList({"hm_broken"}));
        QCOMPARE(tab.form.items(ctl::List2), QStringList({"hm_broken"}));
        tab.doubleClick(rotation->viewport(), below);
        QCOMPARE(tab.log.cues().filter(QStringLiteral("beep2")).size(), 2);

        auto* bots = tab.widget<QListWidget>("list3");
        tab.doubleClick(bots->viewport(), tab.centreOfRow(bots, 1));
        QCOMPARE(tab.shown(tab.widget<QListWidget>("list4")), QStringList({"Telsia "}));
    }

    void theShuffledRotationShowsInItsList() {
        MapsTab tab;
        for (int i = 0; i < 6; ++i)
            tab.form.addItem(ctl::List2, QStringLiteral("map%1").arg(i));
        const QStringList before = tab.form.items(ctl::List2);
        QTest::mouseClick(tab.widget<QPushButton>("cmdRandom"), Qt::LeftButton);
        QVERIFY(tab.form.items(ctl::List2) != before);
        QCOMPARE(tab.shown(tab.widget<QListWidget>("List2")), tab.form.items(ctl::List2));
    }
};

QTEST_MAIN(TestCatalogWidgets)
#include "tst_catalogwidgets.moc"
