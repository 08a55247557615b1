#!/usr/bin/env bash
# Builds the program and starts it. Without a display, it runs it under a virtual one,
# saves a screenshot of the main window and closes it again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(build-essential cmake pkg-config qt6-base-dev libpulse-dev libsndfile1-dev fonts-dejavu-core)
headless=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    headless=1
    packages+=(xvfb xauth imagemagick)
fi
"$root/scripts/install-packages.sh" "${packages[@]}"

build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTACTORA_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)" --target tactora04 tactora04-audio
program="$build/ui/tactora04"

if [ "$headless" -eq 0 ]; then
    exec "$program"
fi

screenshot="$build/tactora04-screenshot.png"
echo "No display found: running Tactora 2004 under a virtual display (xvfb-run) for a few seconds."
xvfb-run --auto-servernum --server-args="-screen 0 640x480x24" bash -c '
    "$1" & pid=$!
    sleep 3
    import -window root "$2"
    kill "$pid"
' run "$program" "$screenshot"
echo "Screenshot of the main window: $screenshot"
