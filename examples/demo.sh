#!/usr/bin/env bash
# Runs the demo on a built tree (`make demo` calls it with the build folder):
# builds the demo competition and catalogue, then shows what the files hold.
set -euo pipefail
build=${1:-build}
cli="$build/cli/zazorazari"
out="$build/demo-out"

"$cli" demo "$out"
echo
"$cli" info "$out/competition.mdb"
echo
"$cli" check "$out/catalog.mdb" --expect catalog
echo
echo "Task 1 turnpoints:"
"$cli" collection "$out/competition.mdb" docTaskTurnpoint 1 --format csv | cut -d, -f4,6,11
