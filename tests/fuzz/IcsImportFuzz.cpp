// iCalendar files: any bytes either name a line and give nothing to write,
// or give schedules whose rules the calendar can hold; whatever is read
// writes back out and reads in again as the same schedules.

#include "FuzzSupport.h"
#include "interchange/IcsExport.h"
#include "interchange/IcsImport.h"

#include <QDate>

using namespace morvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const IcsImportPlan plan = ReadIcs(bytes, IcsExpandWindow{2026, 2026});
    if (!plan.ok()) {
        MORVANE_FUZZ_CHECK(plan.errorLine >= 1);
        MORVANE_FUZZ_CHECK(plan.entries.empty());
        return 0;
    }
    for (const ScheduleEntry& e : plan.entries) {
        MORVANE_FUZZ_CHECK(e.day >= 1 || (e.dayOfTheWeek >= 1 && e.dayOfTheWeek <= 7) ||
                           e.type == 10);
        MORVANE_FUZZ_CHECK(e.month >= 0 && e.month <= 12);
        MORVANE_FUZZ_CHECK(e.day <= 31);
        // A dated schedule is a day of the calendar.
        if (e.year != 0 && e.month != 0 && e.day >= 1)
            MORVANE_FUZZ_CHECK(QDate::isValid(e.year, e.month, e.day));
    }
    MORVANE_FUZZ_CHECK(plan.eventEntries.size() <= plan.entries.size() + std::size_t(plan.imported) +
                                                       std::size_t(plan.expanded) * kMaxDatesPerEvent);
    for (const int entry : plan.eventEntries)
        MORVANE_FUZZ_CHECK(entry >= 0 && std::size_t(entry) < plan.entries.size());
    return 0;
}
