// The control model: handlers run exactly when a value changes, as a click would run them.

#include "core/FormModel.h"

#include <QtTest>

using namespace fd;

namespace {
constexpr CheckBox chkA{"chkA"}, chkB{"chkB"};
constexpr OptionButton optX{"optX"}, optY{"optY"}, optZ{"optZ"};
constexpr ListBox lst{"lst"};
constexpr ComboBox cmbo{"cmbo"};
constexpr TextBox txt{"txt"};
} // namespace

// A few controls whose handlers record that they ran.
struct Fixture {
    FormModel form;
    QStringList calls;
    Fixture() {
        form.declare(chkA, 0);
        form.declare(chkB, 1);
        form.declare(optX, QStringLiteral("g"), true);
        form.declare(optY, QStringLiteral("g"), false);
        form.declare(optZ, QStringLiteral("other"), false);
        form.declare(lst);
        form.declare(cmbo, {QStringLiteral("one"), QStringLiteral("two")}, QStringLiteral("one"));
        form.declare(txt, QStringLiteral("start"), 2);
        form.onClick(chkA, [this] { calls << QStringLiteral("A"); });
        form.onClick(chkB, [this] { calls << QStringLiteral("B"); });
        form.onClick(optX, [this] { calls << QStringLiteral("X"); });
        form.onClick(optY, [this] { calls << QStringLiteral("Y"); });
        form.onChange(cmbo, [this] { calls << QStringLiteral("change"); });
    }
};

class TestFormModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void checkBoxRunsItsHandlerOnlyWhenItsValueChanges() {
        Fixture f;
        f.form.setValue(chkA, 0);
        QVERIFY(f.calls.isEmpty());
        f.form.setValue(chkA, 1);
        f.form.setValue(chkA, 1);
        f.form.setValue(chkA, 0);
        QCOMPARE(f.calls, QStringList({"A", "A"}));
    }

    void nestedHandlersRunBeforeTheOuterOneGoesOn() {
        Fixture f;
        f.form.onClick(chkA, [&] {
            f.calls << QStringLiteral("A in");
            f.form.setValue(chkB, 0); // runs B's handler at once
            f.calls << QStringLiteral("A out");
        });
        f.form.setValue(chkA, 1);
        QCOMPARE(f.calls, QStringList({"A in", "B", "A out"}));
    }

    void selectingAnOptionClearsItsGroupOnlyAndRunsOnlyItsHandler() {
        Fixture f;
        f.form.select(optY);
        QVERIFY(f.form.selected(optY));
        QVERIFY(!f.form.selected(optX));
        QVERIFY(!f.form.selected(optZ));
        f.form.select(optY); // already selected: nothing runs
        QCOMPARE(f.calls, QStringList({"Y"}));
    }

    void clearingAnOptionCanLeaveItsGroupEmpty() {
        Fixture f;
        f.form.setSelected(optX, false);
        QVERIFY(!f.form.selected(optX) && !f.form.selected(optY));
        QVERIFY(f.calls.isEmpty());
    }

    void hiddenControlsKeepTheirValues() {
        Fixture f;
        f.form.setValue(chkA, 1);
        f.form.setVisible(chkA, false);
        QCOMPARE(f.form.value(chkA), 1);
        QVERIFY(!f.form.visible(chkA));
    }

    void textPutInByCodeIsNotCutToTheTypingLimit() {
        Fixture f;
        f.form.setText(txt, QStringLiteral("much longer"));
        QCOMPARE(f.form.text(txt), QStringLiteral("much longer"));
        QCOMPARE(f.form.maxLength(txt), 2);
    }

    void listsKeepOrderAndSelection() {
        Fixture f;
        for (const char* item : {"a", "b", "c"})
            QVERIFY(f.form.addItem(lst, QString::fromLatin1(item)));
        f.form.setSelectedIndex(lst, 2);
        QCOMPARE(f.form.selectedText(lst), QStringLiteral("c"));
        f.form.removeItem(lst, 0);
        QCOMPARE(f.form.selectedIndex(lst), 1); // the selected item moved up
        f.form.removeItem(lst, 1);
        QCOMPARE(f.form.selectedIndex(lst), -1);
        QCOMPARE(f.form.selectedText(lst), QString());
        QCOMPARE(f.form.items(lst), QStringList({"b"}));
    }

    void listsRefuseItemsBeyondTheirLimit() {
        Fixture f;
        for (int i = 0; i < FormModel::maxListItems; ++i)
            f.form.addItem(lst, QString());
        QVERIFY(!f.form.addItem(lst, QStringLiteral("one too many")));
        QCOMPARE(f.form.count(lst), FormModel::maxListItems);
    }

    void comboRunsChangeWhenTypedButNotWhenChosen() {
        Fixture f;
        f.form.choose(cmbo, 1);
        QCOMPARE(f.form.text(cmbo), QStringLiteral("two"));
        QVERIFY(f.calls.isEmpty());
        f.form.setText(cmbo, QStringLiteral("typed"));
        QCOMPARE(f.calls, QStringList({"change"}));
    }

    void usingAnUndeclaredControlOrTheWrongKindFailsLoudly() {
        Fixture f;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, f.form.value(CheckBox{"chkMissing"}));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, f.form.text(TextBox{"chkA"}));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, f.form.declare(chkA, 0));
    }

    void windowsCloseOnceAndForAll() {
        Fixture f;
        QSignalSpy changes(&f.form, &FormModel::windowChanged);
        f.form.show(Window::frmGamePath);
        QVERIFY(f.form.isShown(Window::frmGamePath));
        f.form.close(Window::frmGamePath);
        f.form.close(Window::frmGamePath);
        f.form.show(Window::frmGamePath);
        QVERIFY(f.form.isClosed(Window::frmGamePath));
        QVERIFY(!f.form.isShown(Window::frmGamePath));
        QCOMPARE(changes.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestFormModel)
#include "tst_formmodel.moc"
