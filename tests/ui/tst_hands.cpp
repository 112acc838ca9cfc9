// What the user's mouse and keys meet (offscreen): clicks and focus in the lists, the slot
// chooser's text, labels beneath the other controls and the running notice's lines.

#include "catalog/MapPictures.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"
#include "support/Widgets.h"
#include "ui/MainWindow.h"
#include "ui/SmallWindow.h"

#include <QtTest>

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

using namespace fd;
using namespace fd::test;

// Two installed maps, the second without its picture; two maps in the rotation, two bots in
// the roster; the main window shown and active.
struct Hands : TestProgram {
    Hands() : TestProgram(Start::Later) {
        writeFile(appFolder() + QStringLiteral("/map.ini"),
                  (mapRecord("a.pk3", "hm_a", "A", "2", "0", "\\unknownmap.jpg") +
                   mapRecord("a.pk3", "hm_b", "B", "4", "0", "\\gone.jpg"))
                      .toUtf8());
        touch(gameFolder() + QStringLiteral("/baseEF/a.pk3"));
        touch(appFolder() + QStringLiteral("/map_images/unknownmap.jpg"));
        writeFile(appFolder() + QStringLiteral("/bots.ini"), "Munro\r\nTelsia\r\n");
        start();
        for (const char* map : {"hm_b", "hm_a"})
            form.addItem(ctl::List2, QString::fromLatin1(map));
        for (const char* bot : {"Munro", "Telsia"})
            form.addItem(ctl::list4, QString::fromLatin1(bot));
        window.show();
    }
    QListWidget* list(const char* name) { return widget<QListWidget>(window, name); }
    void showTab(int index) { widget<QTabWidget>(window, "SSTab1")->setCurrentIndex(index); }
    void click(const char* name, int row, Qt::KeyboardModifiers keys = {},
               Qt::MouseButton button = Qt::LeftButton) {
        QListWidget* l = list(name);
        QTest::mouseClick(l->viewport(), button, keys, l->visualItemRect(l->item(row)).center());
    }
    QString mapName() { return widget<QLineEdit>(window, "txtMapName")->text(); }

    ui::MainWindow window{form, appFolder(), placeholderPicture(appFolder())};
};

class TestHands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyClickIsAClickAndTheHighlightIsTheSelection() {
        Hands h;
        h.showTab(2);
        h.click("List1", 0);
        h.click("List2", 0);
        QCOMPARE(h.mapName(), QStringLiteral("B"));
        QVERIFY(h.form.isShown(Window::frmErrorMap));
        h.form.click(ctl::frmErrorMap::cmdOk);
        h.click("List1", 0); // selected already
        QCOMPARE(h.mapName(), QStringLiteral("A"));
        h.click("List2", 0); // selected already: the notice comes again

        h.click("List2", 0, Qt::ControlModifier); // de-selects it, and is no click
        h.click("List2", 0, {}, Qt::RightButton); // neither selects nor clicks
        QVERIFY(h.list("List2")->selectedItems().isEmpty());
        QCOMPARE(h.form.selectedIndex(ctl::List2), -1);
        QCOMPARE(h.log.cues(), QStringList({"ralert.wav", "ralert.wav"}));
    }

    void focusSelectsNothingWhileTheArrowKeysDo() {
        Hands h;
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        const std::pair<ListBox, int> lists[] = {
            {ctl::List1, 2}, {ctl::List2, 2}, {ctl::list3, 3}, {ctl::list4, 3}};
        for (const auto& [id, tab] : lists) {
            h.showTab(tab);
            QListWidget* list = h.list(id.name);
            list->setFocus(Qt::TabFocusReason);
            QCOMPARE(h.form.selectedIndex(id), -1);
            QTest::keyClick(list, Qt::Key_Down);
            QCOMPARE(h.form.selectedIndex(id), 1); // below the row that focus made current
        }
    }

    void theChoosersTextIsExactlyWhatWasTyped() {
        Hands h;
        h.showTab(4);
        QLineEdit* chooser = widget<QComboBox>(h.window, "cmboSaveGame")->lineEdit();
        for (const QString& typed : {QStringLiteral("Save"), QStringLiteral("save game #3")}) {
            chooser->selectAll();
            QTest::keyClicks(chooser, typed);
            QTest::keyClick(chooser, Qt::Key_Return);
            QCOMPARE(chooser->text(), typed);
            QCOMPARE(h.form.text(ctl::cmboSaveGame), typed);
        }
        // A paste of several lines goes into no text box.
        QGuiApplication::clipboard()->setText(QStringLiteral("a\nquit"));
        for (QLineEdit* box : {chooser, widget<QLineEdit>(h.window, "txtServerName")}) {
            const QString before = box->text();
            box->paste();
            QCOMPARE(box->text(), before);
        }
    }

    // Labels lie beneath the other controls, and a run of spaces after a sentence breaks the line.
    void labelsAsTheWindowsDrawThem() {
        Hands h;
        for (int tab = 6; tab >= 0; --tab)
            h.showTab(tab);
        for (QLabel* label : h.window.findChildren<QLabel*>()) {
            QWidget* container = label->parentWidget();
            for (QWidget* other : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const QRect overlap = label->geometry() & other->geometry();
                if (qobject_cast<QLabel*>(other) || overlap.isEmpty() || other->isHidden())
                    continue;
                const QImage seen = container->grab(overlap).toImage();
                label->hide();
                QVERIFY2(container->grab(overlap).toImage() == seen,
                         qPrintable(label->objectName()));
                label->show();
            }
        }
        ui::SmallWindow notice(h.form, ui::runningNotice());
        const QStringList lines = widget<QLabel>(notice, "lblAlreadyRunning")->text().split(u'\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(1).startsWith(QStringLiteral("This copy")));
        QVERIFY(lines.at(2).startsWith(QStringLiteral("If you")));
        QVERIFY(!widget<QLabel>(h.window, "lblAboutMore")->text().contains(u'\n')); // one space
    }
};

QTEST_MAIN(TestHands)
#include "tst_hands.moc"
