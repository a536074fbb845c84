#!/usr/bin/env python3
"""Checks the second of audio the plug-in gave in Ardour (written by reopen-session.lua): 32-bit
float stereo, every sample finite and within a sane level, audible, and still sounding after the
test burst has ended only when the first echo is due at the session's settings. Prints every
value it compares.

    check-audio.py <played.wav> <sample rate>
"""
import math
import struct
import sys

AUDIBLE_DB = -40.0     # each channel's peak must reach this
LOUDEST_DB = 12.0      # and stay below this: anything louder is garbage, not an echo
# The test burst lasts 0.05 s. At the session's settings and 120 BPM the first echo follows it
# 0.4 s later: "Stereo delay" repeats the fourth head, four tenths of a beat (0.2 s) behind its
# input, and Double time, switched on after the program, doubles that. Without Double time the
# echo would fall into the quiet window.
QUIET_SECONDS = (0.15, 0.35)
QUIET_DB = -80.0
ECHO_SECONDS = (0.38, 0.50)
ECHO_DB = -60.0


def read_float_wav(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError(f"{path} is not a RIFF WAVE file")
    fmt = samples = None
    pos = 12
    while pos + 8 <= len(data):
        chunk, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        if chunk == b"fmt ":
            fmt = struct.unpack("<HHIIHH", body[:16])
        elif chunk == b"data":
            samples = body
        pos += 8 + size + (size & 1)
    if fmt is None or samples is None:
        raise ValueError(f"{path} has no fmt or data chunk")
    format_tag, channels, rate, _, _, bits = fmt
    if format_tag != 3 or bits != 32:
        raise ValueError(f"{path} is not 32-bit float (format {format_tag}, {bits} bits)")
    values = struct.unpack(f"<{len(samples) // 4}f", samples)
    return rate, [values[c::channels] for c in range(channels)]


def window_peak(samples, rate, seconds):
    return max((abs(v) for v in samples[int(seconds[0] * rate):int(seconds[1] * rate)]), default=0.0)


def db(x):
    return 20.0 * math.log10(x) if x > 0 else -math.inf


def main():
    path, expected_rate = sys.argv[1], int(sys.argv[2])
    rate, channels = read_float_wav(path)
    failures = 0

    def check(ok, what):
        nonlocal failures
        print(("ok    " if ok else "FAIL  ") + what)
        failures += not ok

    frames = len(channels[0]) if channels else 0
    check(len(channels) == 2 and rate == expected_rate and frames == expected_rate,
          f"the played audio is {len(channels)} channels, {rate} Hz, {frames} frames (want 2, {expected_rate}, {expected_rate})")

    for c, samples in enumerate(channels):
        bad = sum(1 for v in samples if not math.isfinite(v))
        check(bad == 0, f"channel {c + 1}: {bad} samples not finite")
        finite = [v if math.isfinite(v) else 0.0 for v in samples]
        peak = max((abs(v) for v in finite), default=0.0)
        check(AUDIBLE_DB <= db(peak) < LOUDEST_DB,
              f"channel {c + 1}: peak {db(peak):.1f} dBFS (want at least {AUDIBLE_DB} and below {LOUDEST_DB} dBFS)")
        quiet = window_peak(finite, rate, QUIET_SECONDS)
        check(db(quiet) < QUIET_DB, f"channel {c + 1}: peak {db(quiet):.1f} dBFS from {QUIET_SECONDS[0]} to "
                                    f"{QUIET_SECONDS[1]} s, after the burst and before the first echo (want below {QUIET_DB} dBFS)")
        echo = window_peak(finite, rate, ECHO_SECONDS)
        check(db(echo) >= ECHO_DB, f"channel {c + 1}: peak {db(echo):.1f} dBFS from {ECHO_SECONDS[0]} to {ECHO_SECONDS[1]} s, "
                                   f"the first echo (want at least {ECHO_DB} dBFS)")

    if failures:
        print(f"check-audio: {failures} check(s) failed")
        return 1
    print("check-audio: done")
    return 0


if __name__ == "__main__":
    sys.exit(main())
