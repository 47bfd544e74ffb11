// Byte-length checks run while the user types in the editors, on every
// keystroke: they must stay far below a frame.

#include "core/AnsiText.h"

#include <benchmark/benchmark.h>

namespace {

const QString kJapanese =
    QStringLiteral(u"歯医者の予約 午後3時 駅前クリニック(ｼｶ) ①持ち物: 保険証");
const QString kAscii = QStringLiteral("Dentist 15:00 at the clinic by the station, bring card");

void BM_AnsiByteLengthJapanese(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(morvane::AnsiByteLength(kJapanese));
}
BENCHMARK(BM_AnsiByteLengthJapanese);

void BM_AnsiByteLengthAscii(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(morvane::AnsiByteLength(kAscii));
}
BENCHMARK(BM_AnsiByteLengthAscii);

void BM_FromAnsiJapanese(benchmark::State& state)
{
    const QByteArray bytes = morvane::ToAnsi(kJapanese);
    for (auto _ : state)
        benchmark::DoNotOptimize(morvane::FromAnsi(bytes));
}
BENCHMARK(BM_FromAnsiJapanese);

} // namespace
