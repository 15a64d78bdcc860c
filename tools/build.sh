#!/usr/bin/env bash
# Configures and builds into build/ (or $PLOVNIK_BUILD).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PLOVNIK_BUILD:-$top/build}
[ -f "$build/build.ninja" ] || cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" "$@"
