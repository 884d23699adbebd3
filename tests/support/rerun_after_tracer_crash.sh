#!/usr/bin/env bash
# Runs a test program under the sanitizers. LeakSanitizer's own tracer now and
# again crashes at the exit of a program whose threads are winding down
# ("Tracer caught signal 11"), after every case has passed and before any leak
# is looked at: that is no finding, so the program runs once more. A leak
# report, a failed case or any other failure fails at once.
#   rerun_after_tracer_crash.sh PROGRAM [ARGUMENTS...]
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT

for attempt in 1 2; do
    "$@" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    [ "$status" -eq 0 ] && exit 0
    if [ "$attempt" -eq 1 ] && grep -q "Tracer caught signal" "$log" &&
        ! grep -q "detected memory leaks" "$log" && ! grep -q "^FAIL!" "$log"; then
        echo "LeakSanitizer's tracer crashed at exit (no finding): running once more" >&2
        continue
    fi
    exit "$status"
done
