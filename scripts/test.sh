#!/usr/bin/env bash
# Builds Mandorin and runs every test. With --sanitize the whole suite is
# built and run under AddressSanitizer and UndefinedBehaviorSanitizer instead,
# with LeakSanitizer on: the tests carry the sanitizer options themselves
# (tests/CMakeLists.txt), suppressions in tests/lsan_suppressions.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
flags=(-DCMAKE_BUILD_TYPE=Release)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-sanitize
    flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DMANDORIN_SANITIZE=ON -DMANDORIN_BENCH=OFF)
fi

bash scripts/deps.sh
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build"
# The README's pictures, rendered afresh from the program just built.
if [ "$build" = build ]; then
    QT_QPA_PLATFORM=offscreen "$build/window_shots" docs/
fi
# The long-use memory check (label "long", about a minute) runs with the rest;
# ctest -L long runs it alone.
ctest --test-dir "$build" --output-on-failure -j2
