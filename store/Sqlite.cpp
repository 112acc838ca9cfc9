#include "Sqlite.h"

#include <QFile>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>

namespace fd::sql {

namespace {
constexpr int busyTimeoutMs = 2000; // another process reading the file holds it this long at most

// The C library's error right after the last SQLite call that failed on this thread: SQLite
// keeps no system reason for some failed writes (a COMMIT past the file size limit).
thread_local int failedCallErrno = 0;

template <typename Call> int called(Call call) {
    errno = 0;
    const int result = call();
    if (result != SQLITE_OK && result != SQLITE_ROW && result != SQLITE_DONE)
        failedCallErrno = errno;
    return result;
}
} // namespace

QString quoted(const QString& name) {
    QString escaped = name;
    escaped.replace(u'"', QLatin1String("\"\""));
    return u'"' + escaped + u'"';
}

QString literal(const QString& text) {
    QString escaped = text;
    escaped.replace(u'\'', QLatin1String("''"));
    return u'\'' + escaped + u'\'';
}

bool isDamage(int resultCode) {
    const int primary = resultCode & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// Statements

void Statement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

void Statement::bindNull(int index) {
    sqlite3_bind_null(statement_.get(), index);
}

void Statement::bind(int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement_.get(), index, utf8.constData(), int(utf8.size()),
                      SQLITE_TRANSIENT);
}

void Statement::bind(int index, bool value) {
    sqlite3_bind_int(statement_.get(), index, value ? 1 : 0);
}

int Statement::step() {
    return called([this] { return sqlite3_step(statement_.get()); });
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_.get(), column) == SQLITE_NULL;
}

QString Statement::text(int column) const {
    const auto* bytes =
        reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(statement_.get(), column));
}

bool Statement::boolean(int column) const {
    switch (sqlite3_column_type(statement_.get(), column)) {
    case SQLITE_INTEGER:
        return sqlite3_column_int64(statement_.get(), column) != 0;
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement_.get(), column) != 0.0;
    case SQLITE_TEXT: {
        const QString value = text(column).trimmed();
        bool isNumber = false;
        const double number = value.toDouble(&isNumber);
        return isNumber ? number != 0.0 : value.compare(u"true", Qt::CaseInsensitive) == 0;
    }
    default:
        return false;
    }
}

// Connections

void Database::Closer::operator()(sqlite3* db) const {
    sqlite3_close_v2(db);
}

bool Database::open(const QString& path, bool create) {
    return openWithFlags(path, SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0));
}

bool Database::openReadOnly(const QString& path) {
    return openWithFlags(path, SQLITE_OPEN_READONLY);
}

bool Database::openWithFlags(const QString& path, int flags) {
    close();
    sqlite3* db = nullptr;
    const QByteArray name = QFile::encodeName(path);
    openFailure_ = called([&] { return sqlite3_open_v2(name.constData(), &db, flags, nullptr); });
    if (openFailure_ != SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    db_.reset(db);
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    return true;
}

bool Database::exec(const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    return db_ && called([&] {
                      return sqlite3_exec(db_.get(), utf8.constData(), nullptr, nullptr, nullptr);
                  }) == SQLITE_OK;
}

std::unique_ptr<Statement> Database::prepare(const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (!db_ || called([&] {
                    return sqlite3_prepare_v2(db_.get(), utf8.constData(), -1, &statement, nullptr);
                }) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    return std::make_unique<Statement>(statement);
}

int Database::changes() const {
    return db_ ? sqlite3_changes(db_.get()) : 0;
}

int Database::errorCode() const {
    return db_ ? sqlite3_extended_errcode(db_.get()) : openFailure_;
}

QString Database::errorText() const {
    const QString text =
        QString::fromUtf8(db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(openFailure_));
    // The system's reason, where SQLite's words hide it ("disk I/O error": a file too large).
    const int primary = errorCode() & 0xff;
    const bool fromSystem =
        primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN;
    if (!fromSystem)
        return text;
    int systemError = db_ ? sqlite3_system_errno(db_.get()) : 0;
    if (systemError == 0)
        systemError = failedCallErrno;
    return systemError == 0 ? text
                            : text + QStringLiteral(" (%1)").arg(
                                         QString::fromLocal8Bit(std::strerror(systemError)));
}

} // namespace fd::sql
