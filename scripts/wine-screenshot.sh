#!/usr/bin/env bash
# Under an X display: runs the Windows program PROGRAM under Wine in a virtual Windows
# desktop (so that Wine draws the window frames as Windows would), waits until the main
# window has painted, saves the screen to PNG and ends the program.
#
#   wine-screenshot.sh PROGRAM PNG
set -euo pipefail
program=$1
png=$2
desktop=640x480

/usr/lib/wine/wine64 explorer "/desktop=tactora,$desktop" "$program" \
    -platform windows:fontengine=freetype &
wine_pid=$!
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT

# The desktop shows the program once its picture stops changing.
previous=""
for _ in $(seq 60); do
    sleep 1
    import -window root "$png"
    current=$(md5sum <"$png")
    [ "$current" = "$previous" ] && [ "$(identify -format '%k' "$png")" -gt 2 ] && exit 0
    previous=$current
done
echo "The program's window did not settle within a minute" >&2
kill "$wine_pid" 2>/dev/null || true
exit 1
