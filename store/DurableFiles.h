#pragma once
// The store's files made durable: synced to disk, renamed in one step, removed with their
// journal. Each step reports its outcome as a StoreStep.

#include "core/ReplacedFile.h"

#include <QString>

namespace fd {

// The outcome of one step of the store's work on its files.
struct StoreStep {
    enum Outcome { Done, Damaged, Failed };
    Outcome outcome = Done;
    QString detail; // Damaged: what is wrong with the file; Failed: what failed, naming the file

    bool ok() const { return outcome == Done; }
};

namespace durable {

// SQLite's rollback journal of a database file.
QString journalOf(const QString& path);
// Whether there is a file at the path, a symbolic link to nothing included.
bool exists(const QString& path);
StoreStep failed(const QString& what);
// The text of the last system error.
QString systemError();
StoreStep removeFile(const QString& path);
StoreStep removeWithJournal(const QString& path);
// Renames in one step, replacing the target.
StoreStep renameFile(const QString& from, const QString& to);
// Renames in one step, replacing the target, and makes the new name last on disk.
StoreStep renameOver(const QString& from, const QString& to, const QString& folder);

} // namespace durable
} // namespace fd
