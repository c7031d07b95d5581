#!/usr/bin/env bash
# The Windows console packer builds an installer from the real stub; signed afterwards with a
# self-signed test certificate, the installer still finds, verifies and extracts its package.
#   signed_installer.sh WINE-RUN PREFIX mkinstaller.exe Installer.exe description.txt product/
set -u
for tool in osslsigncode openssl; do
  command -v $tool >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
winerun=$1 prefix=$2 tool=$3 stub=$4 desc=$5 root=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
win() { echo "Z:${1//\//\\}"; }
packer() { "$winerun" --prefix "$prefix" "$tool" "$@"; }

packer build --stub "$(win "$stub")" --desc "$(win "$desc")" --root "$(win "$root")" -o "$(win "$work/Setup.exe")" \
  || fail "build"
[ "$(tail -c 8 "$work/Setup.exe" | head -c 4)" = QXPK ] || fail "no trailer"
packer build --stub "$(win "$stub")" --desc "$(win "$work/none.txt")" --root "$(win "$root")" \
  -o "$(win "$work/Bad.exe")" 2>"$work/err" && fail "built without a description"
grep -q "none.txt" "$work/err" || fail "error lacks the file: $(cat "$work/err")"
[ ! -e "$work/Bad.exe" ] || fail "output left behind"

openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
  -subj "/CN=Installer test signing" 2>/dev/null || fail "certificate"
osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -n "Sample Setup" \
  -in "$work/Setup.exe" -out "$work/Signed.exe" >/dev/null || fail "signing"
osslsigncode verify -CAfile "$work/cert.pem" "$work/Signed.exe" >/dev/null 2>&1 || fail "signature does not verify"
[ "$(tail -c 8 "$work/Signed.exe" | head -c 4)" = QXPK ] && fail "the signature did not land behind the package"

packer verify "$(win "$work/Signed.exe")" >"$work/out" 2>&1 || fail "signed installer: $(cat "$work/out")"
grep -q good "$work/out" || fail "verify says $(cat "$work/out")"
packer extract "$(win "$work/Signed.exe")" "$(win "$work/tree")" || fail "extract from the signed installer"
diff -r "$root" "$work/tree" >/dev/null || fail "extracted tree differs from the product"
echo "signed installer: all checks passed"
