#pragma once
// ENGAGE: writes the game's configuration script into the game folder, starts the game's
// server with it and closes the program.

namespace fd {

struct Context;

// The ENGAGE button: the cue, then Engage.
void cmdEngage_Click(Context& ctx);
void Engage(Context& ctx);

} // namespace fd
