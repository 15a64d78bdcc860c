#!/usr/bin/env bash
# Pictures of the window for looking at: runs the page_shots test program on a virtual display
# and leaves PNG files in build/shots/ (PLOVNIK_DPI=144: the display at 144 DPI, pictures in
# build/shots/dpi144/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PLOVNIK_BUILD:-$top/build}
cmake --build "$build" --target page_shots >/dev/null
prefix=$build/wineprefix-x11${PLOVNIK_DPI:+-dpi$PLOVNIK_DPI}
shots=$build/shots${PLOVNIK_DPI:+/dpi$PLOVNIK_DPI}
"$top/tools/make-prefix.sh" "$prefix" x11
display=:$(( 90 + RANDOM % 100 ))
# The desktop grows with the DPI, as the window does.
scale=${PLOVNIK_DPI:-96}
size=$(( 900 * scale / 96 ))x$(( 600 * scale / 96 ))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
mkdir -p "$shots"
request=$build/tests/shot-request.txt
rm -f "$request"
DISPLAY=$display WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=${PLOVNIK_LANG:-en_US.UTF-8} \
  /usr/lib/wine/wine64 explorer /desktop=Plovnik,$size "$build/tests/page_shots.exe" "$@" >/dev/null 2>&1 &
app=$!
# The program names each picture in a request file and waits until the file is gone.
while kill -0 $app 2>/dev/null; do
  if [ -s "$request" ]; then
    sleep 0.5
    name=$(cat "$request")
    DISPLAY=$display import -window root -crop "$size+0+0" +repage "$shots/$name.png"
    rm -f "$request"
  fi
  sleep 0.2
done
ls "$shots"
