#!/usr/bin/env bash
# The metronome through a real sound server: records the null sink's monitor while the
# metronome window test plays into it, then checks every click of the recording. With
# TACTORA_TEST_RUNNER set (the Windows build: Wine and its settings, words without blanks), the
# two programs run under it; Wine's PulseAudio driver then is the device the program plays to.
#
#   sound_server_test.sh WINDOW_TEST ONSETS_CHECK PLUGIN_FOLDER
set -euo pipefail
window_test=$1
onsets_check=$2
plugin_folder=$3
read -r -a runner <<<"${TACTORA_TEST_RUNNER:-}"
. "$(dirname "$0")/sound_server.sh"

recorder_pid=""
cleanup() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null
    stop_sound_server
}
trap cleanup EXIT
start_sound_server
recording=$sound_work/monitor.raw
rate=48000

recorded_bytes() {
    if [ -f "$recording" ]; then
        stat -c %s "$recording"
    else
        echo 0
    fi
}

# Waits until the recorder has written MILLISECONDS more of the monitor's audio than it had
# when called: the sink's time as the recording counts it, however slowly this machine runs.
# The recorder writes as it receives, in pieces of some 30 ms.
wait_for_recording() {
    local want=$(($1 * rate * 2 / 1000)) from
    from=$(recorded_bytes)
    local deadline=$((SECONDS + 30))
    while [ $(($(recorded_bytes) - from)) -lt "$want" ]; do
        if ! kill -0 "$recorder_pid" 2>/dev/null; then
            echo "The recorder stopped." >&2
            return 1
        fi
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "The recording grew by $(($(recorded_bytes) - from)) of $want bytes in 30 s." >&2
            return 1
        fi
        sleep 0.1
    done
}

# The platform on the command line: under Wine a program takes it from there only.
play() {
    QT_QPA_OFFSCREEN_NO_GLX=1 QT_PLUGIN_PATH=$plugin_folder TACTORA_SOUND_SERVER_TEST=1 \
        "${runner[@]}" "$window_test" -platform offscreen "$@"
}

parecord --device=metronome.monitor --rate=$rate --channels=1 --format=s16le --latency-msec=100 \
    --raw "$recording" &
recorder_pid=$!
# The recorder is under way once its file grows; the metronome plays only then.
wait_for_recording 1

# Stopped by its button after at least two bars.
play startsAndStopsWithTheButton
# Silence between the playings: the onsets check tells them apart by a gap of more than
# three beats (540 ms). The first playing sounds at most its sink's buffer (100 ms) past its
# end, and the recording lags the monitor by some 130 ms: a second more of the recording
# leaves more than 700 ms of silence.
wait_for_recording 1000

# Started with Space, stopping by itself after 4 bars of 4.
play spaceStartsAndItStopsAfterTheBars
# What the sink still holds when the playing has ended reaches the monitor, and the recorder
# writes it out: half a second of the recording beyond the end covers both.
wait_for_recording 500
kill -INT "$recorder_pid"
wait "$recorder_pid" || true
recorder_pid=""

# 333.33 beats per minute, 4 beats per bar; the playing stopped by hand has at least its
# first 8 clicks, the last exactly the 16 of its 4 bars.
"${runner[@]}" "$onsets_check" "$recording" $rate 333.33 4 16 8
