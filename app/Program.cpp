#include "Program.h"

#include "catalog/CatalogControls.h"
#include "catalog/MapCatalogue.h"
#include "catalog/MapPictures.h"
#include "catalog/Module1.h"
#include "catalog/modReadBots.h"
#include "core/Context.h"
#include "core/PathResolver.h"
#include "gamepath/frmGamePath.h"
#include "gamepath/modReadPathFromINI.h"
#include "rotation/RotationControls.h"
#include "settings/GameTypeRules.h"
#include "settings/Handlers.h"
#include "settings/SettingsRecord.h"
#include "store/SaveLoad.h"
#include "store/SlotRecord.h"

namespace fd {

namespace {

// The settings store holds its lock file while a copy of the program has it open; a lock file
// that nobody holds was left by a crash, and goes.
bool anotherCopyRunning(const Context& ctx) {
    return StoreLock::heldElsewhere(fileIn(ctx.appFolder, storeFile::lock));
}

} // namespace

Program::Program(const Services& services, const QString& appFolder, const QString& winePrefix)
    : ctx{form,      services.cues,    services.messages, services.launcher,
          appFolder, services.folders, winePrefix} {
    declareControls(form);
    connectHandlers(ctx, store);
}

void declareControls(FormModel& form) {
    declareSettingsControls(form);
    declareRotationControls(form);
    declareCatalogControls(form);
    declareSaveLoadControls(form);
    declareGamePathControls(form);
    form.declare(ctl::frmFragdockerRunning::cmdOk);
}

void connectHandlers(Context& ctx, SettingsStore& store) {
    connectSettingsHandlers(ctx);
    connectCatalogHandlers(ctx);
    connectRotationHandlers(ctx);
    connectSaveLoadHandlers(ctx, store);
    connectGamePathHandlers(ctx);
    ctx.form.onClick(ctl::frmFragdockerRunning::cmdOk,
                     [&ctx] { frmFragdockerRunning_cmdOk_Click(ctx); });
}

void Form_Load(Context& ctx, SettingsStore& store) {
    if (anotherCopyRunning(ctx)) {
        ctx.cues.play(QString::fromLatin1(cue::ralert));
        ctx.form.hide(Window::frmFragDocker);
        ctx.form.show(Window::frmFragdockerRunning);
        return; // nothing else: no store is touched, no catalogue read
    }
    ctx.cues.play(QString::fromLatin1(cue::progact));
    ShowPlaceholderPicture(ctx);
    showGamePathDialogWhenNoPathFile(ctx);
    frmGamePath::Form_Load(ctx);
    ReadPathFile(ctx.form, ctx.appFile(QStringLiteral("path.ini")));
    showGamePathDialogWhenGameMissing(ctx);
    if (!openSettingsStore(ctx, store)) {
        Form_Unload(ctx); // nothing to work with: the program ends
        return;
    }
    LoadMapCatalogue(ctx, ctx.appFile(QString::fromLatin1(mapCatalogueFile)));
    LoadBotCatalogue(ctx, ctx.appFile(QString::fromLatin1(botCatalogueFile)));
    SetStartupGameType(ctx.form);
    // The Advanced tab shows the game folder in use.
    ctx.form.setText(ctl::txtGamePath, ctx.form.text(ctl::frmGamePath::txtGamePath));
}

void Form_Unload(Context& ctx) {
    ctx.form.close({Window::frmGamePath, Window::frmFragDocker, Window::frmErrorMap,
                    Window::frmFragdockerRunning});
}

void frmFragdockerRunning_cmdOk_Click(Context& ctx) {
    ctx.form.close({Window::frmFragDocker, Window::frmGamePath, Window::frmErrorMap,
                    Window::frmFragdockerRunning});
}

} // namespace fd
