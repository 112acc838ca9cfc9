// The main window offscreen: what a user sees at a fresh start, and how typing reaches the
// settings.

#include "settings/SettingsRecord.h"
#include "support/TestProgram.h"
#include "support/Widgets.h"
#include "ui/MainWindow.h"

#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace fd;
using fd::test::TestProgram;
using fd::test::widget;

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aFreshStartShowsEveryInitialValue() {
        TestProgram p;
        ui::MainWindow window(p.form, p.appFolder());
        auto* tabs = widget<QTabWidget>(window, "SSTab1");
        for (int i = tabs->count() - 1; i >= 0; --i) // each page is built when first shown
            tabs->setCurrentIndex(i);
        for (const Field& field : settingsRecord) {
            const QString initial = QString::fromLatin1(field.initial);
            const QString control = QString::fromLatin1(field.control);
            if (control.isEmpty() || control.contains(u'.'))
                continue; // no control, or one of the game folder dialog
            QWidget* w = window.findChild<QWidget*>(control);
            QVERIFY2(w, qPrintable(control));
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                QCOMPARE(edit->text(), initial);
            else if (auto* check = qobject_cast<QCheckBox*>(w))
                QCOMPARE(check->isChecked(), initial == u"1");
            else if (auto* option = qobject_cast<QRadioButton*>(w))
                QCOMPARE(option->isChecked(), initial == u"true");
            else if (auto* combo = qobject_cast<QComboBox*>(w))
                QCOMPARE(combo->currentText(), initial);
            else
                QFAIL(qPrintable(control + QStringLiteral(" is no settings widget")));
        }
        QCOMPARE(widget<QLineEdit>(window, "txtMasterServer3")->text(), QStringLiteral(" "));
        QVERIFY(widget<QLineEdit>(window, "txtMasterServer2")->isReadOnly());
        QVERIFY(!widget<QLineEdit>(window, "txtForcePlayerRespawnSeconds")->isReadOnly());
        QCOMPARE(widget<QComboBox>(window, "cmboSaveGame")->count(), 7);
        window.show();
        QVERIFY(!widget<QCheckBox>(window, "chkAssimilation")->isVisible());
        QVERIFY(!widget<QCheckBox>(window, "chkAllowBotRocketJump")->isVisibleTo(&window));
        QCOMPARE(window.focusWidget(), widget<QPushButton>(window, "cmdEngage"));
        QCOMPARE(widget<QTabWidget>(window, "SSTab1")->currentIndex(), 0);
        QCOMPARE(window.windowTitle(), QStringLiteral("FragDocker 1.02 Beta"));
    }

    void typingStopsAtTheLimitButCodeIsNotCut() {
        TestProgram p;
        ui::MainWindow window(p.form, p.appFolder());
        widget<QTabWidget>(window, "SSTab1")->setCurrentIndex(1); // builds the Settings page
        auto* players = widget<QLineEdit>(window, "txtMaxPlayers");
        players->selectAll();
        QTest::keyClicks(players, QStringLiteral("1234"));
        QCOMPARE(players->text(), QStringLiteral("12"));
        QCOMPARE(p.form.text(ctl::txtMaxPlayers), QStringLiteral("12"));

        p.form.setText(ctl::txtMaxPlayers, QStringLiteral("12345"));
        QCOMPARE(players->text(), QStringLiteral("12345"));
        players->end(false);
        QTest::keyClick(players, Qt::Key_Backspace); // shortening a long value is allowed
        QCOMPARE(p.form.text(ctl::txtMaxPlayers), QStringLiteral("1234"));
        QTest::keyClicks(players, QStringLiteral("9"));
        QCOMPARE(p.form.text(ctl::txtMaxPlayers), QStringLiteral("1234"));
    }

    void clicksAndTypingReachTheSettingsAndSurviveTabSwitches() {
        TestProgram p;
        ui::MainWindow window(p.form, p.appFolder());
        window.show();
        widget<QTabWidget>(window, "SSTab1")->setCurrentIndex(1); // builds the Settings page
        QTest::mouseClick(widget<QCheckBox>(window, "chkFriendlyFire"), Qt::LeftButton);
        QCOMPARE(p.form.value(ctl::chkFriendlyFire), 1);
        auto* nonDedicated = widget<QRadioButton>(window, "optionNonDedicated");
        QTest::mouseClick(nonDedicated, Qt::LeftButton);
        QTest::mouseClick(nonDedicated, Qt::LeftButton); // clicking it again keeps it selected
        QVERIFY(p.form.selected(ctl::optionNonDedicated));
        QVERIFY(nonDedicated->isChecked());
        QVERIFY(!widget<QRadioButton>(window, "optionDedicated")->isChecked());

        auto* name = widget<QLineEdit>(window, "txtServerName");
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Voyager"));
        auto* tabs = widget<QTabWidget>(window, "SSTab1");
        for (int i = tabs->count() - 1; i >= 0; --i)
            tabs->setCurrentIndex(i);
        QCOMPARE(name->text(), QStringLiteral("Voyager"));
        QCOMPARE(p.form.text(ctl::txtServerName), QStringLiteral("Voyager"));
        QVERIFY(nonDedicated->isChecked());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
