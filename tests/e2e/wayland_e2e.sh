#!/usr/bin/env bash
# In a Wayland session (weston, headless) the program finds the compositor by itself and
# shows its window: the picture of the screen must hold the window's pink client area.
# Input cannot be sent to a headless weston, so the keyboard is tested on X11 only.
#   wayland_e2e.sh PROGRAM ARTIFACT_DIR
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_begin "$@"

e2e_start_weston 1024x768
e2e_launch_program

# Wait for the window to be painted: at least most of the 380 x 250 window in its background
# colour #FFA8FF (labels share it; the controls and any decoration do not).
needed=$((380 * 250 / 2))
waited=0
while :; do
  e2e_expect_running "on Wayland: $(cat "$E2E_ARTIFACTS/program.log")"
  e2e_wayland_screenshot screen
  e2e_count_colour "$E2E_ARTIFACTS/screen.png" '#FFA8FF'
  ((E2E_COUNT >= needed)) && break
  ((waited++ < E2E_TIMEOUT * 2)) ||
    e2e_fail "no window painted on Wayland: $E2E_COUNT pixels of #FFA8FF, expected $needed"
  sleep 0.5
done
e2e_log "ok: $E2E_COUNT pixels of the window's colour on the Wayland screen"
e2e_expect_running "after showing its window on Wayland"
e2e_pass
