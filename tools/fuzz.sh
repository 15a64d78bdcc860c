#!/usr/bin/env bash
# Fuzzes the parsers of untrusted file bytes (version blocks, resource structure) natively with
# clang's libFuzzer and the address and undefined-behaviour sanitizers.
# usage: tools/fuzz.sh <build-dir> <seconds>
# Seeds come from the version libraries and programs in the build folder (whichever are built),
# the program's icon, blocks made by tests/fuzz/make_seeds.py, and tests/fuzz/regressions/.
# The grown corpus is kept in <build-dir>/fuzz/corpus. Exits non-zero on any finding.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 2 ] || { echo "usage: $0 <build-dir> <seconds>" >&2; exit 2; }
build=$(mkdir -p "$1" && cd "$1" && pwd)
seconds=$2
work=$build/fuzz
mkdir -p "$work/corpus" "$work/findings"

sources=("$top/tests/fuzz/parsers_fuzz.cpp" "$top/src/version/block_walk.cpp" "$top/src/fileinfo/resource_check.cpp")
target=$work/parsers_fuzz
stale=0
[ -x "$target" ] || stale=1
if [ $stale = 0 ]; then
  for f in "${sources[@]}" "$top"/src/version/block_walk.h "$top"/src/version/version_state.h \
           "$top"/src/fileinfo/resource_check.h "$top"/src/app/seams.h "$top"/tests/fuzz/winstub/*.h "$0"; do
    [ "$f" -nt "$target" ] && { stale=1; break; }
  done
fi
if [ $stale = 1 ]; then
  # Built beside and moved into place, so that a run started meanwhile never sees half a file.
  clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -Wall -Wextra -Wno-unused-parameter -I"$top/tests/fuzz/winstub" -I"$top/src" \
    "${sources[@]}" -o "$target.$$"
  mv -f "$target.$$" "$target"
fi

# Each run makes its own seeds, so that runs side by side (ctest -j) do not share them.
seeds=$work/seeds.$$
trap 'rm -rf "$seeds"' EXIT
python3 "$top/tests/fuzz/make_seeds.py" "$build" "$top" "$seeds"

# New inputs go to the first folder; the others are read only. A run that crashes, leaks,
# trips a sanitizer, takes longer than the timeout on one input or runs out of memory stops
# with a non-zero status and leaves the input in findings/.
log=$work/run-${seconds}s.log
regressions=()
[ -d "$top/tests/fuzz/regressions" ] && regressions=("$top/tests/fuzz/regressions")
status=0
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/findings/" \
  "$work/corpus" "$seeds" "${regressions[@]}" >"$log" 2>&1 || status=$?
runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log" | tail -1)
if [ $status -ne 0 ] || [ -z "$runs" ]; then
  tail -80 "$log" >&2
  echo "parsers_fuzz: FINDING (status $status); full log $log, input in $work/findings/" >&2
  exit 1
fi
echo "parsers_fuzz: $runs, corpus $(ls "$work/corpus" | wc -l) inputs"
