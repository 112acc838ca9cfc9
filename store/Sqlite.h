#pragma once
// A thin owner of an SQLite connection and of its statements, reporting failures as text.

#include <QString>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace fd::sql {

// A name quoted for SQL, so that "Save Game #1" names one table.
QString quoted(const QString& name);
// A text quoted as an SQL string literal.
QString literal(const QString& text);

// Whether an SQLite result code says that the file is no database or a damaged one.
bool isDamage(int resultCode);

class Statement {
public:
    explicit Statement(sqlite3_stmt* statement) : statement_(statement) {}

    void bindNull(int index);
    void bind(int index, const QString& text);
    void bind(int index, bool value);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();

    bool isNull(int column) const;
    QString text(int column) const;
    // A column read as a boolean: a number other than 0, or the text "true" in any case.
    bool boolean(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

class Database {
public:
    Database() = default;
    Database(Database&&) = default;
    Database& operator=(Database&&) = default;

    // Opens an existing database file for reading and writing, or creates one when `create`.
    bool open(const QString& path, bool create = false);
    // Opens an existing database file for reading only: nothing of the file is ever changed.
    bool openReadOnly(const QString& path);
    bool isOpen() const { return bool(db_); }
    void close() { db_.reset(); }

    bool exec(const QString& sql);
    // A prepared statement; null after a failure, which errorCode() and errorText() describe.
    std::unique_ptr<Statement> prepare(const QString& sql);
    // Changed rows of the last statement.
    int changes() const;

    int errorCode() const;
    QString errorText() const;

private:
    bool openWithFlags(const QString& path, int flags);

    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> db_;
    int openFailure_ = 0; // the result of a failed open, when there is no connection to ask
};

} // namespace fd::sql
