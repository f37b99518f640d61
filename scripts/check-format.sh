#!/bin/bash
# Formatting check: every tracked C++ source must be as clang-format (.clang-format) leaves it.
# With file arguments only those are checked. Exits non-zero and lists the files to reformat
# (run: clang-format -i FILE...) when any differs.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

tool=
for candidate in clang-format-14 clang-format; do
    if command -v "$candidate" >/dev/null 2>&1; then
        tool=$candidate
        break
    fi
done
if [ -z "$tool" ]; then
    echo "check-format.sh: clang-format is not installed" >&2
    exit 1
fi

if [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi

bad=()
for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    if ! "$tool" --dry-run --Werror "$f" >/dev/null 2>&1; then bad+=("$f"); fi
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "check-format.sh: not formatted (clang-format -i):"
    printf '  %s\n' "${bad[@]}"
    exit 1
fi
echo "check-format.sh: ${#files[@]} files formatted"
