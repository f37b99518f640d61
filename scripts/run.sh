#!/bin/bash
# Builds the Windows programs and shows them under Wine on a copy of the sample mail folders:
# the stand-in mail client on the sample data, the viewer on a new mail (which it marks read and
# announces to the mail client), a second viewer on a reply being composed, and the options
# editor on the sample settings file. With a usable DISPLAY they open there and the script waits
# until you close them; without one they run on a virtual display, a screenshot is saved after
# each window appears (the paths are printed) and everything is closed again.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/wine-env.sh

bash scripts/deps.sh || exit 1
# Like a Japanese Windows: Wine takes code page 932 from this locale.
export LC_ALL=${KESTREL_LOCALE:-ja_JP.UTF-8}

# The shipped programs are the 32-bit Release build; a machine that cannot run 32-bit Wine gets
# the 64-bit build.
if kestrel_can_run_wine32; then
    dir=build/win32 toolchain=cmake/mingw-i686.cmake
else
    dir=build/win64 toolchain=cmake/mingw-x86_64.cmake
    echo "run.sh: this machine cannot run 32-bit Wine; showing the 64-bit build"
fi
mkdir -p build
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBUILD_TESTING=ON >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
ninja -C "$dir" -j "${KESTREL_JOBS:-2}" kestrel kestrelset wintool plovermail || exit 1
dir=$(cd "$dir" && pwd)

# The viewer marks mails read and may rewrite them: work on a fresh copy, never on samples/.
work="$dir/run"
rm -rf "$work"
mkdir -p "$work"
cp -r samples/. "$work/"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
mail="$work/plover/recv/0001.txt"
compose="$work/plover/temp/_plv0001.tmp"
ini="$work/plover/kestrel.ini"
# The viewer reads the settings file beside its program: the demo's (Japanese menus, an alert).
viewer_exe="$dir/viewer/win32/kestrel.exe"
cp "$ini" "$dir/viewer/win32/kestrel.ini"

trap 'kestrel_wine_stop' EXIT
trap 'exit 130' INT TERM

real_display=0
if [ -n "${DISPLAY:-}" ] && timeout 5 xwd -root -silent -display "$DISPLAY" >/dev/null 2>&1; then
    real_display=1
else
    unset DISPLAY
    kestrel_xvfb_start || exit 1
fi
kestrel_wine_env "$dir" || exit 1

wintool="$dir/tests/wine/wintool.exe"
status=0
shots=()
# snapshot NAME: with no real display, a screenshot of the virtual screen now.
snapshot() {
    [ "$real_display" = 1 ] && return 0
    local shot="$dir/screenshots/run-$1.png"
    mkdir -p "$(dirname "$shot")"
    sleep 1
    import -display "$DISPLAY" -window root "$shot" && shots+=("$shot") && echo "screenshot: $shot"
}
# start NAME WINDOW PROGRAM ARGS...: starts a program and waits for its window.
pids=()
start() {
    local name=$1 window=$2
    shift 2
    "$WINE" "$@" &
    pids+=("$!")
    "$WINE" "$wintool" wait-window "$window" 30000 || { echo "run.sh: the $name window did not appear"; status=1; }
}

start "mail client" Plover "$dir/tools/standin_win32/plovermail.exe" \
    /viewer "$(winpath "$viewer_exe")" /temp "$(winpath "$work/plover/temp")" \
    /log "$(winpath "$work/plovermail.log")" "$(winpath "$mail")"
start viewer "Kestrel32 - 0001.txt" "$viewer_exe" "$(winpath "$mail")"
snapshot mail
start "compose" "Kestrel32 - _plv0001.tmp" "$viewer_exe" "$(winpath "$compose")"
snapshot compose
# The options editor on the settings the viewer reads, as the viewer's Option command starts it.
start options "Kestrel Option" "$dir/options/win32/kestrelset.exe" "$(winpath "$dir/viewer/win32/kestrel.ini")"
snapshot options

if [ "$real_display" = 1 ]; then
    echo "run.sh: the mail client, two viewers and the options editor are open on $DISPLAY; close them to finish"
else
    for w in "Kestrel Option" "Kestrel32 - _plv0001.tmp" "Kestrel32 - 0001.txt" Plover; do
        "$WINE" "$wintool" close-window "$w" 30000 || status=1
    done
fi
for p in "${pids[@]}"; do
    wait "$p" || { echo "run.sh: a program ended with exit code $?"; status=1; }
done
if [ -f "$work/plovermail.log" ]; then
    echo "run.sh: macros the mail client received:"
    sed 's/^/  /' "$work/plovermail.log"
fi
[ "$status" = 0 ] && echo "run.sh: done"
exit $status
