# shellcheck shell=bash
# Shared by the standalone app's test scripts (sourced after they set $work and $x_window): a
# scratch home, helpers ended on exit, a private X display, what a window manager would provide,
# and the app's end.

me=$(basename "$0" .sh)

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The app keeps its settings (audio device, window place) under ~/.config: a scratch HOME keeps
# the user's out of the test and the test's out of the user's.
rm -rf "$work"
mkdir -p "$work/home/.config"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"

# Everything started in the background, ended on exit.
helpers=()
trap 'for p in "${helpers[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT

# start_private_display <name> [Xvfb screen]: a display of the test's own, so that what it shows
# or publishes reaches no other test; sets DISPLAY.
start_private_display() {
    local name=$1 screen=${2:-1280x800x24}
    Xvfb -displayfd 3 -nolisten tcp -screen 0 "$screen" 3>"$work/$name.display" >"$work/$name.xvfb.log" 2>&1 &
    helpers+=($!)
    for _ in $(seq 50); do
        [ -s "$work/$name.display" ] && break
        sleep 0.1
    done
    if ! [ -s "$work/$name.display" ]; then
        cat "$work/$name.xvfb.log"
        echo "$me: no private X display started" >&2
        exit 1
    fi
    export DISPLAY=":$(head -n 1 "$work/$name.display")"
}

# What a window manager would provide, and with a scale what a desktop's settings daemon
# publishes: see x-window.cpp.
# start_holder <log name> [scale]
start_holder() {
    local log="$work/$1"
    shift
    "$x_window" hold "$@" >"$log" 2>&1 &
    helpers+=($!)
    for _ in $(seq 50); do
        grep -q "ready" "$log" && return 0
        sleep 0.1
    done
    cat "$log"
    echo "$me: x-window hold $* did not start" >&2
    exit 1
}

# expect_clean_exit <pid> <how>: the app, just asked to quit, must end by itself within 10 s
# with status 0. Prints its log ($work/<how>.log).
expect_clean_exit() {
    local pid=$1 how=$2 started status=0 waited=0
    started=$(now_ms)
    while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 100 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        cat "$work/$how.log"
        echo "$me: $how: the app was still running 10 s later" >&2
        return 1
    fi
    wait "$pid" || status=$?
    cat "$work/$how.log"
    printf '%s: %s: exited with status %d after %d ms\n' "$me" "$how" "$status" $(($(now_ms) - started))
    if [ "$status" -ne 0 ]; then
        echo "$me: $how: want exit status 0" >&2
        return 1
    fi
}
