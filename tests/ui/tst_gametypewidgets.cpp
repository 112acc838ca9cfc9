// The game type rules through the real widgets offscreen: clicks on the option buttons and
// check boxes, and what the window then shows hidden, checked, locked and filled in.

#include "support/TestProgram.h"
#include "support/Widgets.h"
#include "ui/MainWindow.h"

#include <QtTest>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

using namespace fd;
using fd::test::TestProgram;

class TestGameTypeWidgets : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    std::unique_ptr<ui::MainWindow> window;

    template <typename W> W* widget(const char* name) { return test::widget<W>(*window, name); }

    // Brings the widget's tab to the front and clicks it as a user would.
    void click(const char* name) {
        QAbstractButton* button = widget<QAbstractButton>(name);
        auto* tabs = widget<QTabWidget>("SSTab1");
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(button))
                tabs->setCurrentIndex(i);
        QVERIFY2(button->isVisible(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    bool shown(const char* name) { return widget<QWidget>(name)->isVisibleTo(window.get()); }
    bool checked(const char* name) { return widget<QCheckBox>(name)->isChecked(); }
    bool readOnly(const char* name) { return widget<QLineEdit>(name)->isReadOnly(); }
    QString text(const char* name) { return widget<QLineEdit>(name)->text(); }

private Q_SLOTS:
    void init() {
        p = std::make_unique<TestProgram>();
        window = std::make_unique<ui::MainWindow>(p->form, p->appFolder());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* tabs = widget<QTabWidget>("SSTab1");
        for (int i = tabs->count() - 1; i >= 0; --i) // each page is built when first shown
            tabs->setCurrentIndex(i);
    }
    void cleanup() {
        window.reset();
        p.reset();
    }

    // The rules themselves are tested on the model; here the clicks reach them and the
    // widgets show what they hide, lock and fill in.
    void gameTypesShowAndLockWhatTheRulesSay() {
        QVERIFY(!shown("chkAssimilation"));
        QVERIFY(!readOnly("txtCaptureLimit"));

        click("optionTeamDeathMatch");
        QVERIFY(shown("chkAssimilation") && !shown("chkActionHero"));
        QVERIFY(readOnly("txtCaptureLimit"));
        click("chkSpecialties");
        click("chkAssimilation"); // cleared again at once, and still shown
        QVERIFY(!checked("chkAssimilation") && shown("chkAssimilation"));

        click("optionCTF");
        QVERIFY(!checked("chkSpecialties"));
        QVERIFY(!readOnly("txtCaptureLimit"));
        QCOMPARE(text("txtCaptureLimit"), QStringLiteral("5"));
        QCOMPARE(text("txtFragLimit"), QStringLiteral("0"));

        click("optionDeathmatch");
        QVERIFY(readOnly("txtCaptureLimit"));
        click("chkActionHero");
        for (const char* name : {"chkDisintegration", "chkSpecialties", "chkElimination"})
            QVERIFY2(!shown(name), name);
        click("chkActionHero");
        for (const char* name : {"chkDisintegration", "chkSpecialties", "chkElimination"})
            QVERIFY2(shown(name), name);
    }

    void companionBoxesLockTheirOwnTextBox() {
        QVERIFY(readOnly("txtChangeReservedMemoryAmount"));
        click("chkChangeReservedMemory");
        QVERIFY(!readOnly("txtChangeReservedMemoryAmount"));
        QCOMPARE(text("txtChangeReservedMemoryAmount"), QStringLiteral("64"));
        click("chkChangeReservedMemory");
        QVERIFY(readOnly("txtChangeReservedMemoryAmount"));
        QCOMPARE(text("txtChangeReservedMemoryAmount"), QStringLiteral("47"));

        // A locked box still shows its text, and typing into it changes nothing.
        auto* amount = widget<QLineEdit>("txtChangeReservedMemoryAmount");
        QTest::keyClicks(amount, QStringLiteral("9"));
        QCOMPARE(p->form.text(ctl::txtChangeReservedMemoryAmount), QStringLiteral("47"));
    }
};

QTEST_MAIN(TestGameTypeWidgets)
#include "tst_gametypewidgets.moc"
