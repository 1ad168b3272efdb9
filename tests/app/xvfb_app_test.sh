#!/usr/bin/env bash
# The program in a real X server (Xvfb), driven with xdotool like a person: choose the red fill colour
# from the "Beeld" menu, click a cell, save with Ctrl+S, leave with "Bestand" > "Exit". Checks the
# saved Board byte for byte and the clean exit, and leaves a picture of the window in the output folder.
# Usage: xvfb_app_test.sh <trianzoid executable> <output folder> <examples folder>
set -euo pipefail
app=$1 out=$2

. "$(dirname "$0")/xvfb_common.sh"
run_in_xvfb "$0" "$@"

fail() { echo "FAIL: $*" >&2; exit 1; }
centre_of() {  # prints the screen centre of a line "name x y w h" of layout.txt
    awk -v n="$1" '$1 == n { printf "%d %d\n", $2 + $4 / 2, $3 + $5 / 2 }' "$out/layout.txt"
}

rm -rf "$out"
mkdir -p "$out"
export TRIANZOID_SNAPSHOT_DIR=$out
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

"$app" "$board" >"$out/app.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wait_for 30 test -s "$out/layout.txt" || fail "the window did not show"
wait_for 10 xdotool search --name "veld.trz - Trianzoid" >/dev/null || fail "no window titled 'veld.trz - Trianzoid'"

# Beel&d > Vulkleur &rood
read -r mx my < <(centre_of menu1)
xdotool mousemove "$mx" "$my" click 1
sleep 0.5
xdotool key r
sleep 0.3

# Cell (3, 2), up-pointing, at the view's cell size: S = the smaller of (height - 30) / 0.866 / 8 and
# (width - 30) / 8, made even; h = S * 0.866.
read -r vx vy vw vh < <(awk '$1 == "view" { print $2, $3, $4, $5 }' "$out/layout.txt")
read -r cx cy < <(awk -v w="$vw" -v h="$vh" -v x0="$vx" -v y0="$vy" 'BEGIN {
    byHeight = int((h - 30) * 1.1547344110854503 / 8); byWidth = int((w - 30) / 8);
    s = byHeight <= byWidth ? byHeight : byWidth; if (s % 2) s--;
    t = int(s * 0.866); x = 15 + 3 * s / 2; y = 15 + 2 * t;
    printf "%d %d\n", x0 + x + s / 2, y0 + y + 2 * t / 3 }')
xdotool mousemove "$cx" "$cy" click 1
sleep 0.3

kill -USR1 "$pid"
wait_for 10 test -e "$out/snapshot-1.png" || fail "no picture of the window"
mv "$out/snapshot-1.png" "$out/main-window.png"

before=$(md5sum <"$board")
xdotool key ctrl+s
wait_for 10 bash -c '[ "$(md5sum <"$0")" != "$1" ]' "$board" "$before" || fail "Ctrl+S did not save"

# &Bestand > E&xit
read -r mx my < <(centre_of menu0)
xdotool mousemove "$mx" "$my" click 1
sleep 0.5
xdotool key x
wait_for 20 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "Exit did not end the program"
status=0
wait "$pid" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# Exactly one cell changed: (3, 2) at offset 12 + 3 * 30 + 2 = 104 holds 66 ("B", blocked red).
cells=$(od -An -v -tu1 -j12 -N1770 "$board" | tr -s ' ' '\n' | grep -v '^$')
changed=$(echo "$cells" | awk '$1 != 64 { print NR - 1 ":" $1 }' | tr '\n' ' ')
[ "$changed" = "92:66 " ] || fail "expected only cell (3, 2) red, found changes at: $changed"
echo "Xvfb: menu, click, save and exit work; picture in $out/main-window.png"
echo "1 passed, 0 failed"
