// Tab pages are built when first shown: a page built only after a load, a game type change and
// a rotation edit shows every control as the model holds it then, and the keyboard meets it as
// it meets a page built at start.

#include "catalog/MapPictures.h"
#include "support/TestProgram.h"
#include "support/Widgets.h"
#include "ui/MainWindow.h"

#include <QtTest>

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

using namespace fd;

namespace {

// What a user sees of each named widget on a page: shown or not, text, locked, checked, and a
// list's items with the highlighted one marked.
QStringList looks(const QWidget& page) {
    QStringList seen;
    for (const QWidget* w : page.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty())
            continue;
        QString look = w->objectName() + (w->isVisible() ? "" : " hidden");
        if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            look += " '" + edit->text() + (edit->isReadOnly() ? "' locked" : "'");
        if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            look += button->isChecked() ? " checked" : "";
        if (const auto* list = qobject_cast<const QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                look += " " + list->item(i)->text() + (list->item(i)->isSelected() ? "*" : "");
        seen << look;
    }
    seen.sort();
    return seen;
}

QTabWidget* tabsOf(const QWidget& window) {
    return test::widget<QTabWidget>(window, "SSTab1");
}

} // namespace

class TestLatePages : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // After a load, a game type change and a rotation edit, the user walks the tabs from the
    // server name: Ctrl+Tab around every tab, then Ctrl+Shift+Tab around again. Each page shows
    // the model, and the focus stays inside the tab control, where the next press moves on and
    // Space never reaches ENGAGE.
    void aPageBuiltLateMeetsTheEyeAndTheKeyboardAsOneBuiltAtStart() {
        test::TestProgram p;
        p.form.setText(ctl::txtMaxPlayers, QStringLiteral("16"));
        p.form.setValue(ctl::chkSetNetport, 1); // unlocks the port number
        p.form.addItem(ctl::list4, QStringLiteral("Munro"));
        p.form.click(ctl::cmdSave);

        // One window with every page built before the changes, one whose pages are built after.
        ui::MainWindow early(p.form, p.appFolder(), placeholderPicture(p.appFolder()));
        early.show();
        for (int i = 0; i < tabsOf(early)->count(); ++i)
            tabsOf(early)->setCurrentIndex(i);
        p.form.click(ctl::cmdLoad);    // the roster grows by the saved one
        p.form.select(ctl::optionCTF); // hides, locks and fills in controls on other tabs
        for (const char* map : {"ctf_voy1", "hm_borg1", "hm_voy2"})
            p.form.addItem(ctl::List2, QString::fromLatin1(map));
        p.form.setSelectedIndex(ctl::List2, 1);

        ui::MainWindow late(p.form, p.appFolder(), placeholderPicture(p.appFolder()));
        late.show();
        QVERIFY(QTest::qWaitForWindowActive(&late));
        QVERIFY(!late.findChild<QWidget*>("list4")); // a page is built only once shown
        QTest::mouseClick(test::widget<QLineEdit>(late, "txtServerName"), Qt::LeftButton);
        QTabWidget* tabs = tabsOf(late);
        const int count = tabs->count();
        for (int step = 1; step <= 2 * count; ++step) {
            const bool back = step > count;
            QTest::keyClick(late.focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
            QCOMPARE(tabs->currentIndex(), (back ? 2 * count - step : step) % count);
            QVERIFY(tabs->isAncestorOf(late.focusWidget()));
            tabsOf(early)->setCurrentIndex(tabs->currentIndex());
            QCOMPARE(looks(*tabs->currentWidget()), looks(*tabsOf(early)->currentWidget()));
        }
        QCOMPARE(test::widget<QListWidget>(late, "list4")->count(), 2); // the page was built
    }
};

QTEST_MAIN(TestLatePages)
#include "tst_latepages.moc"
