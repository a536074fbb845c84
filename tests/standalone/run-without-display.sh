#!/usr/bin/env bash
# The standalone app without a display: --help and --version print and exit with status 0 (the
# version the build's own), and a start says in one line that it needs a display and exits with
# status 1; never a crash. With a display, --help answers the same without opening the window.
#
#   tests/standalone/run-without-display.sh <standalone app> <project version> <scratch folder>
set -euo pipefail

usage="usage: run-without-display.sh <app> <version> <scratch folder>"
app=${1:?$usage}
version=${2:?$usage}
work=${3:?$usage}

rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"

# A display name that no X server answers here.
absent=99
while [ -e "/tmp/.X11-unix/X$absent" ] || [ -e "/tmp/.X$absent-lock" ]; do absent=$((absent + 1)); done

failed=0

# check <case> <want status> <stdout: extended regex, or "" for none> <stderr: regex of its one
# line, or "" for none> <command...>
check() {
    local name=$1 want_status=$2 want_out=$3 want_err=$4 status=0
    shift 4
    timeout 20 "$@" >"$work/out" 2>"$work/err" || status=$?
    local problem=
    if [ "$status" -ne "$want_status" ]; then
        problem="exit status $status, want $want_status"
    elif [ -z "$want_out" ] && [ -s "$work/out" ]; then
        problem="it printed on stdout"
    elif [ -n "$want_out" ] && ! grep -Eq "$want_out" "$work/out"; then
        problem="stdout does not match /$want_out/"
    elif [ -z "$want_err" ] && [ -s "$work/err" ]; then
        problem="it printed on stderr"
    elif [ -n "$want_err" ] && { [ "$(wc -l <"$work/err")" -ne 1 ] || ! grep -Eq "$want_err" "$work/err"; }; then
        problem="stderr is not one line matching /$want_err/"
    fi

    if [ -n "$problem" ]; then
        echo "run-without-display: $name: $problem; it printed:" >&2
        cat "$work/out" "$work/err" >&2
        failed=1
    else
        echo "run-without-display: $name: status $status: $(cat "$work/out" "$work/err" | head -n 1)"
    fi
}

name=$(basename "$app")
check "--help, DISPLAY unset" 0 "^usage: $name " "" env -u DISPLAY "$app" --help
check "--version, DISPLAY unset" 0 "^FHA_Vimbrel2 ${version//./\\.}\$" "" env -u DISPLAY "$app" --version
check "no display at :$absent" 1 "" "^$name: needs a graphical display, and the display ':$absent' cannot be opened\$" \
    env DISPLAY=":$absent" "$app"
# Unset, the framework tries the display :0, which a desktop may have.
if [ -e /tmp/.X11-unix/X0 ]; then
    echo "run-without-display: a display :0 runs here, so the start with DISPLAY unset is left out"
else
    check "DISPLAY unset" 1 "" "^$name: needs a graphical display, and DISPLAY is not set\$" env -u DISPLAY "$app"
fi
if [ -n "${DISPLAY:-}" ]; then
    check "--help on a display" 0 "^usage: $name " "" "$app" --help
fi

[ "$failed" -eq 0 ] && echo "run-without-display: done"
exit "$failed"
