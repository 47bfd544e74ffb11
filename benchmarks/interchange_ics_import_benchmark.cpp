// Reading iCalendar files other programs write: a file of N one-day events
// (a few hundred in a year's export, hundreds of thousands in a dump of a
// shared calendar) and a file with one very long unfolded text. Both must
// grow with the file, not with its square.

#include "interchange/IcsImport.h"

#include <benchmark/benchmark.h>

namespace morvane {
namespace {

QByteArray Events(int count)
{
    QByteArray bytes = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
    for (int i = 0; i < count; ++i) {
        const int day = i % 3650;
        const QByteArray date =
            QByteArray::number(2020 + day / 365) + QByteArray::number(101 + day % 12 * 100 + day % 28)
                                                       .rightJustified(4, '0');
        bytes += "BEGIN:VEVENT\r\nUID:event-" + QByteArray::number(i) +
                 "@bench.example\r\nDTSTAMP:20261211T000000Z\r\nDTSTART:" + date +
                 "T090000\r\nDTEND:" + date + "T100000\r\nSUMMARY:Meeting " +
                 QByteArray::number(i) + "\r\nX-OTHER-PROGRAM:ignored\r\nEND:VEVENT\r\n";
    }
    return bytes + "END:VCALENDAR\r\n";
}

void BM_ReadEvents(benchmark::State& state)
{
    const QByteArray bytes = Events(int(state.range(0)));
    for (auto _ : state) {
        const IcsImportPlan plan = ReadIcs(bytes, std::nullopt);
        benchmark::DoNotOptimize(plan.entries.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadEvents)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadLongLine(benchmark::State& state)
{
    const QByteArray bytes = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20261211\r\n"
                             "DESCRIPTION:" +
                             QByteArray(state.range(0), 'x') +
                             "\r\nX-HUGE:" + QByteArray(state.range(0), 'y') +
                             "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    for (auto _ : state) {
        const IcsImportPlan plan = ReadIcs(bytes, std::nullopt);
        benchmark::DoNotOptimize(plan.entries.data());
    }
    state.SetBytesProcessed(state.iterations() * qint64(bytes.size()));
}
BENCHMARK(BM_ReadLongLine)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morvane
