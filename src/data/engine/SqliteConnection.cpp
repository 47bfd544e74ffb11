#include "data/engine/SqliteConnection.h"

#include <QFileInfo>
#include <cmath>
#include <sqlite3.h>

namespace morvane::engine_detail {

namespace {

QString FileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString ErrorText(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
}

} // namespace

EngineError SqliteError(int code, const QString& detail, const QString& path)
{
    const QString file = FileName(path);
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return EngineError(EngineErrorCode::FileInUse,
                           QStringLiteral("'%1' is in use by another program.").arg(file));
    case SQLITE_FULL:
        return EngineError(EngineErrorCode::DiskFull,
                           QStringLiteral("'%1' cannot grow: the disk is full.").arg(file));
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return EngineError(EngineErrorCode::ReadOnly,
                           QStringLiteral("'%1' cannot be written (%2).").arg(file, detail));
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return EngineError(
            EngineErrorCode::NotADatabase,
            QStringLiteral("'%1' is not a database file or is damaged (%2).").arg(file, detail));
    case SQLITE_CANTOPEN:
        return EngineError(
            EngineErrorCode::ReadOnly,
            QStringLiteral("'%1' cannot be opened for writing (%2).").arg(file, detail));
    default:
        return EngineError(
            EngineErrorCode::DiskError,
            QStringLiteral("'%1' could not be read or written (%2).").arg(file, detail));
    }
}

// ---------------------------------------------------------------------------

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql, const QString& path)
    : m_db(db), m_path(path)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc =
        sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_statement, nullptr);
    if (rc != SQLITE_OK)
        throw SqliteError(rc, ErrorText(db), path);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int index, const Value& value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_statement, index);
    } else if (value.isNumber()) {
        rc = sqlite3_bind_int64(m_statement, index, value.toLongLong());
    } else {
        const QByteArray utf8 = value.toString().toUtf8();
        rc = sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()),
                               SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK)
        throw SqliteError(rc, ErrorText(m_db), m_path);
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const EngineError error = SqliteError(rc, ErrorText(m_db), m_path);
    sqlite3_reset(m_statement);
    throw error;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

qint64 SqliteStatement::columnInteger(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString SqliteStatement::columnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
}

Value SqliteStatement::columnValue(int column, FieldType type) const
{
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_NULL:
        return Value();
    case SQLITE_INTEGER:
        if (type == FieldType::Text)
            return Value(columnText(column));
        return Value(columnInteger(column));
    case SQLITE_FLOAT: {
        const double number = sqlite3_column_double(m_statement, column);
        if (type != FieldType::Text && std::nearbyint(number) == number &&
            std::fabs(number) < 9.0e18)
            return Value(qint64(number));
        return Value(columnText(column));
    }
    default:
        return Value(columnText(column));
    }
}

// ---------------------------------------------------------------------------

SqliteConnection::SqliteConnection(const QString& path, Mode mode) : m_path(path)
{
    const QFileInfo info(path);
    if (mode == Mode::OpenExisting && !info.exists()) {
        throw EngineError(EngineErrorCode::FileNotFound,
                          QStringLiteral("File not found: '%1'.").arg(path));
    }
    if (mode == Mode::Create && info.exists()) {
        throw EngineError(EngineErrorCode::DatabaseExists,
                          QStringLiteral("'%1' already exists.").arg(path));
    }
    if (mode == Mode::OpenExisting && !info.isFile()) {
        throw EngineError(EngineErrorCode::NotADatabase,
                          QStringLiteral("'%1' is not a database file.").arg(path));
    }

    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
    if (mode == Mode::Create)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const EngineError error = SqliteError(rc, ErrorText(m_db), path);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw error;
    }
    // SQLite quietly opens a write-protected file read-only; every save
    // would then fail, so refuse it here where the reason is clear.
    if (sqlite3_db_readonly(m_db, "main") == 1) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw EngineError(EngineErrorCode::ReadOnly,
                          QStringLiteral("'%1' is read-only.").arg(FileName(path)));
    }
    try {
        lockAndCheck();
    } catch (...) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw;
    }
}

SqliteConnection::~SqliteConnection()
{
    // close_v2 waits for statements still alive elsewhere instead of failing.
    sqlite3_close_v2(m_db);
}

void SqliteConnection::lockAndCheck()
{
    // A copy of the program already running holds the lock; give a
    // momentary reader (a backup tool) a second to let go.
    sqlite3_busy_timeout(m_db, 1000);

    // Exclusive locking: the lock taken below is kept until the file is
    // closed, so no other process can read the schedules while we run.
    execute("PRAGMA locking_mode=EXCLUSIVE");
    // Take the lock now, and read the schema inside it: a file that is not
    // a database fails here. The transaction ends with ROLLBACK, which keeps
    // the lock and writes nothing (a COMMIT would give an empty file a
    // database header), so a file refused later is left as it was found.
    execute("BEGIN EXCLUSIVE");
    try {
        execute("SELECT count(*) FROM sqlite_master");
    } catch (...) {
        rollbackQuietly();
        throw;
    }
    execute("ROLLBACK");
    // Rollback journal with full syncs, not a write-ahead log: each commit
    // is complete in the data file itself before the call returns, so the
    // file alone always holds every saved record. With a log, saved records
    // would live for a while in a second file that a user who copies or
    // backs up Morva.dat would leave behind. (Under exclusive locking SQLite
    // keeps the emptied journal file until close; an emptied journal is
    // never replayed.) Single saves are typed by hand, so their syncs cost
    // nothing noticeable; bulk work goes through BeginTrans/CommitTrans.
    execute("PRAGMA journal_mode=DELETE");
    execute("PRAGMA synchronous=FULL");
}

qint64 SqliteConnection::lastInsertRowid() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteConnection::changes() const
{
    return sqlite3_changes(m_db);
}

bool SqliteConnection::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

void SqliteConnection::rollbackQuietly() noexcept
{
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteConnection::execute(const char* sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString detail = message ? QString::fromUtf8(message) : ErrorText(m_db);
        sqlite3_free(message);
        throw SqliteError(rc, detail, m_path);
    }
}

std::unique_ptr<SqliteStatement> SqliteConnection::prepare(const QString& sql) const
{
    return std::make_unique<SqliteStatement>(m_db, sql, m_path);
}

} // namespace morvane::engine_detail
