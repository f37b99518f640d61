#!/bin/bash
# Shows kestrelset.exe on the sample settings file on a virtual display of its own and saves a
# screenshot of its first two pages ("基本" and "表示") into the build tree, cut to the dialog;
# fails when the dialog does not appear, a picture is blank or the program does not end with
# exit code 0 after its close box.
#   options_screenshot.sh BUILD_DIR WINTOOL.exe KESTRELSET.exe SETTINGS_FILE
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/wine-env.sh"
build=$1
wintool=$2
exe=$3
settings=$4
trap 'kestrel_wine_stop' EXIT
trap 'exit 130' INT TERM
unset DISPLAY
kestrel_xvfb_start || exit 1
kestrel_wine_env "$build" || exit 1
tag=${LC_ALL:-${LANG:-default}}
# A copy of the settings: the sample stays as it is whatever happens.
work="$(cd "$build" && pwd)/options-screenshot-$tag"
rm -rf "$work"
mkdir -p "$work"
cp "$settings" "$work/kestrel.ini"
out="$(cd "$build" && pwd)/screenshots"
mkdir -p "$out"
title="Kestrel Option"
"$WINE" "$exe" "Z:$(printf '%s' "$work/kestrel.ini" | tr / '\\')" &
pid=$!
if ! "$WINE" "$wintool" wait-window "$title" 30000; then
    echo "FAIL: no window \"$title\""
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    exit 1
fi
status=0
# shoot NAME: the screen now, cut to the dialog (the screen around it is black).
shoot() {
    local shot="$out/options-$1-$tag.png"
    rm -f "$shot"
    import -display "$DISPLAY" -window root -trim +repage "$shot"
    local colours
    colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
    if [ "${colours:-0}" -lt 4 ]; then
        echo "FAIL: the screenshot $1 is blank ($colours colours)"
        status=1
    fi
    echo "screenshot: $shot"
}
shoot basic
# The tab set (control 101) takes the Right key: the next page.
"$WINE" "$wintool" press-key "$title" 101 27 || { echo "FAIL: no tab set"; status=1; }
shoot view
"$WINE" "$wintool" close-window "$title" 30000 || { echo "FAIL: window did not close"; status=1; }
wait "$pid"
rc=$?
if [ "$rc" -ne 0 ]; then
    echo "FAIL: exit code $rc"
    status=1
fi
exit $status
