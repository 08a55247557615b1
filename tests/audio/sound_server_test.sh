#!/usr/bin/env bash
# The metronome through a real sound server: starts a PulseAudio server of its own with a
# 48 kHz mono null sink, records the sink's monitor while the metronome window test plays
# into it, then checks every click of the recording. The server and the recorder are stopped
# by their own PIDs, whatever happens.
#
#   sound_server_test.sh WINDOW_TEST ONSETS_CHECK PLUGIN_FOLDER
set -euo pipefail
window_test=$1
onsets_check=$2
plugin_folder=$3

work=$(mktemp -d)
server_pid=""
recorder_pid=""
silence_pid=""
cleanup() {
    [ -n "$recorder_pid" ] && kill "$recorder_pid" 2>/dev/null
    [ -n "$silence_pid" ] && kill "$silence_pid" 2>/dev/null
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Everything the server and its clients keep goes into the work folder: no user's sound
# settings are read or touched, and no other server is reached.
export HOME=$work XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER=unix:$work/native
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=file:"$work/server.log" \
    -L "module-null-sink sink_name=metronome rate=48000 channels=1" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$work/native" &
server_pid=$!
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$server_pid" 2>/dev/null || { cat "$work/server.log" >&2; exit 1; }
    sleep 0.1
done
pactl info >/dev/null || { echo "The sound server did not answer" >&2; exit 1; }

# A silent stream keeps the sink running at a low latency, as a desktop's sound usually does;
# mixed with it, every sample of the metronome reaches the monitor as it was written. An idle
# null sink has rendered up to two seconds ahead, which it cannot take back: a stream started
# before that has drained would wait for it.
pacat --playback --raw --rate=48000 --channels=1 --format=s16le --latency-msec=20 </dev/zero &
silence_pid=$!
sink_latency() { pactl list sinks | sed -n 's/^[[:space:]]*Latency: \([0-9]*\) usec.*/\1/p'; }
for _ in $(seq 100); do
    [ "$(sink_latency)" -lt 50000 ] && break
    sleep 0.1
done
parecord --device=metronome.monitor --rate=48000 --channels=1 --format=s16le --latency-msec=100 \
    --raw "$work/monitor.raw" &
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
"$onsets_check" "$work/monitor.raw" 48000 333.33 4 16
