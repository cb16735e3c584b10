#!/usr/bin/env bash
# A person's session with the keyboard only: type both operands (the second in full-width
# characters), Tab round to the operator list and pick "*" with the arrow keys, press the
# button with Space, check every box through the clipboard, and leave with Esc (status 0).
# The window's picture is kept as window.png (scripts/update-screenshot copies it to docs/).
#   keyboard_e2e.sh PROGRAM ARTIFACT_DIR
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_begin "$@"

e2e_start_display 1366x768
e2e_start_program

# The focus starts in the first operand box; Tab order: first operand, second operand,
# result, button, operator list.
e2e_type "12"
e2e_key Tab
e2e_type "３.５"
e2e_key Tab Tab Tab
e2e_key Down Down           # "+" -> "-" -> "*"
e2e_key shift+Tab           # back to the button
e2e_key space

e2e_key shift+Tab           # the result box
e2e_copy_focused_text
e2e_expect_eq "$E2E_COPIED" "42" "12 * ３.５"
e2e_key shift+Tab
e2e_copy_focused_text
e2e_expect_eq "$E2E_COPIED" "３.５" "second operand, typed in full-width characters"
e2e_key shift+Tab
e2e_copy_focused_text
e2e_expect_eq "$E2E_COPIED" "12" "first operand"

# Leave the selection out of the picture: Tab on to the button.
e2e_key Tab Tab Tab
e2e_screenshot screen
e2e_window_screenshot window

e2e_key Escape
e2e_expect_exit 0
e2e_pass
