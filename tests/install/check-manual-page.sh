#!/usr/bin/env bash
# The manual page of lexalon-liste renders without a warning from man or
# groff, and describes every option that `lexalon-liste --help` lists.
# Usage: check-manual-page.sh MAN PAGE LEXALON_LISTE
set -euo pipefail
warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 "$1" --warnings -E UTF-8 -l "$2" 2>"$warnings")
[ ! -s "$warnings" ] || { echo "man warns about $2:"; cat "$warnings"; exit 1; }
# The help's option lines: two spaces, then the options, split at commas.
options=$("$3" --help | sed -n 's/^  \(-[^ ,]*\(, -[^ ,]*\)*\).*/\1/p' | tr ',' ' ')
[ -n "$options" ] || { echo "no options found in lexalon-liste --help"; exit 1; }
missing=0
for option in $options; do
  # An option the page describes starts a line of the OPTIONS section.
  grep -qE "^ {7}([^ ]+, )?$option( |,|$)" <<<"$rendered" || { echo "the page does not describe $option"; missing=1; }
done
exit "$missing"
