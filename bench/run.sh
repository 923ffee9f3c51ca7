#!/usr/bin/env bash
# Runs every benchmark of a build folder (default build/) and prints the
# Google Benchmark table; the pairs to compare sit next to each other.
set -euo pipefail
build=${1:-build}
exec "$build/bench/zazorazari_bench" --benchmark_min_time=0.5 "${@:2}"
