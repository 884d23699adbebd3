#!/usr/bin/env bash
# Runs a command in a virtual X server of its own (1280 x 1024, 24 bits), with
# a fresh settings folder.
#   run_in_xvfb.sh COMMAND [ARGUMENTS...]
# By default an X server starts over whenever its last client leaves, and a
# client that connects meanwhile is turned away: the program under test, slow
# to start on a loaded machine, now and again came just after a short-lived
# xdotool call and failed with "could not connect to display". -noreset keeps
# the server as it is. The server picks a free display itself (-displayfd) and
# reports it once it takes connections, so no other test's server can take the
# number between choosing and starting, as with xvfb-run -a.
set -euo pipefail

scratch=$(mktemp -d)
server=
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" \
    2>"$scratch/log" &
server=$!
# The number comes as one line; a generous limit for a loaded machine.
deadline=$((SECONDS + 60))
until [ "$(wc -l <"$scratch/display")" -ge 1 ]; do
    if ! kill -0 "$server" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        echo "run_in_xvfb: the X server did not start:" >&2
        cat "$scratch/log" >&2
        exit 1
    fi
    sleep 0.05
done

set +e
# A settings folder of its own: the program keeps window places there, and
# must neither read nor change the user's.
XDG_CONFIG_HOME="$scratch/config" DISPLAY=":$(head -n 1 "$scratch/display")" "$@"
status=$?
set -e
exit $status
