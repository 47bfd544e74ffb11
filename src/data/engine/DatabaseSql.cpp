#include "data/engine/EngineState.h"

namespace morvane {

using engine_detail::SqliteConnection;

namespace {

void BindAll(engine_detail::SqliteStatement& statement, const std::vector<Value>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        statement.bind(int(i) + 1, values[i]);
}

} // namespace

void Database::ExecuteSql(const QString& sql, const std::vector<Value>& values)
{
    m_state->write([&](SqliteConnection& db) {
        auto statement = db.prepare(sql);
        BindAll(*statement, values);
        while (statement->step()) {
        }
    });
}

std::vector<std::vector<Value>> Database::QuerySql(const QString& sql,
                                                   const std::vector<Value>& values) const
{
    auto statement = m_state->openConnection().prepare(sql);
    BindAll(*statement, values);
    std::vector<std::vector<Value>> rows;
    while (statement->step()) {
        std::vector<Value> row;
        row.reserve(std::size_t(statement->columnCount()));
        // Whole numbers come back as numbers, everything else as text.
        for (int column = 0; column < statement->columnCount(); ++column)
            row.push_back(statement->columnValue(column, FieldType::Long));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace morvane
