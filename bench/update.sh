#!/usr/bin/env bash
# update.sh: an installation over an earlier one, timed with this tree's installer and with
# another build of it, taking turns, in one Wine prefix. Needs the win64 build.
#   bench/update.sh OTHER-Installer.exe [runs] [work-folder]   (defaults 4, build/bench/update)
# The tree is compare.sh's "small" one: 2000 small text files in 100 folders. Every run installs
# the product once (uncounted) and then again over it, pressing OK to "the folder exists"; the
# figures are the driver's whole process and its file phase, in seconds, one line a run.
# Round 0 warms the caches up; compare the medians of the others.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
other=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
runs=${2:-4}
work=${3:-$root/build/bench/update}
rm -rf "$work"
mkdir -p "$work"
prefix=$work/wine
"$root/scripts/wine-prefix" start "$prefix" >/dev/null
trap '"$root/scripts/wine-prefix" stop "$prefix" >/dev/null' EXIT
run() { "$root/scripts/wine-run" --prefix "$prefix" "$@"; }
win() { echo "Z:${1//\//\\}"; }
run reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
run explorer.exe /desktop=Default >/dev/null 2>&1 &
src=$work/small
for i in $(seq -w 0 99); do
  mkdir -p "$src/folder$i"
  for j in $(seq -w 0 19); do
    head -c $(( (10#$i * 37 + 10#$j * 101) % 6000 + 200 )) /usr/include/stdio.h >"$src/folder$i/file$j.txt"
    echo "$i $j" >>"$src/folder$i/file$j.txt"
  done
done
desc=$root/build/win64/examples/sample/description.txt
packer=$root/build/win64/tools/mkinstaller/mkinstaller.exe
run "$packer" build --stub "$(win "$root/build/win64/app/Installer.exe")" --desc "$(win "$desc")" --root "$(win "$src")" \
  -o "$(win "$work/this.exe")" >/dev/null 2>&1
run "$packer" build --stub "$(win "$other")" --desc "$(win "$desc")" --root "$(win "$src")" \
  -o "$(win "$work/other.exe")" >/dev/null 2>&1
driver=$root/build/win64/tests/e2e/InstallDriver.exe
programs="$prefix/prefix/drive_c/Program Files"
for r in $(seq 0 "$runs"); do
  order="other this"
  [ $((r % 2)) = 1 ] && order="this other"
  for v in $order; do
    run "$driver" install "$(win "$work/$v.exe")" >/dev/null 2>&1
    sync
    out=$(run "$driver" install "$(win "$work/$v.exe")" 2>&1)
    echo "run $r $v: $(echo "$out" | awk '/from the start to the end/ { print $1 }') s," \
      "file phase $(echo "$out" | awk '/to the closing notice/ { print $1 }') s"
    # Moved aside, not deleted: see compare.sh on deleted trees and this machine's ext4.
    mv "$programs/Sample Tool" "$programs/spent-$v-$r"
  done
done
