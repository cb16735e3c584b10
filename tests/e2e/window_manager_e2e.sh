#!/usr/bin/env bash
# Under a window manager that draws frames (openbox), the window as the user sees it, frame
# included, is 380 x 250 and centred on a 1366 x 768 screen: (1366 - 380) / 2 = 493,
# (768 - 250) / 2 = 259. It has a fixed size, cannot be maximised, keeps its title bar, can be
# moved and closed, and Esc still ends the program with status 0.
#   window_manager_e2e.sh PROGRAM ARTIFACT_DIR
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_begin "$@"
command -v xprop >/dev/null || e2e_fail "xprop is not installed (scripts/setup.sh test)"

e2e_start_display 1366x768
e2e_start_window_manager
e2e_start_program
client=$E2E_WINDOW

# frame_of WINDOW: sets frame to WINDOW's top-level ancestor, the child of the root window
# that the window manager made to hold the window and draw its border and title bar.
frame_of() {
  local window=$1 parent
  while :; do
    parent=$(xwininfo -children -id "$window" |
               sed -n 's/^ *Parent window id: *\(0x[0-9a-f]*\).*/\1/p') ||
      e2e_fail "xwininfo failed for $window"
    [[ -n "$parent" ]] || e2e_fail "no parent window for $window"
    if xwininfo -children -id "$parent" | grep -q '^ *Parent window id: *0x0 '; then
      frame=$window
      return 0
    fi
    window=$parent
  done
}

# The window is framed when it is mapped, but the program corrects its size and position only
# once it has learnt the frame's extents, so the frame is watched until it settles.
frame=""
outer=""
waited=0
while :; do
  frame_of "$client"
  E2E_WINDOW=$frame
  e2e_window_geometry
  outer="${E2E_WIDTH}x$E2E_HEIGHT+$E2E_LEFT+$E2E_TOP"
  [[ "$outer" == "380x250+493+259" ]] && break
  ((waited++ < E2E_TIMEOUT * 10)) || break
  sleep 0.1
done
e2e_screenshot screen
[[ "$frame" != "$(printf '0x%x' "$client")" ]] ||
  e2e_fail "the window was not reparented: is the window manager running?"
# What is measured: the frame window's own rectangle on the screen, which holds the
# window manager's border and title bar around the program's client area.
e2e_expect_eq "$outer" "380x250+493+259" "frame (outer) size and top-left under openbox"

# The frame must really add something, or the check above would not differ from the one
# without a window manager; the client area is the outer size less the frame extents.
extents=$(xprop -id "$client" _NET_FRAME_EXTENTS |
            sed -n 's/.*= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\)$/\1 \2 \3 \4/p')
read -r ext_left ext_right ext_top ext_bottom <<<"$extents"
[[ -n "${ext_bottom:-}" ]] || e2e_fail "no _NET_FRAME_EXTENTS on the window"
((ext_top > 0)) || e2e_fail "openbox drew no title bar (frame extents $extents)"
E2E_WINDOW=$client
e2e_window_geometry
e2e_expect_eq "${E2E_WIDTH}x$E2E_HEIGHT+$E2E_LEFT+$E2E_TOP" \
  "$((380 - ext_left - ext_right))x$((250 - ext_top - ext_bottom))+$((493 + ext_left))+$((259 + ext_top))" \
  "client area inside the frame (extents $extents)"
client_size="$E2E_WIDTH by $E2E_HEIGHT"

# Not resizable: the program fixes its minimum and maximum size to the client size, and
# openbox therefore offers neither resizing nor maximising.
hints=$(xprop -id "$client" WM_NORMAL_HINTS) || e2e_fail "xprop failed for WM_NORMAL_HINTS"
min_size=$(sed -n 's/.*minimum size: *\([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
max_size=$(sed -n 's/.*maximum size: *\([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
e2e_expect_eq "$min_size" "$client_size" "WM_NORMAL_HINTS minimum size"
e2e_expect_eq "$max_size" "$client_size" "WM_NORMAL_HINTS maximum size"

actions=$(xprop -id "$client" _NET_WM_ALLOWED_ACTIONS) ||
  e2e_fail "xprop failed for _NET_WM_ALLOWED_ACTIONS"
for action in MOVE CLOSE; do
  grep -q "_NET_WM_ACTION_$action\b" <<<"$actions" || e2e_fail "openbox does not allow $action: $actions"
done
for action in RESIZE MAXIMIZE_HORZ MAXIMIZE_VERT; do
  ! grep -q "_NET_WM_ACTION_$action\b" <<<"$actions" || e2e_fail "openbox allows $action: $actions"
done
e2e_log "ok: allowed actions $actions"

# No minimise or maximise button: openbox decides the minimise button by itself (it keeps
# _NET_WM_ACTION_MINIMIZE for any normal window), so what is checked is what the program
# asks for in its Motif hints: flags, functions, decorations. The functions must not be "all"
# (bit 0x1) nor include minimise 0x8 or maximise 0x10; the decorations must not be "all"
# (0x1) nor include minimise 0x20 or maximise 0x40, but must include the title 0x8 and the
# system menu 0x10.
motif=$(xprop -id "$client" _MOTIF_WM_HINTS |
          sed -n 's/.*= *\(0x[0-9a-f]*\), *\(0x[0-9a-f]*\), *\(0x[0-9a-f]*\).*/\1 \2 \3/p')
read -r motif_flags motif_functions motif_decorations <<<"$motif"
[[ -n "${motif_decorations:-}" ]] || e2e_fail "no _MOTIF_WM_HINTS on the window"
((motif_flags & 0x1 && motif_flags & 0x2)) ||
  e2e_fail "the Motif hints do not set functions and decorations: $motif"
((!(motif_functions & (0x1 | 0x8 | 0x10)))) ||
  e2e_fail "the Motif functions allow minimising or maximising: $motif"
((!(motif_decorations & (0x1 | 0x20 | 0x40)))) ||
  e2e_fail "the Motif decorations ask for a minimise or maximise button: $motif"
(((motif_decorations & 0x18) == 0x18)) ||
  e2e_fail "the Motif decorations lack the title bar or system menu: $motif"
e2e_log "ok: Motif hints $motif"

e2e_focus_window
e2e_key Escape
e2e_expect_exit 0
e2e_pass
