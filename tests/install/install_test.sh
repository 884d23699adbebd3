#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts the installed program in a
# virtual X server: it must find its assets (the sample picture shows, no
# error box) and the desktop entry and icon must be in place.
set -euo pipefail
build=$1
grab=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install: FAILED: $*" >&2; exit 1; }
for file in bin/mandorin bin/icon.ico bin/beispiel-graph_01.bmp bin/beispiel-graph_02.bmp \
            share/applications/mandorin.desktop share/icons/hicolor/48x48/apps/mandorin.png; do
    [ -f "$prefix/$file" ] || fail "$file is missing"
done
grep -q '^Exec=mandorin$' "$prefix/share/applications/mandorin.desktop" || fail "desktop entry"
grep -q '^Icon=mandorin$' "$prefix/share/applications/mandorin.desktop" || fail "desktop icon"

# Run from elsewhere, so only the program's own folder can supply the assets.
cd /
bash "$(dirname "$0")/../support/run_in_xvfb.sh" bash -c '
    set -e
    "$1/bin/mandorin" &
    app=$!
    trap "kill $app 2>/dev/null || true" EXIT
    fail() { echo "install: FAILED: $*" >&2; exit 1; }
    # Start-up reports a missing asset in an error box before the main window
    # shows; otherwise the window comes with the sample picture. Vertex 0 of
    # sample graph 1 is drawn at (70, 50) of the picture, which stands at
    # (24, 240) in the window placed at (-5, 262).
    deadline=$((SECONDS + 90))
    until xdotool search --onlyvisible --name "^Mandorin$" >/dev/null &&
          colour=$("$2" --pixel $((-5 + 24 + 70)) $((262 + 240 + 50))) &&
          [ "$colour" = ffffd2 ]; do
        if xdotool search --onlyvisible --name "^Mandorin: Fehler$" >/dev/null; then
            fail "an error box appeared"
        fi
        [ $SECONDS -lt $deadline ] || fail "sample picture not shown (colour ${colour:-none})"
        sleep 0.1
    done
' _ "$prefix" "$grab"
echo "install: 1 passed, 0 failed"
