#!/usr/bin/env bash
# Runs the packer on good and bad input: every error names the file and leaves no output.
set -u
tool=$1 desc=$2 root=$3 version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
printf 'stub' >"$work/stub.exe"
expect_error() { # pattern, then the build arguments
  local pattern=$1; shift
  if "$tool" build "$@" -o "$work/out.exe" 2>"$work/err"; then fail "accepted: $*"; fi
  grep -q -- "$pattern" "$work/err" || fail "message '$(cat "$work/err")' lacks '$pattern'"
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
[ "$(head -c 4 "$work/a.exe")" = stub ] || fail "stub not at the start"
[ "$(tail -c 8 "$work/a.exe" | head -c 4)" = QXPK ] || fail "no trailer"
ls "$work" | grep -q tmp && fail "temporary file left"

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
