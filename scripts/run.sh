#!/usr/bin/env bash
# Builds Mandorin and starts its main window. Without a display it runs the
# program under a virtual X server, saves a screenshot and ends it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target mandorin grab_screen

if [ -n "${DISPLAY:-}" ]; then
    exec build/mandorin
fi

shot="$PWD/build/screenshot.png"
bash tests/support/run_in_xvfb.sh bash -c '
    build/mandorin &
    app=$!
    if ! timeout 30 xdotool search --sync --onlyvisible --name "^Mandorin$" >/dev/null; then
        echo "The main window did not appear." >&2
        kill $app
        exit 1
    fi
    sleep 1
    build/grab_screen "$1"
    kill $app
    wait $app 2>/dev/null || true
' _ "$shot"
echo "No display: ran Mandorin on a virtual screen and saved a screenshot to $shot"
