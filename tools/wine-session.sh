#!/usr/bin/env bash
# up: make the prefix and start a wineserver that outlives single test programs.
# down: end that server, so that nothing holds the run's output open.
set -euo pipefail
action=$1 prefix=$2
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all
case $action in
  up)   "$here/make-prefix.sh" "$prefix"
        /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 ;;
  down) /usr/lib/wine/wineserver -k 2>/dev/null || true ;;
esac
