// The main window and the game folder dialog offscreen, clicked and typed into as a user
// would: what the widgets show and how they reach the model. The rules themselves are tested
// on the model.

#include "catalog/MapPictures.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"
#include "support/Widgets.h"
#include "ui/MainWindow.h"
#include "ui/SmallWindow.h"

#include <QtTest>

#include <QtWidgets>

using namespace Qt::StringLiterals;
using namespace fd;
using namespace fd::test;

namespace {

void writePicture(const QString& path, QSize size) {
    QDir().mkpath(QFileInfo(path).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(path, "JPG"));
}

// The program with two maps (one picture undecodable), two bots, and its main window shown.
struct Shown : TestProgram {
    Shown() : TestProgram(Start::Later) {
        writeFile(appFolder() + u"/map.ini"_s,
                  (mapRecord("pak0.pk3", "hm_good", "Good", "2-8", "0", "\\good.jpg") +
                   mapRecord("pak0.pk3", "hm_broken", "Broken", "4-12", "0", "\\broken.jpg"))
                      .toUtf8());
        touch(gameFolder() + u"/baseEF/pak0.pk3"_s);
        writePicture(appFolder() + u"/map_images/unknownmap.jpg"_s, {20, 10});
        writePicture(appFolder() + u"/map_images/good.jpg"_s, {141, 146});
        writeFile(appFolder() + u"/map_images/broken.jpg"_s, "no picture");
        writeFile(appFolder() + u"/bots.ini"_s, "Munro\r\nTelsia \r\n");
        start();
        window.show();
        auto* tabs = get<QTabWidget>("SSTab1");
        for (int i = tabs->count() - 1; i >= 0; --i) // each page is built when first shown
            tabs->setCurrentIndex(i);
    }
    template <typename W> W* get(const char* name) { return widget<W>(window, name); }
    // Brings the widget's tab to the front and clicks it.
    void click(const char* name) {
        auto* target = get<QWidget>(name);
        auto* tabs = get<QTabWidget>("SSTab1");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(target))
                tabs->setCurrentIndex(i);
        QVERIFY2(target->isVisible(), name);
        QTest::mouseClick(target, Qt::LeftButton);
    }
    void type(const char* name, const QString& text) {
        get<QLineEdit>(name)->selectAll();
        QTest::keyClicks(get<QLineEdit>(name), text);
    }
    bool shown(const char* name) { return get<QWidget>(name)->isVisibleTo(&window); }
    bool readOnly(const char* name) { return get<QLineEdit>(name)->isReadOnly(); }
    QString text(const char* name) { return get<QLineEdit>(name)->text(); }
    QStringList rows(const char* list) {
        QStringList texts;
        for (int i = 0; i < get<QListWidget>(list)->count(); ++i)
            texts << get<QListWidget>(list)->item(i)->text();
        return texts;
    }
    // A click on a row; or with `twice`, a double click as a mouse delivers it. A row past the
    // end is the free space below the last item.
    void clickRow(const char* list, int row, bool twice = false) {
        auto* view = get<QListWidget>(list);
        const QPoint at = row < view->count() ? view->visualItemRect(view->item(row)).center()
                                              : QPoint(5, view->viewport()->height() - 5);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
        }
    }
    QSize pictureSize() { return get<QLabel>("picMaps")->pixmap().size(); }

    ui::MainWindow window{form, appFolder(), placeholderPicture(appFolder())};
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aFreshStartShowsTheInitialValues() {
        Shown w;
        QVERIFY(w.get<QCheckBox>("chkTurnBotsOn")->isChecked());
        QCOMPARE(w.get<QComboBox>("cmboSaveGame")->currentText(), u"Save Game #1"_s);
        QVERIFY(w.readOnly("txtMasterServer2") && !w.readOnly("txtForcePlayerRespawnSeconds"));
        QVERIFY(!w.shown("chkAssimilation") && !w.shown("chkAllowBotRocketJump"));
        QCOMPARE(w.window.focusWidget(), w.get<QPushButton>("cmdEngage"));
        auto* tabs = w.get<QTabWidget>("SSTab1");
        QVERIFY(tabs->currentIndex() == 0 && tabs->tabBar()->font().bold());
        QCOMPARE(w.rows("List1"), QStringList({"hm_good", "hm_broken"}));
        QCOMPARE(w.rows("list3"), QStringList({"Munro", "Telsia "}));
        QCOMPARE(w.pictureSize(), QSize(20, 10));
    }

    // Clicks and typing reach the model, and what the rules hide, lock and fill in shows.
    void clicksAndTypingReachTheModelAndBack() {
        Shown w;
        w.click("chkFriendlyFire");
        w.click("optionNonDedicated");
        w.click("optionNonDedicated"); // clicking it again keeps it selected
        w.type("txtServerName", u"Voyager"_s);
        w.click("optionCTF");
        QVERIFY(!w.shown("chkActionHero") && !w.readOnly("txtCaptureLimit"));
        QCOMPARE(w.text("txtCaptureLimit"), u"5"_s);
        w.click("chkChangeReservedMemory");
        w.click("chkChangeReservedMemory");
        QVERIFY(w.readOnly("txtChangeReservedMemoryAmount"));
        QTest::keyClicks(w.get<QLineEdit>("txtChangeReservedMemoryAmount"), u"9"_s);
        QCOMPARE(w.text("txtChangeReservedMemoryAmount"), u"47"_s); // locked
        QCOMPARE(w.form.value(ctl::chkFriendlyFire), 1);
        QVERIFY(w.form.selected(ctl::optionNonDedicated) && w.form.selected(ctl::optionCTF));
        QVERIFY(!w.get<QRadioButton>("optionDedicated")->isChecked());
        QCOMPARE(w.text("txtServerName"), u"Voyager"_s);
        QCOMPARE(w.form.text(ctl::txtServerName), u"Voyager"_s);
    }

    void listClicksShowDetailsAndDoubleClicksAddAndRemove() {
        Shown w;
        w.clickRow("List1", 0);
        QCOMPARE(w.pictureSize(), QSize(141, 146));
        w.clickRow("List1", 1); // an undecodable picture shows the placeholder
        QCOMPARE(w.pictureSize(), QSize(20, 10));

        w.clickRow("List1", 2, true); // below the last item: adds the selected one, kept selected
        w.click("cmdAdd");
        QCOMPARE(w.rows("List2"), QStringList({"hm_broken", "hm_broken"}));
        w.clickRow("List2", 0);
        w.clickRow("List2", 2, true); // below the last item: removes the selected one
        QCOMPARE(w.rows("List2"), QStringList({"hm_broken"}));
        QCOMPARE(w.form.items(ctl::List2), w.rows("List2"));
        w.clickRow("list3", 1, true);
        QCOMPARE(w.rows("list4"), QStringList({"Telsia "}));
    }

    void theSlotChooserEmptiesTheDescriptionOnlyWhenTyped() {
        Shown w;
        QTest::keyClicks(w.get<QLineEdit>("txtSaveGameDescription"), u"my set-up"_s);
        auto* chooser = w.get<QComboBox>("cmboSaveGame");
        chooser->setCurrentIndex(3);
        Q_EMIT chooser->activated(3); // picked from the list: the description stays
        QCOMPARE(w.form.text(ctl::cmboSaveGame), u"Save Game #4"_s);
        QCOMPARE(w.text("txtSaveGameDescription"), u"my set-up"_s);
        QTest::keyClick(chooser->lineEdit(), Qt::Key_Backspace); // typed: it is emptied
        QCOMPARE(w.form.text(ctl::cmboSaveGame), u"Save Game #"_s);
        QCOMPARE(w.text("txtSaveGameDescription"), QString());
    }

    void theGameFolderDialogTakesTheFocusAndTheTyping() {
        TestProgram p;
        ui::SmallWindow dialog(p.form, ui::gamePathDialog());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* path = widget<QLineEdit>(dialog, "txtGamePath");
        QCOMPARE(path->text(), p.gameFolder());
        QCOMPARE(QApplication::focusWidget(), path);
        path->selectAll();
        QTest::keyClicks(path, u"/nowhere"_s);
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), u"/nowhere"_s);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
