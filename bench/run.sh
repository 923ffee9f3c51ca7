#!/usr/bin/env bash
# Runs the benchmarks of a build folder (default build/) in rounds, every
# round's benchmarks in a new random order so that the two sides of a pair
# take turns under the same machine load, then prints each pair of
# bench/pairs.txt side by side: the medians of the rounds and their ratio,
# in wall time and in CPU time. ZAZ_BENCH_ROUNDS sets the rounds (5); more
# arguments go to the benchmark program (e.g. --benchmark_filter=Xml).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
rounds=${ZAZ_BENCH_ROUNDS:-5}
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$build/bench/zazorazari_bench" --benchmark_repetitions="$rounds" --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true --benchmark_out="$json" --benchmark_out_format=json "${@:2}"

echo
printf '%-36s %12s %-32s %12s %7s %7s %6s\n' "ours" "wall" "reference" "wall" "ratio" "cpu" "target"
grep -v '^#' "$here/pairs.txt" | while read -r ours reference target; do
  [ -n "$ours" ] || continue
  jq -r --arg ours "$ours" --arg ref "$reference" --arg target "$target" '
    def median($name): first(.benchmarks[] | select((.run_name == $name or (.run_name | startswith($name + "/"))) and .aggregate_name == "median"));
    def ns($b): $b.real_time * ({"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[$b.time_unit]);
    def cpu($b): $b.cpu_time * ({"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[$b.time_unit]);
    def shown($t): if $t >= 1e6 then "\($t / 1e6 * 100 | round / 100) ms" elif $t >= 1e3 then "\($t / 1e3 * 10 | round / 10) us" else "\($t | round) ns" end;
    [median($ours), median($ref)] as [$a, $b]
    | if $a == null or $b == null then empty else
        "\($ours)\t\(shown(ns($a)))\t\($ref)\t\(shown(ns($b)))\t\(ns($a) / ns($b) * 100 | round / 100)\t\(cpu($a) / cpu($b) * 100 | round / 100)\t\($target)"
      end' "$json" | awk -F'\t' '{ printf "%-36s %12s %-32s %12s %7s %7s %6s\n", $1, $2, $3, $4, $5, $6, $7 }'
done
