#include "SettingsStore.h"

#include "Sqlite.h"
#include "core/PathResolver.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace fd {

namespace {

QString journalOf(const QString& path) {
    return path + QStringLiteral("-journal");
}

bool exists(const QString& path) {
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

StoreStep failed(const QString& what) {
    return {StoreStep::Failed, what};
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// What the connection's last failure means: a damaged file, or a failure of the named action.
StoreStep fromError(const sql::Database& db, const QString& action) {
    if (sql::isDamage(db.errorCode()))
        return {StoreStep::Damaged, db.errorText()};
    return failed(action + QStringLiteral(": ") + db.errorText());
}

// Writes what the system still holds of a file or folder to the disk.
bool syncToDisk(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

StoreStep removeFile(const QString& path) {
    if (!exists(path) || QFile::remove(path))
        return {};
    return failed(QStringLiteral("Could not remove the file \"%1\".").arg(path));
}

StoreStep removeWithJournal(const QString& path) {
    StoreStep step = removeFile(path);
    return step.ok() ? removeFile(journalOf(path)) : step;
}

// Renames in one step, replacing the target.
StoreStep renameFile(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return failed(
            QStringLiteral("Could not rename \"%1\" to \"%2\": %3").arg(from, to, systemError()));
    return {};
}

// Renames in one step, replacing the target, and makes the new name last on disk.
StoreStep renameOver(const QString& from, const QString& to, const QString& folder) {
    StoreStep step = renameFile(from, to);
    if (step.ok())
        syncToDisk(folder);
    return step;
}

// SQL built from the settings record, the one list of the columns.

QString columnList() {
    QStringList names;
    for (const Field& field : settingsRecord)
        names << sql::quoted(QString::fromLatin1(field.name));
    return names.join(QStringLiteral(", "));
}

QString columnDefinition(const Field& field) {
    return sql::quoted(QString::fromLatin1(field.name)) +
           (holdsText(field.kind) ? QStringLiteral(" TEXT") : QStringLiteral(" INTEGER"));
}

QString createTableSql(const QString& slot) {
    QStringList columns;
    for (const Field& field : settingsRecord)
        columns << columnDefinition(field);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(sql::quoted(slot), columns.join(u", "));
}

QString sqlValue(const StoredValue& value) {
    if (const auto* text = std::get_if<QString>(&value))
        return sql::literal(*text);
    if (const auto* boolean = std::get_if<bool>(&value))
        return *boolean ? QStringLiteral("1") : QStringLiteral("0");
    return QStringLiteral("NULL");
}

// Adds a column whose value in the rows already there is the given one.
QString addColumnSql(const QString& slot, const Field& field, const StoredValue& value) {
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 DEFAULT %3")
        .arg(sql::quoted(slot), columnDefinition(field), sqlValue(value));
}

QString insertSql(const QString& slot) {
    QStringList values;
    for (std::size_t i = 1; i <= settingsRecord.size(); ++i)
        values << QStringLiteral("?%1").arg(i);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(sql::quoted(slot), columnList(), values.join(u", "));
}

// The slot's record is its table's first row.
QString firstRow(const QString& slot) {
    return QStringLiteral("(SELECT rowid FROM %1 ORDER BY rowid LIMIT 1)").arg(sql::quoted(slot));
}

QString updateSql(const QString& slot) {
    QStringList assignments;
    for (std::size_t i = 0; i < settingsRecord.size(); ++i)
        assignments << QStringLiteral("%1 = ?%2")
                           .arg(sql::quoted(QString::fromLatin1(settingsRecord[i].name)))
                           .arg(i + 1);
    return QStringLiteral("UPDATE %1 SET %2 WHERE rowid = %3")
        .arg(sql::quoted(slot), assignments.join(u", "), firstRow(slot));
}

QString selectSql(const QString& slot) {
    return QStringLiteral("SELECT %1 FROM %2 WHERE rowid = %3")
        .arg(columnList(), sql::quoted(slot), firstRow(slot));
}

void bindRecord(sql::Statement& statement, const StoredRecord& record) {
    for (std::size_t i = 0; i < record.size(); ++i) {
        const int index = int(i) + 1;
        if (const auto* text = std::get_if<QString>(&record[i]))
            statement.bind(index, *text);
        else if (const auto* boolean = std::get_if<bool>(&record[i]))
            statement.bind(index, *boolean);
        else
            statement.bindNull(index);
    }
}

// What a save slot lacks: its table, its record, or some of its columns.
struct SlotGaps {
    bool noTable = false;
    bool noRecord = false;
    std::vector<std::size_t> columns; // indices into the settings record

    bool any() const { return noRecord || !columns.empty(); }
};

// Finds what the slot lacks; a failure to read the store is the outcome.
StoreStep findGaps(sql::Database& db, const QString& path, const QString& slot, SlotGaps& gaps) {
    const QString reading = QStringLiteral("Could not read the settings store \"%1\"").arg(path);
    std::unique_ptr<sql::Statement> info =
        db.prepare(QStringLiteral("PRAGMA table_info(%1)").arg(sql::quoted(slot)));
    if (!info)
        return fromError(db, reading);
    // The record's columns by their case-folded names, folded once.
    static const QHash<QString, std::size_t> fieldIndex = [] {
        QHash<QString, std::size_t> index;
        for (std::size_t i = 0; i < settingsRecord.size(); ++i)
            index.insert(QString::fromLatin1(settingsRecord[i].name).toCaseFolded(), i);
        return index;
    }();
    std::vector<bool> present(settingsRecord.size());
    bool anyColumn = false;
    int result = SQLITE_OK;
    while ((result = info->step()) == SQLITE_ROW) {
        anyColumn = true;
        if (const auto field = fieldIndex.constFind(info->text(1).toCaseFolded());
            field != fieldIndex.cend())
            present[*field] = true;
    }
    if (result != SQLITE_DONE)
        return fromError(db, reading);
    gaps = {};
    gaps.noTable = gaps.noRecord = !anyColumn;
    if (gaps.noTable)
        return {};
    for (std::size_t i = 0; i < settingsRecord.size(); ++i)
        if (!present[i])
            gaps.columns.push_back(i);
    std::unique_ptr<sql::Statement> row =
        db.prepare(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(sql::quoted(slot)));
    result = row ? row->step() : SQLITE_ERROR;
    if (result != SQLITE_ROW && result != SQLITE_DONE)
        return fromError(db, reading);
    gaps.noRecord = result == SQLITE_DONE;
    return {};
}

QString describeGaps(const QString& slot, const SlotGaps& gaps) {
    if (gaps.noTable)
        return QStringLiteral("the save slot \"%1\" is missing").arg(slot);
    if (!gaps.columns.empty())
        return QStringLiteral("the save slot \"%1\" has no column \"%2\"")
            .arg(slot, QString::fromLatin1(settingsRecord[gaps.columns.front()].name));
    return QStringLiteral("the save slot \"%1\" holds no record").arg(slot);
}

// Every slot's table with every column and a record, or what is missing.
StoreStep checkSlots(sql::Database& db, const QString& path) {
    for (const char* name : slotNames) {
        const QString slot = QString::fromLatin1(name);
        SlotGaps gaps;
        const StoreStep step = findGaps(db, path, slot, gaps);
        if (!step.ok())
            return step;
        if (gaps.any())
            return {StoreStep::Damaged, describeGaps(slot, gaps)};
    }
    return {};
}

// Makes what the slot lacks again from the fresh record; the rest of the slot stays.
bool fillGaps(sql::Database& db, const QString& slot, const SlotGaps& gaps,
              const StoredRecord& fresh) {
    if (gaps.noTable && !db.exec(createTableSql(slot)))
        return false;
    for (std::size_t i : gaps.columns)
        if (!db.exec(addColumnSql(slot, settingsRecord[i], fresh[i])))
            return false;
    if (!gaps.noRecord)
        return true;
    std::unique_ptr<sql::Statement> insert = db.prepare(insertSql(slot));
    if (insert)
        bindRecord(*insert, fresh);
    return insert && insert->step() == SQLITE_DONE;
}

// Makes again, in one transaction, what the slots lack; the slots concerned are added to remade.
StoreStep repairGaps(sql::Database& db, const QString& store,
                     const SettingsStore::FreshRecord& freshRecord, QStringList& remade) {
    std::vector<std::pair<QString, SlotGaps>> lacking;
    for (const char* name : slotNames) {
        SlotGaps gaps;
        const StoreStep step = findGaps(db, store, QString::fromLatin1(name), gaps);
        if (!step.ok())
            return step;
        if (gaps.any())
            lacking.emplace_back(QString::fromLatin1(name), gaps);
    }
    if (lacking.empty())
        return {};
    bool written = db.exec(QStringLiteral("BEGIN"));
    for (const auto& [slot, gaps] : lacking)
        written = written && fillGaps(db, slot, gaps, freshRecord(slot));
    if (!written || !db.exec(QStringLiteral("COMMIT")))
        return fromError(db,
                         QStringLiteral("Could not repair the settings store \"%1\"").arg(store));
    for (const auto& [slot, gaps] : lacking)
        remade << slot;
    return {};
}

} // namespace

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
    if (holdsLock_)
        QFile::remove(fileIn(folder_, storeFile::lock));
    holdsLock_ = false;
}

QString SettingsStore::path() const {
    return fileIn(folder_, storeFile::store);
}

SettingsStore::Opening SettingsStore::open(const QString& folder, const FreshRecord& freshRecord) {
    close();
    folder_ = folder; // names the store in messages, also when it could not be opened
    Opening opening;
    StoreStep step = maintain(folder, freshRecord, opening.remade);
    if (step.outcome == StoreStep::Damaged) {
        close();
        opening.damage = step.detail;
        opening.damaged = fileIn(folder, storeFile::store);
        opening.remade.clear(); // the whole file is kept aside instead
        step = keepAside(folder, opening.keptAs);
        if (step.ok())
            step = maintain(folder, freshRecord, opening.remade);
        if (step.outcome == StoreStep::Damaged)
            step.detail = QStringLiteral("The new settings store \"%1\" is damaged too: %2")
                              .arg(fileIn(folder, storeFile::store), step.detail);
    }
    if (!step.ok())
        opening.failure = step.detail;
    return opening;
}

StoreStep SettingsStore::maintain(const QString& folder, const FreshRecord& freshRecord,
                                  QStringList& remade) {
    close();
    StoreStep step = settleLeftovers(folder);
    if (step.ok() && !exists(fileIn(folder, storeFile::store)))
        step = create(folder, freshRecord);
    if (step.ok())
        step = compact(folder, freshRecord, remade);
    if (step.ok())
        step = replaceByCompacted(folder);
    if (step.ok())
        step = openCompacted(folder);
    return step;
}

StoreStep SettingsStore::settleLeftovers(const QString& folder) {
    StoreStep step = removeWithJournal(fileIn(folder, storeFile::fresh));
    const QString copy = fileIn(folder, storeFile::compacted);
    const QString store = fileIn(folder, storeFile::store);
    if (!step.ok() || !exists(copy))
        return step;
    if (exists(store))
        return removeWithJournal(copy); // the copy was not finished
    // The store was already replaced by the finished copy; any journal is of neither.
    step = removeFile(journalOf(store));
    if (step.ok())
        step = removeFile(journalOf(copy));
    return step.ok() ? renameOver(copy, store, folder) : step;
}

StoreStep SettingsStore::create(const QString& folder, const FreshRecord& freshRecord) {
    const QString path = fileIn(folder, storeFile::fresh);
    const QString store = fileIn(folder, storeFile::store);
    StoreStep step = removeWithJournal(path);
    if (!step.ok())
        return step;
    const QString creating =
        QStringLiteral("Could not create the settings store \"%1\"").arg(store);
    sql::Database db;
    bool written = db.open(path, true) && db.exec(QStringLiteral("BEGIN"));
    for (const char* name : slotNames) {
        const QString slot = QString::fromLatin1(name);
        if (!written || !db.exec(createTableSql(slot)))
            break;
        std::unique_ptr<sql::Statement> insert = db.prepare(insertSql(slot));
        if (insert)
            bindRecord(*insert, freshRecord(slot));
        written = insert && insert->step() == SQLITE_DONE;
    }
    written = written && db.exec(QStringLiteral("COMMIT"));
    if (!written) {
        step = failed(creating + QStringLiteral(": ") + db.errorText());
        db.close();
        removeWithJournal(path);
        return step;
    }
    db.close();
    if (!syncToDisk(path))
        return failed(creating + QStringLiteral(": ") + systemError());
    // A journal left without its store would be taken for the new store's own.
    step = removeFile(journalOf(store));
    return step.ok() ? renameOver(path, store, folder) : step;
}

StoreStep SettingsStore::compact(const QString& folder, const FreshRecord& freshRecord,
                                 QStringList& remade) {
    const QString store = fileIn(folder, storeFile::store);
    const QString copy = fileIn(folder, storeFile::compacted);
    sql::Database db;
    if (!db.open(store))
        return fromError(db, QStringLiteral("Could not open the settings store \"%1\"").arg(store));
    const StoreStep repaired = repairGaps(db, store, freshRecord, remade);
    if (!repaired.ok())
        return repaired;
    // The copy takes this connection's sync setting. Its own journal and syncs are not needed:
    // until the copy is flushed below and renamed, it is a leftover that the next start removes.
    if (!db.exec(QStringLiteral("PRAGMA synchronous = OFF")) ||
        !db.exec(QStringLiteral("VACUUM INTO %1").arg(sql::literal(copy)))) {
        const StoreStep step =
            fromError(db, QStringLiteral("Could not compact the settings store \"%1\" into \"%2\"")
                              .arg(store, copy));
        db.close();
        removeWithJournal(copy);
        return step;
    }
    db.close();
    // The copy is written without being flushed; it must be on disk before it takes the name.
    if (!syncToDisk(copy))
        return failed(
            QStringLiteral("Could not write \"%1\" to disk: %2").arg(copy, systemError()));
    return {};
}

StoreStep SettingsStore::replaceByCompacted(const QString& folder) {
    // The folder is not synced here: should the system lose the new name, the old store (with
    // the same records) and the copy remain, and the next start removes the copy. The first
    // save after this syncs the folder anyway, as SQLite does on creating its journal.
    return renameFile(fileIn(folder, storeFile::compacted), fileIn(folder, storeFile::store));
}

StoreStep SettingsStore::openCompacted(const QString& folder) {
    close();
    const QString store = fileIn(folder, storeFile::store);
    auto db = std::make_unique<sql::Database>();
    if (!db->open(store))
        return fromError(*db,
                         QStringLiteral("Could not open the settings store \"%1\"").arg(store));
    // No check of the slots here: the copy holds what the check before compaction found.
    QFile lock(fileIn(folder, storeFile::lock));
    if (!lock.open(QIODevice::WriteOnly))
        return failed(QStringLiteral("Could not create the lock file \"%1\": %2")
                          .arg(lock.fileName(), lock.errorString()));
    db_ = std::move(db);
    folder_ = folder;
    holdsLock_ = true;
    return {};
}

QString SettingsStore::openForReading(const QString& folder) {
    close();
    const QString store = fileIn(folder, storeFile::store);
    auto db = std::make_unique<sql::Database>();
    if (!db->openReadOnly(store))
        return QStringLiteral("Could not open the settings store \"%1\": %2")
            .arg(store, db->errorText());
    const StoreStep step = checkSlots(*db, store);
    if (!step.ok())
        return step.outcome == StoreStep::Damaged
                   ? QStringLiteral("The settings store \"%1\" could not be used: %2.")
                         .arg(store, step.detail)
                   : step.detail;
    db_ = std::move(db);
    folder_ = folder;
    return {};
}

StoreStep SettingsStore::keepAside(const QString& folder, QString& keptAs) {
    QString aside;
    for (int n = 1; aside.isEmpty() || exists(aside) || exists(journalOf(aside)); ++n)
        aside = folder + QStringLiteral("/dock-damaged-%1.sav").arg(n);
    const QString store = fileIn(folder, storeFile::store);
    StoreStep step = renameOver(store, aside, folder);
    if (step.ok() && exists(journalOf(store)))
        step = renameOver(journalOf(store), journalOf(aside), folder);
    if (step.ok())
        keptAs = aside;
    return step;
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
    for (std::size_t i = 0; i < record.size(); ++i) {
        const int column = int(i);
        if (select->isNull(column))
            record[i] = std::monostate();
        else if (holdsText(settingsRecord[i].kind))
            record[i] = select->text(column);
        else
            record[i] = select->boolean(column);
    }
    return {};
}

} // namespace fd
