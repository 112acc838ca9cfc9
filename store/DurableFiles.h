#pragma once
// The store's files made durable: synced to disk, renamed in one step, removed with their
// journal, made afresh and private.

#include "core/Outcome.h"
#include "core/ReplacedFile.h"

#include <QString>

namespace fd::durable {

// SQLite's rollback journal of a database file.
QString journalOf(const QString& path);
// Whether there is a file at the path, a symbolic link to nothing included.
bool exists(const QString& path);
// The text of the last system error.
QString systemError();
Outcome<> removeFile(const QString& path);
Outcome<> removeWithJournal(const QString& path);
// Renames in one step, replacing the target.
Outcome<> renameFile(const QString& from, const QString& to);
// Renames in one step, replacing the target, and makes the new name last on disk.
Outcome<> renameOver(const QString& from, const QString& to, const QString& folder);
// Makes an empty private file (0600) at the path, where nothing may lie, so that a database
// written into it is private and no link planted at the name is followed.
Outcome<> createPrivate(const QString& path);
// Whether only the owner may read and write the file (0600), made so when it was not.
bool makePrivate(const QString& path);

} // namespace fd::durable
