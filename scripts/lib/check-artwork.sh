#!/usr/bin/env bash
# Builds the artwork generator in a configured build folder, draws the front-panel pictures (every
# picture set) into a scratch folder and compares them with the committed ones: fails when a picture differs by a
# single byte, is missing or is not drawn at all. The same for the manual's labelled picture of
# the panel, which vimbrel-screenshot draws from the panel's layout.
#
#   scripts/lib/check-artwork.sh <build-folder>
set -euo pipefail

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_dir=${1:?usage: check-artwork.sh <build-folder>}

cmake --build "$build_dir" --parallel "$(nproc 2>/dev/null || echo 2)" --target panel-artwork vimbrel-screenshot

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$build_dir/tools/panel-artwork/panel-artwork" "$scratch"

# One folder per picture set (images/, images@2x/): each must match its committed twin.
for drawn in "$scratch"/*/; do
    set_folder=$(basename "$drawn")
    if ! diff --recursive --brief "$repo_root/resources/$set_folder" "$drawn"; then
        echo "check-artwork: the generator no longer draws the committed pictures of $set_folder/" \
             "(left: committed, right: drawn)" >&2
        exit 1
    fi
done

# The window is drawn on a private virtual display, as the window tests are.
xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" \
    "$build_dir/tools/screenshot/vimbrel-screenshot" --labelled "$scratch/panel-labelled.png" >/dev/null
if ! cmp -s "$repo_root/docs/panel-labelled.png" "$scratch/panel-labelled.png"; then
    echo "check-artwork: vimbrel-screenshot --labelled no longer draws docs/panel-labelled.png" \
         "(redraw it on a display with: vimbrel-screenshot --labelled docs/panel-labelled.png)" >&2
    exit 1
fi

echo "check-artwork: the committed pictures are what the generator and vimbrel-screenshot --labelled draw"
