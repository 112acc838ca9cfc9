#pragma once
// ENGAGE: writes the game's configuration script into the game folder, starts the game's
// server with it and closes the program.

#include <QByteArray>
#include <QStringList>

#include <optional>

namespace fd {

struct Context;

// The ENGAGE button: the cue, then Engage.
void cmdEngage_Click(Context& ctx);

// Where an ENGAGE differs from the window's: the script's file name in the game's data folder,
// and console commands the game's command line gives before it runs the script.
struct EngageTarget {
    QString scriptFile; // empty: the window's FragDocker.cfg
    QStringList commands;
};
void Engage(Context& ctx, const EngageTarget& target = {});
// The bytes that Engage would write into the script, from the same steps, writing nothing and
// starting nothing; nothing after reporting what Engage would refuse or fail on before writing.
std::optional<QByteArray> PreviewScript(Context& ctx);

} // namespace fd
