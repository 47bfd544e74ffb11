#!/bin/bash
# CPU time of the list benchmarks (month list, search, month model) of two
# builds, run in turn round after round on the same machine, so that both
# see the same load; prints the median CPU milliseconds of each case over
# the rounds, old beside new.
#
#   benchmarks/list_speed_pair.sh <old build folder> <new build folder> [rounds]
set -u
OLD=${1:?usage: list_speed_pair.sh <old build> <new build> [rounds]}
NEW=${2:?usage: list_speed_pair.sh <old build> <new build> [rounds]}
ROUNDS=${3:-7}
BENCHES=(viewer_lists_benchmark search_schedule_search_benchmark calendar_window_month_benchmark)
FILTER=${LIST_SPEED_FILTER:-.}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen

for ((round = 1; round <= ROUNDS; ++round)); do
    for side in old new; do
        folder=$OLD
        [ "$side" = new ] && folder=$NEW
        for bench in "${BENCHES[@]}"; do
            # One repetition per round; the rounds give the spread.
            "$folder/benchmarks/$bench" --benchmark_filter="$FILTER" \
                --benchmark_repetitions=1 --benchmark_format=csv 2> /dev/null |
                awk -F, -v side="$side" 'NR > 1 && $1 !~ /_(mean|median|stddev|cv)"?$/ {
                    gsub(/"/, "", $1); sub(/\/repeats:[0-9]+/, "", $1)
                    cpu = $4; if ($5 == "us") cpu /= 1000; if ($5 == "ns") cpu /= 1e6
                    print side, $1, cpu }' >> "$out/times"
        done
    done
done

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf '%-48s %10s %10s %7s\n' case "old ms" "new ms" "new/old"
for name in $(awk '{ print $2 }' "$out/times" | awk '!seen[$0]++'); do
    o=$(awk -v n="$name" '$1 == "old" && $2 == n { print $3 }' "$out/times" | median)
    n=$(awk -v n="$name" '$1 == "new" && $2 == n { print $3 }' "$out/times" | median)
    printf '%-48s %10.3f %10.3f %7.2f\n' "$name" "${o:-0}" "${n:-0}" "$(awk -v a="${o:-0}" -v b="${n:-0}" 'BEGIN { print (a > 0 ? b / a : 0) }')"
done
