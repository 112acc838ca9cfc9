#pragma once
// The Maps tab's commands that build the map rotation (List2) from the Map List (List1) and
// the catalogue.

#include <functional>

namespace fd {

struct Context;

void cmdAdd_Click(Context& ctx);
void List1_DblClick(Context& ctx);
void cmdRemove_Click(Context& ctx);
void List2_DblClick(Context& ctx);
void cmdAllMaps_Click(Context& ctx);
// Refused with a message unless the CTF game type is selected.
void cmdAllCTF_Click(Context& ctx);
// All Holomatch Maps; refused with a message when the CTF game type is selected.
void cmdAllFragdockMaps_Click(Context& ctx);
void cmdClearMaps_Click(Context& ctx);
// Randomize Maps!, drawing from the program's one generator.
void cmdRandom_Click(Context& ctx, const std::function<double()>& draw);

} // namespace fd
