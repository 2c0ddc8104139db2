#!/usr/bin/env bash
# Runs a command with a CUPS server of its own that holds one PDF printer
# (cups-pdf), so that printing goes through the real printing system without
# touching the machine's own queues. The command finds the server, the queue
# and the folder where the PDF files land in CUPS_SERVER,
# LEXALON_CUPS_PRINTER and LEXALON_CUPS_OUTPUT.
#
# Exits 77 (skipped) when CUPS cannot run here: not root, packages missing,
# or a server that does not start.
set -euo pipefail

skipped=77
deadline=30 # seconds for the server and the queue to come up

skip() {
  echo "SKIPPED: $*"
  exit "$skipped"
}

[ "$(id -u)" -eq 0 ] || skip "a CUPS server of the test's own and its cups-pdf backend need root"
for tool in cupsd lpadmin lpstat; do
  command -v "$tool" > /dev/null || [ -x "/usr/sbin/$tool" ] \
    || skip "$tool is missing (Debian packages cups, printer-driver-cups-pdf)"
done
backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x "$backend" ] && [ -f "$ppd" ] || skip "the cups-pdf printer is missing (Debian package printer-driver-cups-pdf)"
export PATH="$PATH:/usr/sbin"

root=$(mktemp -d /tmp/lexalon-cups.XXXXXX)
queue="lexalon-$$"
# cups-pdf reads its settings for a queue from /etc/cups/cups-pdf-<queue>.conf.
queue_conf="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=

finish() {
  local status=$?
  if [ -n "$cupsd_pid" ] && kill -0 "$cupsd_pid" 2> /dev/null; then
    kill "$cupsd_pid"
    wait "$cupsd_pid" 2> /dev/null || true
  fi
  if [ "$status" -ne 0 ] && [ "$status" -ne "$skipped" ] && [ -f "$root/log/error_log" ]; then
    echo "--- the CUPS server's log:"
    tail -n 40 "$root/log/error_log"
  fi
  rm -f "$queue_conf"
  rm -rf "$root"
  exit "$status"
}
trap finish EXIT

# The filters run as lp: every folder on their way must let them through.
chmod 755 "$root"
mkdir -p "$root/etc/ppd" "$root/spool/tmp" "$root/cache" "$root/state" "$root/log" "$root/pdf" \
  "$root/cups-pdf-spool"
chmod 777 "$root/pdf"
socket="$root/cups.sock"

cat > "$root/etc/cupsd.conf" << EOF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultPolicy open
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy open>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF

cat > "$root/etc/cups-files.conf" << EOF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
FileDevice No
EOF

cat > "$queue_conf" << EOF
Out $root/pdf
AnonDirName $root/pdf
Spool $root/cups-pdf-spool
EOF

cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" &
cupsd_pid=$!

up=false
for _ in $(seq $((deadline * 10))); do
  if lpstat -h "$socket" -r 2> /dev/null | grep -q "is running"; then
    up=true
    break
  fi
  kill -0 "$cupsd_pid" 2> /dev/null || break
  sleep 0.1
done
if ! $up; then
  [ -f "$root/log/error_log" ] && tail -n 20 "$root/log/error_log"
  skip "the CUPS server did not start within $deadline s"
fi

lpadmin -h "$socket" -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" \
  -o pdftops-renderer-default=pdftocairo 2>&1 | grep -v "deprecated" || true
lpstat -h "$socket" -p "$queue" > /dev/null 2>&1 \
  || { echo "the queue $queue could not be added"; exit 1; }

CUPS_SERVER="$socket" LEXALON_CUPS_PRINTER="$queue" LEXALON_CUPS_OUTPUT="$root/pdf" "$@"
