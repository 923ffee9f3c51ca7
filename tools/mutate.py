#!/usr/bin/env python3
"""Measures what the test suite catches: applies each single-token mutation of
tools/mutations.tsv to the library's sources in turn, builds, runs ctest and
restores the file. A mutation the tests fail on is killed; one they pass on
survived and points at a check nobody makes.

Usage: tools/mutate.py [--build DIR] [--only N[,N...]] [--timeout SECONDS]
Run it from a clean checkout; it edits files under src/ and always restores them.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = os.path.join(ROOT, "src", "zazorazari")


def read_mutations(path):
    mutations = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if line.startswith("#") or not line.strip():
                continue
            file, original, mutated = line.rstrip("\n").split("\t")
            mutations.append((number, file, original, mutated))
    return mutations


def run(command, cwd, timeout=None):
    try:
        return subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1  # a hang counts as a failure the tests noticed


def configure(build):
    if os.path.exists(os.path.join(build, "build.ninja")):
        return
    # No optimisation and no debug information: each mutant rebuilds and relinks fastest.
    command = ["cmake", "-S", ROOT, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
               "-DZAZ_BUILD_BENCH=OFF"]
    if shutil.which("ccache"):
        command += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    if run(command, ROOT) != 0:
        sys.exit("cannot configure " + build)


def build_and_test(build, timeout):
    """0: built and every test passed; 1: a test failed; 2: did not build."""
    if run(["cmake", "--build", build, "-j", str(os.cpu_count() or 2)], ROOT) != 0:
        return 2
    ctest = ["ctest", "-j", str(os.cpu_count() or 2), "--stop-on-failure", "--timeout", str(timeout)]
    return 0 if run(ctest, build, timeout * 4) == 0 else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mutate"))
    parser.add_argument("--list", default=os.path.join(ROOT, "tools", "mutations.tsv"))
    parser.add_argument("--only", help="comma-separated line numbers of the list")
    parser.add_argument("--timeout", type=int, default=300, help="seconds per test")
    args = parser.parse_args()

    mutations = read_mutations(args.list)
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        mutations = [m for m in mutations if m[0] in wanted]
    configure(args.build)
    if build_and_test(args.build, args.timeout) != 0:
        sys.exit("the unmutated tree does not build or pass its tests; fix that first")

    killed = survived = stale = unbuilt = 0
    for number, file, original, mutated in mutations:
        path = os.path.join(SOURCES, file)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        if text.count(original) != 1:
            stale += 1
            print(f"line {number}: stale (text not found once in {file})", flush=True)
            continue
        started = time.monotonic()
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text.replace(original, mutated))
            outcome = build_and_test(args.build, args.timeout)
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
        verdict = {0: "SURVIVED", 1: "killed", 2: "does not build"}[outcome]
        killed += outcome == 1
        survived += outcome == 0
        unbuilt += outcome == 2
        print(f"line {number}: {verdict:14} {file}: {mutated.strip()[:70]} ({time.monotonic() - started:.0f} s)",
              flush=True)
    run(["cmake", "--build", args.build], ROOT)  # leave the build matching the sources
    tried = killed + survived
    print(f"killed {killed} of {tried} mutations that built ({survived} survived, {unbuilt} did not build, "
          f"{stale} stale)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
