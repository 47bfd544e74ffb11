#include "data/engine/Schema.h"

#include "data/engine/SqliteConnection.h"

#include <QRegularExpression>

namespace morvane::engine_detail {

namespace {

QString ZeroLengthCheck(const QString& name)
{
    return QStringLiteral("CHECK(%1 <> '')").arg(QuoteIdentifier(name));
}

// A column as found in the file. Columns of files this engine did not
// write are read by their affinity: integers as Long, the rest as Text.
FieldDef FieldFromColumn(const QString& name, const QString& declaredType, const QString& tableSql)
{
    static const QRegularExpression sizePattern(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    FieldDef field;
    field.name = name;
    const QString type = declaredType.trimmed().toUpper();
    if (type == QLatin1String("SMALLINT") || type == QLatin1String("INT2") ||
        type == QLatin1String("TINYINT")) {
        field.type = FieldType::Integer;
    } else if (type.contains(QLatin1String("INT"))) {
        field.type = FieldType::Long;
    } else {
        field.type = FieldType::Text;
        const QRegularExpressionMatch match = sizePattern.match(type);
        if (match.hasMatch())
            field.size = match.captured(1).toInt();
        field.allowZeroLength = !tableSql.contains(ZeroLengthCheck(name));
    }
    return Resolved(field);
}

} // namespace

QString QuoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

FieldDef Resolved(FieldDef field)
{
    switch (field.type) {
    case FieldType::Integer:
        field.size = 2;
        field.allowZeroLength = false;
        break;
    case FieldType::Long:
        field.size = 4;
        field.allowZeroLength = false;
        break;
    case FieldType::Text:
        if (field.size <= 0)
            field.size = kDefaultTextSize;
        break;
    }
    return field;
}

QString ColumnDefinition(const FieldDef& field)
{
    const FieldDef resolved = Resolved(field);
    QString definition = QuoteIdentifier(resolved.name) + QLatin1Char(' ');
    switch (resolved.type) {
    case FieldType::Integer:
        definition += QLatin1String("SMALLINT");
        break;
    case FieldType::Long:
        definition += QLatin1String("INTEGER");
        break;
    case FieldType::Text:
        definition += QStringLiteral("TEXT(%1)").arg(resolved.size);
        if (!resolved.allowZeroLength)
            definition += QLatin1Char(' ') + ZeroLengthCheck(resolved.name);
        break;
    }
    return definition;
}

void ValidateName(const QString& name, const QString& what)
{
    const auto refuse = [&](const QString& reason) {
        throw EngineError(
            EngineErrorCode::InvalidName,
            QStringLiteral("'%1' is not a valid %2 name: %3.").arg(name, what, reason));
    };
    if (name.trimmed().isEmpty())
        refuse(QStringLiteral("it is empty"));
    if (name.size() > 64)
        refuse(QStringLiteral("it is longer than 64 characters"));
    if (name.front().isSpace())
        refuse(QStringLiteral("it begins with a blank"));
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QLatin1Char('.') ||
            c == QLatin1Char('!') || c == QLatin1Char('`') || c == QLatin1Char('[') ||
            c == QLatin1Char(']'))
            refuse(QStringLiteral("it contains '%1'").arg(c));
    }
    // Records are addressed by SQLite's row id, whose names a column would
    // hide; sqlite_ names belong to SQLite itself.
    const QString lower = name.toLower();
    if (lower == QLatin1String("rowid") || lower == QLatin1String("oid") ||
        lower == QLatin1String("_rowid_") || lower.startsWith(QLatin1String("sqlite_")) ||
        lower.startsWith(QLatin1String("sync_")))
        refuse(QStringLiteral("the name is reserved"));
}

std::vector<TableDef> ReadSchema(const SqliteConnection& connection)
{
    std::vector<TableDef> tables;
    auto tableList = connection.prepare(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
        "ESCAPE '\\' AND name NOT LIKE 'sync\\_%' ESCAPE '\\' ORDER BY rowid"));
    auto columns = connection.prepare(
        QStringLiteral("SELECT name, type FROM pragma_table_info(?) ORDER BY cid"));
    while (tableList->step()) {
        TableDef table;
        table.name = tableList->columnText(0);
        const QString sql = tableList->columnText(1);
        columns->bind(1, Value(table.name));
        while (columns->step())
            table.fields.push_back(
                FieldFromColumn(columns->columnText(0), columns->columnText(1), sql));
        columns->reset();
        tables.push_back(std::move(table));
    }
    return tables;
}

} // namespace morvane::engine_detail
