// The program killed after any step of the store's start-up or of a save: the next start still
// finds a store with every slot whole. The program runs in a child process that kills itself
// right after the chosen step.

#include "StoreFiles.h"
#include "support/CatalogFiles.h"
#include "core/NullServices.h"
#include "store/SaveLoad.h"
#include "store/SettingsStore.h"
#include "store/SlotRecord.h"
#include "store/modListFiles.h"
#include "support/TestProgram.h"

#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace fd;
using fd::test::TestFolders;
using fd::test::TestProgram;

namespace {

const QString before = u"before"_s;

// Every text setting and both lists carry the name, so that a whole save can be told from a
// part of one.
void fillSlot(Context& ctx, int slot, const QString& name) {
    ctx.form.choose(ctl::cmboSaveGame, slot);
    for (const Field& field : settingsRecord)
        if (field.kind == FieldKind::Text && qstrcmp(field.control, ctl::cmboSaveGame.name) != 0)
            ctx.form.setText(TextBox{field.control}, name);
    ctx.form.clear(ctl::List2);
    ctx.form.clear(ctl::list4);
    for (int i = 0; i < 50; ++i) {
        ctx.form.addItem(ctl::List2, name);
        ctx.form.addItem(ctl::list4, name);
    }
}

// Runs a scenario in a child process on the folder and returns the child's id:
//   "start"      the start-up steps of the store
//   "save"       the store opened, then slot 3 saved
//   "fill"       every slot saved with "before"
// The child kills itself right after step `killAfter`.
pid_t runChild(const QString& folder, const QString& scenario, int killAfter = 0) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    int steps = 0;
    const auto stepDone = [&steps, killAfter] {
        if (++steps == killAfter)
            std::raise(SIGKILL);
    };
    {
        NullServices none;
        Program program({none, none, none, none}, folder);
        Context& ctx = program.ctx;
        const auto save = [&](int slot) {
            EditRecord(ctx, QString::fromLatin1(slotNames[std::size_t(slot)]));
            stepDone();
            QDir().mkpath(ctx.appFile(u"saved"_s));
            modWriteBotsFile(ctx);
            stepDone();
            modWriteMapsFile(ctx);
            stepDone();
        };
        const SettingsStore::FreshRecord fresh = [](const QString& slot) {
            return initialRecord(slot, u"/game"_s);
        };
        if (scenario == u"start") {
            SettingsStore::settleLeftovers(folder);
            stepDone();
            if (!QFile::exists(folder + u"/dock.sav"_s))
                SettingsStore::create(folder, fresh);
            stepDone();
            SettingsStore::compact(folder);
            stepDone();
            SettingsStore::replaceByCompacted(folder);
            stepDone();
            program.store.openCompacted(folder);
            stepDone();
        } else if (program.store.open(folder, fresh).failure.isEmpty()) {
            stepDone();
            for (int slot = 0; slot < int(slotNames.size()) && scenario == u"fill"; ++slot) {
                fillSlot(ctx, slot, before);
                save(slot);
            }
            if (scenario == u"save") {
                fillSlot(ctx, 2, u"Saved by the helper"_s);
                save(2);
            }
        }
    }
    ::_exit(0);
}

bool ended(pid_t child) {
    int status = 0;
    return ::waitpid(child, &status, 0) == child;
}

// What a slot holds: the distinct values of its text settings, then of its bot list and of its
// map list, each list with its number of lines: "before / 50 before / 50 before".
QString slotState(const TestFolders& folders, const QString& slot) {
    QSet<QString> texts;
    for (const Field& field : settingsRecord)
        if (field.kind == FieldKind::Text && qstrcmp(field.name, "SaveFile") != 0)
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
    [&] { QVERIFY(ended(runChild(folders->appFolder(), u"fill"_s))); }();
    return folders;
}

// The next start (the lock file a killed run leaves behind is removed, as the user would) finds
// every slot whole: as filled, slot 3 as given.
void verifyNextStart(const std::shared_ptr<TestFolders>& folders, const QString& slot3) {
    QFile::remove(folders->appFolder() + u"/dock.ldb"_s);
    TestProgram p(folders);
    QCOMPARE(p.startUp.messages(), QStringList());
    for (const char* name : slotNames)
        QCOMPARE(slotState(*folders, QString::fromLatin1(name)),
                 qstrcmp(name, "Save Game #3") == 0 ? slot3 : u"before / 50 before / 50 before"_s);
}

} // namespace

class TestStoreCrash : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedAfterEachStep_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("slot3"); // what slot 3 then holds
        const QString filled = u"before / 50 before / 50 before"_s;
        const char* startSteps[] = {"leftovers settled", "store made when missing",
                                    "compacted copy written", "copy put in place", "store opened"};
        for (int step = 1; step <= 5; ++step)
            QTest::addRow("start: %s", startSteps[step - 1]) << "start" << step << filled;
        const QString saved = u"Saved by the helper"_s;
        QTest::newRow("save: store opened") << "save" << 1 << filled;
        QTest::newRow("save: record written") << "save" << 2 << saved + " / 50 before / 50 before";
        QTest::newRow("save: bot list written")
            << "save" << 3 << saved + " / 50 " + saved + " / 50 before";
        QTest::newRow("save: map list written")
            << "save" << 4 << saved + " / 50 " + saved + " / 50 " + saved;
    }
    void killedAfterEachStep() {
        QFETCH(QString, scenario);
        QFETCH(int, step);
        QFETCH(QString, slot3);
        auto folders = filledFolders();
        const QStringList rows = test::slotRows(folders->appFolder() + u"/dock.sav"_s);
        QVERIFY(ended(runChild(folders->appFolder(), scenario, step)));
        verifyNextStart(folders, slot3);
        if (scenario == u"start") // nothing else changed either
            QCOMPARE(test::slotRows(folders->appFolder() + u"/dock.sav"_s), rows);
    }
};

QTEST_GUILESS_MAIN(TestStoreCrash)
#include "tst_storecrash.moc"
