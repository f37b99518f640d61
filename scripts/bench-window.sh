#!/bin/bash
# Time to first screen of big mails: the real kestrel.exe against Wine's notepad on the same
# files, side by side in one run under Wine on a virtual display. Not a test: it prints figures.
#   bash scripts/bench-window.sh [CORPUS_MAILS_DIR] [ROUNDS]
# Mails: the biggest mail of the shared corpus (shared/bench/make_corpus.py), the same cut at
# 1 MiB, and that 1 MiB mail without quoted lines and web addresses. Each is shown as a new
# (RECV) mail of an inbox folder with the default settings, so it is shown whole.
# Per mail and program the medians over ROUNDS (default 3) of: title (window titled), screen
# (first lines readable), whole (text complete), in seconds, and the peak working set.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/wine-env.sh

mails=${1:-$root/../corpus/mails}
rounds=${2:-3}
[ -d "$mails" ] || { echo "bench-window: no corpus mails in $mails (make them with shared/bench/make_corpus.py)"; exit 2; }

if kestrel_can_run_wine32; then
    dir=build/win32 toolchain=cmake/mingw-i686.cmake
else
    dir=build/win64 toolchain=cmake/mingw-x86_64.cmake
    echo "bench-window: no 32-bit Wine here; timing the 64-bit build"
fi
mkdir -p build
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DBUILD_TESTING=ON >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
ninja -C "$dir" -j "${KESTREL_JOBS:-2}" kestrel loadtimer || exit 1
dir=$(cd "$dir" && pwd)

export LC_ALL=${KESTREL_LOCALE:-ja_JP.UTF-8}
trap 'kestrel_wine_stop' EXIT
trap 'exit 130' INT TERM
unset DISPLAY
kestrel_xvfb_start || exit 1
kestrel_wine_env "$dir" || exit 1

work="$dir/bench-window"
rm -rf "$work"
mkdir -p "$work/mails" "$work/box/inbox"
big=$(ls -S "$mails"/*.txt | head -1)
cp "$big" "$work/mails/big.txt"
python3 - "$big" "$work/mails" <<'EOF'
import re, sys
src, out = sys.argv[1], sys.argv[2]
data = open(src, 'rb').read()
cut = data[:1 << 20]
cut = cut[:cut.rfind(b'\r\n') + 2]
open(out + '/1mib.txt', 'wb').write(cut)
lines = cut.split(b'\r\n')
sep = next((i for i, l in enumerate(lines) if l.startswith(b'-----')), 0)
plain = lines[:sep + 1]
for l in lines[sep + 1:]:
    if l[:1] in (b'>', b'|') or l.startswith(b'\x81\x84'):
        l = l.lstrip(b'>| ')
    l = re.sub(rb'(https?|ftp)://', b'', l)
    plain.append(l)
open(out + '/1mib-plain.txt', 'wb').write(b'\r\n'.join(plain))
EOF
for f in "$work"/mails/*.txt; do
    # A new mail: its status line says RECV.
    sed -i '1s/^X-Status: [A-Z]*/X-Status: RECV/' "$f"
done

# KESTREL_VIEWER: another kestrel.exe to time (an earlier build, to compare).
viewer=${KESTREL_VIEWER:-$dir/viewer/win32/kestrel.exe}
timer="$dir/tests/wine/loadtimer.exe"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
rm -f "${viewer%.exe}.ini"

# median of the numbers on standard input
median() { sort -n | awk '{a[NR]=$1} END {if (NR == 0) print -1; else print a[int((NR + 1) / 2)]}'; }

# measure NAME PROGRAM-KIND FILE: one timed start; prints the loadtimer lines prefixed
measure() {
    local kind=$1 file=$2 name
    name=$(basename "$file")
    if [ "$kind" = notepad ]; then
        "$WINE" "$timer" "$name*" Edit 300000 notepad.exe "$(winpath "$file")"
    else
        cp "$file" "$work/box/inbox/0001.txt"
        "$WINE" "$timer" "Kestrel32 - 0001.txt" RICHEDIT50W 300000 "$viewer" \
            "$(winpath "$work/box/inbox/0001.txt")"
    fi
}

echo "bench-window: $rounds rounds, medians in seconds (peak working set in MB)"
printf '%-16s %9s | %-26s | %-26s | %s\n' mail size "notepad: window with text" \
    "kestrel: title  screen  whole" "ratio screen/whole, peak memory"
for f in "$work/mails/1mib.txt" "$work/mails/1mib-plain.txt" "$work/mails/big.txt"; do
    declare -A vals=()
    for r in $(seq 1 "$rounds"); do
        for kind in notepad kestrel; do
            while IFS='=' read -r k v; do
                vals["$kind.$k"]+="$v "
            done < <(measure "$kind" "$f" | tr -d '\r')
        done
    done
    get() { tr ' ' '\n' <<<"${vals[$1]:-}" | grep -v '^$' | median; }
    np=$(get notepad.screen) kt=$(get kestrel.title) ks=$(get kestrel.screen)
    kw=$(get kestrel.whole) kp=$(get kestrel.peak_kb) npk=$(get notepad.peak_kb)
    size=$(stat -c %s "$f")
    awk -v n="$(basename "$f")" -v size="$size" -v np="$np" -v kt="$kt" -v ks="$ks" -v kw="$kw" \
        -v kp="$kp" -v npk="$npk" 'BEGIN {
        printf "%-16s %9d | %26.2f | %8.2f %7.2f %7.2f | %.2fx %.2fx, %.0f MB (%.1fx file; notepad %.0f MB)\n",
            n, size, np / 1000, kt / 1000, ks / 1000, kw / 1000, ks / np, kw / np,
            kp / 1024, kp * 1024 / size, npk / 1024 }'
    unset vals
done
