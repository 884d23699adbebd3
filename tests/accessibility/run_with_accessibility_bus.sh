#!/usr/bin/env bash
# Runs a test program as a screen reader meets it: in an X server, on a
# session bus with the accessibility bus (AT-SPI) that Qt reports to. Qt
# passes accessibility events on only while such a bus listens.
#   run_with_accessibility_bus.sh PROGRAM [ARGUMENTS...]
set -euo pipefail

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    if [ -x "$candidate" ]; then launcher=$candidate; break; fi
done
if [ -z "$launcher" ]; then
    echo "at-spi-bus-launcher not found: install at-spi2-core (scripts/deps.sh)" >&2
    exit 1
fi

exec dbus-run-session -- bash -c '
    launcher=$1; xvfb=$2; shift 2
    "$launcher" --launch-immediately &
    trap "kill $! 2>/dev/null || true" EXIT
    # Wait (at most ten seconds) until the accessibility bus has its name.
    for _ in $(seq 100); do
        if dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
               org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
               grep -q "boolean true"; then
            break
        fi
        sleep 0.1
    done
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        bash "$xvfb" "$@"
' bash "$launcher" "$(dirname "$0")/../support/run_in_xvfb.sh" "$@"
