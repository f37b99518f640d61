#!/bin/bash
# Speed figures: builds kestrel-cli and kestrel-bench in Release, runs the Google Benchmark
# program, then the shared corpus timer against nkf, iconv and cat.
#   bash scripts/bench.sh [CORPUS]     (default: build/corpus-quick, made on first use)
# The corpus timer lives beside the project in ../shared/bench (BENCH_DIR overrides it).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bench_dir=${BENCH_DIR:-$root/../shared/bench}
corpus=${1:-build/corpus-quick}

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
ninja -C build/release -j "${KESTREL_JOBS:-2}" kestrel-cli kestrel-bench
build/release/bench/kestrel-bench --benchmark_min_time=0.5

if [ ! -f "$corpus/MANIFEST.json" ]; then
    rm -rf "$corpus"
    python3 "$bench_dir/make_corpus.py" "$corpus" --quick
fi
bash "$bench_dir/bench.sh" "$corpus" "$root/build/release/cli/kestrel-cli"
