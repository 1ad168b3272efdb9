#!/usr/bin/env bash
# The program in a real X server (Xvfb), driven with xdotool like a person: choose the red fill colour
# from the "Beeld" menu, click a cell, save with Ctrl+S, leave with "Bestand" > "Exit". Checks the
# saved Board byte for byte and the clean exit, and leaves a picture of the window (ImageMagick's
# import) in the output folder.
# Usage: xvfb_app_test.sh <trianzoid executable> <output folder> <examples folder>
set -euo pipefail
app=$1 out=$2

. "$(dirname "$0")/xvfb_common.sh"
run_in_xvfb "$0" "$@"

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
export XDG_CONFIG_HOME=$out/config

# The default Board: W 8, H 8, margin 30, every cell open, the default background, no piece file.
board=$out/veld.trz
{
    printf '\x08\x00\x00\x00\x08\x00\x00\x00\x1e\x00\x00\x00'
    head -c 1770 /dev/zero | tr '\0' '@'
    printf '\xae\xc4\xb0\x00'
    head -c 268 /dev/zero
} >"$board"
[ "$(stat -c %s "$board")" -eq 2054 ] || fail "test board has the wrong size"

start_app "$board"

# Beel&d > Vulkleur &rood
xdotool key --delay 150 alt+d r
sleep 0.3

# A cell in the middle of the Board.
xdotool mousemove 200 200 click 1
sleep 0.3
import -window "$main" "$out/main-window.png"

before=$(md5sum <"$board")
xdotool key ctrl+s
wait_for 10 bash -c '[ "$(md5sum <"$0")" != "$1" ]' "$board" "$before" || fail "Ctrl+S did not save"

# &Bestand > E&xit
xdotool key --delay 150 alt+b x
wait_for 20 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "Exit did not end the program"
status=0
wait "$pid" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# Exactly one cell changed, to 66 ("B", blocked red).
cells=$(od -An -v -tu1 -j12 -N1770 "$board" | tr -s ' ' '\n' | grep -v '^$')
changed=$(echo "$cells" | awk '$1 != 64 { print $1 }' | tr '\n' ' ')
[ "$changed" = "66 " ] || fail "expected one cell red, found the cell values: $changed"
echo "Xvfb: menu, click, save and exit work; picture in $out/main-window.png"
echo "1 passed, 0 failed"
