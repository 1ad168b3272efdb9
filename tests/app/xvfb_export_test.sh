#!/usr/bin/env bash
# Exporting from the window in a real X server (Xvfb), by the keyboard: after a search, "Oplossingen" >
# "E&xporteren..." opens the dialog, Return exports the PDF sheet it proposes; Alt+O and x open it again
# while browsing, Alt+S and Down choose SVG, Return exports a file per solution.
# Usage: xvfb_export_test.sh <trianzoid executable> <output folder>
set -euo pipefail
app=$(realpath "$1") out=$2

. "$(dirname "$0")/xvfb_common.sh"
run_in_xvfb "$0" "$@"

fail() { echo "FAIL: $*" >&2; exit 1; }
menu() {  # opens menu number $1 of the menu bar with a click and types the keys that follow
    local x y n=$1
    shift
    read -r x y < <(awk -v n="menu$n" '$1 == n { printf "%d %d\n", $2 + $4 / 2, $3 + $5 / 2 }' "$out/layout.txt")
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    xdotool key "$@"
}
rm -rf "$out"
mkdir -p "$out"
out=$(realpath "$out")
export TRIANZOID_SNAPSHOT_DIR=$out XDG_CONFIG_HOME=$out/config
cd "$out"
examples=$(realpath "$(dirname "$0")/../../examples")
cp "$examples/pentiamonds-house.trz" "$examples/pentiamonds.tzp" "$out/"  # 4 solutions

"$app" "$out/pentiamonds-house.trz" >"$out/app.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wait_for 30 test -s "$out/layout.txt" || fail "the window did not show"
wait_for 10 xdotool search --name "pentiamonds-house.trz - Trianzoid" >/dev/null || fail "no main window"
sleep 0.5
menu 4 g  # &Zoeken > &Ga zoeken
wait_for 60 xdotool search --name '^Klaar$' >/dev/null || fail "the search did not end with 'Klaar'"
xdotool windowfocus "$(xdotool search --name '^Klaar$' | head -1)" 2>/dev/null || true
xdotool key Return
wait_for 10 bash -c '! xdotool search --name "^Klaar$" >/dev/null' || fail "the end message did not close"

menu 5 x  # &Oplossingen > E&xporteren...
wait_for 10 xdotool search --name "^Oplossingen exporteren$" >/dev/null || fail "Exporteren did not open its dialog"
sleep 0.3
xdotool key Return
wait_for 20 test -s "$out/oplossingen.pdf" || fail "Return did not export the proposed PDF sheet"
pdfinfo "$out/oplossingen.pdf" | grep -qE '^Pages: +1$' || fail "the sheet of 4 solutions is not one page"

menu 5 t  # &Oplossingen > &Toon oplossingen zwart-wit, then the dialog again while browsing
sleep 0.5
xdotool key alt+o x
wait_for 10 xdotool search --name "^Oplossingen exporteren$" >/dev/null || fail "no dialog while browsing"
sleep 0.3
xdotool key alt+s Down Return  # &Soort: SVG
wait_for 20 test -s "$out/oplossingen/oplossing-004.svg" || fail "the SVG files were not exported"
[ "$(ls "$out/oplossingen" | wc -l)" -eq 4 ] || fail "not one SVG file per solution"
grep -q 'fill="#ffffff"' "$out/oplossingen/oplossing-001.svg" || fail "browsing in black and white did not propose it"

kill "$pid"
trap - EXIT
echo "Xvfb: export from the window works"
echo "1 passed, 0 failed"
