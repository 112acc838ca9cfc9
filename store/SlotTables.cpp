#include "SlotTables.h"

#include "Sqlite.h"

#include <QHash>
#include <QStringList>

#include <sqlite3.h>

namespace fd::slotTable {

namespace {

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

QString sqlValue(const StoredValue& value) {
    if (const auto* text = std::get_if<QString>(&value))
        return sql::literal(*text);
    if (const auto* boolean = std::get_if<bool>(&value))
        return *boolean ? QStringLiteral("1") : QStringLiteral("0");
    return QStringLiteral("NULL");
}

QString firstRow(const QString& slot) {
    return QStringLiteral("(SELECT rowid FROM %1 ORDER BY rowid LIMIT 1)").arg(sql::quoted(slot));
}

} // namespace

QString createSql(const QString& slot) {
    static const QString columns = [] { // the same for every slot, made once
        QStringList definitions;
        for (const Field& field : settingsRecord)
            definitions << columnDefinition(field);
        return definitions.join(u", ");
    }();
    return QStringLiteral("CREATE TABLE ") + sql::quoted(slot) + QStringLiteral(" (") + columns +
           u')';
}

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

StoredRecord recordOf(const sql::Statement& select) {
    StoredRecord record;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const int column = int(i);
        if (select.isNull(column))
            record[i] = std::monostate();
        else if (holdsText(settingsRecord[i].kind))
            record[i] = select.text(column);
        else
            record[i] = select.boolean(column);
    }
    return record;
}

Failure fromError(const sql::Database& db, const QString& action) {
    if (sql::isDamage(db.errorCode()))
        return damaged(db.errorText());
    return failed(action + QStringLiteral(": ") + db.errorText());
}

Outcome<> check(sql::Database& db, const QString& path, const QString& slot) {
    const QString pragma = slot.isNull()
                               ? QStringLiteral("PRAGMA quick_check")
                               : QStringLiteral("PRAGMA quick_check(%1)").arg(sql::quoted(slot));
    std::unique_ptr<sql::Statement> rows = db.prepare(pragma);
    const int result = rows ? rows->step() : SQLITE_ERROR;
    if (result != SQLITE_ROW)
        return fromError(db, QStringLiteral("Could not check the settings store \"%1\"").arg(path));
    const QString verdict = rows->text(0);
    if (verdict == u"ok")
        return Outcome<>::success();
    return damaged(verdict.simplified());
}

Outcome<StoredRecord> readRecord(sql::Database& db, const QString& path, const QString& slot) {
    const QString loading =
        QStringLiteral("Could not load \"%1\" from the settings store \"%2\"").arg(slot, path);
    if (const Outcome<> checked = check(db, path, slot); !checked.ok())
        return Failure{checked.kind(),
                       loading + (checked.kind() == FailureKind::Damaged
                                      ? QStringLiteral(": the save slot cannot be read whole (") +
                                            checked.failure() + QStringLiteral(").")
                                      : QStringLiteral(": ") + db.errorText())};
    std::unique_ptr<sql::Statement> select = db.prepare(selectSql(slot));
    const int result = select ? select->step() : SQLITE_ERROR;
    if (result == SQLITE_DONE)
        return failed(loading + QStringLiteral(": the save slot holds no record."));
    if (result != SQLITE_ROW)
        return failed(loading + QStringLiteral(": ") + db.errorText());
    return recordOf(*select);
}

// One statement for all slots, their tables' text bound: a missing table fails its preparing.
bool everySlotWhole(sql::Database& db) {
    QStringList tables, records;
    for (std::size_t i = 0; i < slotNames.size(); ++i) {
        const QString slot = QString::fromLatin1(slotNames[i]);
        tables << QStringLiteral("(name = %1 AND sql = ?%2)").arg(sql::literal(slot)).arg(i + 1);
        records << QStringLiteral("EXISTS (SELECT 1 FROM %1)").arg(sql::quoted(slot));
    }
    std::unique_ptr<sql::Statement> whole = db.prepare(
        QStringLiteral("SELECT (SELECT count(*) FROM sqlite_master WHERE type = 'table' AND (%1)) "
                       "= %2 AND %3")
            .arg(tables.join(u" OR "))
            .arg(slotNames.size())
            .arg(records.join(u" AND ")));
    for (std::size_t i = 0; whole && i < slotNames.size(); ++i)
        whole->bind(int(i) + 1, createSql(QString::fromLatin1(slotNames[i])));
    return whole && whole->step() == SQLITE_ROW && whole->boolean(0);
}

Outcome<Gaps> findGaps(sql::Database& db, const QString& path, const QString& slot) {
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
    Gaps gaps;
    gaps.noTable = gaps.noRecord = !anyColumn;
    if (gaps.noTable)
        return gaps;
    for (std::size_t i = 0; i < settingsRecord.size(); ++i)
        if (!present[i])
            gaps.columns.push_back(i);
    std::unique_ptr<sql::Statement> row =
        db.prepare(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(sql::quoted(slot)));
    result = row ? row->step() : SQLITE_ERROR;
    if (result != SQLITE_ROW && result != SQLITE_DONE)
        return fromError(db, reading);
    gaps.noRecord = result == SQLITE_DONE;
    return gaps;
}

QString describeGaps(const QString& slot, const Gaps& gaps) {
    if (gaps.noTable)
        return QStringLiteral("the save slot \"%1\" is missing").arg(slot);
    if (!gaps.columns.empty())
        return QStringLiteral("the save slot \"%1\" has no column \"%2\"")
            .arg(slot, QString::fromLatin1(settingsRecord[gaps.columns.front()].name));
    return QStringLiteral("the save slot \"%1\" holds no record").arg(slot);
}

bool fillGaps(sql::Database& db, const QString& slot, const Gaps& gaps, const StoredRecord& fresh) {
    if (gaps.noTable && !db.exec(createSql(slot)))
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

} // namespace fd::slotTable
