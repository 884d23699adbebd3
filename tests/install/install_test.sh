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
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -e
    "$1/bin/mandorin" &
    app=$!
    trap "kill $app 2>/dev/null || true" EXIT
    timeout 20 xdotool search --sync --onlyvisible --name "^Mandorin$" >/dev/null
    sleep 0.5
    if xdotool search --onlyvisible --name "^Mandorin: Fehler$" >/dev/null; then
        echo "install: FAILED: an error box appeared" >&2; exit 1
    fi
    # Vertex 0 of sample graph 1 is drawn at (70, 50) of the picture, which
    # stands at (24, 240) in the window placed at (-5, 262).
    colour=$("$2" --pixel $((-5 + 24 + 70)) $((262 + 240 + 50)))
    if [ "$colour" != "ffffd2" ]; then
        echo "install: FAILED: sample picture not shown (colour $colour)" >&2; exit 1
    fi
' _ "$prefix" "$grab"
echo "install: 1 passed, 0 failed"
