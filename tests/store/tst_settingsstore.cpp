// The settings store file: a new store, its compaction at start-up, the lock file, what an
// interrupted start leaves behind, damaged stores, and the program killed at any step.

#include "StoreFiles.h"
#include "core/NullServices.h"
#include "store/SettingsStore.h"
#include "store/SlotRecord.h"
#include "support/CatalogFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <QRandomGenerator>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

QString file(const TestFolders& folders, const char* name) {
    return folders.appFolder() + u'/' + QString::fromLatin1(name);
}

const QString before = u"before"_s;

// Every text setting and both lists carry the name, so that a whole save can be told from a
// part of one.
void fillSlot(Context& ctx, int slot, const QString& name, int entries = 50) {
    ctx.form.choose(ctl::cmboSaveGame, slot);
    for (const Field& field : settingsRecord)
        if (field.kind == FieldKind::Text)
            ctx.form.setText(field.control.as<TextBox>(), name);
    ctx.form.clear(ctl::List2);
    ctx.form.clear(ctl::list4);
    for (int i = 0; i < entries; ++i) {
        ctx.form.addItem(ctl::List2, name);
        ctx.form.addItem(ctl::list4, name);
    }
}

// Runs a scenario in a child process on the folder and returns the child's id:
//   "start"      the store's start-up
//   "save"       the store opened, then slot 3 saved (a byte on `ready` tells it is open)
//   "fill"       every slot saved with "before"
//   "alternate"  slot 3 saved again and again, as "A" and as "B"
// The child kills itself right after the store's step `killAfter`; with `fileLimit`, no file may
// grow beyond that many bytes. It exits with the number of messages it showed, plus 100 when the
// store could not be opened; with `ready`, it writes the messages there after the byte.
pid_t runChild(const QString& folder, const QString& scenario, int killAfter = 0,
               rlim_t fileLimit = RLIM_INFINITY, int ready = -1) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    int steps = 0;
    const auto stepDone = [&steps, killAfter] {
        if (++steps == killAfter)
            std::raise(SIGKILL);
    };
    test::EventLog log;
    bool opened = false;
    {
        test::RecordingMessages messages(log);
        NullServices none;
        Program program({none, messages, none, none}, folder);
        Context& ctx = program.ctx;
        const SettingsStore::FreshRecord fresh = [](const QString& slot) {
            return initialRecord(slot, u"/game"_s);
        };
        if (scenario == u"start")
            program.store.setStepHook(stepDone);
        opened = program.store.open(folder, fresh).ok();
        if (opened && scenario != u"start") {
            program.store.setStepHook(stepDone);
            const rlimit limit{fileLimit, fileLimit};
            std::signal(SIGXFSZ, SIG_IGN);
            ::setrlimit(RLIMIT_FSIZE, &limit);
            if (ready >= 0 && ::write(ready, "!", 1) != 1)
                ::_exit(99);
            // A long save overwritten below leaves free pages: the next start compacts.
            if (scenario == u"fill") {
                fillSlot(ctx, 0, QString(3000, u'x'), 0);
                ctx.form.click(ctl::cmdSave);
            }
            for (int slot = 0; slot < int(slotNames.size()) && scenario == u"fill"; ++slot) {
                fillSlot(ctx, slot, before);
                ctx.form.click(ctl::cmdSave);
            }
            for (int n = 0; scenario == u"alternate"; ++n) {
                fillSlot(ctx, 2, n % 2 ? u"A"_s : u"B"_s, 20);
                ctx.form.click(ctl::cmdSave);
            }
            if (scenario == u"save") {
                fillSlot(ctx, 2, u"Saved by the helper"_s, 3000); // lists longer than the store
                ctx.form.click(ctl::cmdSave);
            }
        }
    }
    const QByteArray shown = log.messages().join(u'\n').toUtf8();
    if (ready >= 0 && ::write(ready, shown.constData(), size_t(shown.size())) != shown.size())
        ::_exit(99);
    ::_exit(int(log.messages().size()) + (opened ? 0 : 100));
}

// What a slot holds: the distinct values of its text settings, then of its bot list and of its
// map list, each list with its number of lines: "before / 50 before / 50 before".
QString slotState(const TestFolders& folders, const QString& slot) {
    QSet<QString> texts;
    for (const Field& field : settingsRecord)
        if (field.kind == FieldKind::Text)
            texts.insert(test::storedText(folders.appFolder() + u"/dock.sav"_s, slot,
                                          QString::fromLatin1(field.name)));
    QStringList state{texts.values().join(u'|')};
    for (const char* extension : {".bot", ".maps"}) {
        const QStringList lines =
            QString::fromLatin1(test::readFile(folders.appFolder() + u"/saved/"_s + slot +
                                               QLatin1String(extension)))
                .split(u"\r\n"_s, Qt::SkipEmptyParts);
        state << u"%1 "_s.arg(lines.size()) +
                     QSet<QString>(lines.begin(), lines.end()).values().join(u'|');
    }
    return state.join(u" / "_s);
}

std::shared_ptr<TestFolders> filledFolders() {
    auto folders = std::make_shared<TestFolders>();
    { TestProgram first(folders); }
    [&] { QVERIFY(::waitpid(runChild(folders->appFolder(), u"fill"_s), nullptr, 0) > 0); }();
    return folders;
}

const QString filled = u"before / 50 before / 50 before"_s;
const QString saved =
    u"Saved by the helper / 3000 Saved by the helper / 3000 Saved by the helper"_s;

// The next start (past the lock file a killed run leaves behind) finds every slot whole: as
// filled, slot 3 as one of the given states.
void verifyNextStart(const std::shared_ptr<TestFolders>& folders, const QStringList& slot3) {
    TestProgram p(folders);
    QCOMPARE(p.startUp.messages(), QStringList());
    QVERIFY(!p.form.isShown(Window::frmFragdockerRunning) && p.store.isOpen());
    for (const char* name : slotNames) {
        const QString state = slotState(*folders, QString::fromLatin1(name));
        QVERIFY2(qstrcmp(name, "Save Game #3") == 0 ? slot3.contains(state) : state == filled,
                 qPrintable(state));
    }
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A start compacts a store with free pages, and only such a one; the lock lasts while it is
    // open. What an interrupted start left is settled first.
    void leftoversOfAnInterruptedStartAreSettled_data() {
        QTest::addColumn<QString>("leftover");
        QTest::newRow("none") << "none";
        QTest::newRow("unfinished copy beside the store") << "partial copy";
        QTest::newRow("finished copy without the store") << "finished copy";
        QTest::newRow("unfinished new store") << "partial new";
        QTest::newRow("store behind a symbolic link") << "link";
        QTest::newRow("new list file of no stored save") << "stray list";
        QTest::newRow("a link at the lock's name") << "lock link";
    }
    void leftoversOfAnInterruptedStartAreSettled() {
        QFETCH(QString, leftover);
        auto folders = filledFolders();
        const QString store = file(*folders, "dock.sav");
        const QStringList before = test::slotRows(store);
        if (leftover == u"partial copy") {
            test::writeFile(file(*folders, "dock2.sav"), test::readFile(store).left(700));
        } else if (leftover == u"finished copy") {
            QVERIFY(QFile::rename(store, file(*folders, "dock2.sav")));
        } else if (leftover == u"partial new") {
            test::writeFile(file(*folders, "dock.sav.new"), QByteArray("SQLite format 3"));
        } else if (leftover == u"link") { // compacted where it lies, the link kept
            QDir().mkpath(file(*folders, "elsewhere"));
            QVERIFY(QFile::rename(store, file(*folders, "elsewhere/real.sav")));
            QVERIFY(QFile::link(u"elsewhere/real.sav"_s, store));
        } else if (leftover == u"stray list") {
            test::writeFile(folders->appFolder() + u"/saved/Save Game #2.maps.new"_s, "hm_voy1");
        } else if (leftover == u"lock link") {
            test::writeFile(file(*folders, "user's"), "kept");
            QVERIFY(QFile::link(file(*folders, "user's"), file(*folders, "dock.ldb")));
        }
        ino_t old = test::inodeOf(store);
        {
            TestProgram p(folders);
            QVERIFY(p.startUp.messages().isEmpty() && p.store.isOpen());
            QCOMPARE(test::slotRows(store), before);
            QVERIFY(test::inodeOf(store) != old); // compacted: a new file took the name
            old = test::inodeOf(store);
            QCOMPARE(QFileInfo(store).isSymLink(), leftover == u"link");
            QCOMPARE(QDir(folders->appFolder()).entryList({u"dock*"_s}),
                     QStringList({"dock.ldb", "dock.sav"}));
            QCOMPARE(QDir(folders->appFolder() + u"/saved"_s).entryList({u"*.new"_s}),
                     QStringList());
        }
        QVERIFY(!QFile::exists(file(*folders, "dock.ldb"))); // the lock goes with the store
        QCOMPARE(test::readFile(file(*folders, "user's")) == "kept", leftover == u"lock link");
        { TestProgram again(folders); }
        QCOMPARE(test::inodeOf(store), old); // nothing left to reclaim: not rewritten
    }

    void aDamagedStoreIsKeptAsideAndANewOneMade_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("random bytes")        << "random"    << "file is not a database";
        QTest::newRow("a second damage")     << "second"    << "file is not a database";
        QTest::newRow("truncated")           << "truncated" << "malformed";
        // clang-format on
    }
    void aDamagedStoreIsKeptAsideAndANewOneMade() {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        auto folders = filledFolders();
        const QString store = file(*folders, "dock.sav");
        const QString named = damage == u"truncated" ? file(*folders, "Dock.sav") : store;
        QFile::rename(store, named); // the message names the file as the disk spells it
        if (damage == u"second")     // one kept aside before: the next number is taken
            test::writeFile(file(*folders, "dock-damaged-1.sav"), "not a database");
        if (damage == u"random" || damage == u"second") {
            QByteArray noise(4096, '\0');
            QRandomGenerator generator(7);
            for (char& byte : noise)
                byte = char(generator.bounded(256));
            test::writeFile(store, noise);
        } else { // truncated
            test::writeFile(named, test::readFile(named).left(4096 * 3));
        }
        const QByteArray damaged = test::readFile(named);

        TestProgram p(folders);
        const QString kept =
            file(*folders, damage == u"second" ? "dock-damaged-2.sav" : "dock-damaged-1.sav");
        QCOMPARE(test::readFile(kept), damaged);
        QCOMPARE(p.startUp.cues().last(), u"ralert.wav"_s);
        QCOMPARE(p.startUp.messages().size(), 1);
        const QString message = p.startUp.messages().first();
        QVERIFY2(message.contains(reason) && message.contains(kept) && message.contains(named),
                 qPrintable(message));

        // The program goes on with a new store of initial settings.
        QVERIFY(p.store.isOpen());
        QCOMPARE(test::storedText(store, u"Save Game #4"_s, u"ServerName"_s),
                 u"Made By FragDocker"_s);
        QCOMPARE(p.log.messages(), QStringList());
    }

    // One damaged page in one slot's table: that store is kept aside too, but every other slot
    // is carried into the new one, and the message names the slot that was reset.
    void readableSlotsAreSalvaged_data() {
        QTest::addColumn<bool>("wholePage");
        QTest::newRow("page overwritten") << true;
        QTest::newRow("cell pointer out of the page") << false;
    }
    void readableSlotsAreSalvaged() {
        QFETCH(bool, wholePage);
        auto folders = filledFolders();
        const QString store = file(*folders, "dock.sav");
        QVERIFY(test::damageSlotPage(store, u"Save Game #7"_s, wholePage));
        const QByteArray damaged = test::readFile(store);

        TestProgram p(folders);
        QCOMPARE(test::readFile(file(*folders, "dock-damaged-1.sav")), damaged);
        QCOMPARE(p.startUp.messages().size(), 1);
        const QString message = p.startUp.messages().first();
        QVERIFY2(message.contains(u"slots could not be read and hold the initial settings: \"Save "
                                  "Game #7\";"_s),
                 qPrintable(message));
        for (const char* name : slotNames)
            QCOMPARE(test::storedText(store, QString::fromLatin1(name), u"ServerName"_s),
                     qstrcmp(name, "Save Game #7") == 0 ? u"Made By FragDocker"_s : before);
    }

    // The command line's read while the window saves again and again: the record and both
    // list files of every read belong to one save.
    void aReadSeesOneSaveWhole() {
        auto folders = filledFolders();
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t child =
            runChild(folders->appFolder(), u"alternate"_s, 0, RLIM_INFINITY, ready[1]);
        char byte = 0;
        QCOMPARE(::read(ready[0], &byte, 1), 1);
        test::EventLog log;
        test::RecordingMessages messages(log);
        NullServices none;
        Program reader({none, messages, none, none}, folders->appFolder());
        QVERIFY(reader.store.openForReading(folders->appFolder()).ok());
        QSet<QString> seen;
        const auto stopChild = qScopeGuard([child] {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        });
        for (int read = 0; read < 2000; ++read) {
            reader.ctx.form.clear(ctl::List2);
            reader.ctx.form.clear(ctl::list4);
            reader.ctx.form.setText(ctl::cmboSaveGame, u"Save Game #3"_s);
            reader.ctx.form.click(ctl::cmdLoad);
            const QStringList lists =
                reader.ctx.form.items(ctl::List2) + reader.ctx.form.items(ctl::list4);
            QSet<QString> values(lists.begin(), lists.end());
            values << reader.ctx.form.text(ctl::txtServerName);
            QVERIFY2(values.size() == 1, qPrintable(values.values().join(u'|')));
            seen += values;
        }
        QCOMPARE(log.messages(), QStringList());
        QVERIFY(seen.contains(u"A"_s) && seen.contains(u"B"_s)); // the saves went on meanwhile
    }

    // A disk full after a save: the next start opens the store as it is, and removes the list
    // file a save killed before storing its record left. (A small file system of its own,
    // which only root may mount.)
    void aFullDiskStillStarts() {
        QTemporaryDir disk;
        if (::mount("tmpfs", QFile::encodeName(disk.path()).constData(), "tmpfs", 0, "size=512k") !=
            0)
            QSKIP("mounting a small file system takes root");
        const QString folder = disk.path(), leftover = folder + u"/saved/Save Game #2.bot.new"_s;
        int status = 0;
        QCOMPARE(::waitpid(runChild(folder, u"fill"_s), &status, 0) > 0 && status == 0, true);
        test::writeFile(leftover, "Munro");
        QFile filler(folder + u"/filler"_s);
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
        const QStringList rows = test::slotRows(folder + u"/dock.sav"_s);
        QCOMPARE(::waitpid(runChild(folder, u"start"_s), &status, 0) > 0 && status == 0, true);
        QCOMPARE(test::slotRows(folder + u"/dock.sav"_s), rows);
        QVERIFY(!QFile::exists(leftover));
        ::umount2(QFile::encodeName(disk.path()).constData(), MNT_DETACH);
    }

    // The program killed after any step of the store's start-up or of a save (in a child process
    // that kills itself): the next start still finds a store with every slot whole.
    void killedAfterEachStep_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("slot3"); // what slot 3 then holds
        const char* startSteps[] = {"leftovers settled", "store made when missing",
                                    "compacted copy written", "copy put in place", "store opened"};
        for (int step = 1; step <= 5; ++step)
            QTest::addRow("start: %s", startSteps[step - 1]) << "start" << step << filled;
        const char* saveSteps[] = {"list files written beside", "record stored",
                                   "bot list in place", "map list in place", "save finished"};
        for (int step = 1; step <= 5; ++step)
            QTest::addRow("save: %s", saveSteps[step - 1])
                << "save" << step << (step == 1 ? filled : saved);
    }
    void killedAfterEachStep() {
        QFETCH(QString, scenario);
        QFETCH(int, step);
        QFETCH(QString, slot3);
        auto folders = filledFolders();
        const QStringList rows = test::slotRows(folders->appFolder() + u"/dock.sav"_s);
        QVERIFY(::waitpid(runChild(folders->appFolder(), scenario, step), nullptr, 0) > 0);
        verifyNextStart(folders, {slot3});
        if (scenario == u"start") // nothing else changed either
            QCOMPARE(test::slotRows(folders->appFolder() + u"/dock.sav"_s), rows);
    }

    // A save killed at a random instant, or whose files may not grow beyond a size (a full disk):
    // slot 3 is all old or all new, and a save that kept the old one said why.
    void interruptedSaveKeepsTheSlotWhole_data() {
        QTest::addColumn<int>("killAfterUs"); // -1: not killed
        QTest::addColumn<int>("fileLimit");   // -1: none
        QRandomGenerator random(17);
        for (int i = 0; i < 8; ++i) {
            const int delay = int(random.bounded(20000));
            QTest::addRow("killed after %d us", delay) << delay << -1;
        }
        for (int limit : {0, 700, 60000})
            QTest::addRow("files limited to %d bytes", limit) << -1 << limit;
    }
    void interruptedSaveKeepsTheSlotWhole() {
        QFETCH(int, killAfterUs);
        QFETCH(int, fileLimit);
        auto folders = filledFolders();
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t child = runChild(folders->appFolder(), u"save"_s, 0,
                                     fileLimit < 0 ? RLIM_INFINITY : rlim_t(fileLimit), ready[1]);
        ::close(ready[1]);
        char byte = 0;
        QCOMPARE(::read(ready[0], &byte, 1), 1);
        if (killAfterUs >= 0) {
            ::usleep(useconds_t(killAfterUs));
            ::kill(child, SIGKILL);
        }
        const QByteArray messages = test::readFile(u"/dev/fd/%1"_s.arg(ready[0]));
        ::close(ready[0]);
        QCOMPARE(::waitpid(child, nullptr, 0), child);
        verifyNextStart(folders, {filled, saved});
        if (fileLimit >= 0) // below a list file's size: the old slot stays, the reason is shown
            QVERIFY2(slotState(*folders, u"Save Game #3"_s) == filled &&
                         messages.contains("File too large") && messages.contains("Save Game #3"),
                     messages.constData());
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
