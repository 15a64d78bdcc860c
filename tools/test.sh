#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test headless under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/setup.sh"
"$top/tools/build.sh"
build=${PLOVNIK_BUILD:-$top/build}
# Benchmarks (tools/bench.sh) and the long fuzz run (label fuzz) are run on their own, not as
# part of the suite.
ctest --test-dir "$build" --output-on-failure -LE "bench|fuzz|shots" "$@"
