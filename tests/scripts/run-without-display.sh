#!/usr/bin/env bash
# scripts/run on a machine without a display says so at once and installs and builds nothing.
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM BUILD_DIR="$work/build" \
  timeout 20 "$root/scripts/run" >"$work/out" 2>"$work/err" || status=$?
fail() { echo "$*"; cat "$work/err"; exit 1; }
((status == 1)) || fail "exit status $status, expected 1"
grep -q 'no display' "$work/err" || fail "no message about the display"
[[ ! -e "$work/build" ]] || fail "it configured or built in $work/build"
