#!/usr/bin/env bash
# Installs the Debian packages that building and running Quorvel needs, and only those that
# are missing. Usage: scripts/setup.sh [run|test]   (or source it and call quorvel_setup).
#   run   the compiler, CMake, Ninja, Qt 6 and a CJK font that shows GBK text
#   test  everything in "run" plus the test, fuzz, benchmark, lint and packaging tools

# Packages to build and start the calculator.
QUORVEL_RUN_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev          # Qt 6 Widgets (and QtTest), with the xcb and offscreen platforms
  qt6-wayland           # lets the window open on a Wayland desktop as well as on X11
  fonts-wqy-microhei    # a CJK font, so the Chinese captions are not empty boxes
)

# Packages to build and run every test, fuzzer, benchmark and check.
QUORVEL_TEST_PACKAGES=(
  libgtest-dev libgmock-dev
  libbenchmark-dev libfast-float-dev libfmt-dev libdouble-conversion-dev
  clang libclang-rt-14-dev   # the fuzz preset: libFuzzer and sanitizer run-times
  clang-format clang-tidy
  xvfb xauth xdotool xclip x11-utils imagemagick   # end-to-end tests on a virtual display
  weston                                           # ... and on a headless Wayland compositor
  openbox                                          # ... and under a window manager with frames
  appstream desktop-file-utils                     # validate the launcher and metainfo
  dpkg-dev file                                    # CPack derives the .deb dependencies
)

# Prints the packages of the given list that are not installed.
quorvel_missing_packages() {
  local package status
  for package in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "installed" ]]; then
      printf '%s\n' "$package"
    fi
  done
}

quorvel_setup() {
  local mode=${1:-run}
  local wanted=("${QUORVEL_RUN_PACKAGES[@]}")
  case "$mode" in
    run) ;;
    test) wanted+=("${QUORVEL_TEST_PACKAGES[@]}") ;;
    *)
      echo "setup: unknown mode '$mode' (use run or test)" >&2
      return 2
      ;;
  esac

  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "setup: this script installs Debian packages and needs dpkg/apt-get (Debian 12)" >&2
    return 1
  fi

  local missing
  mapfile -t missing < <(quorvel_missing_packages "${wanted[@]}")
  if ((${#missing[@]} == 0)); then
    echo "setup: all ${#wanted[@]} packages for '$mode' are installed"
    return 0
  fi

  local -a as_root=()
  if ((EUID != 0)); then
    if command -v sudo >/dev/null 2>&1; then
      as_root=(sudo)
    else
      echo "setup: missing packages (${missing[*]}) and not root, and sudo is not available" >&2
      return 1
    fi
  fi

  echo "setup: installing ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Called as a program rather than sourced.
if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -euo pipefail
  quorvel_setup "${1:-run}"
fi
