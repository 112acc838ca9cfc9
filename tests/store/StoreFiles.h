#pragma once
// Looks into a settings store file behind the program's back, as a test sees it.

#include "settings/SettingsRecord.h"

#include <QFile>
#include <QStringList>

#include <sqlite3.h>

namespace fd::test {

// Runs SQL on the database file; empty text, or SQLite's message.
inline QString execSql(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    QString failure;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        failure = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close_v2(db);
    return failure;
}

// The rows a query gives, each row's values joined by '|'. Typed, each value comes with its
// storage type ("3:Made By FragDocker") and a failure gives the row "error: " and its message.
inline QStringList queryRows(const QString& path, const QString& sql, bool typed) {
    sqlite3* db = nullptr;
    sqlite3_stmt* rows = nullptr;
    QStringList dump;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &rows, nullptr) != SQLITE_OK && typed)
        dump << QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db));
    while (rows && sqlite3_step(rows) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(rows); ++i)
            values << (typed ? QString::number(sqlite3_column_type(rows, i)) + u':' : QString()) +
                          QString::fromUtf8(
                              reinterpret_cast<const char*>(sqlite3_column_text(rows, i)));
        dump << values.join(u'|');
    }
    sqlite3_finalize(rows);
    sqlite3_close_v2(db);
    return dump;
}

// Every row of the named table, each value with its storage type: "3:Made By FragDocker".
inline QStringList tableRows(const QString& path, const QString& table) {
    return queryRows(path, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table), true);
}

// The rows of all seven slots.
inline QStringList slotRows(const QString& path) {
    QStringList dump;
    for (const char* slot : slotNames)
        dump << QString::fromLatin1(slot) << tableRows(path, QString::fromLatin1(slot));
    return dump;
}

// One column of a slot's first row, as text.
inline QString storedText(const QString& path, const QString& slot, const QString& column) {
    return queryRows(path, QStringLiteral("SELECT \"%1\" FROM \"%2\" LIMIT 1").arg(column, slot),
                     false)
        .value(0);
}

// Damages a slot's table page as a disk fault may: its first cell pointer out of the page, or
// the whole page overwritten. Pages of 4096 bytes.
inline bool damageSlotPage(const QString& path, const QString& slot, bool wholePage) {
    const int page =
        queryRows(path,
                  QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = '%1'").arg(slot),
                  false)
            .value(0)
            .toInt();
    QFile file(path);
    const QByteArray damage = wholePage ? QByteArray(4096, 'Z') : QByteArray("\xff\xf0", 2);
    return page > 1 && file.open(QIODevice::ReadWrite) && file.size() >= page * 4096 &&
           file.seek((page - 1) * 4096 + (wholePage ? 0 : 8)) &&
           file.write(damage) == damage.size();
}

} // namespace fd::test
