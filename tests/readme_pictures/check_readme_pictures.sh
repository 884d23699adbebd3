#!/usr/bin/env bash
# Fails when window_shots fails or does not render a picture of docs/ that
# the README shows.   check_readme_pictures.sh WINDOW_SHOTS README
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$1" "$out"
status=0
for picture in $(grep -o 'docs/[^)" ]*\.png' "$2" | sort -u); do
    [ -s "$out/${picture#docs/}" ] || { echo "window_shots does not render $picture" >&2; status=1; }
done
exit $status
