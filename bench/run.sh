#!/usr/bin/env bash
# Builds the benchmark in its own build folder and runs it on generated lists: a tab, a
# merge and a dBase list of 1,000,000 records each, and a tab list of about 200 MB to show
# that memory stays flat as the list grows. Each line gives the median run and plain copy
# of alternating repetitions and their ratio.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build-bench"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARROWBY_BENCH=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build" --target marrowby_bench --parallel 2 >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/marrowby_bench" tab 1000000 "$work"
"$build/bench/marrowby_bench" merge 1000000 "$work"
"$build/bench/marrowby_bench" dbase 1000000 "$work"
"$build/bench/marrowby_bench" tab 4000000 "$work" 3
