#!/usr/bin/env bash
# Installs the build into a temporary prefix and makes the Debian package of
# it, then checks what a user's system would get: the files, a valid menu
# entry, a manual page naming every command-line option, and a program that
# runs from where it was put.
#   packaging.sh BUILD_DIR WORK_DIR
set -euo pipefail

build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

expected_files() {
  local prefix=$1 size
  echo "$prefix/bin/vexel"
  echo "$prefix/share/applications/vexel.desktop"
  for size in 16 32 48 64 128 256; do
    echo "$prefix/share/icons/hicolor/${size}x${size}/apps/vexel.png"
  done
  echo "$prefix/share/man/man1/vexel.1.gz"
  echo "$prefix/share/doc/vexel/help/index.html"
  for size in $(seq -w 0 15); do
    echo "$prefix/share/doc/vexel/toolbar/$size.png"
  done
}

# A sample with a double-byte character, a split one at the end and binary bytes.
sample=$work/sample.bin
{ printf 'Vexel \x82\xa0\x82\xa2\r\n'; head -c 300 /dev/urandom; printf '\x82'; } > "$sample"
"$build/vexel" --dump --code sjis "$sample" > "$work/dump.expected"

# ---- cmake --install into a prefix ------------------------------------------
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
diff <(expected_files "$prefix" | sort) <(find "$prefix" -type f | sort) \
  || fail "installed files differ from the expected list"

desktop-file-validate "$prefix/share/applications/vexel.desktop" \
  || fail "the desktop file does not validate"
grep -qx 'MimeType=application/octet-stream;' "$prefix/share/applications/vexel.desktop" \
  || fail "the desktop file offers no open-with for binary files"
for size in 16 32 48 64 128 256; do
  [ "$(identify -format '%m %wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/vexel.png")" = "PNG ${size}x${size}" ] \
    || fail "the ${size}px icon has another size"
done

# Every long option the program's usage text names is in the manual page.
manual=$(zcat "$prefix/share/man/man1/vexel.1.gz" | sed 's/\\-/-/g')
options=$("$build/vexel" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || fail "the usage text names no option"
for option in $options; do
  grep -q -- "$option" <<< "$manual" || fail "the manual page does not mention $option"
done

"$prefix/bin/vexel" --dump --code sjis "$sample" > "$work/dump.installed"
cmp "$work/dump.expected" "$work/dump.installed" || fail "the installed program dumps differently"

# ---- the Debian package ----------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.log" \
  || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(find "$work/package" -maxdepth 1 -name 'vexel_*.deb')
[ -n "$deb" ] || fail "no package was made"

diff <(expected_files ./usr | sort) <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort) \
  || fail "the package's files differ from the expected list"
[ "$(dpkg-deb -f "$deb" Package)" = vexel ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6printsupport6 libqt6network6 qt6-translations-l10n \
               fonts-ipafont-gothic fonts-ipafont-mincho; do
  grep -q "\b$package\b" <<< "$depends" || fail "the package does not depend on $package"
done
# The dependencies name packages this system can install.
apt-get -s install "$deb" > "$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; fail "apt cannot install the package"; }
grep -q '^Inst vexel ' "$work/apt.log" || fail "apt would not install the package"

root=$work/root
dpkg-deb -x "$deb" "$root"
"$root/usr/bin/vexel" --dump --code sjis "$sample" > "$work/dump.packaged"
cmp "$work/dump.expected" "$work/dump.packaged" || fail "the packaged program dumps differently"
echo "packaging: ok"
