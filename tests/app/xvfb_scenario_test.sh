#!/usr/bin/env bash
# The program as a user meets it, in a real X server (Xvfb): every key and click comes from xdotool,
# every picture from ImageMagick's `import`, so the keys, the focus and the menu bar are the X server's.
#  1. A piece file opened through the menu: a faulty one greys out the search, a good one enables it
#     at once; the 4 solutions of the pentiamond house, paged in colour with the keypad's + and -.
#  2. The prompt of a menu entry over a toolbar button does not stay while cells are edited.
#  3. F1 does nothing; "Hulp" > "Hulponderwerpen" without a browser names the manual.
#  4. Long searches on the hexiamond Board with spare cells: Escape interrupts a search started with
#     the mouse and one started with Alt+Z, G, also with the focus in the menu bar; at a solution of "Zoeken speciaal" the menu bar opens,
#     "Onderbreek" ends the wait, End resumes; paging back shows a solution as it was; SIGTERM during a
#     search completes the files and ends the program within 2 seconds.
# Leaves the pictures start.png, file-dialog.png, browsing-colour.png, search-running.png,
# browsing-spare-cells.png and pieces-dialog.png in the output folder.
# Usage: xvfb_scenario_test.sh <trianzoid executable> <output folder> <examples folder>
set -euo pipefail
app=$(realpath "$1") out=$2 examples=$(realpath "$3")

. "$(dirname "$0")/xvfb_common.sh"
run_in_xvfb "$0" "$@"

fail() {
    echo "FAIL: $*" >&2
    import -window root "$out/failed.png" 2>/dev/null || true
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        echo "window $w '$(xdotool getwindowname "$w")' $(xdotool getwindowgeometry "$w" | tr '\n' ' ')" >&2
    done
    exit 1
}
rm -rf "$out"
mkdir -p "$out/bin"
out=$(realpath "$out")
cd "$out"
export XDG_CONFIG_HOME=$out/config
cp "$examples"/pentiamonds-house.trz "$examples"/pentiamonds.tzp "$examples"/hexiamonds-spare-cells.trz \
    "$examples"/hexiamonds.tzp "$out/"
printf 'A1   1 4 0R 9O\n' >"$out/kapot.tzp"

main=""
start() {  # starts the program on the Board $1, without a browser on its PATH
    env PATH="$out/bin" "$app" "$out/$1" >>"$out/app.log" 2>&1 &
    pid=$!
    wait_for 30 xdotool search --onlyvisible --name "^$1 - Trianzoid\$" >/dev/null || fail "no window for $1"
    main=$(xdotool search --onlyvisible --name "^$1 - Trianzoid\$" | head -1)
    sleep 0.5
    focus
}
# Without a window manager the keyboard focus stays where xdotool puts it.
focus() { xdotool windowfocus "$main"; sleep 0.2; }
keys() { xdotool key --delay 150 "$@"; sleep 0.4; }
shot() { import -window "${2:-$main}" "$out/$1"; }
# A picture of the drawing (below the toolbar, above the status bar) or of the status bar's pane 0.
view_sum() { import -window "$main" -crop 600x380+10+60 rgb:- | md5sum; }
pane_sum() { import -window "$main" -crop 440x18+0+500 rgb:- | md5sum; }
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
wait_window() { wait_for "$2" bash -c "xdotool search --onlyvisible --name '$1' >/dev/null 2>&1"; }
close_box() {  # the message box titled $1: Return, then the focus back to the main window
    wait_window "^$1\$" "${2:-10}" || fail "no box '$1'"
    xdotool windowfocus "$(window_named "^$1\$")"
    keys Return
    wait_for 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null 2>&1" || fail "box '$1' stays"
    focus
}
menu_window() {  # a popup menu: a visible window of the program's name, which xdotool's --name misses
    local w
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = Trianzoid ] && echo "$w" && return 0
    done
    return 1
}
popup() {  # the geometry "x y" of the open popup menu; fails when none opens within 2 seconds
    wait_for 2 menu_window >/dev/null || return 1
    xdotool getwindowgeometry --shell "$(menu_window)" |
        awk -F= '$1 == "X" { x = $2 } $1 == "Y" { y = $2 } END { print x, y }'
}
confirm() {  # "Ja" when the checkerboard test asks
    if wait_window '^Dit lukt nooit$' 1; then close_box 'Dit lukt nooit'; fi
}
waiting() {  # until the drawing stands still: the search waits at a solution
    local i a
    for i in $(seq 40); do
        a=$(view_sum)
        sleep 0.3
        [ "$(view_sum)" = "$a" ] && return 0
    done
    fail "the search does not wait at a solution"
}
summary() { tail -c 200 "$out/$1" | tr -d '\r' | tail -1; }
open_pieces() {  # "Trianzoids" > "Open trianzoidbestand...", the file $1 typed into the file dialog
    keys alt+t a
    wait_window '^Openen trianzoidbestand$' 10 || fail "no file dialog"
    [ -e "$out/file-dialog.png" ] || shot file-dialog.png "$(window_named '^Openen trianzoidbestand$')"
    xdotool windowfocus "$(window_named '^Openen trianzoidbestand$')"
    xdotool type --delay 20 "$out/$1"
    keys Return
    wait_for 10 bash -c "! xdotool search --onlyvisible --name '^Openen trianzoidbestand\$' >/dev/null" ||
        fail "the file dialog stays"
    focus
}

# ---- 1. Readiness after opening piece files; paging with the keypad
start pentiamonds-house.trz
trap 'kill $pid 2>/dev/null || true' EXIT
shot start.png
open_pieces kapot.tzp
close_box Oei
keys alt+z g
sleep 1
[ -z "$(window_named '^Klaar$')" ] || fail "a search started without pieces"
! ls trianzoid*.opb >/dev/null 2>&1 || fail "a search without pieces wrote solutions"
open_pieces pentiamonds.tzp
keys alt+z g  # enabled at once, without a repaint of the drawing
close_box Klaar 30
[ "$(stat -c %s trianzoid*.opb)" -eq $((4 * (4 + 4 * 16))) ] || fail "the house does not have 4 solutions"

keys alt+o Down Return  # "Toon oplossingen in kleur"
first=$(view_sum)
keys KP_Add
second=$(view_sum)
shot browsing-colour.png
keys KP_Subtract
[ "$first" != "$second" ] || fail "the keypad's + did not page"
[ "$(view_sum)" = "$first" ] || fail "the keypad's - did not page back"
keys alt+o Up Return  # "Klaar met oplossingen"

# ---- 2. A prompt of the toolbar does not stay
cell_x=300 cell_y=200
xdotool mousemove $cell_x $cell_y click 1
sleep 0.4
edited=$(pane_sum)
xdotool click 1
sleep 0.4
keys alt+v  # "Veld": its first entry, "Veldgegevens...", lies over the toolbar
read -r px py < <(popup) || fail "the Veld menu did not open"
xdotool mousemove $((px + 52)) $((py + 12)) click 1
wait_window '^Veldgegevens$' 10 || fail "no Veldgegevens dialog"
xdotool windowfocus "$(window_named '^Veldgegevens$')"
keys Escape
focus
xdotool mousemove $cell_x $cell_y click 1
sleep 0.4
[ "$(pane_sum)" = "$edited" ] || fail "pane 0 does not show the readiness after an edit (a prompt stays)"
xdotool click 1
sleep 0.3

# ---- 3. Help
keys F1
sleep 0.5
[ -z "$(window_named '^Oei$')" ] || fail "F1 did something"
keys alt+h h
close_box Oei
kill -TERM "$pid"  # while editing the program ends at once, without questions
wait_for 10 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "SIGTERM did not end the program"
rm trianzoid*.op?

# ---- 4. Long searches
start hexiamonds-spare-cells.trz
xdotool key alt+z
sleep 0.5
read -r zx zy < <(popup) || fail "the Zoeken menu did not open"
keys Escape Escape
focus
# "Zoeken" > "Ga zoeken" with the mouse; Escape wherever the focus is.
xdotool mousemove $((zx + 20)) 8 click 1
sleep 0.5
xdotool mousemove $((zx + 30)) $((zy + 12)) click 1
confirm
sleep 1.5
opl=$(ls trianzoid*.opl)
shot search-running.png
keys Escape
close_box Onderbroken 10
summary $opl | grep -q '^Onderbroken' || fail "Escape after a search from the menu: $(summary $opl)"
# "Zoeken" > "Ga zoeken" with Alt+Z, G; Alt alone gives the menu bar the focus, Escape still interrupts.
keys alt+z g
confirm
sleep 1
keys alt Escape
close_box Onderbroken 10
summary $opl | grep -q '^Onderbroken' || fail "Escape after Alt+Z, G: $(summary $opl)"

# "Zoeken speciaal": at the first solution a click on "Zoeken" opens the menu; "Onderbreek" ends it.
keys alt+z z
confirm
waiting
xdotool mousemove $((zx + 20)) 8 click 1
sleep 0.5
popup >/dev/null || fail "at a solution the menu bar does not open"
keys o
close_box Onderbroken 10
summary $opl | grep -q '^Onderbroken.*aantal oplossingen 1,' || fail "Onderbreek at a solution: $(summary $opl)"
# End at a solution is a key like any other: the search goes on to the second solution.
keys alt+z z
confirm
waiting
keys End
sleep 0.5
waiting
keys Escape
close_box Onderbroken 10
summary $opl | grep -q '^Onderbroken.*aantal oplossingen 2,' || fail "End at a solution: $(summary $opl)"

# Browsing the two solutions: back at the first, it is drawn as it was.
keys alt+o Down Return
first=$(view_sum)
shot browsing-spare-cells.png
keys End
keys Home
[ "$(view_sum)" = "$first" ] || fail "the first solution shows pieces of the second"
keys alt+o Up Return
keys alt+t t
wait_window '^hexiamonds.tzp$' 10 || fail "no pieces dialog"
sleep 0.3
shot pieces-dialog.png "$(window_named '^hexiamonds.tzp$')"
xdotool windowfocus "$(window_named '^hexiamonds.tzp$')"
keys Escape
focus

# SIGTERM during a search: interrupted, files complete, the program gone within 2 seconds.
keys alt+z g
confirm
sleep 1
kill -TERM "$pid"
wait_for 2 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "SIGTERM during a search: still running after 2 s"
status=0
wait "$pid" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "the program ended with status $status"
summary $opl | grep -q '^Onderbroken' || fail "SIGTERM: the log ends with '$(summary $opl)'"
echo "Xvfb: all cases pass; pictures in $out"
echo "1 passed, 0 failed"
