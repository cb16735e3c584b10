#!/usr/bin/env bash
# Without a usable display, the program must say so in one line and end with a non-zero
# status of its own, not abort inside the toolkit.
#   check_headless_message.sh PROGRAM [NAME=VALUE...]
# runs PROGRAM with no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM, then the given settings
# (e.g. DISPLAY=:65000 for a display that does not answer).
set -uo pipefail
program=$1
shift

output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QT_QPA_PLATFORM_PLUGIN_PATH \
  "$@" "$program" 2>&1 </dev/null)
status=$?
printf 'status %d, output:\n%s\n' "$status" "$output"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

((status != 0)) || fail "exited with status 0 without a display"
((status < 128)) || fail "ended by a signal (status $status)"
[[ -n "$output" ]] || fail "no message at all"
lines=$(printf '%s\n' "$output" | wc -l)
((lines == 1)) || fail "expected exactly one line, got $lines"
shopt -s nocasematch
[[ "$output" == *display* ]] || fail "the line does not mention the display"
[[ "$output" == *xvfb-run* ]] || fail "the line does not tell how to run it (xvfb-run)"
echo "ok"
