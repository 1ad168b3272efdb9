#!/usr/bin/env bash
# The program as a user meets it in a real X server (Xvfb): keys and clicks from xdotool, pictures from
# ImageMagick's import. 1: a faulty piece file greys out the search, a good one enables it at once;
# keypad + and - page. 2: a toolbar prompt does not stay while cells are edited. 3: F1 does nothing,
# "Hulponderwerpen" without a browser names the manual. 4: a new width in "Veldgegevens", then Ctrl+N
# asks to save the change. 5: on the hexiamond Board with spare cells,
# Escape interrupts searches started by mouse and by Alt+Z, G (the menu bar focused); at a solution
# of "Zoeken speciaal" the menu bar opens and "Onderbreek" ends the wait, End resumes; paging back
# shows a solution as it was; SIGTERM during a search completes the files and ends within 2 s. "Tellingen"
# shows the counts of the last search; "Elke betegeling eenmaal", switched on in 1, holds in 5.
# Usage: xvfb_scenario_test.sh <trianzoid executable> <output folder> <examples folder>
set -euo pipefail
app=$(realpath "$1") out=$2 examples=$(realpath "$3")
. "$(dirname "$0")/xvfb_common.sh"
run_in_xvfb "$0" "$@"

fail() {
    echo "FAIL: $*" >&2
    import -window root "$out/failed.png" 2>/dev/null || true
    exit 1
}
rm -rf "$out" && mkdir -p "$out/bin" && out=$(realpath "$out") && cd "$out"
export XDG_CONFIG_HOME=$out/config
cp "$examples"/{pentiamonds-house.trz,pentiamonds.tzp,hexiamonds-spare-cells.trz,hexiamonds.tzp} "$out/"
printf 'A1   1 4 0R 9O\n' >kapot.tzp

start() {  # the program on the Board $1, with no browser on its PATH
    env PATH="$out/bin" "$app" "$out/$1" >>app.log 2>&1 &
    pid=$!
    wait_for 30 xdotool search --onlyvisible --name "^$1 - Trianzoid\$" >/dev/null || fail "no window for $1"
    main=$(xdotool search --onlyvisible --name "^$1 - Trianzoid\$" | head -1)
    sleep 0.5 && focus
}
focus() { xdotool windowfocus "$main" && sleep 0.2; }  # no window manager: the focus stays where put
keys() { xdotool key --delay 150 "$@" && sleep 0.4; }
shot() { import -window "${2:-$main}" "$out/$1"; }
view_sum() { import -window "$main" -crop 600x380+10+60 rgb:- | md5sum; }  # the drawing
pane_sum() { import -window "$main" -crop 440x18+0+500 rgb:- | md5sum; }   # status pane 0
named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
appears() { wait_for "$2" bash -c "xdotool search --onlyvisible --name '^$1\$' >/dev/null 2>&1"; }
answer() {  # Return in the box or dialog titled $1, then the main window again
    appears "$1" "${2:-10}" || fail "no window '$1'"
    xdotool windowfocus "$(named "$1")" && keys "${3:-Return}"
    wait_for 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null 2>&1" || fail "'$1' stays"
    focus
}
menu_at() {  # "x y" of the open popup menu (named as the program; xdotool's --name misses it)
    local w i
    for i in $(seq 20); do
        for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            [ "$(xdotool getwindowname "$w")" = Trianzoid ] || continue
            xdotool getwindowgeometry --shell "$w" | awk -F= '/^X=/ { x = $2 } /^Y=/ { print x, $2 }'
            return 0
        done
        sleep 0.1
    done
    return 1
}
confirm() { if appears 'Dit lukt nooit' 1; then answer 'Dit lukt nooit'; fi; }
waiting() {  # until the drawing stands still: the search waits at a solution
    for _ in $(seq 40); do
        a=$(view_sum) && sleep 0.3 && [ "$(view_sum)" = "$a" ] && return 0
    done
    fail "the search does not wait at a solution"
}
ended() {  # the search ended "Onderbroken" with the log's summary matching $1
    answer Onderbroken 10
    tail -c 120 trianzoid*.opl | grep -q "^Onderbroken.*$1" || fail "$2: $(tail -c 90 trianzoid*.opl)"
}
open_pieces() {  # "Trianzoids" > "Open trianzoidbestand...", the file $1 typed into the dialog
    keys alt+t a
    appears 'Openen trianzoidbestand' 10 || fail "no file dialog"
    [ -e file-dialog.png ] || shot file-dialog.png "$(named 'Openen trianzoidbestand')"
    xdotool windowfocus "$(named 'Openen trianzoidbestand')" && xdotool type --delay 20 "$out/$1"
    answer 'Openen trianzoidbestand'
}

# ---- 1. Readiness after piece files; paging with the keypad
start pentiamonds-house.trz
trap 'kill $pid 2>/dev/null || true' EXIT
shot start.png
open_pieces kapot.tzp
answer Oei
keys alt+z g && sleep 1
[ -z "$(named Klaar)" ] && ! ls trianzoid*.opb 2>/dev/null || fail "a search without pieces"
open_pieces pentiamonds.tzp
keys alt+z g  # enabled at once, without a repaint
answer Klaar 30
[ "$(stat -c %s trianzoid*.opb)" -eq $((4 * (4 + 4 * 16))) ] || fail "the house does not have 4 solutions"
keys alt+o Down Return  # "Toon oplossingen in kleur"
first=$(view_sum)
keys KP_Add
[ "$(view_sum)" != "$first" ] || fail "the keypad's + did not page"
shot browsing-colour.png
keys KP_Subtract
[ "$(view_sum)" = "$first" ] || fail "the keypad's - did not page back"
keys alt+o Up Up Up Return  # "Klaar met oplossingen", above "Tellingen..." and "Exporteren..."
keys alt+o g  # "Tellingen...": the counts of the search (their text is checked in the view's tests)
appears Tellingen 10 || fail "'Tellingen...' shows no box 'Tellingen'"
shot counts.png "$(named Tellingen)"
answer Tellingen
keys alt+z e  # "Elke betegeling eenmaal", kept for the next run (part 5)

# ---- 2. A prompt of the toolbar does not stay: "Veldgegevens..." lies over the "?" button
xdotool mousemove 300 200 click 1 && sleep 0.4
edited=$(pane_sum)
xdotool click 1 && keys alt+v
read -r px py < <(menu_at) || fail "the Veld menu did not open"
xdotool mousemove $((px + 52)) $((py + 12)) click 1
answer Veldgegevens 10 Escape
xdotool mousemove 300 200 click 1 && sleep 0.4
[ "$(pane_sum)" = "$edited" ] || fail "a prompt stays in pane 0 after an edit"
xdotool click 1

# ---- 3. Help
keys F1 && sleep 0.5
[ -z "$(named Oei)" ] || fail "F1 did something"
keys alt+h h
answer Oei
kill -TERM "$pid"  # while editing the program ends at once, without questions
wait_for 10 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "SIGTERM did not end the program"
rm trianzoid*.op?

# ---- 4. A new width in "Veldgegevens" is a change: Ctrl+N asks before it drops it
start pentiamonds-house.trz
keys alt+v v
appears Veldgegevens 10 || fail "no field dialog"
xdotool windowfocus "$(named Veldgegevens)" && keys ctrl+a && xdotool type --delay 20 21
answer Veldgegevens 10 Return
keys ctrl+n
appears Trianzoid 10 || fail "Ctrl+N after a new width did not ask to save the change"
answer Trianzoid 10 Escape  # Annuleren
[ -n "$(named 'pentiamonds-house.trz - Trianzoid')" ] || fail "Annuleren did not keep the Board"
kill -TERM "$pid"
wait_for 10 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "SIGTERM did not end the program"

# ---- 5. Long searches
start hexiamonds-spare-cells.trz
keys alt+z
read -r zx zy < <(menu_at) || fail "the Zoeken menu did not open"
keys Escape Escape && focus
xdotool mousemove $((zx + 20)) 8 click 1 && sleep 0.5  # "Ga zoeken" with the mouse
xdotool mousemove $((zx + 30)) $((zy + 12)) click 1
confirm && sleep 1.5
shot search-running.png
keys Escape
ended '' "Escape after a search from the menu"
grep -q '^Modus: elke betegeling eenmaal' trianzoid*.opl || fail "the mode was not kept after a restart"
keys alt+z g
confirm && sleep 1
keys alt Escape
ended '' "Escape with the menu bar focused"
keys alt+z z  # "Zoeken speciaal"
confirm && waiting
xdotool mousemove $((zx + 20)) 8 click 1
menu_at >/dev/null || fail "at a solution the menu bar does not open"
keys o
ended 'aantal oplossingen 1,' "Onderbreek at a solution"
keys alt+z z
confirm && waiting
keys End && sleep 0.5 && waiting
keys Escape
ended 'aantal oplossingen 2,' "End at a solution"
keys alt+o Down Return
first=$(view_sum)
shot browsing-spare-cells.png
keys End Home
[ "$(view_sum)" = "$first" ] || fail "the first solution shows pieces of the second"
keys alt+o Up Up Up Return alt+t t
appears hexiamonds.tzp 10 || fail "no pieces dialog"
sleep 0.3 && shot pieces-dialog.png "$(named hexiamonds.tzp)"
answer hexiamonds.tzp 10 Escape
keys alt+z g
confirm && sleep 1
kill -TERM "$pid"
wait_for 2 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "SIGTERM during a search: running after 2 s"
status=0
wait "$pid" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "the program ended with status $status"
tail -c 120 trianzoid*.opl | grep -q '^Onderbroken' || fail "SIGTERM: the log does not end 'Onderbroken'"
echo "Xvfb: all cases pass; pictures in $out"
echo "1 passed, 0 failed"
