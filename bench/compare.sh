#!/usr/bin/env bash
# compare.sh: this installer against NSIS on the same product trees, in one Wine prefix.
# Needs the native and win64 builds (scripts/build native win64) and makensis (Debian nsis).
#   bench/compare.sh [work-folder] [runs]     (defaults build/bench/compare and 3)
# Trees: "small" = 2000 small text files in 100 folders, "large" = four binaries of 16 MB made
# from the machine's programs.
#
# Every figure is the median of the runs (each run listed beside it), whole-process wall-clock
# seconds, Wine start-up included for every tool alike, after one uncounted round that warms the
# caches up. The runs take turns, so that a change of load on the machine touches every
# installer the same way. For this installer the driver
# presses its buttons as a user would and reports the installer process from its start to its
# end, its time from start to window (the pre-scan of the package), and its file phase (from
# Install to the closing notice). "vs NSIS zlib" is the installer's median over NSIS zlib's.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$root/build/bench/compare}
runs=${2:-3}
packer=$root/build/native/tools/mkinstaller/mkinstaller
winpacker=$root/build/win64/tools/mkinstaller/mkinstaller.exe
stub=$root/build/win64/app/Installer.exe
driver=$root/build/win64/tests/e2e/InstallDriver.exe
desc=$root/build/native/examples/sample/description.txt
for f in "$packer" "$winpacker" "$stub" "$desc" "$driver"; do
  [ -e "$f" ] || { echo "compare: $f is missing; run scripts/build native win64 first" >&2; exit 2; }
done
command -v makensis >/dev/null || { echo "compare: makensis (Debian nsis) is missing" >&2; exit 2; }

rm -rf "$work"
mkdir -p "$work"
prefix=$work/wine
"$root/scripts/wine-prefix" start "$prefix" >/dev/null
trap '"$root/scripts/wine-prefix" stop "$prefix" >/dev/null' EXIT
run() { "$root/scripts/wine-run" --prefix "$prefix" "$@"; }
# Wine's desktop-menu helper starts for every shortcut made in the start menu, which Windows
# has no counterpart of (and the NSIS script makes no shortcuts): it stays off in this prefix.
run reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
# A user's desktop is there before any installer starts. Wine's desktop process ends a little
# after the last window, and starting it again costs the next window some 0.3 s: it stays.
run explorer.exe /desktop=Default >/dev/null 2>&1 &
win() { echo "Z:${1//\//\\}"; }
drive_c=$prefix/prefix/drive_c
seconds() { # command...: prints the wall-clock seconds it took
  local t0 t1
  t0=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || { echo "compare: failed: $*" >&2; return 1; }
  t1=$(date +%s.%N)
  echo "$t0 $t1" | awk '{printf "%.2f", $2 - $1}'
}

make_small() {
  local dir=$1 i j
  for i in $(seq -w 0 99); do
    mkdir -p "$dir/folder$i"
    for j in $(seq -w 0 19); do
      # Text of varying length from the machine's headers, so that it compresses like sources.
      head -c $(( (10#$i * 37 + 10#$j * 101) % 6000 + 200 )) "/usr/include/stdio.h" >"$dir/folder$i/file$j.txt"
      echo "$i $j" >>"$dir/folder$i/file$j.txt"
    done
  done
}
make_large() {
  local dir=$1 i
  mkdir -p "$dir"
  for i in 1 2 3 4; do
    find /usr/bin /usr/lib/x86_64-linux-gnu -maxdepth 1 -type f -size +200k 2>/dev/null | sort | sed -n "$i~4p" |
      xargs cat 2>/dev/null | head -c $((16 << 20)) >"$dir/program$i.bin"
  done
}

nsis_script() { # tree compressor output
  cat <<NSI
Unicode true
Target amd64-unicode
SetCompressor $2
RequestExecutionLevel admin
OutFile "$3"
InstallDir "C:\\nsis-default"
Page instfiles
Section
  SetOutPath "\$INSTDIR"
  File /r "$1/*.*"
SectionEnd
NSI
}

# Figures are collected as lines "key seconds" in one file per tree, then summarised; a run
# that fails leaves no figure.
record() { [ -z "$3" ] || echo "$2 $3" >>"$1"; }
timed() { # figures key command...
  local figures=$1 key=$2 t
  shift 2
  if t=$(seconds "$@"); then record "$figures" "$key" "$t"; fi
}
median() { # file key: the median of that key's figures, or "failed"
  awk -v k="$2" '$1 == k { print $2 }' "$1" | sort -n | awk '
    { v[NR] = $1 } END { if (NR == 0) print "failed"; else if (NR % 2) printf "%.2f", v[(NR + 1) / 2];
                         else printf "%.2f", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
listed() { awk -v k="$2" '$1 == k { printf "%s%s", sep, $2; sep = " " }' "$1"; }
rate() { awk -v b="$1" -v s="$2" 'BEGIN { if (s + 0 > 0) printf "%.1f", b / 1e6 / s; else print "-" }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a + 0 > 0 && b + 0 > 0) printf "%.2fx", a / b; else print "-" }'; }

# One install through the driver: records the whole process, the time to the window and the
# file phase as the driver prints them.
install_ours() { # figures setup
  local out
  rm -rf "$drive_c/Program Files/Sample Tool"
  if ! out=$(run "$driver" install "$(win "$2")" 2>&1); then
    echo "compare: the installer's run failed: $out" >&2
    return 0
  fi
  record "$1" ours "$(echo "$out" | awk '/from the start to the end/ { print $1 }')"
  record "$1" window "$(echo "$out" | awk '/from the start to the window/ { print $1 }')"
  record "$1" files "$(echo "$out" | awk '/to the closing notice/ { print $1 }')"
}

row() { printf "%-6s %-24s %12s %9s %14s %12s  %s\n" "$@"; }
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 minutes; $(nproc) cores)"
row tree installer "size (bytes)" median "MB/s of tree" "vs NSIS zlib" "runs (s)"
for tree in small large; do
  src=$work/$tree
  figures=$work/$tree.figures
  "make_$tree" "$src"
  bytes=$(du -sb "$src" | cut -f1)
  setup=$work/$tree-setup.exe
  "$packer" build --stub "$stub" --desc "$desc" --root "$src" -o "$setup" 2>/dev/null
  for compressor in zlib lzma; do
    nsis_script "$src" "$compressor" "$work/$tree-nsis-$compressor.exe" >"$work/$tree-$compressor.nsi"
    makensis -V1 "$work/$tree-$compressor.nsi" >/dev/null
  done

  # Round 0 warms the caches (and the desktop) up and is not counted.
  for r in $(seq 0 "$runs"); do
    f=$figures
    [ "$r" -gt 0 ] || f=$work/warm-up.figures
    install_ours "$f" "$setup"
    rm -rf "$drive_c/extract-$tree"
    timed "$f" extract run "$winpacker" extract "$(win "$setup")" "C:\\extract-$tree"
    rm -rf "$drive_c/copy-$tree"
    timed "$f" copy run cmd /c xcopy /E /I /Q "$(win "$src")" "C:\\copy-$tree"
    for compressor in zlib lzma; do
      rm -rf "$drive_c/nsis-$compressor-$tree"
      timed "$f" "$compressor" run "$work/$tree-nsis-$compressor.exe" /S "/D=C:\\nsis-$compressor-$tree"
    done
  done

  zlib=$(median "$figures" zlib)
  ours=$(median "$figures" ours)
  row "$tree" "(the tree itself)" "$bytes" "" "" "" ""
  row "$tree" "this installer" "$(stat -c %s "$setup")" "$ours" "$(rate "$bytes" "$ours")" "$(ratio "$ours" "$zlib")" \
    "$(listed "$figures" ours)"
  row "$tree" "  start to window" "" "$(median "$figures" window)" "" "" "$(listed "$figures" window)"
  row "$tree" "  file phase" "" "$(median "$figures" files)" "" "" "$(listed "$figures" files)"
  extract=$(median "$figures" extract)
  row "$tree" "  its extraction" "" "$extract" "$(rate "$bytes" "$extract")" "" "$(listed "$figures" extract)"
  copy=$(median "$figures" copy)
  row "$tree" "  plain copy (xcopy)" "" "$copy" "$(rate "$bytes" "$copy")" "" "$(listed "$figures" copy)"
  for compressor in zlib lzma; do
    t=$(median "$figures" "$compressor")
    row "$tree" "NSIS $compressor" "$(stat -c %s "$work/$tree-nsis-$compressor.exe")" "$t" "$(rate "$bytes" "$t")" \
      "" "$(listed "$figures" "$compressor")"
  done
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
