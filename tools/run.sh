#!/usr/bin/env bash
# Sets the machine up, builds and starts Plovnik under Wine, with an optional path argument
# (a Windows path such as 'C:\windows\system32\kernel32.dll').
# With a display the window opens there. Without one the program starts on a virtual display,
# a screenshot of its window is saved as build/screenshot.png, and the program is ended.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/setup.sh"
"$top/tools/build.sh"
build=${PLOVNIK_BUILD:-$top/build}
prefix=$build/wineprefix-x11
"$top/tools/make-prefix.sh" "$prefix" x11
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
exe=$build/plovnik.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  /usr/lib/wine/wine64 "$exe" "$@"
  status=$?
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  exit $status
fi

display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# Wine's own virtual desktop draws the window frame and caption that a window manager would.
/usr/lib/wine/wine64 explorer /desktop=Plovnik,800x480 "$exe" "$@" >/dev/null 2>&1 &
app=$!
for _ in $(seq 150); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Plovnik - Wine desktop"' && break
  sleep 0.2
done
sleep ${PLOVNIK_SETTLE:-2}
shot=$build/screenshot.png
import -window root -crop 800x480+0+0 +repage "$shot"
echo "Screenshot of the window: $shot"
kill $app 2>/dev/null || true
/usr/lib/wine/wineserver -k 2>/dev/null || true
