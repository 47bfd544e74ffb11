#include "data/engine/TableStore.h"

#include "data/engine/FilterParser.h"
#include "data/engine/Schema.h"
#include "data/engine/SqliteConnection.h"

#include <algorithm>

namespace morvane::engine_detail {

namespace {

// Filters differ by date and by text; a long session must not collect them
// without bound.
constexpr qsizetype kMaxCachedFilters = 512;

QString ColumnList(const TableDef& definition)
{
    QStringList names;
    for (const FieldDef& field : definition.fields)
        names.append(QuoteIdentifier(field.name));
    return names.join(QLatin1String(", "));
}

} // namespace

std::shared_ptr<TableStore> TableStore::Load(SqliteConnection& connection,
                                             const TableDef& definition)
{
    auto store = std::make_shared<TableStore>();
    store->definition = definition;
    store->rebuildLookup();

    auto select =
        connection.prepare(QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
                               .arg(ColumnList(definition), QuoteIdentifier(definition.name)));
    const size_t fieldCount = definition.fields.size();
    store->columns.resize(fieldCount);
    store->heldValues.assign(fieldCount, 0);
    // The number of rows sizes each column once: grown value by value it
    // would copy every value a dozen times on the way and keep up to twice
    // the room it needs. Only a hint: the rows read below are what counts.
    auto count = connection.prepare(
        QStringLiteral("SELECT count(*) FROM %1").arg(QuoteIdentifier(definition.name)));
    const size_t rowHint = count->step() ? size_t(std::max<qint64>(count->columnInteger(0), 0)) : 0;
    store->rowids.reserve(rowHint);
    while (select->step()) {
        const size_t row = store->rowids.size();
        store->rowids.push_back(select->columnInteger(0));
        for (size_t i = 0; i < fieldCount; ++i) {
            Value value = select->columnValue(int(i) + 1, definition.fields[i].type);
            std::vector<Value>& column = store->columns[i];
            if (column.empty()) {
                // A field no row has used so far takes no room.
                if (value.isNull())
                    continue;
                column.reserve(std::max(rowHint, row + 1));
                column.resize(row);
            }
            if (!value.isNull())
                store->heldValues[i] = 1;
            column.push_back(std::move(value));
        }
    }
    return store;
}

TableStore::~TableStore() = default;

void TableStore::reload(SqliteConnection& connection)
{
    auto fresh = Load(connection, definition);
    rowids = std::move(fresh->rowids);
    columns = std::move(fresh->columns);
    heldValues = std::move(fresh->heldValues);
    for (RowObserver* observer : observers)
        observer->rowsReloaded();
}

void TableStore::renumberIfCrowded(SqliteConnection& connection)
{
    if (rowids.empty() || rowids.back() <= kRenumberAbove)
        return;
    auto update = connection.prepare(QStringLiteral("UPDATE %1 SET rowid = ? WHERE rowid = ?")
                                         .arg(QuoteIdentifier(definition.name)));
    const auto move = [&](size_t row) {
        update->reset();
        update->bind(1, Value(qint64(row) + 1));
        update->bind(2, Value(rowids[row]));
        update->step();
        update->reset();
    };
    const bool ownBatch = !connection.inTransaction();
    if (ownBatch)
        connection.execute("BEGIN");
    try {
        // Rows moving down go first from the front and rows moving up from
        // the back, so no new id is ever held by a row still to be moved.
        for (size_t row = 0; row < rowids.size(); ++row) {
            if (rowids[row] > qint64(row) + 1)
                move(row);
        }
        for (size_t row = rowids.size(); row-- > 0;) {
            if (rowids[row] < qint64(row) + 1)
                move(row);
        }
        if (ownBatch)
            connection.execute("COMMIT");
    } catch (const EngineError&) {
        if (ownBatch)
            connection.rollbackQuietly();
        throw;
    }
    for (size_t row = 0; row < rowids.size(); ++row)
        rowids[row] = qint64(row) + 1;
}

void TableStore::rebuildLookup()
{
    m_exactLookup.clear();
    m_fieldLookup.clear();
    for (size_t i = 0; i < definition.fields.size(); ++i) {
        m_exactLookup.insert(definition.fields[i].name, int(i));
        m_fieldLookup.insert(definition.fields[i].name.toCaseFolded(), int(i));
    }
}

int TableStore::fieldIndex(const QString& name) const
{
    // Most callers spell names as defined; only the others pay for folding.
    if (const auto exact = m_exactLookup.constFind(name); exact != m_exactLookup.constEnd())
        return exact.value();
    return m_fieldLookup.value(name.toCaseFolded(), -1);
}

std::shared_ptr<const BoundFilter> TableStore::boundFilter(const QString& filter)
{
    if (auto found = m_filters.constFind(filter); found != m_filters.constEnd())
        return found.value();
    const auto parsed = ParseFilter(filter);
    auto bound = BoundFilter::Bind(*parsed, definition.fields,
                                   [this](const QString& name) { return fieldIndex(name); });
    if (m_filters.size() >= kMaxCachedFilters)
        m_filters.clear();
    m_filters.insert(filter, bound);
    return bound;
}

qsizetype TableStore::indexOfRowid(qint64 rowid) const
{
    const auto it = std::lower_bound(rowids.begin(), rowids.end(), rowid);
    if (it == rowids.end() || *it != rowid)
        return -1;
    return it - rowids.begin();
}

std::vector<Value> TableStore::rowValues(size_t row) const
{
    std::vector<Value> values;
    values.reserve(columns.size());
    const RowRef ref = rowRef(row);
    for (size_t field = 0; field < columns.size(); ++field)
        values.push_back(ref[field]);
    return values;
}

SqliteStatement& TableStore::statement(SqliteConnection& connection,
                                       std::unique_ptr<SqliteStatement>& slot, const QString& sql)
{
    if (!slot)
        slot = connection.prepare(sql);
    return *slot;
}

size_t TableStore::append(SqliteConnection& connection, std::vector<Value> values)
{
    const size_t fieldCount = definition.fields.size();
    values.resize(fieldCount);
    // The id is given explicitly: one past the highest id this run has
    // seen, so table order and id order stay the same thing, and a record
    // deleted from the end never hands its id to the next one (lists that
    // remember ids must not mistake the newcomer for it).
    const qint64 last = std::max(rowids.empty() ? 0 : rowids.back(), highestRowid);
    if (last == std::numeric_limits<qint64>::max()) {
        // Only after renumberIfCrowded had no say: no id is left after the last.
        throw EngineError(EngineErrorCode::NumericOverflow,
                          QStringLiteral("The table '%1' has no record id left to append with.")
                              .arg(definition.name));
    }
    // Another connection of the program (the background sync) may have
    // appended since the rows were read: the id also passes the file's
    // highest, in the same statement, so neither takes the other's.
    QStringList markers;
    markers.append(QStringLiteral("max(?, (SELECT ifnull(max(rowid), 0) + 1 FROM %1))")
                       .arg(QuoteIdentifier(definition.name)));
    for (size_t i = 0; i < fieldCount; ++i)
        markers.append(QStringLiteral("?"));
    SqliteStatement& insert =
        statement(connection, m_insert,
                  QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (%3)")
                      .arg(QuoteIdentifier(definition.name), ColumnList(definition),
                           markers.join(QLatin1String(", "))));
    insert.reset();
    insert.bind(1, Value(last + 1));
    for (size_t i = 0; i < fieldCount; ++i)
        insert.bind(int(i) + 2, values[i]);
    insert.step();
    insert.reset();
    const qint64 rowid = connection.lastInsertRowid();

    // Room first, so that a failed allocation cannot leave the columns of
    // unequal length; capacity grows by doubling as push_back's would.
    const auto makeRoom = [](auto& column) {
        if (column.size() == column.capacity())
            column.reserve(std::max<size_t>(16, column.size() * 2));
    };
    const size_t rows = rowids.size();
    makeRoom(rowids);
    for (size_t i = 0; i < fieldCount; ++i) {
        std::vector<Value>& column = columns[i];
        if (column.empty() && values[i].isNull())
            continue; // still Null in every row
        if (column.size() < rows) {
            // The first value of a field no row used: its Nulls take room now.
            column.reserve(std::max<size_t>(16, rows * 2));
            column.resize(rows);
        }
        makeRoom(column);
    }
    rowids.push_back(rowid);
    highestRowid = rowid;
    for (size_t i = 0; i < fieldCount; ++i) {
        if (columns[i].empty() && values[i].isNull())
            continue;
        if (!values[i].isNull())
            heldValues[i] = 1;
        columns[i].push_back(std::move(values[i]));
    }
    return rowids.size() - 1;
}

void TableStore::replace(SqliteConnection& connection, size_t index, std::vector<Value> values)
{
    const size_t fieldCount = definition.fields.size();
    values.resize(fieldCount);
    QStringList assignments;
    for (const FieldDef& field : definition.fields)
        assignments.append(QuoteIdentifier(field.name) + QLatin1String(" = ?"));
    SqliteStatement& update = statement(
        connection, m_update,
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
            .arg(QuoteIdentifier(definition.name), assignments.join(QLatin1String(", "))));
    // Room first: the first value of a field no row used gives that field
    // its column of Nulls before the file changes.
    for (size_t i = 0; i < fieldCount; ++i) {
        if (columns[i].empty() && !values[i].isNull())
            columns[i].resize(rowids.size());
    }
    update.reset();
    for (size_t i = 0; i < fieldCount; ++i)
        update.bind(int(i) + 1, values[i]);
    update.bind(int(fieldCount) + 1, Value(rowids[index]));
    update.step();
    update.reset();
    for (size_t i = 0; i < fieldCount; ++i) {
        if (columns[i].empty())
            continue; // Null before and after
        if (!values[i].isNull())
            heldValues[i] = 1;
        columns[i][index] = std::move(values[i]);
    }
}

void TableStore::remove(SqliteConnection& connection, size_t index)
{
    SqliteStatement& erase = statement(
        connection, m_delete,
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(QuoteIdentifier(definition.name)));
    erase.reset();
    erase.bind(1, Value(rowids[index]));
    erase.step();
    erase.reset();
    rowids.erase(rowids.begin() + qsizetype(index));
    for (auto& column : columns) {
        if (!column.empty())
            column.erase(column.begin() + qsizetype(index));
    }
    for (RowObserver* observer : observers)
        observer->rowRemoved(index);
}

void TableStore::fieldAppended(const FieldDef& field)
{
    definition.fields.push_back(Resolved(field));
    columns.emplace_back(); // Null in every row
    heldValues.push_back(0);
    rebuildLookup();
    m_filters.clear();
    releaseStatements();
}

void TableStore::releaseStatements()
{
    m_insert.reset();
    m_update.reset();
    m_delete.reset();
}

} // namespace morvane::engine_detail
