// A save all or nothing across a slot's record and the files that go with it. The store notes,
// in the transaction that stores the record, which files' new content waits beside them; the
// note is dropped once they are in place, and the next open puts in place what a crash left.

#include "SettingsStore.h"
#include "Sqlite.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace fd {

namespace {

const QString table = QStringLiteral("\"Unfinished saves\"");

} // namespace

QString SettingsStore::write(const QString& slot, const StoredRecord& record,
                             const std::vector<ReplacedFile*>& files) {
    for (ReplacedFile* file : files)
        if (!file->finish())
            return file->error();
    stepDone();
    const QString saving =
        QStringLiteral("Could not save \"%1\" into the settings store \"%2\": ").arg(slot, path());
    if (!db_ || !db_->exec(QStringLiteral("BEGIN")))
        return saving + (db_ ? db_->errorText() : QStringLiteral("the store is not open."));
    QString failure = write(slot, record);
    if (failure.isEmpty() && (!noteUnfinished(files) || !db_->exec(QStringLiteral("COMMIT"))))
        failure = saving + db_->errorText();
    if (!failure.isEmpty()) {
        db_->exec(QStringLiteral("ROLLBACK"));
        return failure;
    }
    stepDone();
    for (ReplacedFile* file : files) {
        if (!file->putInPlace())
            return file->error(); // the next start puts it in place
        stepDone();
    }
    forgetUnfinished();
    stepDone();
    return {};
}

bool SettingsStore::noteUnfinished(const std::vector<ReplacedFile*>& files) {
    if (!db_->exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (File TEXT)").arg(table)) ||
        !db_->exec(QStringLiteral("DELETE FROM %1").arg(table)))
        return false;
    for (ReplacedFile* file : files) {
        std::unique_ptr<sql::Statement> insert =
            db_->prepare(QStringLiteral("INSERT INTO %1 VALUES (?1)").arg(table));
        if (!insert)
            return false;
        insert->bind(1, QDir(folder_).relativeFilePath(file->path()));
        if (insert->step() != SQLITE_DONE)
            return false;
    }
    return true;
}

bool SettingsStore::forgetUnfinished() {
    return db_->exec(QStringLiteral("DELETE FROM %1").arg(table));
}

QStringList SettingsStore::unfinished() {
    QStringList files;
    std::unique_ptr<sql::Statement> select =
        db_ ? db_->prepare(QStringLiteral("SELECT File FROM %1").arg(table)) : nullptr;
    while (select && select->step() == SQLITE_ROW)
        files << QDir(folder_).absoluteFilePath(select->text(0));
    return files;
}

StoreStep SettingsStore::rollForward() {
    const QStringList files = unfinished();
    for (const QString& file : files) {
        const QString beside = ReplacedFile::besidePath(file);
        if (durable::exists(beside)) {
            const StoreStep step =
                durable::renameOver(beside, file, QFileInfo(file).absolutePath());
            if (!step.ok())
                return step;
        }
    }
    if (!files.isEmpty() && !forgetUnfinished())
        return durable::failed(QStringLiteral("Could not finish the last save in \"%1\": %2")
                                   .arg(path(), db_->errorText()));
    return {};
}

} // namespace fd
