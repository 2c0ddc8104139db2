#!/usr/bin/env bash
# The manual page of lexalon-liste renders without a warning from man or
# groff, and describes every option that `lexalon-liste --help` lists.
# Usage: check-manual-page.sh MAN PAGE LEXALON_LISTE
set -euo pipefail
man=$1 page=$2 liste=$3

warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 "$man" --warnings -E UTF-8 -l "$page" 2>"$warnings")
if [ -s "$warnings" ]; then
  echo "man warns about $page:"; cat "$warnings"; exit 1
fi

# The help's option lines: two spaces, then the options, split at commas.
options=$("$liste" --help | sed -n 's/^  \(-[^ ,]*\(, -[^ ,]*\)*\).*/\1/p' | tr ',' ' ')
[ -n "$options" ] || { echo "no options found in lexalon-liste --help"; exit 1; }
missing=0
for option in $options; do
  # An option the page describes starts a line of the OPTIONS section.
  if ! grep -qE "^ {7}([^ ]+, )?$option( |,|$)" <<<"$rendered"; then
    echo "the manual page does not describe $option"; missing=1
  fi
done
exit "$missing"
