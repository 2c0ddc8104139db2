#!/usr/bin/env bash
# Runs a Windows test program under wine64 in a wine prefix of its own,
# removed afterwards, whose registry holds the values the program expects
# (see registry_win32_test.cpp). The first start of a prefix takes seconds.
set -euo pipefail

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A console program needs no display, and wine then opens no window.
unset DISPLAY WAYLAND_DISPLAY

cleanup() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

key='HKLM\SOFTWARE\Lexalon\Essai'
add() {
  if ! "$wine" reg add "$key" /f "$@" >/dev/null 2>&1; then
    echo "wine reg add $* failed" >&2
    exit 1
  fi
}
add /v Chemin /t REG_SZ /d 'C:\Program Files\Outils\msinfo32.exe'
add /v Compte /t REG_DWORD /d 305419896
add /v Grand /t REG_DWORD /d 0xffffffff
add /v Binaire /t REG_BINARY /d 010203

"$wine" "$@"
