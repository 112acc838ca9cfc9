#include "RotationControls.h"

#include "BotRoster.h"
#include "MapRotation.h"
#include "Randomize.h"
#include "core/Context.h"

#include <memory>

namespace fd {

void declareRotationControls(FormModel& form) {
    form.declare(ctl::List2);
    form.declare(ctl::list4);
    for (Button button :
         {ctl::cmdAdd, ctl::cmdRemove, ctl::cmdAllFragdockMaps, ctl::cmdAllCTF, ctl::cmdAllMaps,
          ctl::cmdClearMaps, ctl::cmdRandom, ctl::cmdAddBot, ctl::cmdRemoveBot, ctl::cmdClearBots})
        form.declare(button);
}

void connectRotationHandlers(Context& ctx) {
    FormModel& form = ctx.form;
    form.onClick(ctl::cmdAdd, [&ctx] { cmdAdd_Click(ctx); });
    form.onDoubleClick(ctl::List1, [&ctx] { List1_DblClick(ctx); });
    form.onClick(ctl::cmdRemove, [&ctx] { cmdRemove_Click(ctx); });
    form.onDoubleClick(ctl::List2, [&ctx] { List2_DblClick(ctx); });
    form.onClick(ctl::cmdAllMaps, [&ctx] { cmdAllMaps_Click(ctx); });
    form.onClick(ctl::cmdAllCTF, [&ctx] { cmdAllCTF_Click(ctx); });
    form.onClick(ctl::cmdAllFragdockMaps, [&ctx] { cmdAllFragdockMaps_Click(ctx); });
    form.onClick(ctl::cmdClearMaps, [&ctx] { cmdClearMaps_Click(ctx); });
    // One generator for the whole run, started from its fixed state here and never reseeded.
    auto generator = std::make_shared<UniformGenerator>();
    form.onClick(ctl::cmdRandom, [&ctx, generator] { cmdRandom_Click(ctx, std::ref(*generator)); });

    form.onClick(ctl::cmdAddBot, [&ctx] { cmdAddBot_Click(ctx); });
    form.onDoubleClick(ctl::list3, [&ctx] { list3_DblClick(ctx); });
    form.onClick(ctl::cmdRemoveBot, [&ctx] { cmdRemoveBot_Click(ctx); });
    form.onDoubleClick(ctl::list4, [&ctx] { list4_DblClick(ctx); });
    form.onClick(ctl::cmdClearBots, [&ctx] { cmdClearBots_Click(ctx); });
}

} // namespace fd
