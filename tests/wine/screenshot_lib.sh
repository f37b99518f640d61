#!/bin/bash
# Functions of the screenshot scripts, sourced by them: a virtual display of their own, a program
# shown on it, pictures of the screen and the program closed again. A fault is printed as
# "FAIL LABEL: ..." and sets status to 1; the script ends with exit $status.
#
#   screenshot_begin BUILD_DIR WINTOOL.exe     the display and the Wine prefix; sets tag, out
#   screenshot_show LABEL TITLE PROGRAM [ARG]...  starts PROGRAM and waits for its window TITLE
#   screenshot_take LABEL FILE [IMPORT-OPTION]... the screen now into FILE, never blank
#   screenshot_close LABEL TITLE               closes the window; the program ends with code 0
# LABEL may be empty (a script of one program).
here_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here_lib/../../scripts/wine-env.sh"

screenshot_fail() {
    echo "FAIL${1:+ $1}: $2"
    status=1
}

screenshot_begin() {
    build=$1
    wintool=$2
    status=0
    trap 'kestrel_wine_stop' EXIT
    trap 'exit 130' INT TERM
    # Always a display of our own: screenshots of a desktop in use would show other windows.
    unset DISPLAY
    kestrel_xvfb_start || exit 1
    kestrel_wine_env "$build" || exit 1
    # One picture per program and locale: the tests run under several.
    tag=${LC_ALL:-${LANG:-default}}
    out="$(cd "$build" && pwd)/screenshots"
    mkdir -p "$out"
}

# screenshot_workdir NAME: an empty folder of this locale's for the program's files, in $work.
screenshot_workdir() {
    work="$(cd "$build" && pwd)/$1-$tag"
    rm -rf "$work"
    mkdir -p "$work"
}

screenshot_show() {
    local label=$1 title=$2
    shift 2
    "$WINE" "$@" &
    pid=$!
    if ! "$WINE" "$wintool" wait-window "$title" 30000; then
        screenshot_fail "$label" "no window \"$title\""
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        return 1
    fi
}

screenshot_take() {
    local label=$1 shot=$2
    shift 2
    rm -f "$shot"
    import -display "$DISPLAY" -window root "$@" "$shot"
    local colours
    colours=$(identify -format '%k' "$shot" 2>/dev/null || echo 0)
    if [ "${colours:-0}" -lt 4 ]; then
        screenshot_fail "$label" "the screenshot $(basename "$shot") is blank ($colours colours)"
    fi
    echo "screenshot: $shot"
}

screenshot_close() {
    local label=$1 title=$2
    "$WINE" "$wintool" close-window "$title" 30000 || screenshot_fail "$label" "window did not close"
    wait "$pid"
    local rc=$?
    if [ "$rc" -ne 0 ]; then
        screenshot_fail "$label" "exit code $rc"
    fi
}
