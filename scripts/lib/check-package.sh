#!/usr/bin/env bash
# Checks the package scripts/package made: lintian finds no error and no warning in the .deb
# (its remaining information tags are shown); the .deb unpacked into a scratch root (dpkg -x)
# holds exactly the product's files, with the modes a package wants; the .tar.gz holds the same
# files and the license's full text; every program and plug-in finds its libraries; the app's
# AppStream description and desktop entry pass their validators; every local link of the
# installed documents resolves; the version the build defines is the one the package, the
# programs, their manual pages, the AppStream release and both plug-ins give; the unpacked VST3
# bundle loads in the project's own VST3 host with its maker's homepage and address, and
# Debian's LV2 tools list the unpacked LV2 bundle.
#
#   scripts/lib/check-package.sh <build dir>
set -euo pipefail
export LC_ALL=C # one sort order for the file lists

build_dir=$(cd "${1:?usage: check-package.sh <build dir>}" && pwd)
source "$build_dir/product.env" # the version, LV2 URI, homepage and address
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out="$build_dir/package"
deb=$(ls "$out"/fha-vimbrel2_*.deb)
tarball=${deb%.deb}.tar.gz
work="$out/check"
rm -rf "$work" && mkdir -p "$work/root"

fail() { echo "check-package: $*" >&2; exit 1; }

dpkg-deb --info "$deb" | sed -n 's/^ \(Package\|Version\|Architecture\|Depends\):/  \1:/p'
dpkg -x "$deb" "$work/root"

# At lintian's default level a warning or an error fails; -I shows the information tags too.
lintian -I --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian finds errors or warnings"; }
sed 's/^/  /' "$work/lintian.log"
echo "ok    lintian finds no error and no warning"

expected="usr/bin/fha-vimbrel2
usr/bin/vimbrel-render
usr/lib/lv2/FHA_Vimbrel2.lv2/libFHA_Vimbrel2.so
usr/lib/lv2/FHA_Vimbrel2.lv2/dsp.ttl
usr/lib/lv2/FHA_Vimbrel2.lv2/manifest.ttl
usr/lib/lv2/FHA_Vimbrel2.lv2/ui.ttl
usr/lib/vst3/FHA_Vimbrel2.vst3/Contents/x86_64-linux/FHA_Vimbrel2.so
usr/share/applications/fha-vimbrel2.desktop
usr/share/doc/fha-vimbrel2/README.md
usr/share/doc/fha-vimbrel2/changelog.gz
usr/share/doc/fha-vimbrel2/copyright
usr/share/icons/hicolor/96x96/apps/fha-vimbrel2.png
usr/share/man/man1/fha-vimbrel2.1.gz
usr/share/man/man1/vimbrel-render.1.gz
usr/share/metainfo/example.kvor.fha_vimbrel2.metainfo.xml
$(cd "$repo_root" && ls docs/*.md docs/*.png | sed 's|^|usr/share/doc/fha-vimbrel2/|')"
expected=$(sort <<<"$expected")

files_in_deb=$(cd "$work/root" && find . -type f | sed 's|^\./||' | sort)
if [ "$files_in_deb" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$files_in_deb") >&2 || true
    fail "the .deb's files differ from the product's (< expected, > in the package)"
fi
echo "ok    the .deb holds the $(echo "$expected" | wc -l) files of the product"

files_in_tarball=$(tar -tzf "$tarball" | grep -v '/$' | sort)
[ "$files_in_tarball" = "$(sort <<<"$expected"$'\n'usr/share/doc/fha-vimbrel2/LICENSE)" ] ||
    fail "$tarball holds other files than the .deb and the license"
tar -xzOf "$tarball" usr/share/doc/fha-vimbrel2/LICENSE | cmp -s - "$repo_root/LICENSE" ||
    fail "$tarball holds another license text"
echo "ok    the .tar.gz holds the same files and the license's full text"

# Owned by root, programs and plug-in libraries executable, nothing writable by others.
bad_modes=$(dpkg-deb -c "$deb" | awk '$2 != "root/root" || $1 ~ /^.....w|^........w/ {print}')
[ -z "$bad_modes" ] || fail "wrong owner or mode: $bad_modes"
for program in usr/bin/fha-vimbrel2 usr/bin/vimbrel-render; do
    [ -x "$work/root/$program" ] || fail "$program is not executable"
done
echo "ok    every file is root's and writable by root alone; the programs are executable"

grep -qx "Exec=fha-vimbrel2" "$work/root/usr/share/applications/fha-vimbrel2.desktop" ||
    fail "the desktop entry does not start fha-vimbrel2"
grep -qx " version 3 can be found in /usr/share/common-licenses/GPL-3." "$work/root/usr/share/doc/fha-vimbrel2/copyright" ||
    fail "the copyright file does not refer to /usr/share/common-licenses/GPL-3"
echo "ok    the desktop entry starts the app; the copyright file refers to the license Debian keeps"

desktop-file-validate "$work/root/usr/share/applications/fha-vimbrel2.desktop" ||
    fail "desktop-file-validate refuses the desktop entry"
metainfo="$work/root/usr/share/metainfo/example.kvor.fha_vimbrel2.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses the AppStream description"
echo "ok    desktop-file-validate and appstreamcli validate accept the desktop entry and the AppStream description"

"$repo_root/scripts/lib/check-doc-links.sh" "$work/root/usr/share/doc/fha-vimbrel2/README.md" \
    "$work/root/usr/share/doc/fha-vimbrel2/docs/"*.md || fail "an installed document links what is not installed"
echo "ok    every local link of the installed documents resolves"

# The version the build defines, wherever the package shows one.
version_seen() { # version_seen <where> <what it shows>
    [ "$2" = "$VIMBREL_VERSION" ] || fail "$1 shows the version '$2', the build defines $VIMBREL_VERSION"
}
version_seen "the package" "$(dpkg-deb -f "$deb" Version)"
version_seen "fha-vimbrel2 --version" "$("$work/root/usr/bin/fha-vimbrel2" --version | sed -n 's/^FHA_Vimbrel2 //p')"
version_seen "vimbrel-render --version" "$("$work/root/usr/bin/vimbrel-render" --version | sed -n 's/^vimbrel-render //p')"
for page in fha-vimbrel2 vimbrel-render; do
    version_seen "the manual page of $page" \
        "$(zcat "$work/root/usr/share/man/man1/$page.1.gz" | sed -n 's/^\.TH .* "[^"]* \([^" ]*\)" "User Commands"$/\1/p')"
done
version_seen "the AppStream release" "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo")"
version_seen "the LV2 description" \
    "$(sed -n 's/^\t\tdoap:revision "\(.*\)" ;$/\1/p' "$work/root/usr/lib/lv2/FHA_Vimbrel2.lv2/dsp.ttl")"
echo "ok    the package, both programs, their manual pages, the AppStream release and the LV2 say $VIMBREL_VERSION"

while IFS= read -r -d '' file; do
    if file -b "$file" | grep -q "^ELF"; then
        missing=$(ldd "$file" | grep "not found" || true)
        [ -z "$missing" ] || fail "${file#"$work/root/"} misses libraries: $missing"
    fi
done < <(find "$work/root" -type f -print0)
echo "ok    every program and plug-in finds its libraries"

"$build_dir/tools/vimbrel-host/vimbrel-host" "$work/root/usr/lib/vst3/FHA_Vimbrel2.vst3" >"$work/vst3.log" 2>&1 ||
    { cat "$work/vst3.log" >&2; fail "the unpacked VST3 bundle does not load in vimbrel-host"; }
grep -q '^Plug-in "FHA_Vimbrel2", 2 in / 2 out' "$work/vst3.log" && grep -q '^Programs (6)' "$work/vst3.log" &&
    grep -qF "Factory: vendor \"KVOR\", url \"$VIMBREL_HOMEPAGE\", e-mail \"$VIMBREL_EMAIL\"" "$work/vst3.log" &&
    [ "$(grep -c "^Class .*, version $VIMBREL_VERSION, " "$work/vst3.log")" -eq 2 ] ||
    { cat "$work/vst3.log" >&2; fail "vimbrel-host describes another plug-in"; }
echo "ok    the unpacked VST3 bundle loads in vimbrel-host: 2 in / 2 out, 6 programs, version $VIMBREL_VERSION, its homepage and address"

if command -v lv2ls >/dev/null 2>&1; then
    LV2_PATH="$work/root/usr/lib/lv2" lv2ls | grep -qxF "$VIMBREL_LV2_URI" ||
        fail "lv2ls does not list the unpacked LV2 bundle"
    echo "ok    lv2ls lists the unpacked LV2 bundle"
fi
echo "check-package: done"
