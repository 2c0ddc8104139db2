#!/usr/bin/env bash
# Installs the build into a temporary prefix and compares the files with the
# expected list: nothing missing, nothing more (no test, no benchmark). The
# installed tree must also hold together for AppStream (metainfo, desktop
# entry), and the programs carry no library search path of their own.
# Usage: check-installed-files.sh CMAKE BUILD_DIR EXPECTED_LIST APPSTREAMCLI
set -euo pipefail
cmake=$1 build=$2 expected=$3 appstreamcli=$4

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if ! diff -u <(LC_ALL=C sort "$expected") <(printf '%s\n' "$installed"); then
  echo "the installed files differ from $expected (- expected, + installed)"
  exit 1
fi

for program in "$prefix"/bin/*; do
  [ -x "$program" ] || { echo "$program is not executable"; exit 1; }
  if readelf -d "$program" | grep -qE '\((RUNPATH|RPATH)\)'; then
    echo "$program carries a library search path:"; readelf -d "$program" | grep -E 'R(UN)?PATH'
    exit 1
  fi
done

"$appstreamcli" validate-tree --no-net --strict "$prefix"
