#!/bin/bash
# Builds the Windows programs and shows them under Wine on a copy of the sample mail folders:
# the viewer on a sample mail and the options editor on the sample settings file. With a usable
# DISPLAY they open there and the script waits until you close them; without one they run on a
# virtual display, a screenshot is saved (its path is printed) and they are closed again.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/wine-env.sh

bash scripts/deps.sh || exit 1
# Like a Japanese Windows: Wine takes code page 932 from this locale.
export LC_ALL=${KESTREL_LOCALE:-ja_JP.UTF-8}

# The shipped programs are 32-bit; a machine that cannot run 32-bit Wine gets the 64-bit build.
if kestrel_can_run_wine32; then
    dir=build/win32 toolchain=cmake/mingw-i686.cmake
else
    dir=build/win64 toolchain=cmake/mingw-x86_64.cmake
    echo "run.sh: this machine cannot run 32-bit Wine; showing the 64-bit build"
fi
mkdir -p build
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBUILD_TESTING=ON >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
ninja -C "$dir" -j "${KESTREL_JOBS:-2}" kestrel kestrelset wintool || exit 1
dir=$(cd "$dir" && pwd)

# The viewer marks mails read and may rewrite them: work on a fresh copy, never on samples/.
work="$dir/run"
rm -rf "$work"
mkdir -p "$work"
cp -r samples/. "$work/"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
mail=$(ls "$work"/plover/inbox/*.txt 2>/dev/null | head -1)
ini="$work/plover/kestrel.ini"

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

viewer_args=()
[ -n "$mail" ] && viewer_args=("$(winpath "$mail")")
"$WINE" "$dir/viewer/win32/kestrel.exe" "${viewer_args[@]}" &
viewer=$!
options_args=()
[ -f "$ini" ] && options_args=("$(winpath "$ini")")
"$WINE" "$dir/options/win32/kestrelset.exe" "${options_args[@]}" &
options=$!

wintool="$dir/tests/wine/wintool.exe"
status=0
"$WINE" "$wintool" wait-window class:TForm1 30000 || { echo "run.sh: the viewer window did not appear"; status=1; }
"$WINE" "$wintool" wait-window "Kestrel Option" 30000 || { echo "run.sh: the options window did not appear"; status=1; }

if [ "$real_display" = 1 ]; then
    echo "run.sh: kestrel.exe${mail:+ on $mail} and kestrelset.exe are open on $DISPLAY; close them to finish"
else
    shot="$dir/screenshots/run.png"
    mkdir -p "$(dirname "$shot")"
    import -display "$DISPLAY" -window root "$shot" && echo "screenshot: $shot"
    "$WINE" "$wintool" close-window "Kestrel Option" 30000 || status=1
    "$WINE" "$wintool" close-window class:TForm1 30000 || status=1
fi
wait "$viewer" || { echo "run.sh: kestrel.exe ended with exit code $?"; status=1; }
wait "$options" || { echo "run.sh: kestrelset.exe ended with exit code $?"; status=1; }
[ "$status" = 0 ] && echo "run.sh: done"
exit $status
