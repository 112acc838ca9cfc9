#include "Program.h"

#include "catalog/CatalogControls.h"
#include "catalog/MapCatalogue.h"
#include "catalog/MapPictures.h"
#include "catalog/Module1.h"
#include "catalog/modReadBots.h"
#include "core/Context.h"
#include "gamepath/modReadPathFromINI.h"
#include "rotation/RotationControls.h"
#include "settings/GameTypeRules.h"
#include "settings/Handlers.h"
#include "settings/SettingsRecord.h"

namespace fd {

void declareControls(FormModel& form) {
    declareSettingsControls(form);
    declareRotationControls(form);
    declareCatalogControls(form);
}

void connectHandlers(Context& ctx) {
    connectSettingsHandlers(ctx);
    connectCatalogHandlers(ctx);
    connectRotationHandlers(ctx);
}

void Form_Load(Context& ctx) {
    ShowPlaceholderPicture(ctx);
    ReadPathFile(ctx.form, ctx.appFile(QStringLiteral("path.ini")));
    LoadMapCatalogue(ctx, ctx.appFile(QString::fromLatin1(mapCatalogueFile)));
    LoadBotCatalogue(ctx, ctx.appFile(QString::fromLatin1(botCatalogueFile)));
    SetStartupGameType(ctx.form);
}

void Form_Unload(Context& ctx) {
    for (Window window : {Window::frmGamePath, Window::frmFragDocker, Window::frmErrorMap,
                          Window::frmFragdockerRunning})
        ctx.form.close(window);
}

} // namespace fd
