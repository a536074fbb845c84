#!/usr/bin/env bash
# The standalone app on JACK. Debian's JACK server (jackd, package jackd2) runs headless with its
# dummy driver under a name of the test's own; the app starts on a private virtual display with
# JACK chosen in its settings, as its Options dialog keeps the choice, and its input unmuted. A
# JACK client of the test's own (jack-probe) plays a tone burst into the app's JACK inputs and
# must hear the echo on its JACK outputs after the burst has ended. SIGINT (Ctrl+C) must then
# end the app with status 0, leaving JACK as the choice in its settings; started again from
# those settings it must come back on JACK and play the echo again.
# Where the JACK server cannot start, the test says why and is skipped (exit status 77).
#
#   tests/standalone/run-jack.sh <standalone app> <jack probe> <x-window helper> <scratch folder>
set -euo pipefail

usage="usage: run-jack.sh <app> <jack probe> <x-window helper> <scratch folder>"
app=${1:?$usage}
probe=${2:?$usage}
x_window=${3:?$usage}
work=${4:?$usage}
client=FHA_Vimbrel2 # the app's name as a JACK client
settings_name=FHA_Vimbrel2.settings

skip() {
    echo "run-jack: skipped: $*"
    exit 77
}
command -v jackd >/dev/null || skip "jackd is not installed (Debian package jackd2)"

source "$(dirname "$0")/app-session.sh"
settings="$HOME/.config/$settings_name"

# The server's own name keeps it apart from a user's server and from other runs; it asks no
# desktop service for a sound card, and no client starts a server of its own.
export JACK_DEFAULT_SERVER="vimbrel-test-$$" JACK_NO_AUDIO_RESERVATION=1 JACK_NO_START_SERVER=1
jackd --no-realtime --name "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
jackd_pid=$!
helpers+=($jackd_pid)
for _ in $(seq 100); do
    jack_lsp >/dev/null 2>&1 && break
    kill -0 "$jackd_pid" 2>/dev/null || break
    sleep 0.1
done
if ! jack_lsp >/dev/null 2>&1; then
    cat "$work/jackd.log"
    skip "the JACK server did not start here (its log is above)"
fi
echo "run-jack: JACK server $JACK_DEFAULT_SERVER runs with its dummy driver"

start_private_display jack
start_holder hold.log

# The settings as the Options dialog leaves them once JACK's "system" ports are chosen and
# "Mute audio input" is unticked.
cat >"$settings" <<XML
<?xml version="1.0" encoding="UTF-8"?>

<PROPERTIES>
  <VALUE name="audioSetup">
    <DEVICESETUP deviceType="JACK" audioOutputDeviceName="system" audioInputDeviceName="system"/>
  </VALUE>
  <VALUE name="shouldMuteInput" val="0"/>
</PROPERTIES>
XML

# Whether the server lists any port of the app's client.
app_ports_listed() {
    local ports
    ports=$(jack_lsp 2>/dev/null) || true
    grep -q "^$client:" <<<"$ports"
}

# play_through_jack <how>: starts the app, lets the probe listen, quits the app with SIGINT.
play_through_jack() {
    local how=$1 pid
    "$app" >"$work/$how.log" 2>&1 &
    pid=$!
    if ! "$probe" "$client" 30; then
        kill -KILL "$pid" 2>/dev/null || true
        cat "$work/$how.log"
        echo "run-jack: $how: no echo came back through JACK" >&2
        return 1
    fi
    kill -INT "$pid"
    expect_clean_exit "$pid" "$how"

    # The server drops a client's ports a moment after the client has gone. Until then a new
    # app would find the name taken (and run under another), and the probe would find the old
    # ports and fail to connect to them.
    for _ in $(seq 100); do
        app_ports_listed || break
        sleep 0.1
    done
    if app_ports_listed; then
        jack_lsp
        echo "run-jack: $how: the JACK server still lists the app's ports 10 s after it ended" >&2
        return 1
    fi

    # The app writes its device state back when it quits: JACK, with the rate it ran at.
    if ! grep -q 'deviceType="JACK"' "$settings" || ! grep -q 'audioDeviceRate=' "$settings"; then
        cat "$settings"
        echo "run-jack: $how: the app did not keep JACK as its choice" >&2
        return 1
    fi
}

play_through_jack chosen
play_through_jack remembered
echo "run-jack: done"
