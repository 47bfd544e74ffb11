#pragma once

#include "data/engine/DatabaseEngine.h"
#include "data/engine/SqliteConnection.h"
#include "data/engine/TableStore.h"

namespace morvane::engine_detail {

struct DatabaseState
{
    QString path;
    std::unique_ptr<SqliteConnection> connection; // null once closed
    std::vector<TableDef> schema;                 // sizes resolved
    // Rows of the tables opened so far, kept for the run: recordsets over one
    // table share them.
    std::vector<std::shared_ptr<TableStore>> stores;
    bool inTransaction = false;

    // ObjectClosed once the database was closed.
    SqliteConnection& openConnection() const;
    // Index into `schema`, names without regard to case; -1 when missing.
    qsizetype tableIndex(const QString& name) const;
    [[noreturn]] void throwTableNotFound(const QString& name) const;
    std::shared_ptr<TableStore> store(const QString& name);
    void close();
    // Table changes are refused inside a batch (InvalidOperation).
    void refuseInTransaction(const QString& what) const;
    // Runs a write; when it fails inside a batch that SQLite has given up,
    // the rows are read back from the file before the error goes on.
    template <typename Write> void write(Write&& action)
    {
        try {
            action(openConnection());
        } catch (const EngineError&) {
            if (inTransaction && connection && !connection->inTransaction())
                abandonTransaction();
            throw;
        }
    }
    // The batch is gone from the file: the rows follow.
    void abandonTransaction();
};

struct RecordsetState final : RowObserver
{
    enum class Where
    {
        OnRecord, // `index` is the current record
        PastEnd,  // no current record: empty, or moved past the last one
        Deleted,  // the current record was deleted; `index` is the one that followed it
    };

    std::shared_ptr<DatabaseState> database;
    std::shared_ptr<TableStore> table;
    Where where = Where::PastEnd;
    size_t index = 0;
    bool noMatch = false;
    EditMode mode = EditMode::None;
    std::vector<Value> buffer;
    qint64 editRowid = 0; // the record being edited

    RecordsetState(std::shared_ptr<DatabaseState> db, std::shared_ptr<TableStore> rows);
    ~RecordsetState();
    void detach();
    void rowRemoved(size_t removed) override;
    void rowsReloaded() override;
};

} // namespace morvane::engine_detail
