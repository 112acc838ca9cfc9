// A save all or nothing across a slot's record and the files that go with it. The store notes,
// in the transaction that stores the record, which files' new content waits beside them; the
// note is dropped once they are in place, and the next open puts in place what a crash left.

#include "SettingsStore.h"
#include "SlotTables.h"
#include "Sqlite.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace fd {

namespace {

const QString table = QStringLiteral("\"Unfinished saves\"");

} // namespace

Outcome<> SettingsStore::write(const QString& slot, const StoredRecord& record,
                               const std::vector<ReplacedFile*>& files) {
    for (ReplacedFile* file : files)
        if (Outcome<> finished = file->finish(); !finished.ok())
            return finished;
    stepDone();
    const QString saving =
        QStringLiteral("Could not save \"%1\" into the settings store \"%2\": ").arg(slot, path());
    if (!db_ || !db_->exec(QStringLiteral("BEGIN")))
        return failed(saving + (db_ ? db_->errorText() : QStringLiteral("the store is not open.")));
    Outcome<> stored = write(slot, record);
    if (stored.ok())
        stored = noteUnfinished(files);
    if (stored.ok() && !db_->exec(QStringLiteral("COMMIT")))
        stored = failed(saving + db_->errorText());
    if (!stored.ok()) {
        // Nothing of the save is kept; should the rollback fail too, SQLite's journal undoes
        // the transaction at the next open.
        (void)db_->exec(QStringLiteral("ROLLBACK"));
        return stored;
    }
    stepDone();
    for (ReplacedFile* file : files) {
        if (Outcome<> placed = file->putInPlace(); !placed.ok())
            return placed; // the next start puts it in place
        stepDone();
    }
    if (Outcome<> forgotten = forgetUnfinished(); !forgotten.ok())
        return forgotten; // the files are in place; the next start finds nothing left to do
    stepDone();
    return Outcome<>::success();
}

Outcome<> SettingsStore::noteUnfinished(const std::vector<ReplacedFile*>& files) {
    const QString noting =
        QStringLiteral("Could not note the save's files in the settings store \"%1\": ")
            .arg(path());
    if (!db_->exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (File TEXT)").arg(table)) ||
        !db_->exec(QStringLiteral("DELETE FROM %1").arg(table)))
        return failed(noting + db_->errorText());
    for (ReplacedFile* file : files) {
        std::unique_ptr<sql::Statement> insert =
            db_->prepare(QStringLiteral("INSERT INTO %1 VALUES (?1)").arg(table));
        if (insert)
            insert->bind(1, QDir(folder_).relativeFilePath(file->path()));
        if (!insert || insert->step() != SQLITE_DONE)
            return failed(noting + db_->errorText());
    }
    return Outcome<>::success();
}

Outcome<> SettingsStore::forgetUnfinished() {
    if (db_->exec(QStringLiteral("DELETE FROM %1").arg(table)))
        return Outcome<>::success();
    return failed(QStringLiteral("Could not finish the last save in \"%1\": %2")
                      .arg(path(), db_->errorText()));
}

Outcome<QStringList> SettingsStore::unfinished() {
    QStringList files;
    if (!db_)
        return files;
    std::unique_ptr<sql::Statement> select =
        db_->prepare(QStringLiteral("SELECT File FROM %1").arg(table));
    if (!select) // no save was ever noted, or the store cannot be read
        return db_->exec(QStringLiteral("SELECT 1 FROM sqlite_schema"))
                   ? Outcome<QStringList>(files)
                   : Outcome<QStringList>(slotTable::fromError(
                         *db_,
                         QStringLiteral("Could not read the settings store \"%1\"").arg(path())));
    int result = SQLITE_OK;
    while ((result = select->step()) == SQLITE_ROW)
        files << QDir(folder_).absoluteFilePath(select->text(0));
    if (result != SQLITE_DONE)
        return slotTable::fromError(
            *db_, QStringLiteral("Could not read the settings store \"%1\"").arg(path()));
    return files;
}

Outcome<> SettingsStore::rollForward() {
    const Outcome<QStringList> files = unfinished();
    if (!files.ok())
        return files.reason();
    for (const QString& file : *files) {
        const QString beside = ReplacedFile::besidePath(file);
        if (durable::exists(beside))
            if (Outcome<> placed =
                    durable::renameOver(beside, file, QFileInfo(file).absolutePath());
                !placed.ok())
                return placed;
    }
    if (!files->isEmpty())
        if (Outcome<> forgotten = forgetUnfinished(); !forgotten.ok())
            return forgotten;
    // What is left beside a list file was written by a save that never stored its record.
    const QDir saved(QDir(folder_).filePath(QString::fromLatin1(storeFile::saved)));
    for (const QString& leftover : saved.entryList(QDir::Files | QDir::System | QDir::Hidden))
        // One that cannot be removed does no harm: the next save of its slot replaces it.
        if (leftover.endsWith(u".new", Qt::CaseInsensitive))
            (void)durable::removeFile(saved.filePath(leftover));
    return Outcome<>::success();
}

} // namespace fd
