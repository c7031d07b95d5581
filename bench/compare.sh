#!/usr/bin/env bash
# compare.sh: this installer against NSIS on the same product trees, in one Wine prefix.
# Prints a table: package size, install time, and the installer's extraction rate against a
# plain copy of the tree. Needs the native and win64 builds (scripts/build native win64).
#   bench/compare.sh [work-folder]     (default build/bench/compare)
# Trees: "small" = 2000 small text files in 100 folders, "large" = four binaries of 16 MB made
# from the machine's programs. Times are wall-clock seconds of one run each, Wine start-up
# included for every tool alike.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$root/build/bench/compare}
packer=$root/build/native/tools/mkinstaller/mkinstaller
winpacker=$root/build/win64/tools/mkinstaller/mkinstaller.exe
stub=$root/build/win64/app/Installer.exe
driver=$root/build/win64/tests/e2e/InstallDriver.exe # presses Install and OK, as a user would
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
win() { echo "Z:${1//\//\\}"; }
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

tree_bytes() { du -sb "$1" | cut -f1; }
rate() { awk -v b="$1" -v s="$2" 'BEGIN { if (s > 0) printf "%.1f", b / 1e6 / s; else print "-" }'; }

printf "%-6s %-22s %12s %10s %14s\n" tree installer "size (bytes)" "install s" "MB/s of tree"
for tree in small large; do
  src=$work/$tree
  "make_$tree" "$src"
  bytes=$(tree_bytes "$src")
  printf "%-6s %-22s %12s %10s %14s\n" "$tree" "(the tree itself)" "$bytes" "" ""

  "$packer" build --stub "$stub" --desc "$desc" --root "$src" -o "$work/$tree-setup.exe" 2>/dev/null
  size=$(stat -c %s "$work/$tree-setup.exe")
  # The sample's description installs into "Sample Tool" below the program-files folder; a
  # fresh folder each time, so that no run installs over the one before.
  rm -rf "$prefix/prefix/drive_c/Program Files/Sample Tool"
  install=$(seconds run "$driver" install "$(win "$work/$tree-setup.exe")") || install=failed
  printf "%-6s %-22s %12s %10s %14s\n" "$tree" "this installer" "$size" "$install" \
    "$( [ "$install" = failed ] && echo - || rate "$bytes" "$install")"
  extract=$(seconds run "$winpacker" extract "$(win "$work/$tree-setup.exe")" "C:\\extract-$tree")
  printf "%-6s %-22s %12s %10s %14s\n" "$tree" "  its extraction" "" "$extract" "$(rate "$bytes" "$extract")"
  copy=$(seconds run cmd /c xcopy /E /I /Q "$(win "$src")" "C:\\copy-$tree")
  printf "%-6s %-22s %12s %10s %14s\n" "$tree" "  plain copy (xcopy)" "" "$copy" "$(rate "$bytes" "$copy")"

  for compressor in zlib lzma; do
    nsis_script "$src" "$compressor" "$work/$tree-nsis-$compressor.exe" >"$work/$tree-$compressor.nsi"
    makensis -V1 "$work/$tree-$compressor.nsi" >/dev/null
    size=$(stat -c %s "$work/$tree-nsis-$compressor.exe")
    t=$(seconds run "$work/$tree-nsis-$compressor.exe" /S "/D=C:\\nsis-$compressor-$tree")
    printf "%-6s %-22s %12s %10s %14s\n" "$tree" "NSIS $compressor" "$size" "$t" "$(rate "$bytes" "$t")"
  done
done
