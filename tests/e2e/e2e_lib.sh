#!/usr/bin/env bash
# Shared helpers for the end-to-end tests: each test gets its own Xvfb screen, starts the
# real quorvel program on it and drives it with xdotool as a person would.
#
# A test script is called as:   SCRIPT PROGRAM ARTIFACT_DIR
# and usually reads:
#   source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
#   e2e_begin "$@"
#   e2e_start_display 1366x768
#   e2e_start_program            # then E2E_WINDOW is the window "Quorvel", focused
#   e2e_type "12"; e2e_key Tab
#   e2e_copy_focused_text; e2e_expect_eq "$E2E_COPIED" "12" "first operand"
#   e2e_key Escape
# Helpers report through variables (E2E_WINDOW, E2E_COPIED, E2E_LEFT...), not output, so that
# a failure inside one ends the test instead of a command substitution.
#   e2e_expect_exit 0
#   e2e_pass
# Everything started here is stopped when the script ends, whatever the outcome; a failing
# check leaves a screenshot failure.png in ARTIFACT_DIR.
#
# Notes on X without a window manager: nothing gives the window the input focus, so
# e2e_start_program does it; `xdotool type --window` sends synthetic events that Qt ignores,
# so typing always goes to the focused window; the clipboard lives in the program, so it must
# be read while the program runs.

set -euo pipefail

E2E_PROGRAM=""
E2E_ARTIFACTS=""
E2E_TMP=""
E2E_XVFB_PID=""
E2E_WESTON_PID=""
E2E_WM_PID=""
E2E_PROGRAM_PID=""
E2E_WINDOW=""
E2E_EXIT_STATUS=""
E2E_COPIED=""
E2E_COUNT=""
E2E_TIMEOUT=${E2E_TIMEOUT:-20}   # seconds to wait for anything the program should do

e2e_log() {
  printf '[e2e %s] %s\n' "$(date +%T)" "$*"
}

# Reports a failed check, keeps a screenshot of the screen and ends the test.
e2e_fail() {
  printf 'FAIL: %s\n' "$*" >&2
  # A failing screenshot must not take a screenshot of its own failure.
  if [[ -n "${E2E_FAILING:-}" ]]; then
    exit 1
  fi
  E2E_FAILING=1
  if [[ -n "${DISPLAY:-}" && -n "$E2E_XVFB_PID" ]]; then
    e2e_screenshot failure || true
  elif [[ -n "$E2E_WESTON_PID" ]]; then
    e2e_wayland_screenshot failure || true
  fi
  exit 1
}

e2e_cleanup() {
  local status=$?
  if [[ -n "$E2E_PROGRAM_PID" ]] && kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; then
    kill "$E2E_PROGRAM_PID" 2>/dev/null || true
    wait "$E2E_PROGRAM_PID" 2>/dev/null || true
  fi
  local server
  for server in "$E2E_WM_PID" "$E2E_XVFB_PID" "$E2E_WESTON_PID"; do
    if [[ -n "$server" ]] && kill -0 "$server" 2>/dev/null; then
      kill "$server" 2>/dev/null || true
      wait "$server" 2>/dev/null || true
    fi
  done
  if [[ -n "$E2E_TMP" ]]; then
    rm -rf "$E2E_TMP"
  fi
  return "$status"
}

# e2e_begin PROGRAM ARTIFACT_DIR: checks the tools and prepares a clean artifact folder.
e2e_begin() {
  if (($# < 2)); then
    echo "usage: $0 PROGRAM ARTIFACT_DIR" >&2
    exit 2
  fi
  E2E_PROGRAM=$1
  E2E_ARTIFACTS=$2
  [[ -x "$E2E_PROGRAM" ]] || e2e_fail "no program at $E2E_PROGRAM"
  local tool
  for tool in Xvfb xdotool xwininfo xclip import timeout; do
    command -v "$tool" >/dev/null || e2e_fail "$tool is not installed (scripts/setup.sh test)"
  done
  rm -rf "$E2E_ARTIFACTS"
  mkdir -p "$E2E_ARTIFACTS"
  E2E_TMP=$(mktemp -d)
  trap e2e_cleanup EXIT
  # Only the virtual screen below may be used, never the developer's own desktop.
  unset WAYLAND_DISPLAY DISPLAY
  export QT_QPA_PLATFORM=xcb
}

# e2e_start_display WIDTHxHEIGHT: starts Xvfb on a free display number and exports DISPLAY.
e2e_start_display() {
  local size=$1
  [[ "$size" =~ ^[0-9]+x[0-9]+$ ]] || e2e_fail "bad screen size $size"
  local number_file=$E2E_TMP/display_number
  : >"$number_file"
  # -displayfd lets the server pick a free number itself and write it once it is ready, so
  # tests running side by side never race for the same display.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
    3>"$number_file" >"$E2E_ARTIFACTS/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  local waited=0
  until [[ -s "$number_file" ]] && grep -q '^[0-9]' "$number_file"; do
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb ended at start: $(cat "$E2E_ARTIFACTS/xvfb.log")"
    ((waited++ < E2E_TIMEOUT * 20)) || e2e_fail "Xvfb did not start within $E2E_TIMEOUT s"
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$number_file")"
  e2e_log "Xvfb $size on $DISPLAY"
}

# e2e_start_window_manager: starts openbox, a reparenting window manager that draws frames,
# on the Xvfb display and waits until it manages the screen (it announces itself through
# _NET_SUPPORTING_WM_CHECK on the root window). The developer's own openbox settings are kept
# out by a private XDG_CONFIG_HOME.
e2e_start_window_manager() {
  [[ -n "${DISPLAY:-}" ]] || e2e_fail "e2e_start_display must come first"
  command -v openbox >/dev/null || e2e_fail "openbox is not installed (scripts/setup.sh test)"
  XDG_CONFIG_HOME=$E2E_TMP/config openbox --sm-disable >"$E2E_ARTIFACTS/openbox.log" 2>&1 &
  E2E_WM_PID=$!
  local waited=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    kill -0 "$E2E_WM_PID" 2>/dev/null || e2e_fail "openbox ended at start: $(cat "$E2E_ARTIFACTS/openbox.log")"
    ((waited++ < E2E_TIMEOUT * 20)) || e2e_fail "openbox did not start within $E2E_TIMEOUT s"
    sleep 0.05
  done
  e2e_log "openbox on $DISPLAY"
}

# e2e_start_weston WIDTHxHEIGHT: starts the Wayland compositor weston with its headless
# back end (software rendering, so screenshots work) on a private socket, and sets up the
# environment of a Wayland session: WAYLAND_DISPLAY, XDG_RUNTIME_DIR, XDG_SESSION_TYPE, and
# no DISPLAY or QT_QPA_PLATFORM, so the program has to find Wayland by itself.
e2e_start_weston() {
  local size=$1
  [[ "$size" =~ ^([0-9]+)x([0-9]+)$ ]] || e2e_fail "bad screen size $size"
  command -v weston >/dev/null || e2e_fail "weston is not installed (scripts/setup.sh test)"
  export XDG_RUNTIME_DIR=$E2E_TMP/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  local socket=quorvel-e2e
  # --debug allows weston-screenshooter; --idle-time=0 keeps the screen from blanking.
  weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 \
    --width="${BASH_REMATCH[1]}" --height="${BASH_REMATCH[2]}" --socket="$socket" \
    >"$E2E_ARTIFACTS/weston.log" 2>&1 &
  E2E_WESTON_PID=$!
  local waited=0
  until [[ -S "$XDG_RUNTIME_DIR/$socket" ]]; do
    kill -0 "$E2E_WESTON_PID" 2>/dev/null || e2e_fail "weston ended at start: $(cat "$E2E_ARTIFACTS/weston.log")"
    ((waited++ < E2E_TIMEOUT * 20)) || e2e_fail "weston did not start within $E2E_TIMEOUT s"
    sleep 0.05
  done
  export WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland
  unset DISPLAY QT_QPA_PLATFORM
  e2e_log "weston $size on $WAYLAND_DISPLAY"
}

# e2e_wayland_screenshot NAME: keeps weston's whole output as ARTIFACT_DIR/NAME.png.
e2e_wayland_screenshot() {
  local shots=$E2E_TMP/shots
  rm -rf "$shots"
  mkdir -p "$shots"
  (cd "$shots" && timeout "$E2E_TIMEOUT" weston-screenshooter >/dev/null 2>&1) ||
    e2e_fail "weston-screenshooter failed"
  local shot
  shot=$(find "$shots" -name '*.png' | head -n 1)
  [[ -n "$shot" ]] || e2e_fail "weston-screenshooter wrote no picture"
  mv "$shot" "$E2E_ARTIFACTS/$1.png"
}

# e2e_count_colour IMAGE COLOUR: sets E2E_COUNT to the number of pixels of exactly COLOUR.
e2e_count_colour() {
  E2E_COUNT=$(convert "$1" -alpha off -fill black +opaque "$2" -fill white -opaque "$2" \
                -format '%[fx:round(mean*w*h)]' info:) || e2e_fail "cannot count colours of $1"
}

# e2e_start_program: starts the program on the display, waits for its window "Quorvel" to be
# mapped, and gives it the input focus. Sets E2E_WINDOW.
e2e_start_program() {
  [[ -n "${DISPLAY:-}" ]] || e2e_fail "e2e_start_display must come first"
  e2e_launch_program
  E2E_WINDOW=$(timeout "$E2E_TIMEOUT" xdotool search --sync --onlyvisible --name '^Quorvel$' \
                 2>/dev/null | head -n 1) || true
  [[ -n "$E2E_WINDOW" ]] ||
    e2e_fail "no visible window \"Quorvel\" within $E2E_TIMEOUT s: $(cat "$E2E_ARTIFACTS/program.log")"
  e2e_log "window $E2E_WINDOW of process $E2E_PROGRAM_PID"
  e2e_focus_window
}

# e2e_launch_program: only starts the program (in the background) and sets E2E_PROGRAM_PID.
e2e_launch_program() {
  "$E2E_PROGRAM" >"$E2E_ARTIFACTS/program.log" 2>&1 &
  E2E_PROGRAM_PID=$!
}

# e2e_focus_window: gives the window the input focus and waits until the server confirms it.
e2e_focus_window() {
  timeout "$E2E_TIMEOUT" xdotool windowfocus --sync "$E2E_WINDOW" ||
    e2e_fail "the window did not take the input focus"
  # Qt activates the window when the focus-in event arrives; let it be handled.
  sleep 0.2
}

# e2e_window_geometry: sets E2E_LEFT, E2E_TOP, E2E_WIDTH, E2E_HEIGHT of the window, in screen
# pixels (outer size: there is no window manager frame under Xvfb).
e2e_window_geometry() {
  local info
  info=$(xwininfo -id "$E2E_WINDOW") || e2e_fail "xwininfo failed for $E2E_WINDOW"
  E2E_LEFT=$(sed -n 's/^ *Absolute upper-left X: *\(-\{0,1\}[0-9]*\)$/\1/p' <<<"$info")
  E2E_TOP=$(sed -n 's/^ *Absolute upper-left Y: *\(-\{0,1\}[0-9]*\)$/\1/p' <<<"$info")
  E2E_WIDTH=$(sed -n 's/^ *Width: *\([0-9]*\)$/\1/p' <<<"$info")
  E2E_HEIGHT=$(sed -n 's/^ *Height: *\([0-9]*\)$/\1/p' <<<"$info")
  [[ -n "$E2E_LEFT" && -n "$E2E_TOP" && -n "$E2E_WIDTH" && -n "$E2E_HEIGHT" ]] ||
    e2e_fail "cannot read the geometry from xwininfo: $info"
}

# e2e_type TEXT: types TEXT (any Unicode, full-width forms included) into the focused control.
e2e_type() {
  # Characters outside the keymap (full-width forms) are typed through a key remapped for the
  # moment; a longer delay gives the program time to read each one before the next remap.
  local delay=30
  [[ "$1" == *[![:ascii:]]* ]] && delay=150
  xdotool type --delay "$delay" -- "$1" || e2e_fail "xdotool could not type $1"
  sleep 0.1
}

# e2e_key KEY...: presses keys in xdotool's names, e.g. Tab shift+Tab Down Escape space.
e2e_key() {
  xdotool key --delay 60 -- "$@" || e2e_fail "xdotool could not press $*"
  sleep 0.1
}

# e2e_copy_focused_text: selects all of the focused edit box, copies it and sets E2E_COPIED to
# what the clipboard holds. A marker is put on the clipboard first, so an old value is never taken for
# the new one; fails when nothing arrives (e.g. an empty box, which copies nothing).
e2e_copy_focused_text() {
  local marker="e2e-marker-$RANDOM$RANDOM"
  printf '%s' "$marker" | xclip -selection clipboard -i >/dev/null 2>&1
  xdotool key --delay 60 ctrl+a ctrl+c || e2e_fail "xdotool could not copy"
  local text waited=0
  while ((waited++ < E2E_TIMEOUT * 10)); do
    text=$(timeout 5 xclip -selection clipboard -o 2>/dev/null) || text=$marker
    if [[ "$text" != "$marker" ]]; then
      E2E_COPIED=$text
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "nothing was copied from the focused control"
}

# e2e_screenshot NAME: keeps the whole screen as ARTIFACT_DIR/NAME.png.
e2e_screenshot() {
  local path=$E2E_ARTIFACTS/$1.png
  import -display "$DISPLAY" -window root "$path" || e2e_fail "screenshot $1 failed"
  e2e_log "screenshot $path"
}

# e2e_window_screenshot NAME: keeps only the window (cut from the whole screen).
e2e_window_screenshot() {
  e2e_window_geometry
  local path=$E2E_ARTIFACTS/$1.png
  import -display "$DISPLAY" -window root \
    -crop "${E2E_WIDTH}x${E2E_HEIGHT}+${E2E_LEFT}+${E2E_TOP}" +repage "$path" ||
    e2e_fail "screenshot $1 failed"
  e2e_log "window screenshot $path"
}

# e2e_wait_exit: waits for the program to end; sets E2E_EXIT_STATUS.
e2e_wait_exit() {
  local waited=0
  while kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; do
    ((waited++ < E2E_TIMEOUT * 20)) || e2e_fail "the program is still running after $E2E_TIMEOUT s"
    sleep 0.05
  done
  E2E_EXIT_STATUS=0
  wait "$E2E_PROGRAM_PID" || E2E_EXIT_STATUS=$?
  E2E_PROGRAM_PID=""
  e2e_log "program ended with status $E2E_EXIT_STATUS"
}

# e2e_expect_exit STATUS: waits for the program to end and checks its exit status.
e2e_expect_exit() {
  e2e_wait_exit
  [[ "$E2E_EXIT_STATUS" == "$1" ]] ||
    e2e_fail "exit status $E2E_EXIT_STATUS, expected $1; output: $(cat "$E2E_ARTIFACTS/program.log")"
}

# e2e_expect_running: the program has not ended (e.g. after a key that must do nothing).
e2e_expect_running() {
  kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "the program ended: $1"
}

# e2e_expect_eq ACTUAL EXPECTED WHAT
e2e_expect_eq() {
  [[ "$1" == "$2" ]] || e2e_fail "$3: got '$1', expected '$2'"
  e2e_log "ok: $3 = '$2'"
}

e2e_pass() {
  e2e_log "passed"
}
