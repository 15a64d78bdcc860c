#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test headless under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/setup.sh"
"$top/tools/build.sh"
build=${PLOVNIK_BUILD:-$top/build}
# Benchmarks are run on their own (tools/bench.sh), not as part of the suite.
ctest --test-dir "$build" --output-on-failure -LE bench "$@"
