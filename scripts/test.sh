#!/bin/bash
# All tests: the formatting check, the native build, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Windows build under Wine (with a Japanese and with the C
# locale). Build folders are build/native, build/asan and build/win32 (build/win64 on machines
# that cannot run 32-bit Wine). Exits non-zero when any step fails.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/wine-env.sh

jobs=${KESTREL_JOBS:-2}
start=$(date +%s)
summary=()
failed=0

step() { echo; echo "=== $* ==="; }

# ctest in a build folder; the summary line goes into the report at the end.
run_ctest() {
    local label=$1 dir=$2
    shift 2
    local log="$dir/ctest-$label.log"
    step "ctest: $label"
    env "$@" ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 600 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    local line
    line=$(grep -E '^[0-9]+% tests passed' "$log" | tail -1)
    summary+=("$label: ${line:-no ctest summary (exit $rc)}")
    if [ "$rc" -ne 0 ] || [ -z "$line" ]; then failed=1; fi
}

configure_and_build() {
    local dir=$1
    shift
    step "build $dir"
    if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1; then
        cat "$dir.configure.log"
        summary+=("$dir: configure FAILED")
        failed=1
        return 1
    fi
    if ! ninja -C "$dir" -j "$jobs"; then
        summary+=("$dir: build FAILED")
        failed=1
        return 1
    fi
}

step "dependencies"
bash scripts/deps.sh || { echo "test.sh: installing the dependencies failed"; exit 1; }
mkdir -p build

step "formatting"
if bash scripts/check-format.sh; then
    summary+=("format: all sources formatted")
else
    summary+=("format: FAILED (see scripts/check-format.sh)")
    failed=1
fi

if configure_and_build build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
    run_ctest native build/native
fi

if configure_and_build build/asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
    -DKESTREL_SANITIZE=ON -DKESTREL_BENCH=OFF; then
    run_ctest asan build/asan ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
        UBSAN_OPTIONS=print_stacktrace=1
fi

# The shipped programs are the 32-bit Release build (stripped), and their tests are always
# compiled with them, so that code which only compiles for x86_64 fails here on every machine.
# They run under 32-bit Wine where this machine can run it; elsewhere the whole tree is built
# again as 64-bit Windows programs and those tests run under 64-bit Wine.
wine_dir=
if configure_and_build build/win32 -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DBUILD_TESTING=ON; then
    step "shipped programs"
    if bash scripts/check-shipped.sh build/win32; then
        summary+=("win32: shipped programs are stripped PE32 GUI programs")
    else
        summary+=("win32: shipped programs check FAILED")
        failed=1
    fi
    if kestrel_can_run_wine32; then
        wine_dir=build/win32
    else
        echo "test.sh: this machine cannot run 32-bit programs: the 32-bit tests are built, the 64-bit ones run"
        summary+=("win32: programs and tests built; not run (no 32-bit execution here)")
        configure_and_build build/win64 -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake && wine_dir=build/win64
    fi
fi
if [ -n "$wine_dir" ]; then
    arch=${wine_dir#build/}
    run_ctest "$arch-wine-ja" "$wine_dir" LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
    run_ctest "$arch-wine-C" "$wine_dir" LC_ALL=C LANG=C
    # The unit tests leave the prefix's wineserver to end by itself; end it now.
    (kestrel_wine_env "$wine_dir" >/dev/null 2>&1 && "$KESTREL_WINESERVER" -k 2>/dev/null) || true
    ls "$wine_dir"/screenshots/*.png 2>/dev/null | sed 's/^/screenshot: /'
fi

echo
echo "=== summary ($(( $(date +%s) - start )) s) ==="
printf '%s\n' "${summary[@]}"
if [ "$failed" -ne 0 ]; then
    echo "test.sh: FAILED"
    exit 1
fi
echo "test.sh: all passed"
