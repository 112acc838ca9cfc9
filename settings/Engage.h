#pragma once
// ENGAGE: writes the game's configuration script into the game folder, starts the game's
// server with it and closes the program.

#include <QByteArray>

#include <optional>

namespace fd {

struct Context;

// The ENGAGE button: the cue, then Engage.
void cmdEngage_Click(Context& ctx);
void Engage(Context& ctx);
// The bytes that Engage would write into the script, from the same steps, writing nothing and
// starting nothing; nothing after reporting what Engage would refuse or fail on before writing.
std::optional<QByteArray> PreviewScript(Context& ctx);

} // namespace fd
