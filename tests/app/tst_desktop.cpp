// The program with its four windows, offscreen, as the user meets it: what start-up shows,
// which window each button brings up or hides, how closing or a termination signal ends
// everything, and ENGAGE with the real launcher and the demo's stand-in game.

#include "app/Desktop.h"
#include "core/TextFile.h"
#include "platform/SystemProcessLauncher.h"
#include "store/StoreLock.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"
#include "support/Widgets.h"

#include <QtTest>

#include <QProcess>
#include <QtWidgets>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

constexpr Window allWindows[] = {Window::frmFragDocker, Window::frmGamePath, Window::frmErrorMap,
                                 Window::frmFragdockerRunning};

// Counts the times a window of the given name is displayed.
struct DisplayCounter : QObject {
    explicit DisplayCounter(const char* name) : window(QLatin1String(name)) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        count += event->type() == QEvent::Show && watched->objectName() == window;
        return false;
    }
    QString window;
    int count = 0;
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
        test::touch(p.makeDataFolder() + u"/pak0.pk3"_s);
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
        for (Window window : allWindows)
            if (p.form.isShown(window) && desktop.window(window)->isVisible())
                shown << window;
            else if (p.form.isShown(window))
                qWarning("window %d shown in the model only", int(window));
        return shown;
    }
    bool allClosed() {
        return std::all_of(std::begin(allWindows), std::end(allWindows),
                           [this](Window w) { return p.form.isClosed(w) && !desktop.window(w); });
    }

    TestProgram p;
    Desktop desktop{p.program};
};

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Without a path file the dialog comes up centred; windows are hidden and shown again, never
    // made anew.
    void windowsComeAndGoAsTheButtonsSay() {
        WithWindows w;
        QVERIFY(QFile::remove(w.appFile(u"path.ini"_s)));
        QVERIFY(w.desktop.start()); // the Wine prefix holds no registry: no folder found
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmGamePath});
        QWidget* dialog = w.desktop.window(Window::frmGamePath);
        QVERIFY((dialog->frameGeometry().center() - dialog->screen()->availableGeometry().center())
                    .manhattanLength() <= 8); // centred
        dialog->close();                      // by its frame: the main window comes back
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragDocker});
        QWidget* main = w.desktop.window(Window::frmFragDocker);

        w.p.form.setText(ctl::frmGamePath::txtGamePath, w.p.gameFolder());
        w.click(Window::frmFragDocker, "cmdRefindGamePatch");
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmGamePath});
        QCOMPARE(w.desktop.window(Window::frmGamePath), dialog);
        QCOMPARE(w.widget<QLineEdit>(Window::frmGamePath, "txtGamePath")->text(), w.p.gameFolder());
        w.click(Window::frmGamePath, "cmdYes");
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragDocker});
        QCOMPARE(w.desktop.window(Window::frmFragDocker), main);
    }

    // The focus comes back to the Map List when the notice of a map without its picture (none
    // is installed here) is closed.
    void theFocusComesBackWhereItWas() {
        WithWindows w;
        w.installCatalogues();
        QVERIFY(w.desktop.start());
        QWidget* main = w.desktop.window(Window::frmFragDocker);
        main->findChild<QTabWidget*>()->setCurrentIndex(2);
        auto* maps = test::widget<QListWidget>(*main, "List1");
        QTest::mouseClick(maps->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); // the first map
        QCOMPARE(w.shownWindows(), QList<Window>{Window::frmErrorMap});
        w.click(Window::frmErrorMap, "cmdOk");
        QTRY_COMPARE(QApplication::focusWidget(), maps);
    }

    // Closing the last window ends the program's event loop; closing the main window closes
    // every other window, and the store with its lock goes when the program ends. A lock held
    // by another copy shows only the running notice (the main window not even for a moment), and
    // the store is left untouched.
    void theProgramEndsWhenItsLastWindowCloses_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("main window closed, the dialog shown") << "dialog";
        QTest::newRow("running notice's OK") << "running";
    }
    void theProgramEndsWhenItsLastWindowCloses() {
        QFETCH(QString, how);
        QApplication::setQuitOnLastWindowClosed(false); // as the program has it
        auto folders = std::make_shared<TestFolders>();
        const QString lock = folders->appFolder() + u"/dock.ldb"_s;
        StoreLock otherCopy;
        {
            WithWindows w(folders);
            w.installCatalogues();
            const QByteArray store("a store this copy must not touch");
            if (how == u"running") {
                QVERIFY(otherCopy.take(lock).ok());
                test::writeFile(w.appFile(u"dock.sav"_s), store);
            }
            DisplayCounter mainDisplayed("frmFragDocker");
            QVERIFY(w.desktop.start());
            if (how == u"running") {
                QCOMPARE(mainDisplayed.count, 0);
                QCOMPARE(w.shownWindows(), QList<Window>{Window::frmFragdockerRunning});
                QCOMPARE(w.p.log.events, QStringList{u"cue ralert.wav"_s});
                QCOMPARE(test::readFile(w.appFile(u"dock.sav"_s)), store);
                QVERIFY(!QFile::exists(w.appFile(u"dock2.sav"_s)));
            }
            if (how == u"dialog")
                w.click(Window::frmFragDocker, "cmdRefindGamePatch");
            QTimer::singleShot(0, this, [&w, how] {
                if (how == u"running")
                    w.click(Window::frmFragdockerRunning, "cmdOk");
                else
                    w.desktop.window(Window::frmFragDocker)->close();
            });
            QObject watchdog;
            QTimer::singleShot(30000, &watchdog, [] { QCoreApplication::exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
            QVERIFY(w.allClosed());
            QVERIFY(QFile::exists(lock)); // the store stays open until the program ends
        }
        QCOMPARE(QFile::exists(lock), how == u"running"); // not this copy's lock
    }

    void engageStartsTheGameAndClosesEveryWindow() {
        auto folders = std::make_shared<TestFolders>();
        const QString game = folders->gameFolder();
        QVERIFY(QFile::remove(game + u"/stvoyHM.exe"_s));
        QVERIFY(QFile::copy(QStringLiteral(FD_APP_DIR "/demo/Elite Force/stvoyHM.exe"),
                            game + u"/stvoyHM.exe"_s));
        QDir().mkpath(game + u"/baseEF"_s);
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

        const QString standInLog = game + u"/stvoyHM.log"_s;
        QTRY_VERIFY_WITH_TIMEOUT(test::readFile(standInLog).contains("Serving on UDP port"), 30000);
        const QByteArray report = test::readFile(standInLog);
        const auto serving = QRegularExpression(u"Serving on UDP port \\d+, process (\\d+)"_s);
        const int standIn = serving.match(QString::fromUtf8(report)).captured(1).toInt();
        QVERIFY(standIn > 0 && ::kill(standIn, SIGTERM) == 0);
        for (const char* line :
             {"Command line:   [+set] [dedicated] [1] [+exec] [fragdocker.cfg]\n",
              "Server name:  Made By FragDocker\n", "(Free For All)", "Dedicated:    yes\n"})
            QVERIFY2(report.contains(line), report.constData());
    }

    // The program itself, run from a copy of its application folder with the demo data: asked
    // by the system to end, also while a message box waits for OK (here the one about a damaged
    // store), it ends in order and leaves no lock file.
    void aTerminationSignalClosesTheStore_data() {
        QTest::addColumn<bool>("messageOpen");
        QTest::newRow("main window") << false;
        QTest::newRow("message box open") << true;
    }
    void aTerminationSignalClosesTheStore() {
        QFETCH(bool, messageOpen);
        QTemporaryDir folder;
        QCOMPARE(
            QProcess::execute(u"cp"_s, {u"-a"_s, QStringLiteral(FD_APP_DIR "/."), folder.path()}),
            0);
        for (const QString& leftover : QDir(folder.path()).entryList({u"dock*"_s}))
            QFile::remove(folder.filePath(leftover)); // of a run there; path.ini is written anew
        QVERIFY(text::writeLines(folder.filePath(u"path.ini"_s), {folder.filePath(u"demo/Elite Force"_s)}).ok());
        if (messageOpen)
            test::writeFile(folder.filePath(u"dock.sav"_s), "no database");
        const QString lock = folder.filePath(u"dock.ldb"_s);
        QProcess program; // offscreen, as this test runs
        program.start(folder.filePath(u"fragdocker"_s), {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 30000);
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFile::exists(lock));
        QVERIFY(QFile::exists(folder.filePath(u"dock.sav"_s)));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
