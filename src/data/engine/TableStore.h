#pragma once

#include "data/engine/DatabaseEngine.h"
#include "data/engine/FilterEvaluator.h"

#include <QHash>
#include <limits>

namespace morvane::engine_detail {

class SqliteConnection;
class SqliteStatement;

// Observes the rows of a table so that a current record stays on the same
// record when another recordset deletes an earlier one.
class RowObserver
{
public:
    virtual void rowRemoved(size_t index) = 0;
    // The rows were read again from the file (a batch was undone): no
    // position held before means anything now.
    virtual void rowsReloaded() = 0;

protected:
    ~RowObserver() = default;
};

// Every row of one table, in table order, shared by all recordsets over
// it. Each change is written to the file first and applied to the rows
// only once the file has it, so memory and file never disagree.
//
// Values are kept by column: a filter pass reads a few fields of every
// row, and reading them from contiguous columns keeps a search over ten
// thousand records well under a millisecond.
struct TableStore
{
    TableDef definition;                     // sizes resolved
    std::vector<qint64> rowids;              // the records' ids in the file, ascending
    // One per field, rowids.size() long; or empty while the field holds
    // Null in every row, so fields a schedule book never uses cost neither
    // memory nor time to read.
    std::vector<std::vector<Value>> columns;
    // Per field: whether any row has held a value since the rows were read.
    // Never cleared by a change, so it may say yes for a column that is all
    // Null again, never no for one that is not; a pass may then skip reading
    // a field no record uses.
    std::vector<char> heldValues;
    std::vector<RowObserver*> observers;
    qint64 highestRowid = 0; // the highest id appended during this run

    size_t rowCount() const { return rowids.size(); }
    bool mayHoldValues(size_t field) const { return heldValues[field] != 0; }
    const Value& value(size_t row, size_t field) const { return rowRef(row)[field]; }
    std::vector<Value> rowValues(size_t row) const;
    RowRef rowRef(size_t row) const { return RowRef{columns.data(), row}; }

    static std::shared_ptr<TableStore> Load(SqliteConnection& connection,
                                            const TableDef& definition);
    ~TableStore();
    // Reads the rows again from the file and tells the observers.
    void reload(SqliteConnection& connection);
    // Ids above this leave too little room to append after them (a file
    // edited by another program). Such a table has its rows numbered 1, 2,
    // 3 ... again, in their order, when the run first opens it: before any
    // list can have taken note of an id, since ids stay fixed for the run.
    static constexpr qint64 kRenumberAbove = std::numeric_limits<qint64>::max() / 2;
    void renumberIfCrowded(SqliteConnection& connection);

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

    QHash<QString, int> m_exactLookup; // name as defined -> index
    QHash<QString, int> m_fieldLookup; // case-folded name -> index
    QHash<QString, std::shared_ptr<const BoundFilter>> m_filters;
    std::unique_ptr<SqliteStatement> m_insert;
    std::unique_ptr<SqliteStatement> m_update;
    std::unique_ptr<SqliteStatement> m_delete;
};

} // namespace morvane::engine_detail
