#!/usr/bin/env bash
# Checks that every local link and picture in Markdown documents resolves: each target of a
# [text](target) or ![text](target), taken relative to the document's folder, is a file or
# folder there. Web and mail links are left alone; a #fragment is dropped.
#
#   scripts/lib/check-doc-links.sh <document.md>...
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: check-doc-links.sh <document.md>..." >&2; exit 2; }

broken=0
links=0
for document in "$@"; do
    [ -f "$document" ] || { echo "check-doc-links: no document $document" >&2; broken=$((broken + 1)); continue; }
    folder=$(dirname "$document")
    # Code spans and blocks are not links.
    while IFS= read -r target; do
        case "$target" in
            http://* | https://* | mailto:* | '#'*) continue ;;
        esac
        links=$((links + 1))
        path=${target%%#*}
        if [ ! -e "$folder/$path" ]; then
            echo "check-doc-links: $document links $target, which is not there" >&2
            broken=$((broken + 1))
        fi
    done < <(sed -e '/^```/,/^```/d' -e 's/`[^`]*`//g' "$document" |
        grep -o '\]([^)]*)' | sed -e 's/^](//' -e 's/)$//' -e 's/ .*//')
done

[ "$broken" -eq 0 ] || exit 1
echo "check-doc-links: the $links local links of $# documents resolve"
