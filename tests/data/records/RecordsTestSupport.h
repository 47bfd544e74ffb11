#pragma once

#include "data/engine/DatabaseEngine.h"

#include <QFile>
#include <QString>
#include <initializer_list>
#include <utility>

namespace morvane::test {

using FieldValues = std::initializer_list<std::pair<QString, Value>>;

// Appends one record holding exactly the given fields (everything else Null).
inline void AddRecord(Recordset& rs, FieldValues values)
{
    rs.AddNew();
    for (const auto& [name, value] : values)
        rs.SetValue(name, value);
    rs.Update();
}

inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace morvane::test
