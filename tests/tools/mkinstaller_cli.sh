#!/usr/bin/env bash
# Runs the packer on good and bad input: every error names the file and leaves no output.
set -u
tool=$1 desc=$2 root=$3 version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# A stand-in for the installer stub: a PE header and the installer's window class.
{ printf 'MZ%058d' 0; printf '\100\0\0\0PE\0\0CAPPDEF_INSTALLER'; } >"$work/stub.exe"
expect_error() { # pattern, then the build arguments
  local pattern=$1; shift
  if "$tool" build "$@" -o "$work/out.exe" 2>"$work/err"; then fail "accepted: $*"; fi
  grep -aq -- "$pattern" "$work/err" || fail "message '$(cat "$work/err")' lacks '$pattern'"
  [ -z "$(ls "$work" | grep out.exe)" ] || fail "output left behind: $*"
}
expect_error "$work/none.txt" --stub "$work/stub.exe" --desc "$work/none.txt" --root "$root"
expect_error "$work/nostub" --stub "$work/nostub" --desc "$desc" --root "$root"
expect_error "$work/noroot" --stub "$work/stub.exe" --desc "$desc" --root "$work/noroot"
printf '<Folder>\r"X"\r<InsTxt>\rHello\r' >"$work/typo.txt"
expect_error "typo.txt:3:1: error: unknown section <InsTxt>" --stub "$work/stub.exe" --desc "$work/typo.txt" --root "$root"
printf '<Folder>\r"X"\r\0' >"$work/binary.txt"
expect_error "binary.txt:3:1: error: the description holds a zero byte" --stub "$work/stub.exe" --desc "$work/binary.txt" --root "$root"
printf '<InsWin>\rTitle\r' >"$work/nofolder.txt"
expect_error "nofolder.txt:1:1: error: no <Folder>" --stub "$work/stub.exe" --desc "$work/nofolder.txt" --root "$root"
printf '<Folder>\n"X"\n<InsText>\nプレビュー版\n' >"$work/japanese.txt"
expect_error "japanese.txt:4:1: error: \"プ\" in the section <InsText> has no form in code page 1252" \
  --stub "$work/stub.exe" --desc "$work/japanese.txt" --root "$root"
# Names that Windows cannot create, or that the code page cannot write, name the file.
for bad in 'a:b' 'con.txt' 'trailing.' '日本語.txt' 'Case.txt case.txt'; do
  rm -rf "$work/bad" && mkdir -p "$work/bad" && (cd "$work/bad" && touch $bad)
  expect_error "bad/${bad##* }: " --stub "$work/stub.exe" --desc "$desc" --root "$work/bad"
done
# Everything wrong with a tree at once, with the description's own problems, in one run.
rm -rf "$work/bad" && mkdir -p "$work/bad/deep" && (cd "$work/bad" && touch a:b con.txt 'Résumé.txt' 'RÉSUMÉ.txt' $'caf\xe9.txt')
ln -s .. "$work/bad/deep/loop"
"$tool" check --root "$work/bad" "$work/typo.txt" 2>"$work/err"; [ $? = 1 ] || fail "check passes a bad tree"
for pattern in 'bad/a:b: error: ' 'bad/con.txt: error: ' 'bad/Résumé.txt: error: Windows takes this name and .*bad/RÉSUMÉ.txt as one' \
  'txt: error: the name is not UTF-8 text (byte 0xE9)' 'bad/deep/loop: error: a symbolic link leads back' \
  'typo.txt:3:1: error: unknown section <InsTxt>'; do
  grep -aq -- "$pattern" "$work/err" || fail "check --root lacks '$pattern': $(cat "$work/err")"
done
rm -rf "$work/bad" && mkdir -p "$work/bad" && touch "$work/bad/ａ" "$work/bad/Ａ" "$work/bad/é.txt"
"$tool" check --codepage 932 --root "$work/bad" "$desc" 2>"$work/err"; [ $? = 1 ] || fail "check --codepage 932 passes"
grep -q 'bad/ａ: error: Windows takes this name and .*bad/Ａ as one' "$work/err" || fail "full-width: $(cat "$work/err")"
grep -q 'é.txt: error: the name has no exact form in code page 932' "$work/err" || fail "932: $(cat "$work/err")"
grep -q -- '--codepage' "$work/err" && fail "suggests --codepage, which was given: $(cat "$work/err")"
# A path below the default destination that the installer's file functions cannot take.
long=$(printf 'x%.0s' $(seq 60)) && mkdir -p "$work/long/$long/$long/$long" && touch "$work/long/$long/$long/$long/$long"
"$tool" check --root "$work/long" "$desc" 2>"$work/err"; [ $? = 1 ] || fail "check passes a long path"
[ "$(grep -c 'characters long' "$work/err")" = 1 ] || fail "long paths: $(cat "$work/err")"
expect_error "long/$long/$long/$long/$long: error: with the product's folder under .* its path is 278 characters" \
  --stub "$work/stub.exe" --desc "$desc" --root "$work/long"
# Only an installer stub of this project is a stub; nothing is written otherwise.
printf 'text' >"$work/text.exe"
expect_error "text.exe: not a Windows program" --stub "$work/text.exe" --desc "$desc" --root "$root"
{ printf 'MZ%058d' 0; printf '\100\0\0\0PE\0\0'; } >"$work/other.exe"
expect_error "other.exe: a Windows program, but not this project's installer" --stub "$work/other.exe" --desc "$desc" --root "$root"
"$tool" build --stub "$work/stub.exe" --desc "$desc" --root "$root" -o "$work/setup.exe" >"$work/summary" || fail "build"
grep -Eq "^mkinstaller: .*setup.exe: [0-9]+ files, [0-9]+ folders, [0-9]+ bytes in, installer of [0-9]+ bytes$" "$work/summary" \
  || fail "summary: $(cat "$work/summary")"
bytes=$(find "$root" -type f -printf '%s\n' | awk '{ n += $1 } END { print n + 0 }')
grep -q " $bytes bytes in," "$work/summary" || fail "summary, for a tree of $bytes bytes: $(cat "$work/summary")"
expect_error "setup.exe: an installer that already carries a package" --stub "$work/setup.exe" --desc "$desc" --root "$root"
rm "$work/setup.exe" "$work/summary"
"$tool" build --codepage 65001 --stub "$work/stub.exe" --desc "$desc" --root "$root" -o "$work/out.exe" 2>/dev/null
[ $? = 2 ] || fail "code page 65001 is not a usage error"
# check: 0 with warnings only, 1 with errors, 2 for usage.
printf '<Folder>\nSample Tool\n' >"$work/warn.txt"
"$tool" check "$work/warn.txt" 2>"$work/err" || fail "warnings alone fail the check"
grep -q 'warn.txt:2:1: warning: only "Sample" is used' "$work/err" || fail "warning: $(cat "$work/err")"
"$tool" check "$work/typo.txt" 2>/dev/null; [ $? = 1 ] || fail "check passes an error"
"$tool" check 2>/dev/null; [ $? = 2 ] || fail "check without a file"

# Japanese names go into code page 932 and come back as they were.
mkdir -p "$work/ja/マニュアル" && printf 'x' >"$work/ja/日本語.txt" && printf 'y' >"$work/ja/マニュアル/日本.txt"
"$tool" build --codepage 932 --stub "$work/stub.exe" --desc "$work/japanese.txt" --root "$work/ja" -o "$work/ja.exe" \
  || fail "Japanese build"
"$tool" list "$work/ja.exe" >"$work/list" || fail "list of the Japanese build"
grep -q ' 日本語.txt$' "$work/list" && grep -q 'プレビュー版' "$work/list" || fail "list: $(cat "$work/list")"
# Read as 1252, the name shows the code page 932 bytes that the package holds.
"$tool" list --codepage 1252 "$work/ja.exe" | grep -q ' “ú–{Œê.txt$' || fail "the name is not in code page 932"
"$tool" extract "$work/ja.exe" "$work/ja-out" && diff -r "$work/ja" "$work/ja-out" >/dev/null || fail "Japanese extract"

# A good build, twice: byte-identical under SOURCE_DATE_EPOCH, trailer at the end.
SOURCE_DATE_EPOCH=1000000000 "$tool" build --stub "$work/stub.exe" --desc "$desc" --root "$root" -o "$work/a.exe" || fail "build"
touch "$root"/* 2>/dev/null
SOURCE_DATE_EPOCH=1000000000 "$tool" build --stub "$work/stub.exe" --desc "$desc" --root "$root" -o "$work/b.exe" || fail "rebuild"
cmp -s "$work/a.exe" "$work/b.exe" || fail "rebuild differs"
[ "$(head -c 4 "$work/a.exe")" = MZ00 ] || fail "stub not at the start"
[ "$(tail -c 8 "$work/a.exe" | head -c 4)" = QXPK ] || fail "no trailer"
ls "$work" | grep -q tmp && fail "temporary file left"

# The packed bytes are the ones the packer has always written for this tree: the match finder
# reports the newest of the longest matches at every position. Text of few words (many equal
# matches), and numbers in a file larger than the one the packer holds while it takes its CRC.
mkdir -p "$work/pin/sub" && printf '<Folder>\r"Pin"\r' >"$work/pin.txt" && seq 1 200000 >"$work/pin/numbers.txt"
awk 'BEGIN { split("the installer package folder file of and window description a to", w); x = 1
  for (i = 0; i < 60000; i++) { x = (x * 75 + 74) % 65537; printf "%s%s", w[x % 11 + 1], (x % 7 ? " " : "\n") } }' \
  >"$work/pin/sub/words.txt"
SOURCE_DATE_EPOCH=1000000000 "$tool" build --stub "$work/stub.exe" --desc "$work/pin.txt" --root "$work/pin" \
  -o "$work/pin.exe" >/dev/null || fail "build of the pinned tree"
[ "$(sha256sum <"$work/pin.exe" | cut -c1-64)" = bca4db380dd907c5d30aab5a2a6b2678d13eb69c25f11f9f127ed328a0f9b33b ] ||
  fail "the pinned tree packs into other bytes than it always did"
# Without SOURCE_DATE_EPOCH every file keeps its own last-write time.
mkdir -p "$work/timed/sub" && printf a >"$work/timed/a" && printf b >"$work/timed/sub/b"
touch -d @1100000000 "$work/timed/a" && touch -d @1200000000 "$work/timed/sub/b" && touch -d @1300000000 "$work/timed/sub"
"$tool" build --stub "$work/stub.exe" --desc "$work/pin.txt" --root "$work/timed" -o "$work/timed.exe" >/dev/null &&
  "$tool" extract "$work/timed.exe" "$work/timed-out" || fail "build and extract of the timed tree"
[ "$(stat -c %Y "$work/timed-out/a" "$work/timed-out/sub/b" | tr '\n' ' ')" = "1100000000 1200000000 " ] ||
  fail "times not kept: $(stat -c '%Y %n' "$work/timed-out/a" "$work/timed-out/sub/b")"

# Reading it back: verify, list, extract gives the product tree again.
"$tool" verify "$work/a.exe" >"$work/out" || fail "verify: $(cat "$work/out")"
grep -q "good" "$work/out" || fail "verify says: $(cat "$work/out")"
"$tool" list "$work/a.exe" >"$work/list" || fail "list"
grep -q "<Folder>" "$work/list" || fail "list lacks the description"
for f in $(cd "$root" && find . -type f | sed 's|^\./||'); do
  grep -q " $f\$" "$work/list" || fail "list lacks $f"
done
"$tool" extract "$work/a.exe" "$work/tree" || fail "extract"
diff -r "$root" "$work/tree" >/dev/null || fail "extracted tree differs"
"$tool" extract "$work/a.exe" "$work/tree" 2>"$work/err" && fail "extract into a full folder"
grep -q "not empty" "$work/err" || fail "extract over: $(cat "$work/err")"

# A damaged copy fails verification with a reason and extracts nothing.
cp "$work/a.exe" "$work/bad.exe"
size=$(stat -c %s "$work/bad.exe")
printf '\377\377\377\377' | dd of="$work/bad.exe" bs=1 seek=$((size - 40)) conv=notrunc status=none
"$tool" verify "$work/bad.exe" 2>"$work/err" && fail "damaged package verified"
grep -q "bad.exe" "$work/err" || fail "verify reason: $(cat "$work/err")"
"$tool" extract "$work/bad.exe" "$work/badtree" 2>/dev/null && fail "damaged package extracted"
[ ! -e "$work/badtree" ] || fail "damaged package left a folder"
head -c 100 "$work/a.exe" >"$work/cut.exe"
"$tool" verify "$work/cut.exe" 2>"$work/err" && fail "cut package verified"
grep -q "no package found" "$work/err" || fail "cut reason: $(cat "$work/err")"

# Without --stub the stub installed beside the packer is taken; a build tree has none, and the
# message names the file looked for. --arch takes x86 or x64 only; --version names the release.
expect_error "no installer stub for --arch x64 (looked for $(dirname "$(dirname "$tool")")/share/mkinstaller/Installer-x64.exe)" \
  --arch x64 --desc "$desc" --root "$root"
expect_error "no installer stub for --arch x86 (looked for .*/Installer-x86.exe)" --desc "$desc" --root "$root"
"$tool" build --arch arm64 --desc "$desc" --root "$root" -o "$work/out.exe" 2>"$work/err"
[ $? = 2 ] && grep -q -- "--arch takes x86 or x64" "$work/err" || fail "--arch arm64: $(cat "$work/err")"
[ "$("$tool" --version)" = "mkinstaller $version" ] || fail "--version says $("$tool" --version)"
echo "mkinstaller cli: all checks passed"
