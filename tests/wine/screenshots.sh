#!/bin/bash
# Shows each Windows program on its own virtual display, saves a screenshot of it into the build
# tree and closes it again; fails when a window does not appear, the picture is blank, or the
# program does not end with exit code 0.
#   screenshots.sh BUILD_DIR WINTOOL.exe NAME=PROGRAM.exe=TITLE[=ARGUMENT]...
# An ARGUMENT that is a Unix path is handed over as the Windows path of drive Z:.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/wine-env.sh"
build=$1
wintool=$2
shift 2
trap 'kestrel_wine_stop' EXIT
trap 'exit 130' INT TERM
# Always a display of our own: screenshots of a desktop in use would show other windows.
unset DISPLAY
kestrel_xvfb_start || exit 1
kestrel_wine_env "$build" || exit 1
out="$(cd "$build" && pwd)/screenshots"
# One picture per program and locale: the test runs under several.
tag=${LC_ALL:-${LANG:-default}}
mkdir -p "$out"
status=0
for entry in "$@"; do
    IFS='=' read -r name exe title argument <<<"$entry"
    case "$argument" in
        /*) argument="Z:$(printf '%s' "$argument" | tr / '\\')" ;;
    esac
    "$WINE" "$exe" ${argument:+"$argument"} &
    pid=$!
    if ! "$WINE" "$wintool" wait-window "$title" 30000; then
        echo "FAIL $name: no window \"$title\""
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        status=1
        continue
    fi
    shot="$out/$name-$tag.png"
    rm -f "$shot"
    import -display "$DISPLAY" -window root "$shot"
    colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
    if [ "${colours:-0}" -lt 4 ]; then
        echo "FAIL $name: the screenshot is blank ($colours colours)"
        status=1
    fi
    "$WINE" "$wintool" close-window "$title" 30000 || { echo "FAIL $name: window did not close"; status=1; }
    wait "$pid"
    rc=$?
    if [ "$rc" -ne 0 ]; then
        echo "FAIL $name: exit code $rc"
        status=1
    fi
    echo "screenshot: $shot"
done
exit $status
