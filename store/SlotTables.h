#pragma once
// The save slots' tables in SQL: the statements built from the settings record (the one list
// of the columns), a record bound to and read from a statement, and what a slot's table lacks.

#include "DurableFiles.h"
#include "settings/SettingsRecord.h"

#include <QString>

#include <array>
#include <variant>
#include <vector>

namespace fd {

namespace sql {
class Database;
class Statement;
} // namespace sql

// A stored value: null, a text, or a boolean.
using StoredValue = std::variant<std::monostate, QString, bool>;
// One slot's record, a value for each field of the settings record, in its order.
using StoredRecord = std::array<StoredValue, settingsRecord.size()>;

namespace slotTable {

QString createSql(const QString& slot);
// Adds a column whose value in the rows already there is the given one.
QString addColumnSql(const QString& slot, const Field& field, const StoredValue& value);
QString insertSql(const QString& slot);
// The slot's record is its table's first row.
QString updateSql(const QString& slot);
QString selectSql(const QString& slot);

void bindRecord(sql::Statement& statement, const StoredRecord& record);
// The record in the row a select of selectSql() stands on.
StoredRecord recordOf(const sql::Statement& select);

// What the connection's last failure means: a damaged file (its message SQLite's own words), or
// a failure of the named action.
Failure fromError(const sql::Database& db, const QString& action);

// Checks the store's pages, or only those of one slot's table: a damaged file (what is wrong,
// in SQLite's words) or a failure of the check.
Outcome<> check(sql::Database& db, const QString& path, const QString& slot = QString());
// A slot's record, after its table passed its check, so that no part of a damaged one is read
// as the whole; "damaged" when it did not.
Outcome<StoredRecord> readRecord(sql::Database& db, const QString& path, const QString& slot);

// What a save slot lacks: its table, its record, or some of its columns.
struct Gaps {
    bool noTable = false;
    bool noRecord = false;
    std::vector<std::size_t> columns; // indices into the settings record

    bool any() const { return noRecord || !columns.empty(); }
};

// Whether every slot's table is as createSql() makes it, and holds a record: then no slot lacks
// anything. False also when that could not be asked; findGaps() then tells.
bool everySlotWhole(sql::Database& db);
// What the slot lacks, or the failure to read the store at `path`.
Outcome<Gaps> findGaps(sql::Database& db, const QString& path, const QString& slot);
// What the slot lacks, in words.
QString describeGaps(const QString& slot, const Gaps& gaps);
// Makes what the slot lacks again from the fresh record; the rest of the slot stays.
bool fillGaps(sql::Database& db, const QString& slot, const Gaps& gaps, const StoredRecord& fresh);

} // namespace slotTable
} // namespace fd
