#pragma once

#include "data/engine/DatabaseEngine.h"

namespace morvane::engine_detail {

// Reads a Value without copying it; the filter evaluator runs over every
// row of a table and must not touch reference counts on the way.
struct ValueAccess
{
    static const qint64* number(const Value& value) { return std::get_if<qint64>(&value.m_data); }
    static const QString* text(const Value& value) { return std::get_if<QString>(&value.m_data); }
};

} // namespace morvane::engine_detail
