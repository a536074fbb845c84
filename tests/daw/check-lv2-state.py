#!/usr/bin/env python3
"""Reads the newest state Ardour saved for the LV2 plug-in under a folder (a session's, or the
folder of user presets) and checks that it holds every slot value create-session.lua expects.
The state is the plug-in's own saved state, the same bytes the VST3 saves, in the framework's
text form. Prints every value it compares.

    check-lv2-state.py <folder> <expected values file> <label for the log> <the plug-in's URI>
"""
import glob
import math
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

# The framework's text form of a block: "<size>." and six bits a character, lowest bits first.
ALPHABET = ".ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+"
# Each slot's attribute in the saved state, and what the state holds: the host's value times this.
ATTRIBUTES = {0: ("finput", 1), 1: ("flenght", 1), 2: ("ftone", 1), 3: ("fvolume", 1), 4: ("fselection", 1),
              5: ("fdelayselection", 1), 9: ("foversampling", 1), 10: ("fbpm", 200), 11: ("fbpmmanual", 1),
              12: ("fbpmhost", 1), 13: ("fbpmclassic", 1), 15: ("fbtn1", 1), 16: ("fbtn2", 1), 17: ("fbtn3", 1),
              18: ("fbtn58", 1), 19: ("fbtn68", 1), 20: ("fbtn78", 1), 21: ("fbtn88", 1)}


def decode(text):
    size_text, _, chars = text.partition(".")
    size = int(size_text)
    bits = 0
    for i, c in enumerate(chars):
        bits |= ALPHABET.index(c) << (6 * i)
    return (bits & ((1 << (8 * size)) - 1)).to_bytes(size, "little")


def newest_state(folder, state_uri):
    states = [path for path in glob.glob(os.path.join(folder, "**", "*.ttl"), recursive=True)
              if state_uri in open(path, encoding="utf-8", errors="replace").read()]
    if not states:
        raise SystemExit(f"check-lv2-state: no saved plug-in state under {folder}")
    return max(states, key=os.path.getmtime), len(states)


def main():
    folder, expected_file, label, plugin_uri = sys.argv[1:5]
    # The framework saves the plug-in's state under this key of the plug-in's.
    state_uri = plugin_uri + ":StateString"
    path, count = newest_state(folder, state_uri)
    print(f"{label}: reading {os.path.relpath(path, folder)} ({count} saved state(s))")
    with open(path, encoding="utf-8") as f:
        match = re.search(r"<" + re.escape(state_uri) + r'>\s+"([^"]+)"', f.read())
    if not match:
        raise SystemExit(f"check-lv2-state: {path} holds no plug-in state")
    blob = decode(match.group(1))
    if blob[:4] != b"VC2!":
        raise SystemExit(f"check-lv2-state: the saved state is not the plug-in's ({blob[:8]!r})")
    state = ElementTree.fromstring(blob[8:8 + int.from_bytes(blob[4:8], "little")].rstrip(b"\0"))

    failures = 0
    with open(expected_file, encoding="utf-8") as f:
        for line in f:
            slot, name, value = line.rstrip("\n").split("\t")
            attribute, scale = ATTRIBUTES[int(slot)]
            saved = state.get(attribute)
            want = float(value) * scale
            # The state keeps the plug-in's single-precision value in decimal.
            ok = saved is not None and math.isclose(float(saved), want, rel_tol=1e-6, abs_tol=1e-7)
            print(f"{'ok    ' if ok else 'FAIL  '}{label}: {name} (p{slot}) is {saved} as {attribute}, want {want:.9g}")
            failures += not ok
    if failures:
        print(f"check-lv2-state: {failures} check(s) failed")
        return 1
    print("check-lv2-state: done")
    return 0


if __name__ == "__main__":
    sys.exit(main())
