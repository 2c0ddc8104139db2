#!/usr/bin/env bash
# Runs a checker that prints nothing when all is well: any output, even a
# warning or a hint, fails the test.
set -euo pipefail
output=$("$@" 2>&1) || { printf '%s\n' "$output"; exit 1; }
if [ -n "$output" ]; then
  printf '%s\n' "$output"
  exit 1
fi
