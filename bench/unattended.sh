#!/usr/bin/env bash
# Times unattended runs ("marrowby LIST NOSTOP" with no display) on fresh copies of the
# six-record example tab list, as a script that processes lists one after another would.
# Usage: bench/unattended.sh [MARROWBY_EXECUTABLE] [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
marrowby="${1:-$here/build/src/marrowby}"
runs="${2:-10}"
[ -x "$marrowby" ] || { echo "no executable at $marrowby (build first)" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The program keeps its settings beside a writable executable; a copy keeps the runs
# away from the build tree's prefs.dat.
cp "$marrowby" "$work/marrowby"

times=()
for ((i = 1; i <= runs; i++)); do
    cp "$here/examples/customers-tab.txt" "$work/list$i.txt"
    start=$(date +%s%N)
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        timeout 60 "$work/marrowby" "$work/list$i.txt" NOSTOP 2>"$work/stderr" || status=$?
    end=$(date +%s%N)
    if [ "$status" -ne 0 ] || ! grep -q '/[0-9]\{12\}/' "$work/list$i.txt"; then
        echo "run $i failed (exit $status):" >&2
        cat "$work/stderr" >&2
        exit 1
    fi
    times+=($(((end - start) / 1000000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "unattended run of a six-record tab list, no display, $runs runs:" \
    "min ${sorted[0]} ms, median ${sorted[$((runs / 2))]} ms, max ${sorted[$((runs - 1))]} ms"
