#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with a CUPS server of its own holding one cups-pdf printer,
# without touching the machine's queues; the command finds them in CUPS_SERVER,
# LEXALON_CUPS_PRINTER and LEXALON_CUPS_OUTPUT. Exits 77 (skipped) when CUPS cannot run.
set -euo pipefail
export PATH="$PATH:/usr/sbin"
skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "a CUPS server of the test's own and its cups-pdf backend need root"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
command -v cupsd > /dev/null && command -v lpadmin > /dev/null && [ -x /usr/lib/cups/backend/cups-pdf ] \
  && [ -f "$ppd" ] || skip "CUPS is missing (Debian packages cups, printer-driver-cups-pdf)"

root=$(mktemp -d /tmp/lexalon-cups.XXXXXX)
queue="lexalon-$$"
queue_conf="/etc/cups/cups-pdf-$queue.conf" # where cups-pdf reads its settings for the queue
socket="$root/cups.sock"
finish() {
  local status=$?
  [ -z "${cupsd_pid:-}" ] || { kill "$cupsd_pid" && wait "$cupsd_pid"; } 2> /dev/null || true
  [ "$status" -eq 0 ] || [ "$status" -eq 77 ] || tail -n 40 "$root/log/error_log" 2> /dev/null || true
  rm -rf "$root" "$queue_conf"; exit "$status"
}
trap finish EXIT

# The filters run as lp: every folder on their way must let them through.
chmod 755 "$root" && mkdir -p "$root"/{etc/ppd,spool/tmp,cache,state,log,pdf,cups-pdf-spool} && chmod 777 "$root/pdf"
printf '%s\n' "Listen $socket" "LogLevel warn" "Browsing No" "WebInterface No" "DefaultPolicy open" "<Location />" \
  "Order allow,deny" "Allow all" "</Location>" "<Policy open>" "<Limit All>" "Order allow,deny" "Allow all" "</Limit>" \
  "</Policy>" > "$root/etc/cupsd.conf"
printf '%s\n' "ServerRoot $root/etc" "RequestRoot $root/spool" "TempDir $root/spool/tmp" "CacheDir $root/cache" "StateDir $root/state" \
  "ErrorLog $root/log/error_log" "AccessLog $root/log/access_log" "PageLog $root/log/page_log" "FileDevice No" > "$root/etc/cups-files.conf"
printf '%s\n' "Out $root/pdf" "AnonDirName $root/pdf" "Spool $root/cups-pdf-spool" > "$queue_conf"

cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" &
cupsd_pid=$!
running() { lpstat -h "$socket" -r 2> /dev/null | grep -q "is running"; }
for _ in $(seq 300); do running && break; kill -0 "$cupsd_pid" 2> /dev/null || break; sleep 0.1; done
running || skip "the CUPS server did not start within 30 s"
# The test finds out whether the queue is offered.
lpadmin -h "$socket" -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" -o pdftops-renderer-default=pdftocairo 2>&1 | grep -v deprecated || true

CUPS_SERVER="$socket" LEXALON_CUPS_PRINTER="$queue" LEXALON_CUPS_OUTPUT="$root/pdf" "$@"
