#!/usr/bin/env bash
# Installs what building, running and testing Plovnik needs on Debian, if it is missing.
set -euo pipefail
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          mingw-w64-x86-64-dev googletest wine wine64 xvfb xauth x11-utils imagemagick locales tzdata fonts-wine
          clang libclang-rt-14-dev python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Wine takes its locale from the Unix one, so every test locale must exist.
for loc in en_US de_DE ja_JP; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    $sudo sed -i "s/^# *\(${loc}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${loc}.UTF-8 UTF-8" /etc/locale.gen || echo "${loc}.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    need_gen=1
  fi
done
if [ "${need_gen:-0}" = 1 ]; then $sudo locale-gen >/dev/null; fi
