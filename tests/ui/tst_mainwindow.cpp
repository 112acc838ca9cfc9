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

// A banner of six colours, each in a place of its own, written as the program ships its banner.
QImage writeBanner(const QString& appFolder) {
    QImage banner(3, 2, QImage::Format_RGB32);
    for (int i = 0; i < 6; ++i)
        banner.setPixel(i % 3, i / 3, qRgb(40 * i, 255 - 40 * i, i % 2 * 200));
    return banner.save(appFolder + u"/banner.bmp"_s, "BMP") ? banner : QImage();
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

    QImage banner = writeBanner(appFolder()); // before the window, which reads it
    ui::MainWindow window{form, appFolder(), placeholderPicture(appFolder())};
};

// What a screen reader meets on the window as it is shown: each input's name and role by its
// widget's name, and the inputs that have no name of their own.
struct Reading {
    QMap<QString, QString> inputs; // "name (role)"
    QStringList unnamed;
    void walk(QAccessibleInterface* node) {
        static const QList<QAccessible::Role> inputRoles = {
            QAccessible::EditableText, QAccessible::CheckBox, QAccessible::RadioButton,
            QAccessible::ComboBox,     QAccessible::List,     QAccessible::Button};
        if (!node || node->state().invisible)
            return;
        if (!inputRoles.contains(node->role())) {
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
            return;
        }
        const QString widget = node->object()->objectName();
        if (inputs.contains(widget))
            return; // met on an earlier tab
        QString name = node->text(QAccessible::Name).trimmed();
        // A drop-down list is named by its text, and by the label that captions it; an input
        // named only by the caption of the frame around it has no name of its own.
        for (const auto& [label, relation] : node->relations(QAccessible::Label)) {
            if (node->role() == QAccessible::ComboBox)
                name = label->text(QAccessible::Name);
            else if (label->role() == QAccessible::Grouping &&
                     label->text(QAccessible::Name) == name)
                name.clear();
        }
        if (name.isEmpty())
            unnamed << widget;
        inputs[widget] = u"%1 (%2)"_s.arg(name).arg(node->role());
    }
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
        QCOMPARE(w.get<QLabel>("Picture1")->pixmap().toImage(), w.banner);
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

    // Every input on every tab has a name of its own; the option buttons are radio buttons.
    void aScreenReaderFindsEveryInputNamed() {
        Shown w;
        auto* tabs = w.get<QTabWidget>("SSTab1");
        Reading reading;
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            reading.walk(QAccessible::queryAccessibleInterface(&w.window));
        }
        QCOMPARE(reading.unnamed, QStringList());
        const QString radio = u" (%1)"_s.arg(QAccessible::RadioButton);
        const QString edit = u" (%1)"_s.arg(QAccessible::EditableText);
        QCOMPARE(reading.inputs.value("cmboSaveGame"),
                 u"Save Game File: (%1)"_s.arg(QAccessible::ComboBox));
        QCOMPARE(reading.inputs.value("optionCTF"), "Capture The Flag" + radio);
        QCOMPARE(reading.inputs.value("optionBotSkillCaptain"), "Captain" + radio);
        QCOMPARE(reading.inputs.value("txtMaxPlayers"), "Max Players" + edit);
        QCOMPARE(reading.inputs.value("txtGamePath"), "Current Game Folder Path" + edit);
        for (const char* button : {"cmdAdd", "cmdRemove", "cmdAddBot", "cmdRemoveBot"})
            QVERIFY(reading.inputs.value(button).contains(QRegularExpression("^(Add|Remove) ")));
        QVERIFY(!reading.inputs.contains("txtGameType")); // hidden
    }

    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDown and Ctrl+PgUp switch tabs wherever the focus is, and
    // the focus never stays on a page that went out of view.
    void tabsSwitchByKeyboardFromAnywhere() {
        Shown w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        auto* tabs = w.get<QTabWidget>("SSTab1");
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Tab, Qt::ControlModifier},
            {Qt::Key_PageDown, Qt::ControlModifier},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
            {Qt::Key_PageUp, Qt::ControlModifier},
            {Qt::Key_PageUp, Qt::ControlModifier}};
        QList<int> shown;
        for (const auto& [key, modifiers] : keys) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            shown << tabs->currentIndex();
        }
        QCOMPARE(shown, QList<int>({1, 2, 1, 0, 6}));
        QCOMPARE(QApplication::focusWidget(), w.get<QPushButton>("cmdEngage"));
        w.click("txtServerName");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(tabs->currentWidget()->isAncestorOf(QApplication::focusWidget()));
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
