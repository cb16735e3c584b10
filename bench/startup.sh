#!/usr/bin/env bash
# Start-up time and resident memory of quorvel next to two calculators from Debian's archive
# (galculator, gnome-calculator), measured side by side in one run on one Xvfb screen.
#
#   bench/startup.sh [QUORVEL_PROGRAM]
#
# For each start: the time from starting the program to its window being mapped and painted
# (the first frame with drawn content), and the resident memory of the program and its
# children SETTLE_MS after that: RSS, and PSS, which shares library pages among their users. The programs take turns, RUNS rounds after one warm-up
# round, and the median of each is printed. galculator and gnome-calculator are installed
# with apt-get when missing; they are used by this script only.
#
# Environment: RUNS (default 9), SETTLE_MS (default 1000), SCREEN_SIZE (default 1366x768).
# All three run under the same conditions: one private D-Bus session, a fresh HOME, no
# window manager, GTK's accessibility bridge off. Qt has no switch for its AT-SPI bridge: it
# asks the session bus whether assistive technology is on (about 50 kB of quorvel's RSS).
# galculator loads Mesa's GL driver (about 86 MB RSS) while the desktop portal is not yet
# running on the bus; the warm-up round's gnome-calculator starts it, so the rounds measure
# galculator as it runs in a desktop session that has the portal.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${RUNS:-9}
settle_ms=${SETTLE_MS:-1000}
screen_size=${SCREEN_SIZE:-1366x768}

quorvel=${1:-}
if [[ -z "$quorvel" ]]; then
  for candidate in "$root"/build/release/src/app/quorvel "$root"/build/dev/src/app/quorvel; do
    if [[ -x "$candidate" ]]; then
      quorvel=$candidate
      break
    fi
  done
fi
if [[ -z "$quorvel" || ! -x "$quorvel" ]]; then
  echo "usage: $0 [QUORVEL_PROGRAM]  (no quorvel found in build/release or build/dev)" >&2
  exit 2
fi
quorvel=$(cd "$(dirname "$quorvel")" && pwd)/$(basename "$quorvel")

for tool in Xvfb dbus-run-session c++; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 2; }
done

# Everything below runs in one private D-Bus session, which the GTK programs use for their
# application registration and settings.
# The bus daemon's own messages go nowhere: this script gets the terminal's stderr back
# through descriptor 3.
if [[ -z "${STARTUP_BENCH_IN_SESSION:-}" ]]; then
  export STARTUP_BENCH_IN_SESSION=1
  exec dbus-run-session -- "$0" "$quorvel" 3>&2 2>/dev/null
fi
if { true >&3; } 2>/dev/null; then
  exec 2>&3 3>&-
fi

missing=()
command -v galculator >/dev/null || missing+=(galculator)
command -v gnome-calculator >/dev/null || missing+=(gnome-calculator)
if ((${#missing[@]} > 0)); then
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  echo "installing ${missing[*]} for the comparison"
  "${sudo[@]}" apt-get install -y "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  # The document portal mounts a file system in the runtime folder while the bus lives.
  if command -v fusermount >/dev/null && mountpoint -q "$work/runtime/doc" 2>/dev/null; then
    fusermount -u -z "$work/runtime/doc" || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

c++ -std=c++20 -O2 "$root/bench/startup_probe.cpp" -lX11 -o "$work/startup_probe"

# A free display number, then the screen, black behind the windows.
display_number=90
while [[ -e /tmp/.X11-unix/X$display_number || -e /tmp/.X$display_number-lock ]]; do
  display_number=$((display_number + 1))
done
Xvfb ":$display_number" -screen 0 "${screen_size}x24" -br -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -e /tmp/.X11-unix/X$display_number ]] && break
  sleep 0.05
done
[[ -e /tmp/.X11-unix/X$display_number ]] || { echo "Xvfb did not start" >&2; exit 1; }

mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export DISPLAY=":$display_number" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
export NO_AT_BRIDGE=1 GTK_A11Y=none
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# Services the bus starts for the GTK programs (the desktop portal) find the screen too.
dbus-update-activation-environment DISPLAY HOME XDG_RUNTIME_DIR NO_AT_BRIDGE GTK_A11Y

names=(quorvel galculator gnome-calculator)
commands=("$quorvel" galculator gnome-calculator)

# One round starts each program once, in turn; the results go to one file per program.
measure_round() {
  local round=$1 i result
  for i in "${!names[@]}"; do
    if ! result=$("$work/startup_probe" "$settle_ms" "${commands[$i]}" 2>>"$work/${names[$i]}.log"); then
      echo "${names[$i]}: no painted window; its last messages:" >&2
      tail -n 5 "$work/${names[$i]}.log" >&2
      exit 1
    fi
    [[ "$round" == warm-up ]] || echo "$result" >>"$work/${names[$i]}.txt"
  done
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "startup.sh: $runs interleaved rounds after a warm-up, settle ${settle_ms} ms, screen $screen_size"
echo "quorvel: $quorvel"
measure_round warm-up
for round in $(seq "$runs"); do
  measure_round "$round"
done

printf '\n%-18s %12s %16s %9s %9s\n' program "start-up ms" "(min - max)" "RSS MB" "PSS MB"
for name in "${names[@]}"; do
  file="$work/$name.txt"
  start=$(cut -d' ' -f1 "$file" | median)
  low=$(cut -d' ' -f1 "$file" | sort -n | head -n 1)
  high=$(cut -d' ' -f1 "$file" | sort -n | tail -n 1)
  rss=$(cut -d' ' -f2 "$file" | median)
  pss=$(cut -d' ' -f3 "$file" | median)
  printf '%-18s %12.1f %16s %9.1f %9.1f\n' "$name" "$start" "($low - $high)" \
    "$(awk -v kb="$rss" 'BEGIN { print kb / 1024 }')" "$(awk -v kb="$pss" 'BEGIN { print kb / 1024 }')"
done
for name in "${names[@]}"; do
  printf '%s runs (ms, RSS kB, PSS kB):' "$name"
  tr '\n' ';' <"$work/$name.txt"
  echo
done
