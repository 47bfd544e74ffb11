#pragma once

#include "data/engine/DatabaseEngine.h"
#include "data/engine/FilterEvaluator.h"

#include <QHash>

namespace morvane::engine_detail {

class SqliteConnection;
class SqliteStatement;

struct Row
{
    qint64 rowid = 0; // the record's id in the file; rows are kept in rowid order
    std::vector<Value> values;
};

// Observes the rows of a table so that a current record stays on the same
// record when another recordset deletes an earlier one.
class RowObserver
{
public:
    virtual void rowRemoved(size_t index) = 0;

protected:
    ~RowObserver() = default;
};

// Every row of one table, in table order, shared by all recordsets over
// it. Each change is written to the file first and applied to the rows
// only once the file has it, so memory and file never disagree.
struct TableStore
{
    TableDef definition; // sizes resolved
    std::vector<Row> rows;
    std::vector<RowObserver*> observers;

    static std::shared_ptr<TableStore> Load(SqliteConnection& connection,
                                            const TableDef& definition);
    ~TableStore();

    // Index of a field, without regard to case; -1 when there is none.
    int fieldIndex(const QString& name) const;
    // The filter parsed and bound to this table's fields, cached by text.
    std::shared_ptr<const BoundFilter> boundFilter(const QString& filter);
    // Index of the row with `rowid`, or -1 when it is gone.
    qsizetype indexOfRowid(qint64 rowid) const;

    // Appends a record; returns its index (the new last one).
    size_t append(SqliteConnection& connection, std::vector<Value> values);
    void replace(SqliteConnection& connection, size_t index, std::vector<Value> values);
    void remove(SqliteConnection& connection, size_t index);
    // After the column was added to the file: every row holds Null in it.
    void fieldAppended(const FieldDef& field);
    // The connection is going away.
    void releaseStatements();

private:
    void rebuildLookup();
    SqliteStatement& statement(SqliteConnection& connection, std::unique_ptr<SqliteStatement>& slot,
                               const QString& sql);

    QHash<QString, int> m_fieldLookup; // case-folded name -> index
    QHash<QString, std::shared_ptr<const BoundFilter>> m_filters;
    std::unique_ptr<SqliteStatement> m_insert;
    std::unique_ptr<SqliteStatement> m_update;
    std::unique_ptr<SqliteStatement> m_delete;
};

} // namespace morvane::engine_detail
