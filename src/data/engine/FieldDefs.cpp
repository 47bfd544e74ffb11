#include "data/engine/DatabaseEngine.h"

namespace morvane {

FieldDef IntegerField(const QString& name)
{
    return FieldDef{name, FieldType::Integer, 0, false};
}

FieldDef LongField(const QString& name)
{
    return FieldDef{name, FieldType::Long, 0, false};
}

FieldDef TextField(const QString& name, int size, bool allowZeroLength)
{
    return FieldDef{name, FieldType::Text, size, allowZeroLength};
}

} // namespace morvane
