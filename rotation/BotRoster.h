#pragma once
// The Bots tab's commands that build the bot roster (list4) from the bot list (list3).

namespace fd {

struct Context;

void cmdAddBot_Click(Context& ctx);
void list3_DblClick(Context& ctx);
void cmdRemoveBot_Click(Context& ctx);
void list4_DblClick(Context& ctx);
void cmdClearBots_Click(Context& ctx);

} // namespace fd
