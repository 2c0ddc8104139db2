#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows test program under wine64 in a wine prefix of its own, removed afterwards.
set -euo pipefail
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY # a console program needs none, and wine then opens no window
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; /usr/lib/wine/wineserver -w 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
/usr/lib/wine/wine64 "$@"
