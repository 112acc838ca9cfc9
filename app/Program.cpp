#include "Program.h"

#include "catalog/BotCatalogue.h"
#include "catalog/CatalogControls.h"
#include "catalog/InstalledMaps.h"
#include "catalog/MapCatalogue.h"
#include "catalog/MapPictures.h"
#include "core/Context.h"
#include "core/PathResolver.h"
#include "gamepath/frmGamePath.h"
#include "rotation/RotationControls.h"
#include "settings/GameTypeRules.h"
#include "settings/Handlers.h"
#include "settings/SettingsRecord.h"
#include "store/SaveLoad.h"
#include "store/SlotRecord.h"
#include "store/StoreLock.h"

namespace fd {

namespace {

// The settings store holds its lock file while a copy of the program has it open; a lock file
// that nobody holds was left by a crash, and goes.
bool anotherCopyRunning(const Context& ctx) {
    return StoreLock::heldElsewhere(fileIn(ctx.appFolder, storeFile::lock));
}

// Declares every control of the four windows with its initial state.
void declareControls(FormModel& form) {
    declareSettingsControls(form);
    declareRotationControls(form);
    declareCatalogControls(form);
    declareSaveLoadControls(form);
    declareGamePathControls(form);
    form.declare(ctl::frmFragdockerRunning::cmdOk);
}

// Connects every control to the handler that a click on it runs.
void connectHandlers(Context& ctx, SettingsStore& store) {
    connectSettingsHandlers(ctx);
    connectCatalogHandlers(ctx);
    connectRotationHandlers(ctx);
    connectSaveLoadHandlers(ctx, store);
    connectGamePathHandlers(ctx);
    ctx.form.onClick(ctl::frmFragdockerRunning::cmdOk,
                     [&ctx] { frmFragdockerRunning_cmdOk_Click(ctx); });
}

// The writable folder exists, or the user was told why it does not.
bool madeWritableFolder(Context& ctx) {
    const Outcome<> made = makeWritableFolder(ctx.appFolders());
    if (!made.ok())
        ctx.alert(made.failure());
    return made.ok();
}

} // namespace

Program::Program(const Services& services, const AppFolders& appFolders, const QString& prefix)
    : ctx{form,
          services.cues,
          services.messages,
          services.launcher,
          appFolders.writable,
          services.folders,
          appFolders.shipped},
      winePrefix(prefix) {
    declareControls(form);
    connectHandlers(ctx, store);
}

bool makeFirstStore(Context& ctx, SettingsStore& store) {
    if (!madeWritableFolder(ctx))
        return false;
    if (PathResolver().isFileIn(ctx.appFolder, QString::fromLatin1(storeFile::store)))
        return true;
    const bool made = openSettingsStore(ctx, store);
    store.close();
    return made;
}

void Form_Load(Program& program) {
    Context& ctx = program.ctx;
    if (!madeWritableFolder(ctx)) {
        Form_Unload(ctx);
        return;
    }
    if (anotherCopyRunning(ctx)) {
        ctx.cues.play(QString::fromLatin1(cue::ralert));
        ctx.form.hide(Window::frmFragDocker);
        ctx.form.show(Window::frmFragdockerRunning);
        return; // nothing else: no store is touched, no catalogue read
    }
    ctx.cues.play(QString::fromLatin1(cue::progact));
    ShowPlaceholderPicture(ctx);
    FindGameFolder(ctx, program.winePrefix);
    if (!openSettingsStore(ctx, program.store)) {
        Form_Unload(ctx); // nothing to work with: the program ends
        return;
    }
    LoadMapCatalogue(ctx, ctx.dataFile(QString::fromLatin1(mapCatalogueFile)));
    LoadBotCatalogue(ctx, ctx.dataFile(QString::fromLatin1(botCatalogueFile)));
    SetStartupGameType(ctx.form);
    // The Advanced tab shows the game folder in use.
    ctx.form.setText(ctl::txtGamePath, ctx.form.text(ctl::frmGamePath::txtGamePath));
}

void Form_Unload(Context& ctx) {
    closeEveryWindow(ctx.form);
}

void frmFragdockerRunning_cmdOk_Click(Context& ctx) {
    closeEveryWindow(ctx.form);
}

} // namespace fd
