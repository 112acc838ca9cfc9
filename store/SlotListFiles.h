#pragma once
// The list files of a save slot in the folder "saved": the bot roster (list4) in
// "<slot>.bot" and the map rotation (List2) in "<slot>.maps", one entry per line.

#include <QString>
#include <QStringList>

#include <memory>

namespace fd {

class ReplacedFile;
struct Context;

QString botListFile(const Context& ctx, const QString& slot);
QString mapListFile(const Context& ctx, const QString& slot);

// The new list file of the slot chooser's text, written from its list beside the old file,
// which stays until the new one is put in its place. The folder "saved" must exist.
std::unique_ptr<ReplacedFile> writeBotListBeside(Context& ctx);
std::unique_ptr<ReplacedFile> writeMapListBeside(Context& ctx);

// Appends the lines of the slot's list file, as read, to the list, as the last stored save left
// the file: its new content beside it while the save notes it unfinished (a crash kept it from
// being put in place), else the file itself. A missing file changes nothing.
void appendSavedBots(Context& ctx, const QString& slot, const QStringList& unfinished);
void appendSavedMaps(Context& ctx, const QString& slot, const QStringList& unfinished);

} // namespace fd
