#!/usr/bin/env bash
# The Debian package of this build tree (CPack, as `make package` makes it):
# its name and dependencies, and the programs unpacked into a scratch root
# work from there, finding their data in ../share/brixel.
set -euo pipefail
bin=${BRIXEL_BINARY_DIR:?}
version=${BRIXEL_VERSION:?}

if ! command -v dpkg-shlibdeps >/dev/null || ! command -v file >/dev/null; then
  echo "SKIP: dpkg-dev or file not installed (tools/setup.sh installs them)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$bin/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb="$work/out/brixel_${version}_amd64.deb"
[ -f "$deb" ] || { ls "$work/out"; fail "no brixel_${version}_amd64.deb"; }

# The dependencies come from the libraries the programs link.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
dpkg-deb -c "$deb" >"$work/contents"
for path in usr/bin/brixel usr/bin/brixel-cli usr/share/brixel/80x25.png \
  usr/share/man/man1/brixel.1.gz usr/share/man/man1/brixel-cli.1.gz \
  usr/share/applications/brixel.desktop usr/share/icons/hicolor/48x48/apps/brixel.png \
  usr/share/bash-completion/completions/brixel-cli; do
  grep -q " \./$path\$" "$work/contents" || fail "the package lacks /$path"
done

root="$work/root"
dpkg -x "$deb" "$root"
mkdir "$work/cwd"
cd "$work/cwd"  # no data files here: they must be found from the programs
[ "$("$root/usr/bin/brixel-cli" --version)" = "brixel-cli $version" ] || fail "brixel-cli --version"
"$root/usr/bin/brixel-cli" list "$root/usr/share/brixel/demo.tdf" >"$work/list" ||
  fail "brixel-cli list on the installed demo font"
grep -q "Brixel Block" "$work/list" || fail "the demo font's fonts are not listed"
# The picture needs the glyph sheet, found in ../share/brixel from the program.
"$root/usr/bin/brixel-cli" render --png "$work/hi.png" "$root/usr/share/brixel/demo.tdf" Hi ||
  fail "brixel-cli render --png cannot find its glyph sheet"
"$root/usr/bin/brixel" -h >"$work/usage" || fail "brixel -h"
grep -q "^Brixel\.*  *v$version\$" "$work/usage" || fail "brixel -h shows no version $version"
echo "PASS: the package installs and runs from a scratch root"
