#!/usr/bin/env bash
# Builds and runs the benchmarks (CTest label "bench") and prints their figures.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/setup.sh"
"$top/tools/build.sh"
build=${PLOVNIK_BUILD:-$top/build}
ctest --test-dir "$build" -L bench --verbose "$@" | grep -E '^[0-9]+: (bench|BENCH|  )|^[0-9]+: [A-Za-z].*:' || true
