#!/bin/bash
# Shows kestrel.exe on a compose file holding Japanese text on a virtual display of its own,
# saves a screenshot into the build tree and closes the window again; fails when the window does
# not appear, the picture is blank or the program does not end with exit code 0.
#   viewer_screenshot.sh BUILD_DIR WINTOOL.exe KESTREL.exe COMPOSE_FILE
set -u
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/screenshot_lib.sh"
exe=$3
sample=$4
screenshot_begin "$1" "$2"
# The program and its settings in a folder of their own: it writes its settings on closing.
screenshot_workdir viewer-screenshot
cp "$exe" "$work/kestrel.exe"
printf '[View]\r\nEnglishMenu=0\r\nReplyConfirm=0\r\nEditorFontName=MS Gothic\r\nEditorFontSize=12\r\n' >"$work/kestrel.ini"
cp "$sample" "$work/_plv0001.tmp"
title="Kestrel32 - _plv0001.tmp"
screenshot_show "" "$title" "$work/kestrel.exe" "Z:$(echo "$work/_plv0001.tmp" | tr / '\\')" || exit 1
# Let the first timer tick (the deferred settings) and the painting finish.
sleep 2
screenshot_take "" "$out/kestrel-japanese-$tag.png"
screenshot_close "" "$title"
exit $status
