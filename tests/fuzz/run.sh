#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for a
# number of seconds (first argument, default 30); further arguments name the
# targets to run (default: all). Fails on the first finding, whose input is
# left in build-fuzz/fuzz-findings/ (keep it under tests/fuzz/regressions/).
set -euo pipefail
cd "$(dirname "$0")/../.."
SECONDS_EACH=${1:-30}
shift || true
BUILD=${FUZZ_BUILD:-build-fuzz}
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  TARGETS=(record_text value_text criteria xml_import task_result_import waypoint_import \
    cup_turnpoints gpx_turnpoints geojson_turnpoints)
fi

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZAZ_FUZZ=ON -DZAZ_BUILD_TESTS=OFF -DZAZ_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target zazorazari_template $(printf 'fuzz_%s ' "${TARGETS[@]}")

mkdir -p "$BUILD/fuzz-findings" "$BUILD/fuzz-logs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for target in "${TARGETS[@]}"; do
  # New inputs collect in the build folder; the committed seeds stay small.
  work="$BUILD/fuzz-corpus/$target"
  mkdir -p "$work"
  dict=()
  [ -f "tests/fuzz/dict/$target.dict" ] && dict=(-dict="tests/fuzz/dict/$target.dict")
  log="$BUILD/fuzz-logs/$target.log"
  if "$BUILD/tests/fuzz/fuzz_$target" -max_total_time="$SECONDS_EACH" -timeout=25 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$BUILD/fuzz-findings/$target-" "${dict[@]}" \
      "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    echo "fuzz $target: ${runs} executions in ${SECONDS_EACH} s, no finding"
  else
    echo "fuzz $target: FINDING (log $log)"
    tail -n 40 "$log"
    status=1
  fi
done
exit $status
