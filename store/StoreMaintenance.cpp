// The settings store's start-up maintenance: what an interrupted start left is settled, a
// missing store made, what the slots lack made again, the store compacted into a copy that
// takes its place, and a damaged store kept aside with what can be read from it salvaged.
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

namespace {

// Makes again, in one transaction, what the slots lack; the slots concerned are added to remade.
StoreStep repairGaps(sql::Database& db, const QString& store,
                     const SettingsStore::FreshRecord& freshRecord, QStringList& remade) {
    std::vector<std::pair<QString, Gaps>> lacking;
    for (const char* name : slotNames) {
        Gaps gaps;
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

// The records of a new store that takes the place of a damaged one: each slot's record as the
// damaged store holds it, when it can be read whole; else the fresh one, the slot added to reset.
SettingsStore::FreshRecord salvaging(const QString& damaged,
                                     const SettingsStore::FreshRecord& freshRecord,
                                     QStringList& reset) {
    auto db = std::make_shared<sql::Database>();
    db->openReadOnly(damaged);
    return [db, freshRecord, &reset](const QString& slot) {
        std::unique_ptr<sql::Statement> select = db->prepare(selectSql(slot));
        if (select && select->step() == SQLITE_ROW)
            return recordOf(*select);
        if (!reset.contains(slot))
            reset << slot;
        return freshRecord(slot);
    };
}

} // namespace

SettingsStore::Opening SettingsStore::open(const QString& folder, const FreshRecord& freshRecord) {
    close();
    folder_ = folder; // names the store in messages, also when it could not be opened
    paths_ = pathsIn(folder);
    Opening opening;
    StoreStep step = maintain(folder, freshRecord, opening.remade);
    if (step.outcome == StoreStep::Damaged) {
        close();
        opening.damage = step.detail;
        opening.damaged = pathsIn(folder).store;
        opening.remade.clear(); // the whole file is kept aside instead
        step = keepAside(pathsIn(folder), opening.keptAs);
        if (step.ok())
            step = maintain(folder, salvaging(opening.keptAs, freshRecord, opening.reset),
                            opening.remade);
        if (step.outcome == StoreStep::Damaged)
            step.detail = QStringLiteral("The new settings store \"%1\" is damaged too: %2")
                              .arg(pathsIn(folder).store, step.detail);
    }
    if (!step.ok())
        opening.failure = step.detail;
    paths_ = pathsIn(folder);
    return opening;
}

// Each step finds the files anew, as the one before may have renamed them.
StoreStep SettingsStore::maintain(const QString& folder, const FreshRecord& freshRecord,
                                  QStringList& remade) {
    close();
    StoreStep step = settleLeftovers(pathsIn(folder));
    stepDone();
    if (step.ok() && !exists(pathsIn(folder).store))
        step = create(pathsIn(folder), freshRecord);
    stepDone();
    if (step.ok())
        step = compact(pathsIn(folder), freshRecord, remade);
    stepDone();
    if (step.ok())
        step = replaceByCompacted(pathsIn(folder));
    stepDone();
    if (step.ok())
        step = openCompacted(pathsIn(folder));
    stepDone();
    return step.ok() ? rollForward() : step;
}

void SettingsStore::stepDone() const {
    if (stepHook_)
        stepHook_();
}

StoreStep SettingsStore::settleLeftovers(const Paths& paths) {
    StoreStep step = removeWithJournal(paths.fresh);
    const QString copy = paths.compacted;
    const QString store = paths.store;
    if (!step.ok() || !exists(copy))
        return step;
    if (exists(store))
        return removeWithJournal(copy); // the copy was not finished
    // The store was already replaced by the finished copy; any journal is of neither.
    step = removeFile(journalOf(store));
    if (step.ok())
        step = removeFile(journalOf(copy));
    return step.ok() ? renameOver(copy, store, paths.folder) : step;
}

StoreStep SettingsStore::create(const Paths& paths, const FreshRecord& freshRecord) {
    const QString path = paths.fresh;
    const QString store = paths.store;
    StoreStep step = removeWithJournal(path);
    if (!step.ok())
        return step;
    const QString creating =
        QStringLiteral("Could not create the settings store \"%1\"").arg(store);
    sql::Database db;
    bool written = db.open(path, true) && db.exec(QStringLiteral("BEGIN"));
    for (const char* name : slotNames) {
        const QString slot = QString::fromLatin1(name);
        if (!written || !db.exec(createSql(slot)))
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
    return step.ok() ? renameOver(path, store, paths.folder) : step;
}

StoreStep SettingsStore::compact(const Paths& paths, const FreshRecord& freshRecord,
                                 QStringList& remade) {
    const QString store = paths.store;
    const QString copy = paths.compacted;
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

StoreStep SettingsStore::replaceByCompacted(const Paths& paths) {
    // The folder is not synced here: should the system lose the new name, the old store (with
    // the same records) and the copy remain, and the next start removes the copy. The first
    // save after this syncs the folder anyway, as SQLite does on creating its journal.
    return renameFile(paths.compacted, paths.store);
}

StoreStep SettingsStore::openCompacted(const Paths& paths) {
    close();
    const QString store = paths.store;
    auto db = std::make_unique<sql::Database>();
    if (!db->open(store))
        return fromError(*db,
                         QStringLiteral("Could not open the settings store \"%1\"").arg(store));
    // No check of the slots here: the copy holds what the check before compaction found.
    const QString locking = lock_.take(fileIn(paths.appFolder, storeFile::lock));
    if (!locking.isEmpty())
        return failed(locking);
    db_ = std::move(db);
    folder_ = paths.appFolder;
    return {};
}

StoreStep SettingsStore::keepAside(const Paths& paths, QString& keptAs) {
    QString aside;
    for (int n = 1; aside.isEmpty() || exists(aside) || exists(journalOf(aside)); ++n)
        aside = paths.folder + QStringLiteral("/dock-damaged-%1.sav").arg(n);
    const QString& store = paths.store;
    StoreStep step = renameOver(store, aside, paths.folder);
    if (step.ok() && exists(journalOf(store)))
        step = renameOver(journalOf(store), journalOf(aside), paths.folder);
    if (step.ok())
        keptAs = aside;
    return step;
}

} // namespace fd
