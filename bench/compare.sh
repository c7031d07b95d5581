#!/usr/bin/env bash
# compare.sh: this installer against NSIS on the same product trees, in one Wine prefix.
# Needs the native and win64 builds (scripts/build native win64) and makensis (Debian nsis).
#   bench/compare.sh [work-folder] [runs]     (defaults build/bench/compare and 3)
# Trees: "one" = a single small file, "small" = 2000 small text files in 100 folders, "large" =
# four binaries of 16 MB made from the machine's programs; TREES="small" measures one of them.
# The one-file tree shows what an installation costs whatever its product (start, window,
# registry, shortcuts, uninstaller, end); with the small tree it gives the cost of a file. The
# small tree is also installed by this installer over an earlier installation of it ("over an
# earlier one").
#
# Every figure is the median of the runs (each run listed beside it), in seconds, after one
# uncounted round that warms the caches up. Every tool is started the same way: by the driver,
# from inside Wine (CreateProcess), which times it on its one clock from the start of the process
# to its end; the start of Wine itself is outside every figure alike. The runs take turns, so
# that a change of load on the machine touches every installer the same way. For this installer
# the driver presses its buttons as a user would, and reports also its time from start to window
# (the pre-scan of the package) and its file phase (from Install to the closing notice); the
# others are silent and need no presses, except NSIS zlib with its "window shown": started as a
# user starts it, its progress page lists every file and closes itself at the end. "vs NSIS zlib"
# is the installer's median over silent NSIS zlib's, both doing the same job (below); in brackets
# on the "files only" and "window shown" rows, its median over those.
#
# Nothing is deleted until the last round: every run writes into a folder no run used before,
# and the trees are removed at the end. This machine's ext4 (without a journal) passes over
# inodes freed in the last minute or more when it allocates new ones, so a tree deleted just
# before a run made that run's file creation slower, and by how much depended on who had
# deleted what in the same block group. Remove a work folder of an earlier run a few minutes
# ahead for the same reason.
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
# Absolute: the NSIS scripts name the trees from inside their own folder.
work=$(cd "$work" && pwd)
prefix=$work/wine
drive_c=$prefix/prefix/drive_c
"$root/scripts/wine-prefix" start "$prefix" >/dev/null
finish() {
  "$root/scripts/wine-prefix" stop "$prefix" >/dev/null
  rm -rf "$drive_c/spent" "$drive_c"/extract-* "$drive_c"/copy-* "$drive_c"/nsis-*
}
trap finish EXIT
run() { "$root/scripts/wine-run" --prefix "$prefix" "$@"; }
# Wine's desktop-menu helper starts for every shortcut made in the start menu, which Windows
# has no counterpart of: it stays off in this prefix, for this installer and NSIS alike.
run reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
# A user's desktop is there before any installer starts. Wine's desktop process ends a little
# after the last window, and starting it again costs the next window some 0.3 s: it stays.
run explorer.exe /desktop=Default >/dev/null 2>&1 &
win() { echo "Z:${1//\//\\}"; }
# Before every timed run the writes of the one before are put on disk, so that no installer
# pays for the write-back of another's tree (the large tree writes some 70 MB a run).
settle() { sync; }

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
make_one() {
  mkdir -p "$1"
  head -c 3000 /usr/include/stdio.h >"$1/readme.txt"
}
make_large() {
  local dir=$1 i
  mkdir -p "$dir"
  for i in 1 2 3 4; do
    find /usr/bin /usr/lib/x86_64-linux-gnu -maxdepth 1 -type f -size +200k 2>/dev/null | sort | sed -n "$i~4p" |
      xargs cat 2>/dev/null | head -c $((16 << 20)) >"$dir/program$i.bin"
  done
}

# The NSIS installers do the job the sample's description gives this installer: the files, an
# uninstaller, the same registry values and the same start-menu group with its two shortcuts
# (the sample's INF line finds no INF in these trees, so it does nothing). A fourth, "files
# only", installs the files alone, as the earlier versions of this script did; a fifth, "with its
# window", does the whole job with its progress page shown, and closes that page itself.
nsis_script() { # tree compressor output [files-only|window]
  local key='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\SampleTool'
  cat <<NSI
Unicode true
Target amd64-unicode
SetCompressor $2
RequestExecutionLevel admin
OutFile "$3"
InstallDir "C:\\nsis-default"
NSI
  [ "${4:-}" != window ] || echo "AutoCloseWindow true"
  cat <<NSI
Page instfiles
Section
  SetOutPath "\$INSTDIR"
  File /r "$1/*.*"
NSI
  [ "${4:-}" = files-only ] || cat <<NSI
  CreateDirectory "\$INSTDIR\\Uninstall"
  WriteUninstaller "\$INSTDIR\\Uninstall\\Uninstall.exe"
  WriteRegStr HKLM "$key" "Publisher" "Sample Vendor"
  WriteRegStr HKLM "$key" "DisplayVersion" "1.0"
  WriteRegStr HKLM "$key" "InstallLocation" "\$INSTDIR"
  WriteRegStr HKLM "$key" "DisplayIcon" "\$INSTDIR\\SampleTool.exe"
  WriteRegStr HKLM "$key" "UninstallString" '"\$INSTDIR\\Uninstall\\Uninstall.exe"'
  WriteRegStr HKLM "SOFTWARE\\Sample Vendor\\Sample Tool" "InstallDir" "\$INSTDIR"
  WriteRegStr HKLM "$key" "DisplayName" "Sample Tool 1.0"
  CreateDirectory "\$SMPROGRAMS\\Sample Tool"
  CreateShortCut "\$SMPROGRAMS\\Sample Tool\\Sample Tool.lnk" "\$INSTDIR\\SampleTool.exe"
  CreateShortCut "\$SMPROGRAMS\\Sample Tool\\Sample Tool Manual.lnk" "\$INSTDIR\\Manual\\index.html"
NSI
  cat <<NSI
SectionEnd
NSI
  [ "${4:-}" = files-only ] || cat <<NSI
Section "Uninstall"
  RMDir /r "\$INSTDIR"
SectionEnd
NSI
}

# Figures are collected as lines "key seconds" in one file per tree, then summarised; a run
# that fails leaves no figure.
record() { [ -z "$3" ] || echo "$2 $3" >>"$1"; }
timed() { # figures key program arguments...: started and timed by the driver
  local figures=$1 key=$2 out
  shift 2
  settle
  if ! out=$(run "$driver" run "$@" 2>&1); then
    echo "compare: failed: $* ($out)" >&2
    return 0
  fi
  record "$figures" "$key" "$(echo "$out" | awk '/from the start to the end/ { print $1 }')"
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
# With "update" as the fourth argument the same tree is installed once before, uncounted, and
# the counted run installs over it (answering "the folder exists" with OK): an update.
install_ours() { # figures setup spent-name [update]
  local out key=ours
  if [ "${4:-}" = update ]; then
    key=update
    run "$driver" install "$(win "$2")" >/dev/null 2>&1 || echo "compare: the earlier installation failed" >&2
  fi
  settle
  if ! out=$(run "$driver" install "$(win "$2")" 2>&1); then
    echo "compare: the installer's run failed: $out" >&2
    return 0
  fi
  record "$1" "$key" "$(echo "$out" | awk '/from the start to the end/ { print $1 }')"
  [ "$key" = update ] || record "$1" window "$(echo "$out" | awk '/from the start to the window/ { print $1 }')"
  record "$1" "$key-files" "$(echo "$out" | awk '/to the closing notice/ { print $1 }')"
  # Its folder is fixed by the description: moved out of the way, kept until the end.
  mkdir -p "$drive_c/spent"
  mv "$drive_c/Program Files/Sample Tool" "$drive_c/spent/$3" 2>/dev/null || true
}

row() { printf "%-6s %-24s %12s %9s %14s %12s  %s\n" "$@"; }
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 minutes; $(nproc) cores)"
row tree installer "size (bytes)" median "MB/s of tree" "vs NSIS zlib" "runs (s)"
for tree in ${TREES:-one small large}; do
  src=$work/$tree
  figures=$work/$tree.figures
  "make_$tree" "$src"
  bytes=$(du -sb "$src" | cut -f1)
  setup=$work/$tree-setup.exe
  "$packer" build --stub "$stub" --desc "$desc" --root "$src" -o "$setup" 2>/dev/null
  tools=(ours extract copy zlib lzma zlib-files zlib-window)
  # The one-file tree is there for the fixed costs of the installers alone.
  [ "$tree" != one ] || tools=(ours zlib zlib-window)
  # The small tree is also installed over an earlier installation of itself.
  [ "$tree" != small ] || tools+=(update)
  # The NSIS installers of this tree's runs.
  for tool in "${tools[@]}"; do
    case $tool in
      zlib | lzma) compressor=$tool variant= ;;
      zlib-files) compressor=zlib variant=files-only ;;
      zlib-window) compressor=zlib variant=window ;;
      *) continue ;;
    esac
    nsis_script "$src" "$compressor" "$work/$tree-nsis-$tool.exe" "$variant" >"$work/$tree-$tool.nsi"
    makensis -V1 "$work/$tree-$tool.nsi" >/dev/null
  done

  # Round 0 warms the caches (and the desktop) up and is not counted. Each round starts with
  # another tool, so that none always comes first (or right behind the slowest).
  for r in $(seq 0 "$runs"); do
    f=$figures
    [ "$r" -gt 0 ] || f=$work/warm-up.figures
    for i in "${!tools[@]}"; do
      tool=${tools[(i + r) % ${#tools[@]}]}
      case $tool in
        ours) install_ours "$f" "$setup" "ours-$tree-$r" ;;
        update) install_ours "$f" "$setup" "update-$tree-$r" update ;;
        extract) timed "$f" extract "$(win "$winpacker")" extract "$(win "$setup")" "C:\\extract-$tree-$r" ;;
        copy) timed "$f" copy cmd /c xcopy /E /I /Q "$(win "$src")" "C:\\copy-$tree-$r" ;;
        zlib-window) timed "$f" "$tool" "$(win "$work/$tree-nsis-$tool.exe")" "/D=C:\\nsis-$tool-$tree-$r" ;;
        *) timed "$f" "$tool" "$(win "$work/$tree-nsis-$tool.exe")" /S "/D=C:\\nsis-$tool-$tree-$r" ;;
      esac
    done
  done

  zlib=$(median "$figures" zlib)
  ours=$(median "$figures" ours)
  row "$tree" "(the tree itself)" "$bytes" "" "" "" ""
  row "$tree" "this installer" "$(stat -c %s "$setup")" "$ours" "$(rate "$bytes" "$ours")" "$(ratio "$ours" "$zlib")" \
    "$(listed "$figures" ours)"
  row "$tree" "  start to window" "" "$(median "$figures" window)" "" "" "$(listed "$figures" window)"
  row "$tree" "  file phase" "" "$(median "$figures" ours-files)" "" "" "$(listed "$figures" ours-files)"
  if [ "$tree" = small ]; then
    row "$tree" "  over an earlier one" "" "$(median "$figures" update)" "" "" "$(listed "$figures" update)"
    row "$tree" "    its file phase" "" "$(median "$figures" update-files)" "" "" "$(listed "$figures" update-files)"
  fi
  if [ "$tree" != one ]; then
    extract=$(median "$figures" extract)
    row "$tree" "  its extraction" "" "$extract" "$(rate "$bytes" "$extract")" "" "$(listed "$figures" extract)"
    copy=$(median "$figures" copy)
    row "$tree" "  plain copy (xcopy)" "" "$copy" "$(rate "$bytes" "$copy")" "" "$(listed "$figures" copy)"
  fi
  for tool in zlib lzma zlib-files zlib-window; do
    grep -q "^$tool " "$figures" || continue
    t=$(median "$figures" "$tool")
    label="NSIS $tool" against=""
    # This installer's median over the other NSIS runs, for a reader who wants those comparisons.
    case $tool in
      zlib-files) label="NSIS zlib, files only" against="($(ratio "$ours" "$t"))" ;;
      zlib-window) label="NSIS zlib, window shown" against="($(ratio "$ours" "$t"))" ;;
    esac
    row "$tree" "$label" "$(stat -c %s "$work/$tree-nsis-$tool.exe")" "$t" "$(rate "$bytes" "$t")" \
      "$against" "$(listed "$figures" "$tool")"
  done
done
# What a file costs: the small tree's median less the one-file tree's, over its 2000 files.
if [ -f "$work/one.figures" ] && [ -f "$work/small.figures" ]; then
  for tool in ours zlib; do
    echo "a file of the small tree, $([ $tool = ours ] && echo "this installer" || echo "NSIS zlib"):" \
      "$(awk -v s="$(median "$work/small.figures" $tool)" -v o="$(median "$work/one.figures" $tool)" \
         'BEGIN { if (s + 0 > 0 && o + 0 > 0) printf "%.3f ms", (s - o) / 2000 * 1000; else print "-" }')"
  done
fi
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
