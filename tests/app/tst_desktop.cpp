// The program with its four windows, offscreen, as the user meets it: what start-up shows,
// which window each button brings up or hides, and how closing ends everything.

#include "app/Desktop.h"
#include "core/SystemProcessLauncher.h"
#include "core/TextFile.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"
#include "support/Widgets.h"

#include <QtTest>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

Q_DECLARE_METATYPE(fd::Window)

namespace {

constexpr Window allWindows[] = {Window::frmFragDocker, Window::frmGamePath, Window::frmErrorMap,
                                 Window::frmFragdockerRunning};

// Counts the times a window of the given name is displayed.
class DisplayCounter : public QObject {
public:
    explicit DisplayCounter(const char* window) : window_(QLatin1String(window)) {
        qApp->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == window_)
            ++count;
        return false;
    }

private:
    QString window_;
};

// The test program with its windows; start() runs the main window's load step.
struct WithWindows {
    explicit WithWindows(std::shared_ptr<TestFolders> folders = std::make_shared<TestFolders>())
        : p(std::move(folders), TestProgram::Start::Later) {}

    QString appFile(const QString& name) const { return p.appFolder() + u'/' + name; }
    // The shipped catalogues, with the game's first map archive installed.
    void installCatalogues() {
        for (const char* name : {"map.ini", "bots.ini"})
            QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/") + QLatin1String(name),
                                appFile(QLatin1String(name))));
        test::touch(p.makeDataFolder() + QStringLiteral("/pak0.pk3"));
    }
    template <typename W> W* widget(Window window, const char* name) {
        QWidget* shown = desktop.window(window);
        if (auto* tabs = shown->findChild<QTabWidget*>(QStringLiteral("SSTab1")))
            for (int i = tabs->count() - 1; i >= 0; --i) // each page is built when first shown
                tabs->setCurrentIndex(i);
        return test::widget<W>(*shown, name);
    }
    void click(Window window, const char* button) { widget<QPushButton>(window, button)->click(); }
    // The windows the model shows, each checked against its widget's visibility (a widget is
    // asked for only when shown, as asking creates it).
    QList<Window> shownWindows() {
        QList<Window> shown;
        for (Window window : allWindows) {
            if (!p.form.isShown(window))
                continue;
            if (desktop.window(window) && desktop.window(window)->isVisible())
                shown << window;
            else
                qWarning("window %d shown in the model only", int(window));
        }
        return shown;
    }
    bool allClosed() const {
        return std::all_of(std::begin(allWindows), std::end(allWindows),
                           [this](Window w) { return p.form.isClosed(w); });
    }

    TestProgram p;
    Desktop desktop{p.program};
};

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aFreshStartShowsTheServerTabWithFreeForAll() {
        WithWindows w;
        w.installCatalogues();
        QVERIFY(w.desktop.start());
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragDocker});
        QCOMPARE(w.widget<QTabWidget>(Window::frmFragDocker, "SSTab1")->currentIndex(), 0);
        QVERIFY(w.widget<QRadioButton>(Window::frmFragDocker, "optionDeathmatch")->isChecked());
        QCOMPARE(w.p.form.text(ctl::txtGameType), QStringLiteral("0"));
        QVERIFY(w.widget<QCheckBox>(Window::frmFragDocker, "chkAssimilation")->isHidden());
        auto* mapList = w.widget<QListWidget>(Window::frmFragDocker, "List1");
        QVERIFY(mapList->count() > 0);
        QCOMPARE(mapList->count(), w.p.form.count(ctl::List1));
        QVERIFY(w.widget<QListWidget>(Window::frmFragDocker, "list3")->count() > 0);
        QCOMPARE(w.widget<QLineEdit>(Window::frmFragDocker, "txtGamePath")->text(),
                 w.p.gameFolder());
        QCOMPARE(w.p.log.cues().value(0), QStringLiteral("progact.wav"));
        QCOMPARE(w.p.log.messages(), QStringList());
    }

    void withoutPathFileTheGameFolderDialogComesUpCentred() {
        WithWindows w;
        QVERIFY(QFile::remove(w.appFile(QStringLiteral("path.ini"))));
        QVERIFY(w.desktop.start()); // the Wine prefix holds no registry: no folder found
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmGamePath});
        QCOMPARE(test::readFile(w.appFile(QStringLiteral("path.ini"))), QByteArray("\r\n"));

        QWidget* dialog = w.desktop.window(Window::frmGamePath);
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        const QPoint screenCentre = dialog->screen()->availableGeometry().center();
        // Centred, give or take the frame.
        QVERIFY((dialog->frameGeometry().center() - screenCentre).manhattanLength() <= 8);

        dialog->close(); // by its frame: the main window comes back
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragDocker});
        QCOMPARE(w.desktop.window(Window::frmGamePath), dialog);
    }

    void theLastLineOfThePathFileIsTheGameFolder() {
        WithWindows w;
        text::writeLines(w.appFile(QStringLiteral("path.ini")),
                         {QStringLiteral("/no/such/folder"), QString(), w.p.gameFolder()});
        QVERIFY(w.desktop.start());
        QCOMPARE(w.p.form.text(ctl::frmGamePath::txtGamePath), w.p.gameFolder());
        QCOMPARE(w.widget<QLineEdit>(Window::frmFragDocker, "txtGamePath")->text(),
                 w.p.gameFolder());
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragDocker});
    }

    void aLeftBehindLockShowsOnlyTheRunningNotice() {
        WithWindows w;
        const QByteArray store("a store this copy must not touch");
        test::writeFile(w.appFile(QStringLiteral("dock.sav")), store);
        test::touch(w.appFile(QStringLiteral("dock.ldb")));
        DisplayCounter mainDisplayed("frmFragDocker");
        QVERIFY(w.desktop.start());
        QCOMPARE(mainDisplayed.count, 0); // not even for a moment
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragdockerRunning});
        QCOMPARE(w.p.log.cues(), QStringList{QStringLiteral("ralert.wav")});
        QCOMPARE(test::readFile(w.appFile(QStringLiteral("dock.sav"))), store);
        QVERIFY(!QFile::exists(w.appFile(QStringLiteral("dock2.sav"))));

        w.click(Window::frmFragdockerRunning, "cmdOk");
        QVERIFY(w.allClosed());
        for (Window window : allWindows)
            QCOMPARE(w.desktop.window(window), nullptr);
        QVERIFY(QFile::exists(w.appFile(QStringLiteral("dock.ldb")))); // not this copy's lock
    }

    void windowsAreHiddenAndShownAgainNotRemade() {
        WithWindows w;
        w.installCatalogues(); // the test folder has no map pictures
        QVERIFY(w.desktop.start());
        QWidget* main = w.desktop.window(Window::frmFragDocker);
        w.click(Window::frmFragDocker, "cmdRefindGamePatch");
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmGamePath});
        QWidget* dialog = w.desktop.window(Window::frmGamePath);
        QCOMPARE(w.widget<QLineEdit>(Window::frmGamePath, "txtGamePath")->text(), w.p.gameFolder());
        w.click(Window::frmGamePath, "cmdYes");
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragDocker});
        w.click(Window::frmFragDocker, "cmdRefindGamePatch");
        QCOMPARE(w.desktop.window(Window::frmGamePath), dialog);
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmGamePath});
        w.click(Window::frmGamePath, "cmdYes");

        w.p.form.setSelectedIndex(ctl::List1, 0); // the missing-picture notice
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmErrorMap});
        QWidget* notice = w.desktop.window(Window::frmErrorMap);
        w.click(Window::frmErrorMap, "cmdOk");
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragDocker});
        w.p.form.setSelectedIndex(ctl::List1, 1);
        QCOMPARE(w.desktop.window(Window::frmErrorMap), notice);
        QCOMPARE(w.desktop.window(Window::frmFragDocker), main);
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmErrorMap});
    }

    void theNoticesHaveNoCloseButton() {
        WithWindows w;
        for (Window notice : {Window::frmErrorMap, Window::frmFragdockerRunning}) {
            const Qt::WindowFlags flags = w.desktop.window(notice)->windowFlags();
            QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
            QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        }
    }

    void closingTheMainWindowClosesEveryWindow_data() {
        QTest::addColumn<Window>("other");
        QTest::addColumn<bool>("hiddenAgain");
        QTest::newRow("game folder dialog shown") << Window::frmGamePath << false;
        QTest::newRow("missing-picture notice hidden again") << Window::frmErrorMap << true;
    }
    void closingTheMainWindowClosesEveryWindow() {
        QFETCH(Window, other);
        QFETCH(bool, hiddenAgain);
        auto folders = std::make_shared<TestFolders>();
        const QString lock = folders->appFolder() + QStringLiteral("/dock.ldb");
        {
            WithWindows w(folders);
            w.installCatalogues();
            QVERIFY(w.desktop.start());
            if (other == Window::frmGamePath)
                w.click(Window::frmFragDocker, "cmdRefindGamePatch");
            else
                w.p.form.setSelectedIndex(ctl::List1, 0);
            QVERIFY(w.p.form.isShown(other));
            if (hiddenAgain)
                w.click(other, other == Window::frmGamePath ? "cmdYes" : "cmdOk");
            QCOMPARE(w.p.form.isShown(other), !hiddenAgain);

            w.desktop.window(Window::frmFragDocker)->close();
            QVERIFY(w.allClosed());
            QCOMPARE(w.desktop.window(other), nullptr);
            QVERIFY(QFile::exists(lock)); // the store stays open until the program ends
        }
        QVERIFY(!QFile::exists(lock));
    }

    void theProgramEndsWhenItsLastWindowCloses_data() {
        QTest::addColumn<bool>("lockLeftBehind");
        QTest::newRow("main window closed by its frame") << false;
        QTest::newRow("running notice's OK") << true;
    }
    void theProgramEndsWhenItsLastWindowCloses() {
        QFETCH(bool, lockLeftBehind);
        QApplication::setQuitOnLastWindowClosed(false); // as the program has it
        WithWindows w;
        if (lockLeftBehind)
            test::touch(w.appFile(QStringLiteral("dock.ldb")));
        QVERIFY(w.desktop.start());
        QTimer::singleShot(0, this, [&w, lockLeftBehind] {
            if (lockLeftBehind)
                w.click(Window::frmFragdockerRunning, "cmdOk");
            else
                w.desktop.window(Window::frmFragDocker)->close();
        });
        QTimer watchdog;
        connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
        watchdog.start(30000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(w.allClosed());
    }

    void engageStartsTheGameAndClosesEveryWindow() {
        auto folders = std::make_shared<TestFolders>();
        const QString game = folders->gameFolder();
        QVERIFY(QFile::remove(game + QStringLiteral("/stvoyHM.exe")));
        QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/demo/Elite Force/stvoyHM.exe"),
                            game + QStringLiteral("/stvoyHM.exe")));
        QDir().mkpath(game + QStringLiteral("/baseEF"));
        test::EventLog log;
        test::RecordingCues cues(log);
        test::RecordingMessages messages(log);
        test::ScriptedFolders chooser(log);
        SystemProcessLauncher launcher;
        Program program({cues, messages, launcher, chooser}, folders->appFolder(),
                        folders->winePrefix());
        Desktop desktop(program);
        QVERIFY(desktop.start());
        program.form.setValue(ctl::chkTurnBotsOn, 0);
        test::widget<QPushButton>(*desktop.window(Window::frmFragDocker), "cmdEngage")->click();
        QCOMPARE(log.messages(), QStringList());
        for (Window window : allWindows)
            QVERIFY(program.form.isClosed(window));

        const QString standInLog = game + QStringLiteral("/stvoyHM.log");
        QTRY_VERIFY_WITH_TIMEOUT(test::readFile(standInLog).contains("Server stand-in"), 30000);
        QVERIFY(test::readFile(standInLog)
                    .contains("Command line:   [+set] [dedicated] [1] [+exec] [fragdocker.cfg]\n"));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
