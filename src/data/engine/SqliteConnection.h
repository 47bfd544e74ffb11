#pragma once

#include "data/engine/DatabaseEngine.h"

struct sqlite3;
struct sqlite3_stmt;

namespace morvane::engine_detail {

// One prepared statement; values are always bound, never spliced.
class SqliteStatement
{
public:
    SqliteStatement(sqlite3* db, const QString& sql, const QString& path);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void bind(int index, const Value& value); // 1-based
    // True while a row is available; false when done. Throws EngineError.
    bool step();
    void reset();

    int columnCount() const;
    qint64 columnInteger(int column) const;
    QString columnText(int column) const;
    // The stored value as the field's kind: texts for Text fields, numbers
    // for number fields whenever the stored value is one.
    Value columnValue(int column, FieldType type) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
    QString m_path;
};

// The open file. Every failure of SQLite becomes an EngineError naming the
// file.
class SqliteConnection
{
public:
    enum class Mode
    {
        Create,       // the file must not exist yet
        OpenExisting, // the file must exist
    };
    SqliteConnection(const QString& path, Mode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    const QString& path() const { return m_path; }
    sqlite3* handle() const { return m_db; }
    int changes() const;
    // Id of the row the last INSERT of this connection added.
    qint64 lastInsertRowid() const;
    // False outside BEGIN ... COMMIT, and after SQLite gave up a batch.
    bool inTransaction() const;
    // ROLLBACK, ignoring a failure: used only while another error is raised.
    void rollbackQuietly() noexcept;

    // Runs SQL that is fixed in the program, never built from user text.
    void execute(const char* sql);
    std::unique_ptr<SqliteStatement> prepare(const QString& sql) const;

private:
    void lockAndCheck();

    QString m_path;
    sqlite3* m_db = nullptr;
};

// The engine error for an SQLite result code.
EngineError SqliteError(int code, const QString& detail, const QString& path);

} // namespace morvane::engine_detail
