#!/usr/bin/env bash
# The metronome through a real sound server: records the null sink's monitor while the
# metronome window test plays into it, then checks every click of the recording.
#
#   sound_server_test.sh WINDOW_TEST ONSETS_CHECK PLUGIN_FOLDER
set -euo pipefail
window_test=$1
onsets_check=$2
plugin_folder=$3
. "$(dirname "$0")/sound_server.sh"

recorder_pid=""
cleanup() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null
    stop_sound_server
}
trap cleanup EXIT
start_sound_server
recording=$sound_work/monitor.raw

parecord --device=metronome.monitor --rate=48000 --channels=1 --format=s16le --latency-msec=100 \
    --raw "$recording" &
recorder_pid=$!
sleep 0.5

QT_QPA_PLATFORM=offscreen QT_QPA_OFFSCREEN_NO_GLX=1 QT_PLUGIN_PATH=$plugin_folder TACTORA_SOUND_SERVER_TEST=1 \
    "$window_test"

# What the sink still holds reaches the monitor, then the recorder writes out its last buffer.
sleep 0.5
kill -INT "$recorder_pid"
wait "$recorder_pid" || true
recorder_pid=""

# The window test plays 333.33 beats per minute, 4 beats per bar, and last 4 bars.
"$onsets_check" "$recording" 48000 333.33 4 16
