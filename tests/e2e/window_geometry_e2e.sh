#!/usr/bin/env bash
# The window opens centred on the screen, whatever the screen's size, with truncating
# division (a screen narrower than the window puts its left edge off-screen), and Esc ends
# the program with status 0.
#   window_geometry_e2e.sh PROGRAM ARTIFACT_DIR SCREEN_SIZE EXPECTED_LEFT EXPECTED_TOP
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
e2e_begin "$@"
screen_size=$3
expected_left=$4
expected_top=$5

e2e_start_display "$screen_size"
e2e_start_program
e2e_window_geometry
e2e_screenshot screen
e2e_expect_eq "$E2E_LEFT,$E2E_TOP" "$expected_left,$expected_top" "top-left on $screen_size"
e2e_expect_eq "${E2E_WIDTH}x$E2E_HEIGHT" "380x250" "outer size (no window manager frame)"

e2e_key Escape
e2e_expect_exit 0
e2e_pass
