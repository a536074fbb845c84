#!/usr/bin/env bash
# Builds the artwork generator in a configured build folder, draws the front-panel pictures (every
# picture set) into a scratch folder and compares them with the committed ones: fails when a picture differs by a
# single byte, is missing or is not drawn at all.
#
#   scripts/lib/check-artwork.sh <build-folder>
set -euo pipefail

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_dir=${1:?usage: check-artwork.sh <build-folder>}

cmake --build "$build_dir" --parallel "$(nproc 2>/dev/null || echo 2)" --target panel-artwork

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

echo "check-artwork: the committed pictures are what the generator draws"
