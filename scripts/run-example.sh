#!/bin/sh
# The tool's main job on the example script shipped in the repo: builds the portable
# command-line front end and prints the generated source text (as UTF-8 for the terminal).
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
RC2E_NATIVE_ONLY=1 scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target rc2e-cli Get_Information >/dev/null
exec build/native/bin/rc2e-cli --utf8 "${1:-examples/worked_example.rc}"
