#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs them all at once for
# SECONDS (default 60); target names after SECONDS run only those. Seeds come
# from fuzz/corpus/<target>; what the fuzzer learns goes to
# build-fuzz/corpus-<target>, a crashing input to build-fuzz/artifacts.
# Fails when a target crashes, hangs (10 s per input), trips a sanitizer or
# breaks an invariant.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
all_targets=(fuzz_import fuzz_graph fuzz_formats)
targets=("${@:2}")
((${#targets[@]})) || targets=("${all_targets[@]}")
build=build-fuzz

bash scripts/deps.sh # clang among the rest, installed only when missing
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DMANDORIN_FUZZ=ON -DMANDORIN_TESTS=OFF \
    -DMANDORIN_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "${targets[@]}"

export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/artifacts"
pids=()
# All targets at once; the system shares the cores among them.
for target in "${targets[@]}"; do
    mkdir -p "$build/corpus-$target"
    dict=()
    if [ -f "fuzz/$target.dict" ]; then dict=(-dict="fuzz/$target.dict"); fi
    echo "== $target for $seconds s (log: $build/$target.log)"
    "$build/$target" "$build/corpus-$target" "fuzz/corpus/$target" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 "${dict[@]}" \
        -artifact_prefix="$build/artifacts/$target-" >"$build/$target.log" 2>&1 &
    pids+=($!)
done

failed=()
for i in "${!targets[@]}"; do
    target="${targets[$i]}"
    log="$build/$target.log"
    echo "== $target"
    if wait "${pids[$i]}"; then
        grep -E "DONE|^stat::" "$log" || true
    else
        failed+=("$target")
        tail -n 60 "$log"
    fi
done

if ((${#failed[@]})); then
    echo "Fuzzing found faults in: ${failed[*]} (inputs in $build/artifacts)" >&2
    exit 1
fi
echo "No faults found."
