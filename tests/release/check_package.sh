#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks what a school's
# machine would get: the control data, the dependencies, the file list with
# owners and modes, and the files themselves once unpacked into a scratch root.
#
#   check_package.sh BUILD_DIR SOURCE_DIR SCRATCH_DIR
set -euo pipefail

build=$1
source=$2
scratch=$3
id=io.github.tavri.tavri
arch="$(dpkg --print-architecture)"
problems=0
fail() {
  echo "FAIL: $*"
  problems=$((problems + 1))
}

rm -rf "$scratch"
mkdir -p "$scratch"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack could not make the package"
  exit 1
fi

deb="$scratch/tavri_1.00_${arch}.deb"
if [ ! -f "$deb" ]; then
  echo "FAIL: no $(basename "$deb"); cpack made:"
  ls "$scratch"
  exit 1
fi

# Control data.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tavri ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = 1.00 ] || fail "Version is '$(field Version)', not 1.00"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"

# Dependencies: the names only, without version constraints.
depends="$(field Depends | tr ',' '\n' | sed -e 's/(.*)//' -e 's/[[:space:]]//g' | grep -v '^$' || true)"
echo "Depends: $(field Depends)"
needs() { grep -qx "$1" <<<"$depends" || fail "Depends does not name $1"; }
needs fonts-ipafont-gothic
needs libqt6core6
needs libqt6widgets6
# Every Qt library the program loads must come from a named package;
# libQt6Gui.so.6 is shipped by libqt6gui6, and so on.
while read -r library; do
  module="$(sed -E 's/^libQt6([A-Za-z]+)\.so\.6$/\1/' <<<"$library" | tr '[:upper:]' '[:lower:]')"
  needs "libqt6${module}6"
done < <(objdump -p "$build/src/tavri" | awk '/NEEDED/ && $2 ~ /^libQt6/ {print $2}')

# The file list: exactly these files, owned by root, with the usual modes.
expected="$scratch/expected.txt"
{
  echo "-rwxr-xr-x ./usr/bin/tavri"
  echo "-rw-r--r-- ./usr/share/applications/$id.desktop"
  echo "-rw-r--r-- ./usr/share/metainfo/$id.metainfo.xml"
  for size in 16 22 24 32 48 64 128 256; do
    echo "-rw-r--r-- ./usr/share/icons/hicolor/${size}x${size}/apps/tavri.png"
  done
  echo "-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/tavri.svg"
} | sort -k2 >"$expected"
listing="$(dpkg-deb --contents "$deb")"
actual="$scratch/actual.txt"
awk '$1 !~ /^d/ {print $1, $6}' <<<"$listing" | sort -k2 >"$actual"
if ! diff -u "$expected" "$actual"; then
  fail "the package's files differ from the expected list (- expected, + packaged)"
fi
if awk '$2 != "root/root"' <<<"$listing" | grep -q .; then
  fail "entries not owned by root/root:"
  awk '$2 != "root/root"' <<<"$listing"
fi

# Unpacked into a scratch root, as dpkg would install it.
root="$scratch/root"
dpkg-deb --extract "$deb" "$root"
[ "$(head -c 4 "$root/usr/bin/tavri" | od -An -c | tr -d ' ')" = '177ELF' ] ||
  fail "usr/bin/tavri is not an ELF program"
cmp "$source/packaging/linux/$id.desktop" "$root/usr/share/applications/$id.desktop" ||
  fail "the installed desktop entry differs from packaging/linux"
cmp "$source/packaging/linux/$id.metainfo.xml" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the installed AppStream data differs from packaging/linux"
for size in 16 22 24 32 48 64 128 256; do
  cmp "$source/packaging/icons/hicolor/${size}x${size}/apps/tavri.png" \
    "$root/usr/share/icons/hicolor/${size}x${size}/apps/tavri.png" ||
    fail "the installed ${size}x${size} icon differs from packaging/icons"
done
# The desktop entry must start what the package installs and show its icon.
exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root/usr/share/applications/$id.desktop")"
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not in usr/bin"
icon_name="$(sed -n 's/^Icon=//p' "$root/usr/share/applications/$id.desktop")"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
  fail "Icon=$icon_name has no scalable icon"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$root/usr/share/metainfo/$id.metainfo.xml" || fail "the AppStream data launches another desktop id"
grep -q '<release version="1.00"' "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the AppStream data has no release 1.00"

if [ "$problems" -gt 0 ]; then
  echo "$problems problem(s) with $(basename "$deb")"
  exit 1
fi
echo "$(basename "$deb"): control data, dependencies, files and unpacked copy are right"
