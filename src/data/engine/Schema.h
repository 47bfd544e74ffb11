#pragma once

#include "data/engine/DatabaseEngine.h"

namespace morvane::engine_detail {

class SqliteConnection;

// How table definitions live in the file's own schema, so that another
// run reads back exactly what was defined:
//   Integer -> SMALLINT, Long -> INTEGER, Text of n bytes -> TEXT(n);
//   a Text field that refuses "" carries CHECK("Name" <> '').

// "Name" with inner quotes doubled: identifiers come from the program's
// own definitions, yet are quoted so that no name can alter a statement.
QString QuoteIdentifier(const QString& name);

// The column definition for CREATE TABLE / ALTER TABLE ADD COLUMN.
QString ColumnDefinition(const FieldDef& field);

// Refuses a table or field name the engine cannot keep (InvalidName).
void ValidateName(const QString& name, const QString& what);

// `field` with its size settled: Text capacity (default when 0), 2 or 4.
FieldDef Resolved(FieldDef field);

// Every table of the file with its fields in table order.
std::vector<TableDef> ReadSchema(const SqliteConnection& connection);

} // namespace morvane::engine_detail
