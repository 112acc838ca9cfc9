#pragma once
// The settings store: the file dock.sav in the application folder, an SQLite database holding
// one table per save slot, named by the slot ("Save Game #1" ...), each with one record of the
// settings' columns (names matched without regard to case). Start-up checks it and, when it
// holds free pages, compacts it into dock2.sav and puts the copy in its place; it then stays
// open, with the lock file dock.ldb beside it, until the program ends.
//
// No crash at any moment loses the store: every file that takes the name dock.sav is complete
// and on disk before it is renamed into place, a save is one transaction, and the next start
// settles whatever an interrupted one left behind.

#include "SlotTables.h"
#include "StoreLock.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QTemporaryDir;

namespace fd {

namespace sql {
class Database;
}

namespace storeFile {
inline constexpr const char* store = "dock.sav";
inline constexpr const char* compacted = "dock2.sav"; // exists only while compacting
inline constexpr const char* lock = "dock.ldb";       // exists while the store is open
inline constexpr const char* fresh = "dock.sav.new";  // a new store until it is complete
inline constexpr const char* saved = "saved";         // the folder of the slots' list files
} // namespace storeFile

class SettingsStore {
public:
    // The record a slot of a new store starts with.
    using FreshRecord = std::function<StoredRecord(const QString& slot)>;

    // What the start-up maintenance did besides opening the store.
    struct Opening {
        QString damage;      // what was wrong with a store that was kept aside
        QString damaged;     // that store's file, as the disk spells its name
        QString keptAs;      // the file it was kept as; empty when none was
        QStringList remade;  // the save slots whose missing parts were made again
        QStringList reset;   // the save slots the store kept aside could not give whole
        QString uncompacted; // why the store was opened as it was, not compacted (a full disk)
    };

    SettingsStore();
    ~SettingsStore(); // closes the store
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Start-up maintenance, the steps below in order. A store that lacks a slot's table, record
    // or columns gets them again from the fresh records, its other slots untouched. A store
    // that is no database or fails its check is renamed, never deleted, and a new one made
    // with every slot that can be read from it whole, the others from the fresh records. A
    // compaction that cannot write its copy (a full disk) leaves the store as it is. The files
    // that no stored save left unfinished in "saved" are removed.
    Outcome<Opening> open(const QString& folder, const FreshRecord& freshRecord);
    // Opens dock.sav for reading only: no maintenance, no lock file, no write ever, so that it
    // can be read while another copy of the program holds it. A save that a crash interrupted
    // is rolled back on a copy.
    Outcome<> openForReading(const QString& folder);
    bool isOpen() const;
    // Closes the store and removes the lock file it made.
    void close();
    QString path() const;

    // Stores a slot's record in one transaction.
    Outcome<> write(const QString& slot, const StoredRecord& record);
    // Saves a slot all or nothing: its record and the files that go with it, whose new content
    // is written but not yet finished. The files are put on disk, then the record is stored in
    // one transaction that also notes the files as unfinished, then the files are put in place
    // and the note dropped. A crash after the transaction is rolled forward by the next open;
    // a failure before it leaves the slot and its files as they were.
    Outcome<> write(const QString& slot, const StoredRecord& record,
                    const std::vector<ReplacedFile*>& files);
    // The files whose new content a stored save left beside them, not yet put in place.
    Outcome<QStringList> unfinished();
    // A slot's record; a slot that fails its check is damaged, never read in part.
    Outcome<StoredRecord> read(const QString& slot);
    // Runs the reading as one read transaction: no save is stored meanwhile, so that the
    // records, the note of unfinished files and those files it reads belong to one save.
    Outcome<> readTogether(const std::function<Outcome<>()>& reading);

    // Runs after each step of the start-up maintenance, so that a test can follow them.
    void setStepHook(std::function<void()> hook) { stepHook_ = std::move(hook); }

private:
    // The files the maintenance works on. A dock.sav that is a symbolic link is followed: the
    // file it points to is compacted and replaced beside itself, and the link stays.
    struct Paths {
        QString appFolder;
        QString folder;    // the store's own folder
        QString store;     // dock.sav, or the file it links to
        QString compacted; // dock2.sav beside it
        QString fresh;     // dock.sav.new beside it
    };
    static Paths pathsIn(const QString& appFolder);

    Outcome<> maintain(const QString& folder, const FreshRecord& freshRecord, Opening& opening);
    // Puts in place the files of a stored save that a crash interrupted, and removes the new
    // files that no stored save names.
    Outcome<> rollForward();
    // A copy of the store with its hot journal, in a folder of its own.
    Outcome<QString> copyWithHotJournal(const QString& store);
    Outcome<> noteUnfinished(const std::vector<ReplacedFile*>& files);
    Outcome<> forgetUnfinished();
    void stepDone() const;

    // The steps of start-up maintenance, in order.
    // Removes what an interrupted start left: a copy beside dock.sav, or an unfinished new
    // store; a copy without dock.sav is the finished one and takes its name.
    static Outcome<> settleLeftovers(const Paths& paths);
    // Makes a new dock.sav whose slots hold the fresh records.
    static Outcome<> create(const Paths& paths, const FreshRecord& freshRecord);
    // Makes dock.sav private, opens it with the connection given, checks it, makes again from
    // the fresh records and in one transaction the slot tables, records and columns it lacks
    // (adding the slots concerned to the opening). When it holds free pages (or could not be
    // made private), writes the compacted copy dock2.sav and closes the connection. True when
    // the copy was written; false when the store stays as it is: nothing to reclaim, or the copy
    // could not be written (the reason in the opening).
    static Outcome<bool> compact(const Paths& paths, const FreshRecord& freshRecord,
                                 Opening& opening, sql::Database& db);
    // Puts dock2.sav in the place of dock.sav.
    static Outcome<> replaceByCompacted(const Paths& paths);
    // Keeps the connection as the store's, opening dock.sav again when it was closed, and
    // creates the lock file.
    Outcome<> openChecked(const Paths& paths, std::unique_ptr<sql::Database> db);
    // Renames a damaged dock.sav to a new name in the same folder, which it gives back.
    static Outcome<QString> keepAside(const Paths& paths);

    std::unique_ptr<sql::Database> db_;
    QString folder_;
    Paths paths_;
    StoreLock lock_;
    std::unique_ptr<QTemporaryDir> readCopy_; // what openForReading reads, when not the store
    std::function<void()> stepHook_;
};

} // namespace fd
