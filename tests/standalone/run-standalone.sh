#!/usr/bin/env bash
# Starts the built standalone app on the X display it is given (a virtual one under xvfb-run),
# on a machine without a sound card, twice: once it is stopped with SIGINT (Ctrl+C in a
# terminal), once its window is closed. Each time it must show its window, keep running, and
# then exit by itself with status 0 within a few seconds. Then once more on a desktop whose
# scale is 2, where its window must be twice as wide and twice as high in pixels.
#
#   tests/standalone/run-standalone.sh <standalone app> <x-window helper> <scratch folder>
set -euo pipefail

app=${1:?usage: run-standalone.sh <app> <x-window helper> <scratch folder>}
x_window=${2:?usage: run-standalone.sh <app> <x-window helper> <scratch folder>}
work=${3:?usage: run-standalone.sh <app> <x-window helper> <scratch folder>}
title=FHA_Vimbrel2

if [ -z "${DISPLAY:-}" ]; then
    echo "run-standalone: no X display; run under xvfb-run" >&2
    exit 1
fi

source "$(dirname "$0")/app-session.sh"
start_holder hold.log

# run_once <how> <stop command...>
run_once() {
    local how=$1 started pid
    shift
    started=$(now_ms)
    "$app" >"$work/$how.log" 2>&1 &
    pid=$!
    if ! "$x_window" wait "$title" 20; then
        kill -KILL "$pid" 2>/dev/null || true
        cat "$work/$how.log"
        echo "run-standalone: $how: the app showed no window" >&2
        return 1
    fi
    printf 'run-standalone: %s: window shown after %d ms\n' "$how" $(($(now_ms) - started))

    # It must still run a moment later: a window that flashes up and dies is a failure.
    sleep 1
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" || true
        cat "$work/$how.log"
        echo "run-standalone: $how: the app ended by itself" >&2
        return 1
    fi
    window_size=$("$x_window" size "$title" 5 | sed -n 's/^x-window: size //p')
    printf 'run-standalone: %s: window is %s pixels\n' "$how" "${window_size/ / x }"

    "$@" "$pid"
    expect_clean_exit "$pid" "$how"
}

interrupt() { kill -INT "$1"; }
close_window() { "$x_window" close "$title" 5; }

failed=0
run_once sigint interrupt || failed=1
read -r width height <<<"${window_size:-0 0}"
# The window holds the 876 x 300 panel (and the framework's title bar and border).
if [ "$width" -lt 876 ] || [ "$height" -lt 300 ]; then
    echo "run-standalone: the window is $width x $height pixels, too small for the 876 x 300 panel" >&2
    failed=1
fi
run_once window-closed close_window || failed=1

# The desktop at a scale of 2, on a private display so that the settings published there reach
# no other test. The framework sizes a window in physical pixels as its size in logical ones
# times its display's scale: twice the size at scale 1, so the panel shows at 1752 x 600.
start_private_display scaled 2560x1600x24
start_holder hold-scaled.log 2
window_size=
run_once scaled interrupt || failed=1
if [ "${window_size:-}" != "$((width * 2)) $((height * 2))" ]; then
    size=${window_size:-unknown}
    echo "run-standalone: at a desktop scale of 2 the window is ${size/ / x } pixels;" \
         "want $((width * 2)) x $((height * 2)), twice its $width x $height at scale 1" >&2
    failed=1
fi

[ "$failed" -eq 0 ] && echo "run-standalone: done"
exit "$failed"
