#!/bin/bash
# Shows kestrelset.exe on the sample settings file on a virtual display of its own and saves a
# screenshot of its first two pages ("基本" and "表示") into the build tree, cut to the dialog;
# fails when the dialog does not appear, a picture is blank or the program does not end with
# exit code 0 after its close box.
#   options_screenshot.sh BUILD_DIR WINTOOL.exe KESTRELSET.exe SETTINGS_FILE
set -u
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/screenshot_lib.sh"
exe=$3
settings=$4
screenshot_begin "$1" "$2"
# A copy of the settings: the sample stays as it is whatever happens.
screenshot_workdir options-screenshot
cp "$settings" "$work/kestrel.ini"
title="Kestrel Option"
screenshot_show "" "$title" "$exe" "Z:$(printf '%s' "$work/kestrel.ini" | tr / '\\')" || exit 1
# Cut to the dialog: the screen around it is black.
screenshot_take "" "$out/options-basic-$tag.png" -trim +repage
# The tab set (control 101) takes the Right key: the next page.
"$WINE" "$wintool" press-key "$title" 101 27 || screenshot_fail "" "no tab set"
screenshot_take "" "$out/options-view-$tag.png" -trim +repage
screenshot_close "" "$title"
exit $status
