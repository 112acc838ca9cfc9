#include "Program.h"

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
}

void connectHandlers(Context& ctx) {
    connectSettingsHandlers(ctx);
}

void Form_Load(Context& ctx) {
    ReadPathFile(ctx.form, ctx.appFile(QStringLiteral("path.ini")));
    SetStartupGameType(ctx.form);
}

void Form_Unload(Context& ctx) {
    for (Window window : {Window::frmGamePath, Window::frmFragDocker, Window::frmErrorMap,
                          Window::frmFragdockerRunning})
        ctx.form.close(window);
}

} // namespace fd
