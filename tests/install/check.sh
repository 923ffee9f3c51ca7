#!/usr/bin/env bash
# The installed package as a host sees it: installs the build into a scratch
# prefix, checks that only the public headers are there and that each one
# compiles alone with nothing but that prefix and the standard library, then
# builds and runs the README's library example (its CMake and pkg-config
# forms, extracted from README.md) against the prefix after moving it.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
readme="$here/../../README.md"
scratch=$(realpath "$(mktemp -d)")
trap 'rm -rf "$scratch"' EXIT
cxx=${CXX:-c++}
fail() { echo "install check: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$scratch/first" >/dev/null
mv "$scratch/first" "$scratch/moved"
prefix="$scratch/moved"
include="$prefix/include"

# Headers the standard library itself brings in; anything else that a
# public header reaches outside the prefix is a third-party header.
deps() { "$cxx" -std=c++20 -I"$include" -M -x c++ - | tr ' \\' '\n\n' | grep -v '^$' | grep -v '^-:$' |
  xargs realpath -m | sort -u; }
echo '#include <bits/stdc++.h>' | deps >"$scratch/standard"
find "$include" -name '*.h' | sort >"$scratch/installed"
echo '#include <zazorazari/zazorazari.h>' | deps | grep "^$include/" >"$scratch/reached" || true
diff -u "$scratch/reached" "$scratch/installed" >/dev/null ||
  fail "installed headers differ from what zazorazari.h reaches: $(diff "$scratch/reached" "$scratch/installed" | grep '^[<>]' | tr '\n' ' ')"
while read -r header; do
  name=${header#"$include/"}
  echo "#include <$name>" | "$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Werror -I"$include" -fsyntax-only -x c++ - ||
    fail "$name does not compile alone"
  foreign=$(echo "#include <$name>" | deps | grep -v "^$include/" | comm -23 - "$scratch/standard")
  [ -z "$foreign" ] || fail "$name reaches headers outside the standard library: $foreign"
done <"$scratch/installed"

# The README's blocks of the "Using the library" section, by language.
block() {
  awk -v lang="$1" '/^## /{ inside = ($0 == "## Using the library") }
    inside && $0 == "```" lang { take = 1; next }
    take && /^```/ { exit }
    take { print }' "$readme"
}
mkdir -p "$scratch/host"
block cmake >"$scratch/host/CMakeLists.txt"
block cpp >"$scratch/host/main.cpp"
[ -s "$scratch/host/CMakeLists.txt" ] && [ -s "$scratch/host/main.cpp" ] || fail "no library example in README.md"

run_host() {  # folder executable
  (cd "$1" && rm -f alps.mdb && "$2" && [ "$(sqlite3 alps.mdb "SELECT pilLastName FROM tblPilot")" = "O'Brien" ]) ||
    fail "the README example built in $1 did not add its pilot"
}
cmake -S "$scratch/host" -B "$scratch/host/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$scratch/host/build" >/dev/null
run_host "$scratch/host/build" ./myhost

ln -s "$prefix" "$scratch/host/P"
(cd "$scratch/host" && eval "$(block sh)") || fail "the pkg-config example did not build"
# Built without a run path: a shared library is found through the loader's.
LD_LIBRARY_PATH="$(dirname "$(find "$prefix" -name 'libzazorazari.*' | head -n 1)")" run_host "$scratch/host" ./myhost

# A missing dependency makes find_package report not-found, not fail.
if ls "$prefix"/lib*/libzazorazari.a >/dev/null 2>&1; then
  mkdir -p "$scratch/probe"
  cat >"$scratch/probe/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(probe LANGUAGES CXX)
find_package(zazorazari QUIET)
if(zazorazari_FOUND)
  message(FATAL_ERROR "found without pugixml")
endif()
CMAKE
  cmake -S "$scratch/probe" -B "$scratch/probe/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_DISABLE_FIND_PACKAGE_pugixml=ON >/dev/null || fail "a missing dependency failed find_package(zazorazari)"
fi
echo "install check: ok"
