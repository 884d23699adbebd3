#!/usr/bin/env bash
# Runs the end-to-end test again and again while two CPU-bound processes keep
# the machine busy, as a CI machine often is. Stops at the first failure.
#   bash scripts/e2e_under_load.sh [RUNS] [BUILD_DIR]
# The build must exist (scripts/test.sh, or with --sanitize for build-sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-20}
build=${2:-build}
[ -f "$build/CTestTestfile.cmake" ] || { echo "no build in $build" >&2; exit 2; }

burners=()
stop_burners() {
    for pid in "${burners[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait "${burners[@]}" 2>/dev/null || true
}
trap stop_burners EXIT
for _ in 1 2; do
    bash -c 'while :; do :; done' &
    burners+=($!)
done
echo "load: two busy loops (pids ${burners[*]})"

start=$SECONDS
for ((run = 1; run <= runs; run++)); do
    if ! ctest --test-dir "$build" -R '^e2e$' --output-on-failure >"$build/e2e-run.log" 2>&1; then
        cat "$build/e2e-run.log"
        echo "e2e under load: run $run of $runs failed after $((run - 1)) passes in a row ($build)"
        exit 1
    fi
    echo "run $run: passed ($((SECONDS - start)) s so far)"
done
echo "e2e under load: $runs of $runs runs passed in a row ($build, $((SECONDS - start)) s)"
