#!/usr/bin/env bash
# Under an X display: runs the Windows program PROGRAM under Wine in a virtual Windows
# desktop (so that Wine draws the window frames as Windows would), waits until the main
# window has painted, saves the screen to PNG and, given METRONOME_PNG, opens the metronome
# from the tempo entry's context menu and saves the screen again; then ends the program.
#
#   wine-screenshot.sh PROGRAM PNG [METRONOME_PNG]
set -euo pipefail
program=$1
png=$2
metronome_png=${3:-}
desktop=640x480

/usr/lib/wine/wine64 explorer "/desktop=tactora,$desktop" "$program" \
    -platform windows:fontengine=freetype &
wine_pid=$!
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT

# The desktop shows what it should once its picture stops changing.
photograph_when_settled() { # png
    local previous="" current
    for _ in $(seq 60); do
        sleep 1
        import -window root "$1"
        current=$(md5sum <"$1")
        [ "$current" = "$previous" ] && [ "$(identify -format '%k' "$1")" -gt 2 ] && return 0
        previous=$current
    done
    echo "The program's window did not settle within a minute" >&2
    kill "$wine_pid" 2>/dev/null || true
    return 1
}

photograph_when_settled "$png"
[ -n "$metronome_png" ] || exit 0
# The tempo entry of the main window, centred on the desktop; the metronome is the menu's
# last item.
xdotool mousemove 318 168 click 3
sleep 2
xdotool key Up Return
photograph_when_settled "$metronome_png"
