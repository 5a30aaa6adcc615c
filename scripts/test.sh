#!/bin/sh
# Builds both targets and runs every test: native (ASan, UBSan), Windows under Wine,
# and a short bounded run of each fuzz target. Installs what it needs first.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
scripts/setup.sh

echo "== native: build and test"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2

echo "== windows: build and test under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
scripts/wine-session ctest --preset windows

echo "== fuzz: bounded runs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scripts/run-fuzzers.sh "${RC2E_FUZZ_SECONDS:-30}"
echo "== all tests passed"
