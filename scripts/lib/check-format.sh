#!/usr/bin/env bash
# Fails when any tracked C++ file differs from the layout in .clang-format, and names each one.
# Fix them with: git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i
set -euo pipefail
cd "$(dirname "$0")/../.."

unformatted=()
while IFS= read -r -d '' file; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z '*.cpp' '*.h')

if [ ${#unformatted[@]} -gt 0 ]; then
    echo "error: these files do not match .clang-format ($(clang-format --version | head -n 1)):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "Every tracked C++ file matches .clang-format"
