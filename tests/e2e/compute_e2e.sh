#!/usr/bin/env bash
# A person's calculation with keyboard and mouse: type "2", Tab, "3", choose "/" with the
# keyboard, click "计算" with the mouse, and read "0.6666666666667" back from the result box
# through the clipboard; then full-width operands typed through the input path; Esc ends the
# program with status 0.
#   compute_e2e.sh PROGRAM ARTIFACT_DIR
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_begin "$@"

# Control rectangles inside the window (left, top, width, height); without a window manager the
# window has no frame, so these are also offsets from the window's corner.
button_x=$((186 + 80 / 2)) button_y=$((120 + 32 / 2))
first_x=$((32 + 80 / 2)) first_y=$((48 + 32 / 2))
second_x=$((184 + 80 / 2)) second_y=$((49 + 31 / 2))
result_x=$((32 + 120 / 2)) result_y=$((120 + 28 / 2))

# click_at X Y: moves the mouse pointer to X, Y of the window and clicks the left button.
click_at() {
  xdotool mousemove --window "$E2E_WINDOW" "$1" "$2" click 1 || e2e_fail "xdotool could not click"
  sleep 0.2
}

# read_result: clicks into the result box and copies its text into E2E_COPIED.
read_result() {
  click_at "$result_x" "$result_y"
  e2e_copy_focused_text
}

e2e_start_display 1366x768
e2e_start_program

# The focus starts in the first operand box. Tab order: first operand, second operand,
# result, button, operator list.
e2e_type "2"
e2e_key Tab
e2e_type "3"
e2e_key Tab Tab Tab
e2e_key Down Down Down      # "+" -> "-" -> "*" -> "/"
click_at "$button_x" "$button_y"
read_result
e2e_expect_eq "$E2E_COPIED" "0.6666666666667" "2 / 3"
e2e_expect_running "after the first calculation"

# Full-width digits and point, typed into each box after selecting its old text.
click_at "$first_x" "$first_y"
e2e_key ctrl+a
e2e_type "１２．５"
click_at "$second_x" "$second_y"
e2e_key ctrl+a
e2e_type "０．５"
click_at "$button_x" "$button_y"
read_result
e2e_expect_eq "$E2E_COPIED" "25" "１２．５ / ０．５"

# Division by zero shows an infinity and the program keeps running.
click_at "$second_x" "$second_y"
e2e_key ctrl+a
e2e_type "0"
click_at "$button_x" "$button_y"
read_result
e2e_expect_eq "$E2E_COPIED" "1.#INF" "１２．５ / 0"
e2e_expect_running "after a division by zero"

e2e_window_screenshot result
e2e_key Escape
e2e_expect_exit 0
e2e_pass
