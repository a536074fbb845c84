#!/usr/bin/env bash
# Checks the package scripts/package made: the .deb unpacked into a scratch root (dpkg -x) holds
# exactly the product's files, with the modes a package wants; the .tar.gz holds the same files;
# every program and plug-in finds its libraries; the unpacked VST3 bundle loads in the project's
# own VST3 host, and Debian's LV2 tools list the unpacked LV2 bundle.
#
#   scripts/lib/check-package.sh <build dir>
set -euo pipefail
export LC_ALL=C # one sort order for the file lists

build_dir=$(cd "${1:?usage: check-package.sh <build dir>}" && pwd)
source "$build_dir/product.env" # VIMBREL_LV2_URI
out="$build_dir/package"
deb=$(ls "$out"/fha-vimbrel2_*.deb)
tarball=${deb%.deb}.tar.gz
work="$out/check"
rm -rf "$work" && mkdir -p "$work/root"

fail() { echo "check-package: $*" >&2; exit 1; }

dpkg-deb --info "$deb" | sed -n 's/^ \(Package\|Version\|Architecture\|Depends\):/  \1:/p'
dpkg -x "$deb" "$work/root"

expected="usr/bin/fha-vimbrel2
usr/bin/vimbrel-render
usr/lib/lv2/FHA_Vimbrel2.lv2/libFHA_Vimbrel2.so
usr/lib/lv2/FHA_Vimbrel2.lv2/dsp.ttl
usr/lib/lv2/FHA_Vimbrel2.lv2/manifest.ttl
usr/lib/lv2/FHA_Vimbrel2.lv2/ui.ttl
usr/lib/vst3/FHA_Vimbrel2.vst3/Contents/x86_64-linux/FHA_Vimbrel2.so
usr/share/applications/fha-vimbrel2.desktop
usr/share/doc/fha-vimbrel2/README.md
usr/share/doc/fha-vimbrel2/copyright
usr/share/icons/hicolor/96x96/apps/fha-vimbrel2.png"
expected=$(sort <<<"$expected")

files_in_deb=$(cd "$work/root" && find . -type f | sed 's|^\./||' | sort)
if [ "$files_in_deb" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$files_in_deb") >&2 || true
    fail "the .deb's files differ from the product's (< expected, > in the package)"
fi
echo "ok    the .deb holds the $(echo "$expected" | wc -l) files of the product"

files_in_tarball=$(tar -tzf "$tarball" | grep -v '/$' | sort)
[ "$files_in_tarball" = "$expected" ] || fail "$tarball holds other files than the .deb"
echo "ok    the .tar.gz holds the same files"

# Owned by root, programs and plug-in libraries executable, nothing writable by others.
bad_modes=$(dpkg-deb -c "$deb" | awk '$2 != "root/root" || $1 ~ /^.....w|^........w/ {print}')
[ -z "$bad_modes" ] || fail "wrong owner or mode: $bad_modes"
for program in usr/bin/fha-vimbrel2 usr/bin/vimbrel-render; do
    [ -x "$work/root/$program" ] || fail "$program is not executable"
done
echo "ok    every file is root's and writable by root alone; the programs are executable"

grep -qx "Exec=fha-vimbrel2" "$work/root/usr/share/applications/fha-vimbrel2.desktop" ||
    fail "the desktop entry does not start fha-vimbrel2"
grep -q "GNU GENERAL PUBLIC LICENSE" "$work/root/usr/share/doc/fha-vimbrel2/copyright" ||
    fail "the copyright file holds no license text"
echo "ok    the desktop entry starts the app; the copyright file holds the license"

while IFS= read -r -d '' file; do
    if file -b "$file" | grep -q "^ELF"; then
        missing=$(ldd "$file" | grep "not found" || true)
        [ -z "$missing" ] || fail "${file#"$work/root/"} misses libraries: $missing"
    fi
done < <(find "$work/root" -type f -print0)
echo "ok    every program and plug-in finds its libraries"

"$build_dir/tools/vimbrel-host/vimbrel-host" "$work/root/usr/lib/vst3/FHA_Vimbrel2.vst3" >"$work/vst3.log" 2>&1 ||
    { cat "$work/vst3.log" >&2; fail "the unpacked VST3 bundle does not load in vimbrel-host"; }
grep -q '^Plug-in "FHA_Vimbrel2", 2 in / 2 out' "$work/vst3.log" && grep -q '^Programs (6)' "$work/vst3.log" ||
    { cat "$work/vst3.log" >&2; fail "vimbrel-host describes another plug-in"; }
echo "ok    the unpacked VST3 bundle loads in vimbrel-host: 2 in / 2 out, 6 programs"

if command -v lv2ls >/dev/null 2>&1; then
    LV2_PATH="$work/root/usr/lib/lv2" lv2ls | grep -qxF "$VIMBREL_LV2_URI" ||
        fail "lv2ls does not list the unpacked LV2 bundle"
    echo "ok    lv2ls lists the unpacked LV2 bundle"
fi
echo "check-package: done"
