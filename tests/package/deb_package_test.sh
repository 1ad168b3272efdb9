#!/usr/bin/env bash
# The Debian package as scripts/make-deb builds it (its own tree, with Debian's flags), unpacked into a
# scratch root: every program reports the one version, the solver solves a bundled example with the
# piece file beside it; the package holds what a desktop, a software centre and man need, in forms
# their own validators accept, depends on what the programs load, and lintian, with its information
# tags shown, finds nothing at all (the package has no overrides).
# Usage: deb_package_test.sh SOURCE_DIR BUILD_DIR WORK_DIR. Exit 77 (skipped) without the Debian tools.
set -euo pipefail
source_dir="$1" build_dir="$2" work="$3"
for tool in cpack dpkg-deb dpkg-buildflags dpkg-shlibdeps lintian appstreamcli desktop-file-validate man identify; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
fail() { echo "FAILED: $*" >&2; exit 1; }

rm -rf "$work" && mkdir -p "$work/out"
deb="$("$source_dir/scripts/make-deb" "$build_dir" "$work/deb" | tail -n 1)"
[ -f "$deb" ] || fail "no package made"
dpkg-deb -x "$deb" "$work/root"
root="$work/root/usr"
export QT_QPA_PLATFORM=offscreen

version="$(sed -n 's/^set(TRIANZOID_VERSION \(.*\))$/\1/p' "$source_dir/CMakeLists.txt")"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version: $(dpkg-deb -f "$deb" Version)"
for program in trianzoid-solve trianzoid-export Trianzoid; do
  said="$("$root/bin/${program,}" --version 2>/dev/null)"
  [ "$said" = "$program $version" ] || fail "${program,} --version: $said"
done
(cd "$work" && "$root/bin/trianzoid-solve" --output-dir out "$root/share/trianzoid/examples/pentiamonds-house.trz") \
  >"$work/solve.txt" || fail "solving the example: $(cat "$work/solve.txt")"
grep -q "aantal oplossingen 4," "$work/solve.txt" || fail "example count: $(cat "$work/solve.txt")"
[ "$(stat -c %s "$work/out/trianzoid0706.opb")" = $((4 * (4 + 4 * 16))) ] || fail "example solution file"
! ldd "$root/bin/trianzoid" | grep -q "not found" || fail "unresolved libraries of trianzoid"

icons=share/icons/hicolor
for f in bin/trianzoid bin/trianzoid-export share/applications/trianzoid.desktop share/mime/packages/trianzoid.xml \
         $icons/scalable/apps/trianzoid.svg share/doc/trianzoid/handleiding.html share/doc/trianzoid/copyright \
         share/doc/trianzoid/oplossingenvel.png share/doc/trianzoid/ontwerpen.png share/doc/trianzoid/README.examples.md \
         share/doc-base/trianzoid-handleiding share/metainfo/org.example.trianzoid.metainfo.xml \
         share/trianzoid/examples/hexiamonds.tzp; do
  [ -f "$root/$f" ] || fail "missing /usr/$f"
done
for size in 16 32 48 64 128 256; do
  [ "$(identify -format %wx%h "$root/$icons/${size}x$size/apps/trianzoid.png")" = "${size}x$size" ] || fail "icon $size"
done
for program in trianzoid trianzoid-solve trianzoid-export; do
  page="$root/share/man/man1/$program.1.gz"
  [ -f "$page" ] || fail "no manual page of $program"
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "man --warnings on $program.1: $warnings"
  dpkg-deb -f "$deb" Description | grep -qw "$program" || fail "the description does not name $program"
done

# The desktop entry and the AppStream metadata, as the desktops' own validators see them; the
# metadata launches that entry and opens the types it opens.
desktop="$root/share/applications/trianzoid.desktop"
metainfo="$root/share/metainfo/org.example.trianzoid.metainfo.xml"
[ -z "$(desktop-file-validate "$desktop" 2>&1)" ] || fail "desktop-file-validate: $(desktop-file-validate "$desktop" 2>&1)"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.txt" 2>&1 || fail "appstream: $(cat "$work/appstream.txt")"
grep -q '<launchable type="desktop-id">trianzoid.desktop</launchable>' "$metainfo" || fail "metainfo launchable"
[ "$(sed -n 's|.*<mediatype>\(.*\)</mediatype>.*|\1;|p' "$metainfo" | tr -d '\n')" = \
  "$(sed -n 's/^MimeType=//p' "$desktop")" ] || fail "metainfo media types differ from the desktop entry's"

# The examples' README reads right where it is installed: every file it names is in the examples.
for name in $(grep -oE '[a-z0-9x-]+\.(trz|tzp)' "$root/share/doc/trianzoid/README.examples.md" | sort -u); do
  [ -f "$root/share/trianzoid/examples/$name" ] || fail "README.examples.md names $name, which is not installed"
done
grep -q '^Files: /usr/share/doc/trianzoid/handleiding.html' "$root/share/doc-base/trianzoid-handleiding" ||
  fail "doc-base does not register the manual"

grep -q "^License: GPL-3.0-or-later" "$root/share/doc/trianzoid/copyright" || fail "copyright"
depends="$(dpkg-deb -f "$deb" Depends)"
for d in qt6-qpa-plugins qt6-translations-l10n libqt6widgets6 libc6; do
  [[ ", $depends," == *", $d"[\ ,]* ]] || fail "Depends lacks $d: $depends"
done

lintian --display-info --fail-on warning "$deb" >"$work/lintian.txt" 2>&1 || fail "lintian: $(cat "$work/lintian.txt")"
tags="$(grep -v "running with root privileges" "$work/lintian.txt" || true)"
[ -z "$tags" ] || fail "lintian: $tags"
echo "ok: $deb"
