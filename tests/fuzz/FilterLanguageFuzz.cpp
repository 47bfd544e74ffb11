// The filter language: parsing, binding to the Schedule table's fields and
// evaluating against records of every kind of value. Filters reach the
// engine from searches and from rules built out of user text.

#include "FuzzSupport.h"
#include "data/engine/DatabaseEngine.h"
#include "data/engine/FilterEvaluator.h"
#include "data/engine/FilterParser.h"
#include "data/records/ScheduleDatabase.h"

#include <vector>

using namespace morvane;
using namespace morvane::engine_detail;

namespace {

struct Table
{
    std::vector<FieldDef> fields = ScheduleTableDefinition().fields;
    std::vector<std::vector<Value>> columns;

    Table()
    {
        // Row 0 all Null, row 1 small numbers and empty texts, row 2 the
        // extremes and texts with pattern and quote characters.
        columns.resize(fields.size());
        for (size_t f = 0; f < fields.size(); ++f) {
            const bool text = fields[f].type == FieldType::Text;
            columns[f].push_back(Value::Null());
            columns[f].push_back(text ? Value(QString()) : Value(0));
            columns[f].push_back(
                text ? Value(QStringLiteral(u"a*b?[c]#'予定'%_"))
                     : Value(fields[f].type == FieldType::Long ? 2147483647 : -32768));
        }
    }

    int lookup(const QString& name) const
    {
        for (size_t f = 0; f < fields.size(); ++f) {
            if (fields[f].name.compare(name, Qt::CaseInsensitive) == 0)
                return int(f);
        }
        return -1;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Table table;
    const QString filter = fuzz::Text(data, size);
    std::shared_ptr<const ParsedFilter> parsed;
    try {
        parsed = ParseFilter(filter);
    } catch (const EngineError& error) {
        MORVANE_FUZZ_CHECK(error.code() == EngineErrorCode::FilterSyntax);
        return 0;
    }
    try {
        const auto bound = BoundFilter::Bind(
            *parsed, table.fields, [](const QString& name) { return table.lookup(name); });
        for (size_t row = 0; row < 3; ++row) {
            const RowRef ref{table.columns.data(), row};
            const Truth truth = bound->Evaluate(ref);
            MORVANE_FUZZ_CHECK(bound->Matches(ref) == (truth == Truth::True));
        }
    } catch (const EngineError& error) {
        MORVANE_FUZZ_CHECK(error.code() == EngineErrorCode::UnknownFilterField ||
                           error.code() == EngineErrorCode::FilterTypeMismatch ||
                           error.code() == EngineErrorCode::FilterSyntax);
    }
    return 0;
}
