#!/usr/bin/env bash
# Starts the built standalone app on the X display it is given (a virtual one under xvfb-run),
# on a machine without a sound card, twice: once it is stopped with SIGINT (Ctrl+C in a
# terminal), once its window is closed. Each time it must show its window, keep running, and
# then exit by itself with status 0 within a few seconds.
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

# The app keeps its settings (audio device, window place) under ~/.config: a scratch HOME keeps
# the user's out of the test and the test's out of the user's.
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# What a window manager would provide: see x-window.cpp.
"$x_window" hold >"$work/hold.log" 2>&1 &
holder=$!
trap 'kill "$holder" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    grep -q "ready" "$work/hold.log" && break
    sleep 0.1
done
grep -q "ready" "$work/hold.log" || { cat "$work/hold.log"; echo "run-standalone: x-window hold did not start" >&2; exit 1; }

# run_once <how> <stop command...>
run_once() {
    local how=$1 started pid status=0 waited=0
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

    "$@" "$pid"
    started=$(now_ms)
    while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 100 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        cat "$work/$how.log"
        echo "run-standalone: $how: the app was still running 10 s later" >&2
        return 1
    fi
    wait "$pid" || status=$?
    cat "$work/$how.log"
    printf 'run-standalone: %s: exited with status %d after %d ms\n' "$how" "$status" $(($(now_ms) - started))
    if [ "$status" -ne 0 ]; then
        echo "run-standalone: $how: want exit status 0" >&2
        return 1
    fi
}

interrupt() { kill -INT "$1"; }
close_window() { "$x_window" close "$title" 5; }

failed=0
run_once sigint interrupt || failed=1
run_once window-closed close_window || failed=1
[ "$failed" -eq 0 ] && echo "run-standalone: done"
exit "$failed"
