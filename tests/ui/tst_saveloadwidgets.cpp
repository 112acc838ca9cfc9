// The Save/Load tab and the game folder dialog, offscreen: their widgets reach the commands
// and show what the commands did (the Advanced tab's button is exercised with the windows).

#include "support/TestProgram.h"
#include "support/Widgets.h"
#include "ui/MainWindow.h"
#include "ui/SmallWindow.h"

#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace fd;
using fd::test::TestProgram;
using fd::test::widget;

class TestSaveLoadWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveAndLoadButtonsMoveTheSettings() {
        TestProgram p;
        ui::MainWindow window(p.form, p.appFolder());
        window.show();
        widget<QWidget>(window, "SSTab1")->setProperty("currentIndex", 4); // builds Save/Load
        auto* name = widget<QLineEdit>(window, "txtServerName");
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Saved name"));
        QTest::mouseClick(widget<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Changed"));
        QTest::mouseClick(widget<QPushButton>(window, "cmdLoad"), Qt::LeftButton);
        QCOMPARE(name->text(), QStringLiteral("Saved name"));
        QCOMPARE(p.log.messages(), QStringList());
    }

    void typingIntoTheChooserEmptiesTheDescription() {
        TestProgram p;
        ui::MainWindow window(p.form, p.appFolder());
        window.show();
        widget<QWidget>(window, "SSTab1")->setProperty("currentIndex", 4); // builds Save/Load
        auto* description = widget<QLineEdit>(window, "txtSaveGameDescription");
        QTest::keyClicks(description, QStringLiteral("my set-up"));
        auto* chooser = widget<QComboBox>(window, "cmboSaveGame");
        chooser->setCurrentIndex(3);
        Q_EMIT chooser->activated(3); // picked from the list
        QCOMPARE(p.form.text(ctl::cmboSaveGame), QStringLiteral("Save Game #4"));
        QCOMPARE(description->text(), QStringLiteral("my set-up"));
        QTest::keyClick(chooser->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(p.form.text(ctl::cmboSaveGame), QStringLiteral("Save Game #"));
        QCOMPARE(description->text(), QString());
    }

    void theDialogShowsTheFolderAndItsButtonsWork() {
        TestProgram p;
        ui::SmallWindow dialog(p.form, ui::gamePathDialog());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* path = widget<QLineEdit>(dialog, "txtGamePath");
        QCOMPARE(path->text(), p.gameFolder());
        QCOMPARE(QApplication::focusWidget(), path);
        path->selectAll();
        QTest::keyClicks(path, QStringLiteral("/nowhere"));
        QCOMPARE(p.form.text(ctl::frmGamePath::txtGamePath), QStringLiteral("/nowhere"));
        p.log.events.clear();
        p.chooser.answers << p.gameFolder();
        widget<QPushButton>(dialog, "cmdYes")->click();
        QCOMPARE(p.log.messages(), QStringList({"This Is Not The Correct Path To stvoyHM.exe"}));
        QCOMPARE(path->text(), p.gameFolder());
        widget<QPushButton>(dialog, "cmdYes")->click();
        QVERIFY(p.form.isShown(Window::frmFragDocker));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Fragdocker Game Path"));
    }
};

QTEST_MAIN(TestSaveLoadWidgets)
#include "tst_saveloadwidgets.moc"
