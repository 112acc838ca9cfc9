// Runs the store's start-up steps or a save in a process of its own and kills itself right
// after a given step, or saves until the test kills it, so that tests can end the program at
// any moment and look at what the next start finds.
//     store_crash_helper APP_FOLDER start STEP    the start-up steps; killed after STEP (1-5)
//     store_crash_helper APP_FOLDER save STEP     open, then a save of slot 3; killed after STEP
//     (1-4) store_crash_helper APP_FOLDER fill NAME     saves every slot with NAME in its texts,
//     then ends store_crash_helper APP_FOLDER save-loop     saves slot after slot until killed
//     store_crash_helper APP_FOLDER start-loop    starts and ends the store until killed
// The loops print "ready" once the store is open.

#include "app/Program.h"
#include "core/Context.h"
#include "core/NullServices.h"
#include "store/SaveLoad.h"
#include "store/SettingsStore.h"
#include "store/SlotRecord.h"
#include "store/modListFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>

using namespace fd;

namespace {

int stepsDone = 0;
int killAfter = -1;

void stepDone() {
    if (++stepsDone == killAfter)
        std::raise(SIGKILL);
}

void ready() {
    std::puts("ready");
    std::fflush(stdout);
}

// Every text setting and both lists carry the name, so a test can tell a whole save from a
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

void save(Context& ctx, int slot) {
    EditRecord(ctx, QString::fromLatin1(slotNames[std::size_t(slot)]));
    stepDone();
    QDir().mkpath(ctx.appFile(QStringLiteral("saved")));
    modWriteBotsFile(ctx);
    stepDone();
    modWriteMapsFile(ctx);
    stepDone();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString scenario = QString::fromLatin1(argv[2]);
    const QString argument = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    killAfter = argument.toInt();

    NullServices none;
    Program program({none, none, none, none}, folder);
    Context& ctx = program.ctx;
    SettingsStore& store = program.store;
    const SettingsStore::FreshRecord fresh = [](const QString& slot) {
        return initialRecord(slot, QStringLiteral("/game"));
    };

    if (scenario == u"start") {
        SettingsStore::settleLeftovers(folder);
        stepDone();
        if (!QFile::exists(folder + QStringLiteral("/dock.sav")))
            SettingsStore::create(folder, fresh);
        stepDone();
        SettingsStore::compact(folder);
        stepDone();
        SettingsStore::replaceByCompacted(folder);
        stepDone();
        store.openCompacted(folder);
        stepDone();
        return 0;
    }
    if (scenario == u"start-loop") {
        for (int n = 0;; ++n) {
            if (!store.open(folder, fresh).failure.isEmpty())
                return 1;
            if (n == 0)
                ready();
        }
    }
    if (!store.open(folder, fresh).failure.isEmpty())
        return 1;
    stepDone();
    if (scenario == u"save") {
        fillSlot(ctx, 2, QStringLiteral("Saved by the helper"));
        save(ctx, 2);
    } else if (scenario == u"fill") {
        for (int slot = 0; slot < int(slotNames.size()); ++slot) {
            fillSlot(ctx, slot, argument);
            save(ctx, slot);
        }
    } else if (scenario == u"save-loop") {
        ready();
        for (int generation = 0;; ++generation) {
            const int slot = generation % int(slotNames.size());
            fillSlot(ctx, slot, QStringLiteral("generation %1").arg(generation));
            save(ctx, slot);
        }
    }
    return 0;
}
