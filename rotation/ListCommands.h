#pragma once
// The commands that the map rotation and the bot roster share: add the selected entry of a
// source list, remove the selected entry, clear.

#include "core/Controls.h"

namespace fd {

struct Context;

// Cue chanopen.wav, then appends the source's selected text (empty when none is selected).
void addSelected(Context& ctx, ListBox source, ListBox target);
// Cue beep2.wav, then removes the list's selected entry, if one is selected.
void removeSelected(Context& ctx, ListBox list);
// Cue beep.wav, then empties the list.
void clearList(Context& ctx, ListBox list);

} // namespace fd
