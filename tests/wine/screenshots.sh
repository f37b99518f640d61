#!/bin/bash
# Shows each Windows program on its own virtual display, saves a screenshot of it into the build
# tree and closes it again; fails when a window does not appear, the picture is blank, or the
# program does not end with exit code 0.
#   screenshots.sh BUILD_DIR WINTOOL.exe NAME=PROGRAM.exe=TITLE[=ARGUMENT]...
# An ARGUMENT that is a Unix path is handed over as the Windows path of drive Z:.
set -u
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/screenshot_lib.sh"
screenshot_begin "$1" "$2"
shift 2
for entry in "$@"; do
    IFS='=' read -r name exe title argument <<<"$entry"
    case "$argument" in
        /*) argument="Z:$(printf '%s' "$argument" | tr / '\\')" ;;
    esac
    screenshot_show "$name" "$title" "$exe" ${argument:+"$argument"} || continue
    screenshot_take "$name" "$out/$name-$tag.png"
    screenshot_close "$name" "$title"
done
exit $status
