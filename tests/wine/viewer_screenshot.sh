#!/bin/bash
# Shows kestrel.exe on a compose file holding Japanese text on a virtual display of its own,
# saves a screenshot into the build tree and closes the window again; fails when the window does
# not appear, the picture is blank or the program does not end with exit code 0.
#   viewer_screenshot.sh BUILD_DIR WINTOOL.exe KESTREL.exe COMPOSE_FILE
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/wine-env.sh"
build=$1
wintool=$2
exe=$3
sample=$4
trap 'kestrel_wine_stop' EXIT
trap 'exit 130' INT TERM
unset DISPLAY
kestrel_xvfb_start || exit 1
kestrel_wine_env "$build" || exit 1
tag=${LC_ALL:-${LANG:-default}}
# The program and its settings in a folder of their own: it writes its settings on closing.
work="$(cd "$build" && pwd)/viewer-screenshot-$tag"
rm -rf "$work"
mkdir -p "$work"
cp "$exe" "$work/kestrel.exe"
printf '[View]\r\nEnglishMenu=0\r\nReplyConfirm=0\r\nEditorFontName=MS Gothic\r\nEditorFontSize=12\r\n' >"$work/kestrel.ini"
cp "$sample" "$work/_plv0001.tmp"
out="$(cd "$build" && pwd)/screenshots"
mkdir -p "$out"
title="Kestrel32 - _plv0001.tmp"
"$WINE" "$work/kestrel.exe" "Z:$(echo "$work/_plv0001.tmp" | tr / '\\')" &
pid=$!
if ! "$WINE" "$wintool" wait-window "$title" 30000; then
    echo "FAIL: no window \"$title\""
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    exit 1
fi
# Let the first timer tick (the deferred settings) and the painting finish.
sleep 2
shot="$out/kestrel-japanese-$tag.png"
rm -f "$shot"
status=0
import -display "$DISPLAY" -window root "$shot"
colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
if [ "${colours:-0}" -lt 4 ]; then
    echo "FAIL: the screenshot is blank ($colours colours)"
    status=1
fi
"$WINE" "$wintool" close-window "$title" 30000 || { echo "FAIL: window did not close"; status=1; }
wait "$pid"
rc=$?
if [ "$rc" -ne 0 ]; then
    echo "FAIL: exit code $rc"
    status=1
fi
echo "screenshot: $shot"
exit $status
