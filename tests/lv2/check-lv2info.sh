#!/usr/bin/env bash
# Reads the built LV2 bundle with Debian's LV2 tools (lilv-utils), as an LV2 host's library
# does, and checks what they report: the plug-in under its URI alone, filed as a delay, its
# maker's mailto: address and homepage, its binary and window, the
# state interface, the six factory programs as presets, the ports (stereo audio in and out, the
# atom ports that carry the parameters, the latency), and the 22 slots as parameters p0 to p21
# the host may write and read. Prints each comparison.
#
#   tests/lv2/check-lv2info.sh <built FHA_Vimbrel2.lv2 folder> <plug-in URI> <homepage> <e-mail> <LV2 specifications>
#
# The LV2 specifications (the framework's copy) define the plug-in classes, as a host's LV2
# installation does; without them lilv knows no class but lv2:Plugin.
#
# Exits 77 (ctest: skipped) when lilv-utils is not installed.
set -euo pipefail

usage="usage: check-lv2info.sh <bundle folder> <URI> <homepage> <e-mail> <LV2 specifications>"
bundle=$(cd "${1:?$usage}" && pwd)
uri=${2:?$usage}
homepage=${3:?$usage}
email=${4:?$usage}
specifications=${5:?$usage}

if ! command -v lv2info >/dev/null 2>&1 || ! command -v lv2ls >/dev/null 2>&1; then
    echo "check-lv2info: skipped, lilv-utils is not installed (apt-get install lilv-utils)"
    exit 77
fi

# Only the bundle under test and the specifications, none installed on the machine.
export LV2_PATH
LV2_PATH=$(dirname "$bundle"):$specifications
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Nor anything of the user's: a scratch home.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache" \
    XDG_DATA_HOME="$work/home/.local/share" XDG_STATE_HOME="$work/home/.local/state"
mkdir -p "$HOME"

failures=0
check() { # check <what> <want> <got>
    if [ "$2" = "$3" ]; then
        printf 'ok    %s: %s\n' "$1" "$(echo "$3" | paste -sd '|')"
    else
        printf 'FAIL  %s:\n  want %s\n  got  %s\n' "$1" "$(echo "$2" | paste -sd '|')" "$(echo "$3" | paste -sd '|')"
        failures=$((failures + 1))
    fi
}

check "lv2ls lists" "$uri" "$(lv2ls)"

lv2info "$uri" >"$work/info.txt" 2>"$work/info.err" || { cat "$work/info.err"; echo "check-lv2info: lv2info failed" >&2; exit 1; }
field() { sed -n "s/^\t$1: *//p" "$work/info.txt" | head -n 1; }
check "name" "FHA_Vimbrel2" "$(field Name)"
check "class" "Delay Plugin" "$(field Class)"
check "author" "KVOR" "$(field Author)"
check "author's e-mail" "mailto:$email" "$(field 'Author Email')"
check "author's homepage" "$homepage" "$(field 'Author Homepage')"
check "binary" "file://$bundle/libFHA_Vimbrel2.so" "$(field Binary)"
check "window" "$uri:UI http://lv2plug.in/ns/extensions/ui#X11UI" \
    "$(sed -n "s/^\t\t\(https:.*:UI\)$/\1/p" "$work/info.txt") $(sed -n 's/^\t\t\tClass: *//p' "$work/info.txt")"
check "extension data" "http://lv2plug.in/ns/ext/state#interface" "$(field 'Extension Data')"
# A host must offer these: Ardour, Carla, Qtractor and lilv-based hosts all do.
check "required features" "http://lv2plug.in/ns/ext/buf-size#boundedBlockLength
http://lv2plug.in/ns/ext/options#options
http://lv2plug.in/ns/ext/urid#map" \
    "$(awk '/^\t[A-Z]/ { listing = /^\tRequired Features:/ } listing' "$work/info.txt" | grep -o 'http[^ ]*' | sort)"
check "presets" "Doubling
Guitar
Mono Swell
Standard
Stereo Swell
Stereo delay" "$(sed -n '/^\tPresets:/,/^$/p' "$work/info.txt" | sed -n 's/^\t\+ *//p' | grep -v '^Presets:' | LC_ALL=C sort)"

# Each port as "symbol kind direction", in port order.
ports=$(awk '
    /^\tPort [0-9]+:/ { if (symbol != "") print symbol, kind, direction; symbol = ""; kind = ""; direction = "" }
    /#AudioPort|#AtomPort|#ControlPort/ { sub(/.*#/, ""); kind = $0 }
    /#InputPort|#OutputPort/ { sub(/.*#/, ""); direction = $0 }
    /^\t\tSymbol:/ { symbol = $2 }
    END { if (symbol != "") print symbol, kind, direction }' "$work/info.txt")
check "ports" "audio_in_1 AudioPort InputPort
audio_in_2 AudioPort InputPort
audio_out_1 AudioPort OutputPort
audio_out_2 AudioPort OutputPort
in AtomPort InputPort
out AtomPort OutputPort
latency ControlPort OutputPort
freeWheeling ControlPort InputPort
enabled ControlPort InputPort" "$ports"

# The parameters, from the plug-in's description as lilv writes it out.
lv2info -p "$work/description.ttl" "$uri" >/dev/null 2>&1
parameters() { # parameters <patch property>: the plug-in's parameters listed under it, in slot order
    awk -v property="<http://lv2plug.in/ns/ext/patch#$1>" 'index($0, property) { listing = 1 } listing { print } listing && /[;.]$/ { exit }' \
        "$work/description.ttl" | grep -o "<$uri:[^>]*>" | sed "s|<$uri:\(.*\)>|\1|" | sort -V
}
slots=$(seq 0 21 | sed 's/^/p/')
check "parameters the host may write" "$slots" "$(parameters writable)"
check "parameters the host may read" "$slots" "$(parameters readable)"

if [ "$failures" -gt 0 ]; then
    echo "check-lv2info: $failures check(s) failed"
    exit 1
fi
echo "check-lv2info: done"
