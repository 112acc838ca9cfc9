#pragma once
// The list files of a save slot in the folder "saved": the bot roster (list4) in
// "<slot>.bot" and the map rotation (List2) in "<slot>.maps", one entry per line.

#include <QString>

namespace fd {

struct Context;

QString botListFile(const Context& ctx, const QString& slot);
QString mapListFile(const Context& ctx, const QString& slot);

// Writes the list file of the slot chooser's text from its list, replacing the old file in
// one step; empty text, or what failed. The folder "saved" must exist.
QString modWriteBotsFile(Context& ctx);
QString modWriteMapsFile(Context& ctx);

// Appends the file's lines, as read, to the list; a missing file changes nothing.
void modReadSavedBots(Context& ctx, const QString& path);
void modReadSavedMaps(Context& ctx, const QString& path);

} // namespace fd
