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
    Paths paths{appFolder, appFolder, fileIn(appFolder, storeFile::store),
                fileIn(appFolder, storeFile::compacted), fileIn(appFolder, storeFile::fresh)};
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

QString SettingsStore::openForReading(const QString& folder) {
    close();
    paths_ = pathsIn(folder);
    const QString store = paths_.store;
    auto db = std::make_unique<sql::Database>();
    const QString copy = copyWithHotJournal(store);
    const bool opened = copy.isEmpty() ? db->openReadOnly(store) : db->open(copy);
    if (!opened || !db->exec(QStringLiteral("SELECT count(*) FROM sqlite_schema")))
        return QStringLiteral("Could not open the settings store \"%1\": %2")
            .arg(store, db->errorText());
    // Slots are checked one by one as they are read, so that one unreadable slot keeps no
    // other from being read.
    db_ = std::move(db);
    folder_ = folder;
    return {};
}

QString SettingsStore::copyWithHotJournal(const QString& store) {
    readCopy_.reset();
    if (QFileInfo(journalOf(store)).size() == 0)
        return {};
    // The journal of a save that a crash interrupted is rolled back on a copy: reading never
    // writes the store itself.
    readCopy_ = std::make_unique<QTemporaryDir>();
    const QString copy = readCopy_->filePath(QString::fromLatin1(storeFile::store));
    QFile::copy(store, copy);
    QFile::copy(journalOf(store), journalOf(copy));
    return copy;
}

QString SettingsStore::write(const QString& slot, const StoredRecord& record) {
    const QString saving =
        QStringLiteral("Could not save \"%1\" into the settings store \"%2\"").arg(slot, path());
    if (!db_)
        return saving + QStringLiteral(": the store is not open.");
    std::unique_ptr<sql::Statement> update = db_->prepare(updateSql(slot));
    if (!update)
        return saving + QStringLiteral(": ") + db_->errorText();
    bindRecord(*update, record);
    if (update->step() != SQLITE_DONE)
        return saving + QStringLiteral(": ") + db_->errorText();
    if (db_->changes() == 0)
        return saving + QStringLiteral(": the save slot holds no record.");
    return {};
}

QString SettingsStore::read(const QString& slot, StoredRecord& record) {
    const QString loading =
        QStringLiteral("Could not load \"%1\" from the settings store \"%2\"").arg(slot, path());
    if (!db_)
        return loading + QStringLiteral(": the store is not open.");
    std::unique_ptr<sql::Statement> select = db_->prepare(selectSql(slot));
    if (!select)
        return loading + QStringLiteral(": ") + db_->errorText();
    const int result = select->step();
    if (result == SQLITE_DONE)
        return loading + QStringLiteral(": the save slot holds no record.");
    if (result != SQLITE_ROW)
        return loading + QStringLiteral(": ") + db_->errorText();
    record = recordOf(*select);
    return {};
}

} // namespace fd
