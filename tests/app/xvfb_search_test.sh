#!/usr/bin/env bash
# A search from the window in a real X server (Xvfb), driven with xdotool: open a Board with its piece
# file, "Zoeken" > "Ga zoeken", confirm the end, "Oplossingen" > "Toon oplossingen in kleur", End,
# "Klaar met oplossingen", "Trianzoids" > "Toon trianzoids...", Escape, "Bestand" > "Exit".
# Leaves pictures of a solution in colour and of the pieces dialog in the output folder.
# Usage: xvfb_search_test.sh <trianzoid executable> <output folder>
set -euo pipefail
app=$(realpath "$1") out=$2

. "$(dirname "$0")/xvfb_common.sh"
run_in_xvfb "$0" "$@"

fail() {
    echo "FAIL: $*" >&2
    [ -f "$out/layout.txt" ] && cat "$out/layout.txt" >&2
    exit 1
}
menu() {  # opens menu number $1 of the menu bar and types the keys that follow
    local x y n=$1
    shift
    read -r x y < <(awk -v n="menu$n" '$1 == n { printf "%d %d\n", $2 + $4 / 2, $3 + $5 / 2 }' "$out/layout.txt")
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    xdotool key "$@"
    sleep 0.3
}
taken=0
snapshot() {  # a picture of the active window, named $1 (and a fresh layout.txt)
    taken=$((taken + 1))
    kill -USR1 "$pid"
    wait_for 10 test -e "$out/snapshot-$taken.png" || fail "no picture for $1"
    mv "$out/snapshot-$taken.png" "$out/$1"
}
status_is() { grep -qx "status $1" "$out/layout.txt"; }

rm -rf "$out"
mkdir -p "$out"
out=$(realpath "$out")
export TRIANZOID_SNAPSHOT_DIR=$out
export XDG_CONFIG_HOME=$out/config
cd "$out"  # the solution files are written to the current folder

# A bundled example: the four pentiamonds in the "house" region, 4 solutions. The document names its
# piece file without a folder; it is found beside the document.
examples=$(realpath "$(dirname "$0")/../../examples")
cp "$examples/pentiamonds-house.trz" "$examples/pentiamonds.tzp" "$out/"
board=$out/pentiamonds-house.trz

"$app" "$board" >"$out/app.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wait_for 30 test -s "$out/layout.txt" || fail "the window did not show"
wait_for 10 xdotool search --name "pentiamonds-house.trz - Trianzoid" >/dev/null || fail "no main window"
snapshot start.png
status_is "Zoeken kan starten" || fail "the Board and pieces are not ready"

menu 4 g  # &Zoeken > &Ga zoeken
wait_for 60 xdotool search --name '^Klaar$' >/dev/null || fail "the search did not end with 'Klaar'"
box=$(xdotool search --name '^Klaar$' | head -1)
xdotool windowfocus "$box" 2>/dev/null || true
xdotool key Return
wait_for 10 bash -c '! xdotool search --name "^Klaar$" >/dev/null' || fail "the end message did not close"
opb=$(ls trianzoid*.opb)
[ "$(stat -c %s "$opb")" -eq $((4 * (4 + 4 * 16))) ] || fail "$opb does not hold 4 solutions"

# &Oplossingen > Toon oplossingen in &kleur; its "k" is also that of "&Klaar met oplossingen", so the
# arrows choose it.
menu 5 Down Down Return
xdotool key End
sleep 0.3
snapshot solution-colour.png
status_is "Oplossing 4/4" || fail "End did not show the last solution"

# &Oplossingen > &Klaar met oplossingen by the keyboard: Alt+O opens the menu on its first enabled
# entry ("&Eerste oplossing"); the fifth enabled entry is the one.
xdotool key alt+o
sleep 0.5
xdotool key Down Down Down Down Return
sleep 0.3
snapshot after-browsing.png
status_is "Zoeken kan starten" || fail "Klaar met oplossingen did not return to editing"
menu 3 t  # &Trianzoids > &Toon trianzoids...
wait_for 10 xdotool search --name "pentiamonds.tzp" >/dev/null || fail "the pieces dialog did not open"
sleep 0.3
snapshot pieces-dialog.png
xdotool key Escape
wait_for 10 bash -c '! xdotool search --name "pentiamonds.tzp\$" >/dev/null' || fail "Escape did not close the pieces dialog"

menu 0 x  # &Bestand > E&xit
wait_for 20 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "Exit did not end the program (still browsing?)"
status=0
wait "$pid" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "Xvfb: search, browsing and the pieces dialog work; pictures in $out"
echo "1 passed, 0 failed"
