#!/usr/bin/env python3
"""Checks the WAV file Ardour exported from the test session: one second of 32-bit float
stereo, every sample finite, audible, and still sounding after the test burst has ended, when
only the plug-in's echoes can be heard. Prints every value it compares.

    check-export.py <exported.wav> <sample rate>
"""
import math
import struct
import sys

BURST_SECONDS = 0.05   # the test burst's length (test-burst.lua)
ECHO_FROM_SECONDS = 0.25  # well after the burst: only echoes sound from here on
AUDIBLE_DB = -40.0     # the whole export's peak must reach this
ECHO_DB = -60.0        # and each channel's peak after the burst this


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
          f"export is {len(channels)} channels, {rate} Hz, {frames} frames (want 2, {expected_rate}, {expected_rate})")

    for c, samples in enumerate(channels):
        bad = sum(1 for v in samples if not math.isfinite(v))
        check(bad == 0, f"channel {c + 1}: {bad} samples not finite")
        finite = [v if math.isfinite(v) else 0.0 for v in samples]
        peak = max((abs(v) for v in finite), default=0.0)
        check(db(peak) >= AUDIBLE_DB, f"channel {c + 1}: peak {db(peak):.1f} dBFS (want at least {AUDIBLE_DB} dBFS)")
        echo_peak = max((abs(v) for v in finite[int(ECHO_FROM_SECONDS * rate):]), default=0.0)
        check(db(echo_peak) >= ECHO_DB,
              f"channel {c + 1}: peak {db(echo_peak):.1f} dBFS from {ECHO_FROM_SECONDS} s on, where the "
              f"{BURST_SECONDS} s burst is over and only echoes sound (want at least {ECHO_DB} dBFS)")

    if failures:
        print(f"check-export: {failures} check(s) failed")
        return 1
    print("check-export: done")
    return 0


if __name__ == "__main__":
    sys.exit(main())
