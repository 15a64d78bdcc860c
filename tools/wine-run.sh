#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# PLOVNIK_LANG and PLOVNIK_TZ choose the locale and time zone (en_US, Europe/Berlin by default);
# PLOVNIK_DRIVER=x11 makes a new prefix show real windows (the default is the null driver).
set -euo pipefail
prefix=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
"$here/make-prefix.sh" "$prefix" "${PLOVNIK_DRIVER:-null}"
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export TZ=${PLOVNIK_TZ:-Europe/Berlin}
export LANG=${PLOVNIK_LANG:-en_US.UTF-8}
export LC_ALL=$LANG
# Wine may start helper processes (desktop, services) that live on with the server; they
# inherit our output. Through a file instead of the caller's pipe they cannot keep a test
# runner waiting for that pipe to close.
out=$(mktemp "${TMPDIR:-/tmp}/plovnik-wine.XXXXXX")
trap 'rm -f "$out"' EXIT
status=0
/usr/lib/wine/wine64 "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
exit $status
