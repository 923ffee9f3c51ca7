#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds a tiny host project
# against it with find_package(zazorazari), then runs it.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
cmake -S "$here/host" -B "$scratch/host" -G Ninja -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/host" >/dev/null
"$scratch/host/host" "$scratch"
echo "install check: ok"
