#include "Handlers.h"

#include "core/Context.h"
#include "modEngage.h"

namespace fd {

void connectSettingsHandlers(Context& ctx) {
    ctx.form.onClick(ctl::cmdEngage, [&ctx] { cmdEngage_Click(ctx); });
}

} // namespace fd
