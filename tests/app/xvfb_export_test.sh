#!/usr/bin/env bash
# Exporting from the window in a real X server (Xvfb), by the keyboard: after a search, "Oplossingen" >
# "E&xporteren..." (Alt+O, X) opens the dialog, Return exports the PDF sheet it proposes; Alt+O and X
# open it again while browsing, Alt+S and Down choose SVG, Return exports a file per solution. Exporting
# again over the PDF or the pictures asks first ("Vervangen"), and No keeps them.
# Usage: xvfb_export_test.sh <trianzoid executable> <output folder>
set -euo pipefail
app=$(realpath "$1") out=$2

. "$(dirname "$0")/xvfb_common.sh"
run_in_xvfb "$0" "$@"

fail() { echo "FAIL: $*" >&2; exit 1; }
focus() { xdotool windowfocus "$main" && sleep 0.2; }  # no window manager: the focus stays where put
dialog() { xdotool windowfocus "$(xdotool search --onlyvisible --name '^Oplossingen exporteren$' | head -1)"; }
keys() { xdotool key --delay 150 "$@" && sleep 0.4; }
rm -rf "$out"
mkdir -p "$out"
out=$(realpath "$out")
export XDG_CONFIG_HOME=$out/config
cd "$out"
examples=$(realpath "$(dirname "$0")/../../examples")
cp "$examples/pentiamonds-house.trz" "$examples/pentiamonds.tzp" "$out/"  # 4 solutions

start_app "$out/pentiamonds-house.trz"
keys alt+z g  # &Zoeken > &Ga zoeken
wait_for 60 xdotool search --name '^Klaar$' >/dev/null || fail "the search did not end with 'Klaar'"
xdotool windowfocus "$(xdotool search --name '^Klaar$' | head -1)" 2>/dev/null || true
xdotool key Return
wait_for 10 bash -c '! xdotool search --name "^Klaar$" >/dev/null' || fail "the end message did not close"
focus
keys alt+o x  # &Oplossingen > E&xporteren...
wait_for 10 xdotool search --name "^Oplossingen exporteren$" >/dev/null || fail "Exporteren did not open its dialog"
sleep 0.3
xdotool key Return
wait_for 20 test -s "$out/oplossingen.pdf" || fail "Return did not export the proposed PDF sheet"
pdfinfo "$out/oplossingen.pdf" | grep -qE '^Pages: +1$' || fail "the sheet of 4 solutions is not one page"
sum=$(md5sum <"$out/oplossingen.pdf")
asked() {  # Alt+O, X, then $1 in the dialog: a question "Vervangen" whose No (Escape) keeps the dialog
    focus && keys alt+o x && sleep 0.3 && dialog && xdotool key $1
    wait_for 10 xdotool search --name "^Vervangen$" >/dev/null || fail "$2 replaced without a question"
    xdotool key Escape && sleep 0.4
    dialog || fail "No closed the dialog"
    xdotool key Escape && sleep 0.4
}
asked Return "the PDF under its typed name"
[ "$(md5sum <"$out/oplossingen.pdf")" = "$sum" ] || fail "No replaced the PDF"

focus
keys alt+o t  # &Oplossingen > &Toon oplossingen zwart-wit, then the dialog again while browsing
keys alt+o x
wait_for 10 xdotool search --name "^Oplossingen exporteren$" >/dev/null || fail "no dialog while browsing"
sleep 0.3 && dialog
xdotool key alt+s Down Return  # &Soort: SVG
wait_for 20 test -s "$out/oplossingen/oplossing-004.svg" || fail "the SVG files were not exported"
[ "$(ls "$out/oplossingen" | wc -l)" -eq 4 ] || fail "not one SVG file per solution"
grep -q 'fill="#ffffff"' "$out/oplossingen/oplossing-001.svg" || fail "browsing in black and white did not propose it"
asked "alt+s Down Return" "the SVG pictures"

kill "$pid"
trap - EXIT
echo "Xvfb: export from the window works"
echo "1 passed, 0 failed"
