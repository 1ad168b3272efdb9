#!/usr/bin/env bash
# The Debian package of this build: made by scripts/make-deb, unpacked into a scratch root, where the
# solver reports its version and solves a bundled example with the piece file beside it; the package
# holds what a desktop needs, depends on what the programs load, and lintian finds no error in it.
# Usage: deb_package_test.sh SOURCE_DIR BUILD_DIR WORK_DIR. Exit 77 (skipped) without the Debian tools.
set -euo pipefail
source_dir="$1" build_dir="$2" work="$3"
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
fail() { echo "FAILED: $*" >&2; exit 1; }

rm -rf "$work" && mkdir -p "$work/out"
deb="$("$source_dir/scripts/make-deb" "$build_dir" "$work/deb" | tail -n 1)"
[ -f "$deb" ] || fail "no package made"
dpkg-deb -x "$deb" "$work/root"
root="$work/root/usr"

version="$(sed -n 's/^set(TRIANZOID_VERSION \(.*\))$/\1/p' "$source_dir/CMakeLists.txt")"
[ "$("$root/bin/trianzoid-solve" --version)" = "trianzoid-solve $version" ] || fail "--version"
(cd "$work" && "$root/bin/trianzoid-solve" --output-dir out "$root/share/trianzoid/examples/pentiamonds-house.trz") \
  >"$work/solve.txt" || fail "solving the example: $(cat "$work/solve.txt")"
grep -q "aantal oplossingen 4," "$work/solve.txt" || fail "example count: $(cat "$work/solve.txt")"
[ "$(stat -c %s "$work/out/trianzoid0706.opb")" = $((4 * (4 + 4 * 16))) ] || fail "example solution file"
! ldd "$root/bin/trianzoid" | grep -q "not found" || fail "unresolved libraries of trianzoid"

for f in bin/trianzoid bin/trianzoid-export share/applications/trianzoid.desktop share/mime/packages/trianzoid.xml \
         share/icons/hicolor/scalable/apps/trianzoid.svg share/doc/trianzoid/handleiding.html \
         share/doc/trianzoid/copyright share/doc/trianzoid/oplossingenvel.png \
         share/trianzoid/examples/hexiamonds.tzp; do
  [ -f "$root/$f" ] || fail "missing /usr/$f"
done
grep -q "^License: GPL-3.0-or-later" "$root/share/doc/trianzoid/copyright" || fail "copyright"
depends="$(dpkg-deb -f "$deb" Depends)"
for d in qt6-qpa-plugins qt6-translations-l10n libqt6widgets6 libc6; do
  [[ ", $depends," == *", $d"[\ ,]* ]] || fail "Depends lacks $d: $depends"
done

lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 || fail "lintian: $(cat "$work/lintian.txt")"
grep -v "running with root privileges" "$work/lintian.txt" || true
echo "ok: $deb"
