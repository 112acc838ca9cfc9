#include "BotRoster.h"

#include "ListCommands.h"
#include "core/Controls.h"

namespace fd {

void cmdAddBot_Click(Context& ctx) {
    addSelected(ctx, ctl::list3, ctl::list4);
}

void list3_DblClick(Context& ctx) {
    cmdAddBot_Click(ctx);
}

void cmdRemoveBot_Click(Context& ctx) {
    removeSelected(ctx, ctl::list4);
}

void list4_DblClick(Context& ctx) {
    cmdRemoveBot_Click(ctx);
}

void cmdClearBots_Click(Context& ctx) {
    clearList(ctx, ctl::list4);
}

} // namespace fd
