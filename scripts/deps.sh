#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, but
# only when something is missing.
set -euo pipefail

# qt6-charts-dev, qt6-svg-dev and libqt6opengl6-dev (which the charts' CMake
# files ask for): the growth charts and their SVG pictures;
# qt6-translations-l10n: Qt's own dialog strings in German; dbus-daemon,
# dbus-bin and at-spi2-core: the accessibility bus the screen-reader test uses.
packages=(build-essential cmake ninja-build qt6-base-dev qt6-charts-dev qt6-svg-dev
          libqt6opengl6-dev libgl-dev libgtest-dev libbenchmark-dev fonts-liberation xvfb xauth
          xdotool clang qt6-translations-l10n dbus-daemon dbus-bin at-spi2-core)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
