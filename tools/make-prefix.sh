#!/usr/bin/env bash
# Makes a private Wine prefix once: no Mono/Gecko prompts, and the null display driver
# unless the second argument is "x11" (for a prefix that shows real windows). PLOVNIK_DPI sets
# the display's DPI of a new prefix (96 unless set).
# Safe to call from several processes at once; only the first one does the work.
set -euo pipefail
prefix=$1
driver=${2:-null}
[ -f "$prefix/.plovnik-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.plovnik-ready" ] && exit 0
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export TZ=${PLOVNIK_TZ:-Europe/Berlin} LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
wine=/usr/lib/wine/wine64
"$wine" wineboot -i >/dev/null 2>&1 || true
[ "$driver" = x11 ] || "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
if [ -n "${PLOVNIK_DPI:-}" ]; then
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$PLOVNIK_DPI" /f >/dev/null 2>&1
fi
# A crash must end the program, not start Wine's debugger and wait for it.
"$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
"$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
# A drive letter whose target is missing: the Browse page must report it as unreadable.
ln -sfn /nonexistent-plovnik-drive "$prefix/dosdevices/q:"
/usr/lib/wine/wineserver -w || true
touch "$prefix/.plovnik-ready"
