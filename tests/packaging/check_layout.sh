#!/usr/bin/env bash
# Puts Quorvel into a scratch root, the way a user would, and checks that the root holds every
# file of the install layout.
#   check_layout.sh install BUILD_DIR SCRATCH FILE...   cmake --install --prefix SCRATCH/usr
#   check_layout.sh deb     BUILD_DIR SCRATCH FILE...   cpack, then dpkg-deb -x into SCRATCH
# FILE is relative to the prefix (/usr), e.g. bin/quorvel.
set -euo pipefail

mode=$1
build_dir=$2
scratch=$3
shift 3
expected=("$@")

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
root=$scratch/root

case "$mode" in
  install)
    cmake --install "$build_dir" --prefix "$root/usr"
    ;;
  deb)
    cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/cpack"
    mapfile -t debs < <(find "$scratch/cpack" -maxdepth 1 -name '*.deb')
    ((${#debs[@]} == 1)) || fail "expected one .deb in $scratch/cpack, found ${#debs[@]}"
    deb=${debs[0]}
    echo "package: $deb"
    dpkg-deb --info "$deb"
    dpkg-deb -x "$deb" "$root"
    # The Qt run-time must come from dpkg-shlibdeps, not be missing or listed by hand.
    depends=$(dpkg-deb -f "$deb" Depends)
    depended_on=$(tr ',|' '\n\n' <<<"$depends" | sed -E 's/^ *//; s/[ (].*//')
    for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
      grep -Fxq "$library" <<<"$depended_on" || fail "Depends lacks $library: $depends"
    done
    ;;
  *)
    fail "unknown mode $mode"
    ;;
esac

echo "installed tree:"
(cd "$root" && find . -type f | sort)

for file in "${expected[@]}"; do
  path=$root/usr/$file
  [[ -f "$path" ]] || fail "$mode: missing $file"
  case "$file" in
    bin/*)
      [[ -x "$path" ]] || fail "$mode: $file is not executable"
      ;;
    */icons/hicolor/*/apps/*.png)
      size=${file#*/icons/hicolor/}
      size=${size%%/*}
      pixels=${size/x/ x }
      description=$(file -b "$path")
      [[ "$description" == "PNG image data, $pixels,"* ]] ||
        fail "$mode: $file is not a $size PNG: $description"
      ;;
  esac
done

# Nothing may land outside the prefix.
stray=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr ! -name DEBIAN)
[[ -z "$stray" ]] || fail "$mode: files outside /usr: $stray"

# The metainfo must find its launcher and icon inside the tree it was installed with.
appstreamcli validate-tree --no-net "$root"
echo "$mode: all ${#expected[@]} files present"
