#include "SettingsStore.h"

#include "Sqlite.h"
#include "core/PathResolver.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <utility>
#include <vector>

namespace fd {

using namespace durable;
using namespace slotTable;

SettingsStore::SettingsStore() = default;

SettingsStore::~SettingsStore() {
    close();
}

bool SettingsStore::isOpen() const {
    return db_ != nullptr;
}

void SettingsStore::close() {
    if (!db_)
        return;
    db_.reset();
    readCopy_.reset();
    lock_.release();
}

QString SettingsStore::path() const {
    return paths_.store;
}

SettingsStore::Paths SettingsStore::pathsIn(const QString& appFolder) {
    PathResolver folder; // reads the folder once for the three names
    const auto in = [&](const char* name) {
        return folder.resolveIn(appFolder, QString::fromLatin1(name));
    };
    Paths paths{appFolder, appFolder, in(storeFile::store), in(storeFile::compacted),
                in(storeFile::fresh)};
    const QFileInfo link(paths.store);
    if (!link.isSymLink())
        return paths;
    const QFileInfo target(link.symLinkTarget());
    paths.store = target.absoluteFilePath();
    paths.folder = target.absolutePath();
    paths.compacted = paths.folder + u'/' + target.completeBaseName() + u'2' +
                      (target.suffix().isEmpty() ? QString() : u'.' + target.suffix());
    paths.fresh = paths.store + QStringLiteral(".new");
    return paths;
}

Outcome<> SettingsStore::openForReading(const QString& folder) {
    close();
    paths_ = pathsIn(folder);
    const QString store = paths_.store;
    const QString opening = QStringLiteral("Could not open the settings store \"%1\"").arg(store);
    const QString schema = QStringLiteral("SELECT count(*) FROM sqlite_schema");
    auto db = std::make_unique<sql::Database>();
    bool opened = db->openReadOnly(store) && db->exec(schema);
    // The journal of a save that a crash interrupted is rolled back on a copy: reading never
    // writes the store itself. (The journal of a save that runs now is no such journal.)
    if (!opened && db->errorCode() == SQLITE_READONLY_ROLLBACK) {
        const Outcome<QString> copy = copyWithHotJournal(store);
        if (!copy.ok())
            return Failure{copy.kind(), opening + QStringLiteral(": ") + copy.failure()};
        opened = db->open(*copy) && db->exec(schema);
    }
    if (!opened)
        return fromError(*db, opening);
    // Slots are checked one by one as they are read, so that one unreadable slot keeps no
    // other from being read.
    db_ = std::move(db);
    folder_ = folder;
    return Outcome<>::success();
}

Outcome<QString> SettingsStore::copyWithHotJournal(const QString& store) {
    readCopy_ = std::make_unique<QTemporaryDir>();
    const QString copy = readCopy_->filePath(QString::fromLatin1(storeFile::store));
    if (!readCopy_->isValid() || !QFile::copy(store, copy) ||
        !QFile::copy(journalOf(store), journalOf(copy)))
        return failed(QStringLiteral("no copy of it and its journal could be made in \"%1\"")
                          .arg(readCopy_->path()));
    return copy;
}

Outcome<> SettingsStore::write(const QString& slot, const StoredRecord& record) {
    const QString saving =
        QStringLiteral("Could not save \"%1\" into the settings store \"%2\"").arg(slot, path());
    if (!db_)
        return failed(saving + QStringLiteral(": the store is not open."));
    std::unique_ptr<sql::Statement> update = db_->prepare(updateSql(slot));
    if (!update)
        return failed(saving + QStringLiteral(": ") + db_->errorText());
    bindRecord(*update, record);
    if (update->step() != SQLITE_DONE)
        return failed(saving + QStringLiteral(": ") + db_->errorText());
    if (db_->changes() == 0)
        return failed(saving + QStringLiteral(": the save slot holds no record."));
    return Outcome<>::success();
}

Outcome<StoredRecord> SettingsStore::read(const QString& slot) {
    if (!db_)
        return failed(QStringLiteral("Could not load \"%1\" from the settings store \"%2\": the "
                                     "store is not open.")
                          .arg(slot, path()));
    return readRecord(*db_, path(), slot);
}

Outcome<> SettingsStore::readTogether(const std::function<Outcome<>()>& reading) {
    // A deferred transaction: the first read takes the shared lock, which a save's commit waits
    // for (and the other way round, up to the busy timeout).
    if (!db_ || !db_->exec(QStringLiteral("BEGIN")))
        return reading(); // the reads report the store's failure themselves
    const Outcome<> read = reading();
    // Ending a read transaction has nothing to undo or keep; it only lets the lock go.
    (void)db_->exec(QStringLiteral("COMMIT"));
    return read;
}

} // namespace fd
