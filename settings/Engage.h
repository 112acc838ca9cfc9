#pragma once
// ENGAGE: writes the game's configuration script into the game folder, starts the game's
// server with it and closes the program.

#include "core/GameFiles.h"
#include "core/Services.h"

#include <QByteArray>
#include <QStringList>

namespace fd {

struct Context;

// The ENGAGE button: the cue, then Engage; a failure is told.
void cmdEngage_Click(Context& ctx);

// Where an ENGAGE differs from the window's: the script's file name in the game's data folder,
// the name the game's command line runs it by, and console commands given before it runs.
struct EngageTarget {
    QString scriptFile = QString::fromLatin1(game::scriptFile);
    QString scriptName = QString::fromLatin1(game::scriptCommandName);
    QStringList commands;
};
// Writes the script and prepares the command that starts the game with it, starting nothing;
// nothing after the first step that is refused or fails.
Outcome<ProcessCommand> PrepareEngage(Context& ctx, const EngageTarget& target = {});
// ENGAGE: PrepareEngage, then the game started without waiting for it and every window closed.
Outcome<> Engage(Context& ctx, const EngageTarget& target = {});
// The bytes that Engage would write into the script, from the same steps, writing nothing and
// starting nothing; a refusal where Engage would refuse before writing.
Outcome<QByteArray> PreviewScript(Context& ctx);

} // namespace fd
