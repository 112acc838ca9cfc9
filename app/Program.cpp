#include "Program.h"

#include "catalog/CatalogControls.h"
#include "catalog/MapCatalogue.h"
#include "catalog/MapPictures.h"
#include "catalog/Module1.h"
#include "catalog/modReadBots.h"
#include "core/Context.h"
#include "gamepath/frmGamePath.h"
#include "gamepath/modReadPathFromINI.h"
#include "rotation/RotationControls.h"
#include "settings/GameTypeRules.h"
#include "settings/Handlers.h"
#include "settings/SettingsRecord.h"
#include "store/SaveLoad.h"
#include "store/SlotRecord.h"

namespace fd {

void declareControls(FormModel& form) {
    declareSettingsControls(form);
    declareRotationControls(form);
    declareCatalogControls(form);
    declareSaveLoadControls(form);
    declareGamePathControls(form);
}

void connectHandlers(Context& ctx) {
    connectSettingsHandlers(ctx);
    connectCatalogHandlers(ctx);
    connectRotationHandlers(ctx);
    connectSaveLoadHandlers(ctx);
    connectGamePathHandlers(ctx);
}

void Form_Load(Context& ctx) {
    ShowPlaceholderPicture(ctx);
    showGamePathDialogWhenNoPathFile(ctx);
    frmGamePath::Form_Load(ctx);
    ReadPathFile(ctx.form, ctx.appFile(QStringLiteral("path.ini")));
    showGamePathDialogWhenGameMissing(ctx);
    if (!openSettingsStore(ctx)) {
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
    for (Window window : {Window::frmGamePath, Window::frmFragDocker, Window::frmErrorMap,
                          Window::frmFragdockerRunning})
        ctx.form.close(window);
}

} // namespace fd
