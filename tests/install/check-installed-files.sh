#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix: exactly the expected files, the
# programs without a library search path, the tree valid for AppStream, the
# manual pages rendered by man without a warning.
# Usage: check-installed-files.sh CMAKE BUILD_DIR EXPECTED_LIST APPSTREAMCLI
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$1" --install "$2" --prefix "$prefix" >/dev/null
diff -u <(LC_ALL=C sort "$3") <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) ||
  { echo "the installed files differ from $3 (- expected, + installed)"; exit 1; }
for program in "$prefix"/bin/*; do
  ! readelf -d "$program" | grep -E '\((RUNPATH|RPATH)\)' || { echo "$program carries a library search path"; exit 1; }
done
"$4" validate-tree --no-net --strict "$prefix"
for page in "$prefix"/share/man/man1/*.gz "$prefix"/share/man/*/man1/*.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "man warns about $page: $warnings"; exit 1; }
done
