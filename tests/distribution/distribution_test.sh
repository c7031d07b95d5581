#!/usr/bin/env bash
# The packer's distribution as a vendor meets it. scripts/package builds the .deb, the zip and
# SHA256SUMS twice, with the same bytes; lintian finds no error in the .deb. Unpacked into a
# folder of its own (and moved from there), the .deb packs the quick start's product with the
# quick start's five commands, and builds a copy of examples/cmake-product through
# find_package(Mkinstaller) with no path into this tree; that product's x86_64 installer
# installs under Wine through its window, and its uninstaller removes everything again.
# Ends with "distribution: N passed, N failed"; the packages stay in build/package.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/build/package
work=$root/build/distribution-test
rm -rf "$work" && mkdir -p "$work/logs"
passed=0 failed=0
check() { # check NAME FUNCTION: runs it in a subshell, its output in a log shown when it fails
  if ("$2") >"$work/logs/$1.log" 2>&1; then
    passed=$((passed + 1)); echo "ok: $1"
  else
    failed=$((failed + 1)); echo "FAILED: $1"; sed 's/^/  /' "$work/logs/$1.log"
  fi
}
fail() { echo "$*"; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/native/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb=$out/mkinstaller_${version}_${arch}.deb zip=$out/mkinstaller-$version-windows.zip
prefix=$work/moved/usr
win() { printf 'Z:%s' "${1//\//\\}"; }

# The second time with the programs linked anew: a link must not stamp its time either.
reproducible() {
  "$root/scripts/package" "$work/first" || return 1
  rm -f "$root/build/native/tools/mkinstaller/mkinstaller" "$root/build/win64/tools/mkinstaller/mkinstaller.exe" \
    "$root/build/win64/app/Installer.exe" "$root/build/win32/app/Installer.exe"
  "$root/scripts/package" "$out" || return 1
  for file in "$deb" "$zip" "$out/SHA256SUMS"; do
    cmp "$file" "$work/first/${file##*/}" || fail "${file##*/} differs between two builds"
  done
}

contents() {
  (cd "$out" && sha256sum -c SHA256SUMS) || return 1
  dpkg-deb --info "$deb"
  [ "$(dpkg-deb --field "$deb" Package Version Architecture | tr '\n' ' ')" = \
    "Package: mkinstaller Version: $version Architecture: $arch " ] || fail "control fields"
  dpkg-deb --field "$deb" Depends | grep -q libc6 || fail "no dependency on the C library"
  local listing; listing=$(dpkg-deb --contents "$deb" | awk '{print $6}')
  for path in usr/bin/mkinstaller usr/share/mkinstaller/Installer-x86.exe usr/share/mkinstaller/Installer-x64.exe \
      usr/share/man/man1/mkinstaller.1.gz usr/share/man/man5/mkinstaller-description.5.gz \
      usr/share/doc/mkinstaller/quickstart.md usr/share/doc/mkinstaller/copyright \
      usr/lib/cmake/Mkinstaller/MkinstallerConfig.cmake; do
    grep -qx "./$path" <<<"$listing" || fail "the .deb lacks $path"
  done
  listing=$(unzip -Z1 "$zip")
  for path in bin/mkinstaller.exe share/mkinstaller/Installer-x86.exe share/mkinstaller/Installer-x64.exe \
      share/doc/mkinstaller/quickstart.md share/doc/mkinstaller/packer.md; do
    grep -qx "mkinstaller-$version-windows/$path" <<<"$listing" || fail "the zip lacks $path"
  done
}

run_lintian() { lintian --fail-on error "$deb"; }

# The .deb unpacked, then moved: the packer finds its stubs wherever the tree lies.
unpacked() {
  dpkg-deb -x "$deb" "$work/unpacked" && mv "$work/unpacked" "$work/moved" || return 1
  [ "$("$prefix/bin/mkinstaller" --version)" = "mkinstaller $version" ] || fail "--version"
  for page in man1/mkinstaller.1.gz man5/mkinstaller-description.5.gz; do
    man -l "$prefix/share/man/$page" | grep -q "mkinstaller $version" || fail "$page: no version"
  done
  for doc in docs/quickstart.md README.md; do
    grep -q "mkinstaller_${version}_$arch.deb" "$root/$doc" || fail "$doc names another version"
  done
  grep -q "^## $version\$" "$root/CHANGELOG.md" || fail "CHANGELOG.md: no $version"
  for stub in x86 x64; do
    grep -aq 'level="requireAdministrator"' "$prefix/share/mkinstaller/Installer-$stub.exe" \
      || fail "the $stub stub does not ask for administrator rights"
    strings -el "$prefix/share/mkinstaller/Installer-$stub.exe" | grep -qx "$version.0" \
      || fail "the $stub stub's version resource does not say $version"
  done
}

# The fenced block that follows the heading $2 in the document $1.
doc_block() { awk -v h="$2" '$0 == h {s = 1} s && /^```/ {if (b) exit; b = 1; next} b' "$1"; }
begins_with() { cmp -s -n "$(stat -c %s "$2")" "$1" "$2"; }

quickstart() {
  local dir=$work/quickstart stubs=$prefix/share/mkinstaller
  mkdir -p "$dir/product" && printf 'program' >"$dir/product/HelloTool.exe"
  doc_block "$root/docs/quickstart.md" "## Describe the product" >"$dir/description.txt"
  doc_block "$root/docs/quickstart.md" "## The five commands" >"$dir/commands"
  [ "$(grep -c '^mkinstaller ' "$dir/commands")" = 5 ] || fail "not five commands"
  (cd "$dir" && PATH=$prefix/bin:$PATH bash -e -x commands) || return 1
  [ -f "$dir/unpacked/HelloTool.exe" ] || fail "extract did not write the product"
  begins_with "$dir/HelloToolSetup.exe" "$stubs/Installer-x86.exe" || fail "not packed behind the x86 stub"
  local m=$prefix/bin/mkinstaller a=(--desc "$dir/description.txt" --root "$dir/product")
  "$m" build --arch x64 "${a[@]}" -o "$dir/x64.exe" || return 1
  begins_with "$dir/x64.exe" "$stubs/Installer-x64.exe" || fail "--arch x64: not the x64 stub"
  "$m" build --arch x86 --stub "$stubs/Installer-x64.exe" "${a[@]}" -o "$dir/stub.exe" || return 1
  begins_with "$dir/stub.exe" "$stubs/Installer-x64.exe" || fail "--stub does not win over --arch"
}

# The vendor's project, copied out of this tree and built against the unpacked package.
vendor=$work/vendor
setup=$vendor/build/HelloToolSetup.exe
cmake_product() {
  cp -r "$root/examples/cmake-product" "$vendor" || return 1
  cmake -S "$vendor" -B "$vendor/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$vendor/toolchain-mingw64.cmake" \
    -DCMAKE_PREFIX_PATH="$prefix" || return 1
  ! grep -E "$root/(cmake|examples|tools|build/(native|win32|win64))" "$vendor/build/CMakeCache.txt" \
    || fail "the build refers to this source tree"
  cmake --build "$vendor/build" || return 1
  begins_with "$setup" "$prefix/share/mkinstaller/Installer-x64.exe" || fail "not packed behind the x64 stub"
  "$prefix/bin/mkinstaller" list "$setup" >"$work/list" || return 1
  for name in HelloTool.exe ReadMe.txt Settings/hello.ini; do
    grep -q " $name\$" "$work/list" || fail "the installer lacks $name"
  done
  ! grep -q "HelloTool.cpp" "$work/list" || fail "another component's file was packed"
}

# Nothing changed: the installer stays; an error in the description fails the build with its
# line and leaves the installer; a changed file packs it again.
cmake_rebuild() {
  cp -p "$setup" "$work/setup.before"
  cmake --build "$vendor/build" | tee "$work/again" || return 1
  grep -q "HelloToolSetup.exe is up to date" "$work/again" || fail "no up-to-date note"
  [ "$(stat -c %y "$setup")" = "$(stat -c %y "$work/setup.before")" ] || fail "the installer was written again"
  local desc=$vendor/installer/description.txt line
  cp "$desc" "$work/desc.good"
  line=$(($(wc -l <"$desc") + 1))
  printf '<InsTxt>\nHello\n' >>"$desc"
  cmake --build "$vendor/build" >"$work/bad" 2>&1 && fail "a bad description built"
  cat "$work/bad"
  grep -q "^$desc:$line:1: error: unknown section <InsTxt>" "$work/bad" || fail "no file:line:column message"
  cmp "$setup" "$work/setup.before" || fail "the failed build changed the installer"
  cp "$work/desc.good" "$desc"
  printf 'Version 1.0.1\r\n' >>"$vendor/ReadMe.txt"
  cmake --build "$vendor/build" || return 1
  "$prefix/bin/mkinstaller" extract "$setup" "$work/extracted" || return 1
  grep -q "Version 1.0.1" "$work/extracted/ReadMe.txt" || fail "the changed file was not packed"
}

# Installed through its window by the end-to-end driver, then removed by its uninstaller.
wine_install() {
  local wp=$work/wine driver=$root/build/win64/tests/e2e/InstallDriver.exe
  "$root/scripts/wine-prefix" start "$wp" >/dev/null || return 1
  # The folder goes into the trap now: the function's locals are gone when the subshell ends.
  trap "\"$root/scripts/wine-prefix\" stop \"$wp\" >/dev/null" EXIT
  local run=("$root/scripts/wine-run" --prefix "$wp" --gui --artifacts "$work/shots")
  local reg=(env WINEPREFIX="$wp/prefix" WINEDEBUG=-all wine reg query)
  local product=$wp/prefix/drive_c/Program\ Files/Hello\ Tool key='HKLM\SOFTWARE\Hello Vendor\Hello Tool'
  "${run[@]}" "$driver" install "$(win "$setup")" --shots || return 1
  for name in HelloTool.exe ReadMe.txt Settings/hello.ini; do
    cmp "$product/$name" "$vendor/build/HelloToolSetup-stage/$name" || fail "installed $name differs"
  done
  [ ! -e "$product/source" ] || fail "another component was installed"
  cmp "$product/Uninstall/Uninstall.exe" "$setup" || fail "the uninstaller is not a copy of the installer"
  "${reg[@]}" "$key" /v InstallDir /reg:64 | tr -d '\r' | grep -q 'REG_SZ *C:\\Program Files\\Hello Tool$' \
    || fail "InstallDir not in the 64-bit view: $("${reg[@]}" "$key" /reg:64)"
  "${reg[@]}" 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion' /reg:32 >/dev/null \
    || fail "the 32-bit view cannot be read"
  ! "${reg[@]}" "$key" /reg:32 >/dev/null 2>&1 || fail "the value landed in the 32-bit view"
  "${reg[@]}" 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\HelloTool' /v DisplayName /reg:64 \
    | grep -q 'Hello Tool 1.0' || fail "no Add or remove programs entry"
  local link; link=$(find "$wp/prefix/drive_c/users" -path '*Start Menu/Programs/Hello Tool/Hello Tool.lnk')
  [ -n "$link" ] || fail "no start-menu shortcut"
  "${run[@]}" "$driver" uninstall 'C:\Program Files\Hello Tool\Uninstall\Uninstall.exe' --shots || return 1
  for _ in $(seq 150); do [ -e "$product" ] || break; sleep 0.2; done
  [ ! -e "$product" ] || fail "the product folder is still there"
  [ ! -e "$link" ] || fail "the shortcut is still there"
  ! "${reg[@]}" "$key" /reg:64 >/dev/null 2>&1 || fail "the registry key is still there"
}

# The Windows packer of the zip, unpacked anywhere, finds its stubs too.
zip_packer() {
  local wp=$work/wine dir=$work/quickstart
  unzip -q "$zip" -d "$work/zip" || exit 1
  "$root/scripts/wine-prefix" start "$wp" >/dev/null || exit 1
  trap "\"$root/scripts/wine-prefix\" stop \"$wp\" >/dev/null" EXIT
  "$root/scripts/wine-run" --prefix "$wp" "$work/zip/mkinstaller-$version-windows/bin/mkinstaller.exe" build \
    --arch x64 --desc "$(win "$dir/description.txt")" --root "$(win "$dir/product")" -o "$(win "$work/zip.exe")" || exit 1
  begins_with "$work/zip.exe" "$work/zip/mkinstaller-$version-windows/share/mkinstaller/Installer-x64.exe" \
    || fail "not packed behind the zip's x64 stub"
  cmp "$work/zip.exe" "$dir/x64.exe" || fail "the Windows packer packs other bytes than the Linux one"
}

check package_reproducible reproducible
check package_contents contents
check package_lintian run_lintian
echo "lintian: $(grep -c . "$work/logs/package_lintian.log") lines"; sed 's/^/  /' "$work/logs/package_lintian.log"
check deb_unpacked_anywhere unpacked
check quickstart_commands quickstart
check cmake_product_build cmake_product
check cmake_product_rebuild cmake_rebuild
check cmake_product_wine wine_install
check zip_packer_under_wine zip_packer
echo "distribution: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
