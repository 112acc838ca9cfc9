// The settings store's start-up maintenance: what an interrupted start left is settled, a
// missing store made, what the slots lack made again, a store with free pages compacted into a
// copy that takes its place, and a damaged store kept aside with what can be read from it
// salvaged.
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
Outcome<> repairGaps(sql::Database& db, const QString& store,
                     const SettingsStore::FreshRecord& freshRecord, QStringList& remade) {
    if (everySlotWhole(db))
        return Outcome<>::success(); // as a store the program made is, the usual case
    std::vector<std::pair<QString, Gaps>> lacking;
    for (const char* name : slotNames) {
        const Outcome<Gaps> gaps = findGaps(db, store, QString::fromLatin1(name));
        if (!gaps.ok())
            return gaps.reason();
        if (gaps->any())
            lacking.emplace_back(QString::fromLatin1(name), *gaps);
    }
    if (lacking.empty())
        return Outcome<>::success();
    bool written = db.exec(QStringLiteral("BEGIN"));
    for (const auto& [slot, gaps] : lacking)
        written = written && fillGaps(db, slot, gaps, freshRecord(slot));
    if (!written || !db.exec(QStringLiteral("COMMIT")))
        return fromError(db,
                         QStringLiteral("Could not repair the settings store \"%1\"").arg(store));
    for (const auto& [slot, gaps] : lacking)
        remade << slot;
    return Outcome<>::success();
}

// The records of a new store that takes the place of a damaged one: each slot's record as the
// damaged store holds it, when it can be read whole; else the fresh one, the slot added to reset.
SettingsStore::FreshRecord salvaging(const QString& damaged,
                                     const SettingsStore::FreshRecord& freshRecord,
                                     QStringList& reset) {
    auto db = std::make_shared<sql::Database>();
    (void)db->openReadOnly(damaged); // unopened, every slot reads as unreadable below
    return [db, damaged, freshRecord, &reset](const QString& slot) {
        if (Outcome<StoredRecord> record = readRecord(*db, damaged, slot); record.ok())
            return std::move(record).value();
        if (!reset.contains(slot))
            reset << slot;
        return freshRecord(slot);
    };
}

// Whether the store holds pages that no table uses, which a compacted copy would leave out. Asked
// in vain, it is taken to hold some: the compaction then reports what is wrong.
bool holdsFreePages(sql::Database& db) {
    std::unique_ptr<sql::Statement> count = db.prepare(QStringLiteral("PRAGMA freelist_count"));
    return !count || count->step() != SQLITE_ROW || count->boolean(0);
}

} // namespace

Outcome<SettingsStore::Opening> SettingsStore::open(const QString& folder,
                                                    const FreshRecord& freshRecord) {
    close();
    folder_ = folder; // names the store in messages, also when it could not be opened
    paths_ = pathsIn(folder);
    Opening opening;
    Outcome<> step = maintain(folder, freshRecord, opening);
    if (!step.ok() && step.kind() == FailureKind::Damaged) {
        close();
        opening = {};
        opening.damage = step.failure();
        opening.damaged = pathsIn(folder).store;
        const Outcome<QString> aside = keepAside(pathsIn(folder));
        step = aside.ok() ? maintain(folder, salvaging(*aside, freshRecord, opening.reset), opening)
                          : Outcome<>(aside.reason());
        if (aside.ok())
            opening.keptAs = *aside;
    }
    paths_ = pathsIn(folder);
    if (!step.ok())
        return step.reason();
    return opening;
}

// Each step finds the files anew, as the one before may have renamed them. The connection that
// checked the store stays the store's own, unless a compacted copy took its place.
Outcome<> SettingsStore::maintain(const QString& folder, const FreshRecord& freshRecord,
                                  Opening& opening) {
    close();
    Outcome<> step = settleLeftovers(pathsIn(folder));
    stepDone();
    if (step.ok() && !exists(pathsIn(folder).store))
        step = create(pathsIn(folder), freshRecord);
    stepDone();
    auto db = std::make_unique<sql::Database>();
    Outcome<bool> compacted = step.ok() ? compact(pathsIn(folder), freshRecord, opening, *db)
                                        : Outcome<bool>(step.reason());
    stepDone();
    if (compacted.ok() && *compacted)
        step = replaceByCompacted(pathsIn(folder));
    else if (!compacted.ok())
        step = compacted.reason();
    stepDone();
    if (step.ok())
        step = openChecked(pathsIn(folder), std::move(db));
    stepDone();
    return step.ok() ? rollForward() : step;
}

void SettingsStore::stepDone() const {
    if (stepHook_)
        stepHook_();
}

Outcome<> SettingsStore::settleLeftovers(const Paths& paths) {
    Outcome<> step = removeWithJournal(paths.fresh);
    const QString copy = paths.compacted;
    const QString store = paths.store;
    if (!step.ok() || !exists(copy))
        return step;
    // A copy beside the store was not finished; a link is no copy the program made.
    if (exists(store) || QFileInfo(copy).isSymLink())
        return removeWithJournal(copy);
    // The store was already replaced by the finished copy; any journal is of neither.
    step = removeFile(journalOf(store));
    if (step.ok())
        step = removeFile(journalOf(copy));
    return step.ok() ? renameOver(copy, store, paths.folder) : step;
}

Outcome<> SettingsStore::create(const Paths& paths, const FreshRecord& freshRecord) {
    const QString path = paths.fresh;
    const QString store = paths.store;
    Outcome<> step = removeWithJournal(path);
    if (step.ok())
        step = createPrivate(path);
    if (!step.ok())
        return step;
    sql::Database db;
    bool written = db.open(path) && db.exec(QStringLiteral("BEGIN"));
    const Gaps everything{.noTable = true, .noRecord = true, .columns = {}};
    for (const char* name : slotNames) {
        const QString slot = QString::fromLatin1(name);
        written = written && fillGaps(db, slot, everything, freshRecord(slot));
    }
    written = written && db.exec(QStringLiteral("COMMIT"));
    const QString failure = written ? QString() : db.errorText();
    db.close();
    if (!written) {
        (void)removeWithJournal(path); // a leftover the next start removes, should this fail
        return failed(
            QStringLiteral("Could not create the settings store \"%1\": %2").arg(store, failure));
    }
    step = syncToDisk(path);
    // A journal left without its store would be taken for the new store's own.
    if (step.ok())
        step = removeFile(journalOf(store));
    return step.ok() ? renameOver(path, store, paths.folder) : step;
}

Outcome<bool> SettingsStore::compact(const Paths& paths, const FreshRecord& freshRecord,
                                     Opening& opening, sql::Database& db) {
    const QString store = paths.store;
    const QString copy = paths.compacted;
    // Made private before it is opened: a file that was read-only would give a read-only
    // connection. One that cannot be made so is replaced by a private copy.
    const bool madePrivate = makePrivate(store);
    if (!db.open(store))
        return fromError(db, QStringLiteral("Could not open the settings store \"%1\"").arg(store));
    // A damaged store is found here, before a copy of it could replace it.
    Outcome<> step = check(db, store);
    if (step.ok())
        step = repairGaps(db, store, freshRecord, opening.remade);
    if (!step.ok())
        return step.reason();
    if (madePrivate && !holdsFreePages(db))
        return false; // nothing to reclaim: the checked connection is the store's
    // The copy is made private and afresh, then written by SQLite with this connection's sync
    // setting. Its own journal and syncs are not needed: until the copy is flushed below and
    // renamed, it is a leftover that the next start removes.
    step = createPrivate(copy);
    if (step.ok() && (!db.exec(QStringLiteral("PRAGMA synchronous = OFF")) ||
                      !db.exec(QStringLiteral("VACUUM INTO %1").arg(sql::literal(copy)))))
        step =
            fromError(db, QStringLiteral("Could not compact the settings store \"%1\" into \"%2\"")
                              .arg(store, copy));
    db.close(); // opened again, with the default sync setting
    // The copy must be on disk before it takes the name.
    if (step.ok())
        step = syncToDisk(copy);
    if (step.ok())
        return true;
    (void)removeWithJournal(copy); // a leftover the next start removes, should this fail
    if (step.kind() == FailureKind::Damaged)
        return step.reason();
    // A copy that could not be written (a full disk, a size limit) leaves the store as it is,
    // whole and checked, to be opened as it is.
    opening.uncompacted = step.failure();
    return false;
}

Outcome<> SettingsStore::replaceByCompacted(const Paths& paths) {
    // The folder is not synced here: should the system lose the new name, the old store (with
    // the same records) and the copy remain, and the next start removes the copy. The first
    // save after this syncs the folder anyway, as SQLite does on creating its journal.
    return renameFile(paths.compacted, paths.store);
}

Outcome<> SettingsStore::openChecked(const Paths& paths, std::unique_ptr<sql::Database> db) {
    close();
    const QString store = paths.store;
    // No check of the slots here: a copy holds what the check before compaction found.
    if (!db->isOpen() && !db->open(store))
        return fromError(*db,
                         QStringLiteral("Could not open the settings store \"%1\"").arg(store));
    if (Outcome<> locked = lock_.take(fileIn(paths.appFolder, storeFile::lock)); !locked.ok())
        return locked;
    db_ = std::move(db);
    folder_ = paths.appFolder;
    return Outcome<>::success();
}

Outcome<QString> SettingsStore::keepAside(const Paths& paths) {
    QString aside;
    for (int n = 1; aside.isEmpty() || exists(aside) || exists(journalOf(aside)); ++n)
        aside = paths.folder + QStringLiteral("/dock-damaged-%1.sav").arg(n);
    const QString& store = paths.store;
    Outcome<> step = renameOver(store, aside, paths.folder);
    if (step.ok() && exists(journalOf(store)))
        step = renameOver(journalOf(store), journalOf(aside), paths.folder);
    if (!step.ok())
        return step.reason();
    return aside;
}

} // namespace fd
