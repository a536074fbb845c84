#!/usr/bin/env python3
"""Checks the panel artwork in resources/images against the image catalogue.

Every group folder must hold exactly its listed files, each a PNG whose header says the group's
pixel size, 8 bits per channel, RGBA (RGB for the background) and no interlacing.

    python3 tools/panel-artwork/check_catalogue.py [images-folder]
"""

import pathlib
import struct
import sys
import zlib

RGB, RGBA = 2, 6


def numbered(prefix, count):
    return [f"{prefix}{i:04d}" for i in range(count)]


def states(prefix, names):
    return [prefix + name for name in names]


# folder: (file names without .png in stored order, width, height, PNG colour type)
CATALOGUE = {
    "bg": (["bg"], 876, 300, RGB),
    "knob": (numbered("knobsfinal", 115), 91, 91, RGBA),
    "knob3": ([f"trippleknob{i}" for i in range(1, 4)], 91, 91, RGBA),
    "knob12": ([f"pleknob{i}" if i != 11 else "pleknob11_" for i in range(1, 13)], 91, 91, RGBA),
    "cateye": (numbered("cats_eye_small", 25), 86, 86, RGBA),
    "fader": (["fader"], 27, 32, RGBA),
    "btn1": (states("btn1", ["off", "offover", "on", "onover"]), 60, 42, RGBA),
    "btn2": (states("btn2", ["off", "offover", "on", "onover"]), 56, 42, RGBA),
    "btn3": (states("btn3", ["off", "offover", "on", "onover"]), 60, 42, RGBA),
    "classic": (states("btn_tempo_classic_", ["off", "on", "over"]), 50, 22, RGBA),
    "manual": (states("btn_tempo_manual_", ["off", "on", "over"]), 50, 22, RGBA),
    "host": (states("btn_tempo_host_", ["off", "on", "over"]), 42, 22, RGBA),
    "58": (states("btn_bpm_58_", ["off", "on", "over", "disabled"]), 31, 20, RGBA),
    "6-8": (states("btn_bpm_68_", ["off", "on", "over", "disabled"]), 31, 20, RGBA),
    "7-8": (states("btn_bpm_78_", ["off", "on", "over", "disabled"]), 31, 20, RGBA),
    "8-8": (states("btn_bpm_88_", ["off", "on", "over", "disabled"]), 31, 20, RGBA),
}

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def read_header(path):
    data = path.read_bytes()
    if not data.startswith(SIGNATURE):
        return None, "not a PNG file"
    length, kind = struct.unpack(">I4s", data[8:16])
    if kind != b"IHDR" or length != 13:
        return None, "first chunk is not IHDR"
    body = data[16:29]
    (crc,) = struct.unpack(">I", data[29:33])
    if zlib.crc32(kind + body) != crc:
        return None, "IHDR checksum is wrong"
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
    return (width, height, depth, colour, interlace), None


def check(root):
    problems = []
    total = 0

    for folder, (names, width, height, colour) in CATALOGUE.items():
        directory = root / folder
        expected = {name + ".png" for name in names}
        present = {p.name for p in directory.glob("*")} if directory.is_dir() else set()

        for missing in sorted(expected - present):
            problems.append(f"{folder}/{missing}: missing")
        for extra in sorted(present - expected):
            problems.append(f"{folder}/{extra}: not in the catalogue")

        for name in sorted(expected & present):
            total += 1
            header, error = read_header(directory / name)
            if error:
                problems.append(f"{folder}/{name}: {error}")
                continue
            want = (width, height, 8, colour, 0)
            if header != want:
                problems.append(f"{folder}/{name}: header (w, h, depth, colour type, interlace) "
                                f"is {header}, expected {want}")

    extra_folders = sorted(p.name for p in root.iterdir() if p.is_dir() and p.name not in CATALOGUE) \
        if root.is_dir() else []
    for folder in extra_folders:
        problems.append(f"{folder}/: not a catalogue group")

    return total, problems


def main():
    default = pathlib.Path(__file__).resolve().parents[2] / "resources" / "images"
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    total, problems = check(root)

    for problem in problems:
        print(problem)

    expected = sum(len(names) for names, *_ in CATALOGUE.values())
    print(f"{root}: {total} of {expected} catalogue images checked, {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
