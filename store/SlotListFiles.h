#pragma once
// The list files of a save slot in the folder "saved": the bot roster (list4) in
// "<slot>.bot" and the map rotation (List2) in "<slot>.maps", one entry per line.

#include <QString>

#include <memory>

namespace fd {

class ReplacedFile;
struct Context;

QString botListFile(const Context& ctx, const QString& slot);
QString mapListFile(const Context& ctx, const QString& slot);

// The new list file of the slot chooser's text, written from its list beside the old file,
// which stays until the new one is put in its place. The folder "saved" must exist.
std::unique_ptr<ReplacedFile> modWriteBotsFile(Context& ctx);
std::unique_ptr<ReplacedFile> modWriteMapsFile(Context& ctx);

// Appends the file's lines, as read, to the list; a missing file changes nothing.
void modReadSavedBots(Context& ctx, const QString& path);
void modReadSavedMaps(Context& ctx, const QString& path);

} // namespace fd
