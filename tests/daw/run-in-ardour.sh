#!/usr/bin/env bash
# Runs a built bundle, VST3 or LV2, in Debian's Ardour 7, headless: no display, no sound card
# (the "None (Dummy)" audio backend). For the VST3, Ardour's VST3 scanner indexes the bundle;
# Ardour reads an LV2 bundle's description itself. One ardour7-lua process makes a session with
# the plug-in on a stereo track, selects a factory program, changes parameters and saves; a
# second process reopens the session, checks every parameter (the VST3's as Ardour lists them,
# the LV2's in the states Ardour saves of it, check-lv2-state.py) and plays the first second, which
# check-audio.py reads. Each step prints what it compared and how long it took; any failed
# check, crash or hang fails the run.
#
# Two runs do not play the same samples, not even of one format: the drum's drift moves on with
# every sample the plug-in processes, and Ardour runs it for a varying number of samples before
# the transport rolls. tests/formats compares the two formats sample for sample in one host.
#
#   tests/daw/run-in-ardour.sh VST3 <built bundle folder> <scratch folder>
#   tests/daw/run-in-ardour.sh LV2 <built bundle folder> <scratch folder> <the plug-in's URI>
#
# The scratch folder is emptied first. Exits 77 (ctest: skipped) when Ardour 7 is missing.
set -euo pipefail

usage="usage: run-in-ardour.sh <VST3|LV2> <bundle folder> <scratch folder> [<LV2 URI>]"
here=$(cd "$(dirname "$0")" && pwd)
format=${1:?$usage}
bundle=$(cd "${2:?$usage}" && pwd)
work=${3:?$usage}
uri=${4:-}
case "$format" in VST3) ;; LV2) [ -n "$uri" ] || { echo "$usage" >&2; exit 2; } ;; *) echo "$usage" >&2; exit 2 ;; esac

scanner=/usr/lib/ardour7/ardour-vst3-scanner
if ! command -v ardour7-lua >/dev/null 2>&1 || [ ! -x "$scanner" ]; then
    echo "run-in-ardour: skipped, Ardour 7 is not installed (apt-get install --no-install-recommends ardour)"
    exit 77
fi

# HOME and the XDG folders point into the scratch folder, so no user's Ardour settings, plug-in
# cache or ~/.vst3 is read, and nothing is written outside the scratch folder.
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache" XDG_DATA_HOME="$HOME/.local/share"
# Ardour looks for plug-ins of the format under test only in the folder that holds the bundle,
# and for no plug-ins of other kinds.
export VST3_PATH="$work/none" LV2_PATH="$work/none" LADSPA_PATH="$work/none" VST_PATH="$work/none"
if [ "$format" = VST3 ]; then
    VST3_PATH=$(dirname "$bundle")
else
    LV2_PATH=$(dirname "$bundle")
fi

# The signal source and the tap that keeps what the plug-in plays go where Ardour looks for a
# user's own scripts.
mkdir -p "$XDG_CONFIG_HOME/ardour7/scripts"
cp "$here/test-burst.lua" "$here/test-tap.lua" "$XDG_CONFIG_HOME/ardour7/scripts/"

# A step that takes longer than this has hung; a cold run of every step together takes seconds.
step_seconds=40
now_ms() { echo $(($(date +%s%N) / 1000000)); }
run_started=$(now_ms)

# run_step <name> <last line a complete run prints, or ""> <command...>
# Runs one step with a time limit and prints its output and time; fails when the step fails,
# hangs, or stops before printing its last line (a crash can still leave a zero exit status).
run_step() {
    local name=$1 done_line=$2 started elapsed status=0
    shift 2
    echo "==> $name"
    started=$(now_ms)
    timeout --kill-after=5 "$step_seconds" "$@" >"$work/$name.log" 2>&1 || status=$?
    cat "$work/$name.log"
    elapsed=$(($(now_ms) - started))
    printf '==> %s took %d.%03d s\n' "$name" $((elapsed / 1000)) $((elapsed % 1000))
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "run-in-ardour: $name hung and was stopped after $step_seconds s" >&2
        return 1
    elif [ "$status" -ne 0 ]; then
        echo "run-in-ardour: $name failed (exit status $status)" >&2
        return 1
    elif [ -n "$done_line" ] && ! grep -qx "$done_line" "$work/$name.log"; then
        echo "run-in-ardour: $name stopped before its end (no \"$done_line\")" >&2
        return 1
    fi
}

# Ardour only loads VST3 plug-ins its scanner has indexed (the cache under ~/.cache/ardour7).
# The scanner stamps its entry with the time in whole seconds, and Ardour ignores an entry that
# is older than the bundle: a bundle linked less than a second ago would seem changed since.
if [ "$format" = VST3 ]; then
    while [ -n "$(find "$bundle" -newermt "@$(($(date +%s) - 1))" -print -quit)" ]; do
        sleep 0.2
    done
    run_step scan "" env LD_LIBRARY_PATH=/usr/lib/ardour7 "$scanner" --force "$bundle" || exit 1
    if ! grep -rqs "bundle=\"$bundle\"" "$XDG_CACHE_HOME/ardour7/vst"; then
        echo "run-in-ardour: the scanner wrote no cache entry for $bundle" >&2
        exit 1
    fi
fi

run_step create "create-session: done" \
    ardour7-lua "$here/create-session.lua" "$format" "$work/session" "$bundle" "$work/expected-values.txt" $uri || exit 1

failed=()
if [ "$format" = LV2 ]; then
    run_step check-created-state "check-lv2-state: done" \
        python3 "$here/check-lv2-state.py" "$work/session" "$work/expected-values.txt" saved "$uri" ||
        failed+=(check-created-state)
fi

# The reopening process plays even when a parameter came back wrong, so the audio is checked
# whatever the reopening found.
run_step reopen "reopen-session: done" \
    ardour7-lua "$here/reopen-session.lua" "$format" "$work/session" "$work/expected-values.txt" "$work/played.wav" $uri ||
    failed+=(reopen)

if [ "$format" = LV2 ]; then
    run_step check-reopened-state "check-lv2-state: done" \
        python3 "$here/check-lv2-state.py" "$HOME/.lv2" "$work/expected-values.txt" reopened "$uri" ||
        failed+=(check-reopened-state)
fi

if [ -f "$work/played.wav" ]; then
    run_step check-audio "check-audio: done" python3 "$here/check-audio.py" "$work/played.wav" 48000 ||
        failed+=(check-audio)
else
    echo "run-in-ardour: the reopened session wrote no $work/played.wav" >&2
    failed+=(play)
fi

elapsed=$(($(now_ms) - run_started))
if [ ${#failed[@]} -gt 0 ]; then
    printf 'run-in-ardour: failed in %s after %d.%03d s\n' "${failed[*]}" $((elapsed / 1000)) $((elapsed % 1000)) >&2
    exit 1
fi
printf 'run-in-ardour: every check passed in %d.%03d s\n' $((elapsed / 1000)) $((elapsed % 1000))
