# Shared by the Xvfb tests; sourced, not run.

# Runs the calling script again inside a fresh Xvfb server ($1 is the script, the rest its arguments),
# or skips the test (status 77) when Xvfb or xdotool is missing. Inside the server it returns.
run_in_xvfb() {
    [ -n "${TRIANZOID_IN_XVFB:-}" ] && return 0
    if ! command -v xvfb-run >/dev/null || ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
        echo "SKIP: Xvfb or xdotool is not installed"
        exit 77
    fi
    export TRIANZOID_IN_XVFB=1
    # The real X server, whatever platform the other GUI tests run on.
    export QT_QPA_PLATFORM=xcb
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
}

# Polls until a command succeeds, at most $1 seconds.
wait_for() {
    local limit=$1; shift
    for _ in $(seq $((limit * 10))); do "$@" && return 0; sleep 0.1; done
    return 1
}

# Starts the program ($app) on the Board $1 with its output in $out/app.log, waits for its window
# ("NAME - Trianzoid") and gives it the keyboard focus. Sets pid and main; the program is killed on exit.
start_app() {
    local name
    name=$(basename "$1")
    "$app" "$1" >>"$out/app.log" 2>&1 &
    pid=$!
    trap 'kill $pid 2>/dev/null || true' EXIT
    wait_for 30 xdotool search --onlyvisible --name "^$name - Trianzoid\$" >/dev/null ||
        fail "no window titled '$name - Trianzoid'"
    main=$(xdotool search --onlyvisible --name "^$name - Trianzoid\$" | head -1)
    sleep 0.5
    # Without a window manager the keyboard focus stays where xdotool puts it.
    xdotool windowfocus "$main"
    sleep 0.2
}
