#!/usr/bin/env bash
# The piece designer as a user meets it in a real X server: "Trianzoids ontwerpen..." by its mnemonic,
# a hexiamond (six triangles in a row) drawn with mouse clicks, its copies typed, saved through the file
# dialog, "Gebruiken", then a search. The window's solution file must be the one trianzoid-solve writes
# for the same Board and the saved piece file: 2 solutions. Leaves designer.png (for the manual).
# Usage: xvfb_designer_test.sh <trianzoid executable> <trianzoid-solve executable> <output folder>
set -euo pipefail
app=$(realpath "$1") solver=$(realpath "$2") out=$3
. "$(dirname "$0")/xvfb_common.sh"
run_in_xvfb "$0" "$@"

fail() {
    echo "FAIL: $*" >&2
    import -window root "$out/failed.png" 2>/dev/null || true
    exit 1
}
rm -rf "$out" && mkdir -p "$out" && out=$(realpath "$out") && cd "$out"
export XDG_CONFIG_HOME=$out/config
keys() { xdotool key --delay 150 "$@" && sleep 0.4; }
named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
appears() { wait_for "$2" bash -c "xdotool search --onlyvisible --name '$1' >/dev/null 2>&1"; }

"$solver" --make-board "parallelogram 3x2" --to bar.trz >/dev/null || fail "--make-board"
start_app "$out/bar.trz"
keys alt+t o
appears '^Trianzoids ontwerpen - naamloos$' 10 || fail "no designer"
designer=$(named '^Trianzoids ontwerpen')
eval "$(xdotool getwindowgeometry --shell "$designer")"  # X and Y of the dialog
# Row 3 of the grid, columns 4 to 9. The grid lies at (12, 12) in the dialog, cells of side 36 and
# height 31.18 from (6, 6): a cell's centre is 36 + 18 * col across and 111 + 10 (apex down, col + row
# even) or 111 + 21 (apex up) down.
for col in 4 5 6 7 8 9; do
    dy=$(((col + 3) % 2 == 0 ? 10 : 21))
    xdotool mousemove $((X + 36 + 18 * col)) $((Y + 111 + dy)) click 1
    sleep 0.2
done
keys alt+e ctrl+a 2 Tab
import -window "$designer" designer.png
keys alt+p
appears '^Trianzoidbestand opslaan als$' 10 || fail "no file dialog"
xdotool windowfocus "$(named '^Trianzoidbestand opslaan als$')" && keys ctrl+a
xdotool type --delay 20 "$out/balk.tzp" && keys Return
wait_for 10 test -s balk.tzp || fail "balk.tzp was not saved"
[ "$(cat balk.tzp)" = "A1   2 6 0R 1L 2R 3L 4R" ] || fail "saved: $(cat balk.tzp)"
appears '^Trianzoids ontwerpen - balk.tzp$' 5 || fail "the title does not name the saved file"
xdotool windowfocus "$designer" && keys alt+g
wait_for 10 bash -c "! xdotool search --onlyvisible --name '^Trianzoids ontwerpen' >/dev/null 2>&1" ||
    fail "'Gebruiken' did not close the designer"
xdotool windowfocus "$main" && keys alt+z g
appears '^Klaar$' 30 || fail "the search did not end"
xdotool windowfocus "$(named '^Klaar$')" && keys Return
mkdir cli && "$solver" --quiet --pieces balk.tzp --output-dir cli bar.trz >cli.txt
cmp trianzoid0706.opb cli/trianzoid0706.opb || fail "the window's solutions differ from the solver's"
[ "$(stat -c %s trianzoid0706.opb)" -eq $((2 * (4 + 2 * 16))) ] || fail "not 2 solutions"
kill "$pid"
echo "1 passed, 0 failed"
