// Tab pages are built when first shown: a page built only after a load, a game type change and
// a rotation edit shows every control as the model holds it then, and the keyboard meets it as
// it meets a page built at start.

#include "support/TestProgram.h"
#include "support/Widgets.h"
#include "ui/MainWindow.h"

#include <QtTest>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

using namespace fd;

namespace {

// The controls on the page whose widget shows another state than the model holds.
QStringList disagreeing(const FormModel& form, const QWidget& page) {
    QStringList wrong;
    for (QWidget* w : page.findChildren<QWidget*>()) {
        const QByteArray name = w->objectName().toLatin1();
        const char* id = name.constData();
        auto* edit = qobject_cast<QLineEdit*>(w);
        auto* check = qobject_cast<QCheckBox*>(w);
        auto* option = qobject_cast<QRadioButton*>(w);
        auto* list = qobject_cast<QListWidget*>(w);
        QStringList items;
        int highlighted = -1;
        for (int i = 0; list && i < list->count(); ++i) {
            items << list->item(i)->text();
            highlighted = list->item(i)->isSelected() ? i : highlighted;
        }
        if (form.isDeclared(w->objectName()) &&
            (w->isVisible() != form.visible(TextBox{id}) ||
             (edit && (edit->text() != form.text(TextBox{id}) ||
                       edit->isReadOnly() != form.locked(TextBox{id}))) ||
             (check && check->isChecked() != (form.value(CheckBox{id}) == 1)) ||
             (option && option->isChecked() != form.selected(OptionButton{id})) ||
             (list && (items != form.items(ListBox{id}) ||
                       highlighted != form.selectedIndex(ListBox{id})))))
            wrong << w->objectName();
    }
    return wrong;
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

        ui::MainWindow window(p.form, p.appFolder());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        p.form.click(ctl::cmdLoad);    // the roster grows by the saved one
        p.form.select(ctl::optionCTF); // hides, locks and fills in controls on other tabs
        for (const char* map : {"ctf_voy1", "hm_borg1", "hm_voy2"})
            p.form.addItem(ctl::List2, QString::fromLatin1(map));
        p.form.setSelectedIndex(ctl::List2, 1);

        QTest::mouseClick(test::widget<QLineEdit>(window, "txtServerName"), Qt::LeftButton);
        auto* tabs = test::widget<QTabWidget>(window, "SSTab1");
        const int count = tabs->count();
        for (int step = 1; step <= 2 * count; ++step) {
            const bool back = step > count;
            QTest::keyClick(window.focusWidget(), back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
            QCOMPARE(tabs->currentIndex(), (back ? 2 * count - step : step) % count);
            QVERIFY(tabs->isAncestorOf(window.focusWidget()));
            QCOMPARE(disagreeing(p.form, *tabs->currentWidget()), QStringList());
        }
        QCOMPARE(test::widget<QListWidget>(window, "list4")->count(), 2); // the page was built
    }
};

QTEST_MAIN(TestLatePages)
#include "tst_latepages.moc"
