#!/usr/bin/env bash
# The sound fault tests' hands, called by the metronome window test while it runs (its
# TACTORA_SOUND_SERVER_CONTROL names this script): acts on the server the sound test prepared
# in its scratch folder (TACTORA_SOUND_FOLDER), noting every process it starts there, so
# that the sound test still stops them all by PID however the window test ends.
#
#   sound_server_control.sh kill-server    the server stops as a crash would
#   sound_server_control.sh start-server   a server, its silent stream and the next recording
#   sound_server_control.sh unload-sink    the null sink goes, and its streams with it
#   sound_server_control.sh load-sink      a null sink again, with the next recording
#   sound_server_control.sh suspend-sink 1|0
#   sound_server_control.sh finish-recording     the recording ends with what was played
#   sound_server_control.sh freeze PID SECONDS   stops the process PID for that long
#   sound_server_control.sh load SECONDS         keeps every core busy for that long
set -euo pipefail
. "$(dirname "$0")/sound_server.sh"
use_sound_server_of_caller

# Busy loops above the normal priority, one a core, for the scenario's SECONDS.
load() {
    local cores i
    cores=$(nproc)
    trap "for i in \$(seq $cores); do stop_noted load-\$i KILL; done" EXIT
    for i in $(seq "$cores"); do
        nice -n -10 sh -c 'while :; do :; done' &
        note_pid load-"$i" $!
    done
    sleep "$1"
}

# SIGSTOP for SECONDS, then SIGCONT; continued also when this script is ended early.
freeze() {
    local pid=$1
    trap "kill -CONT $pid" EXIT
    kill -STOP "$pid"
    sleep "$2"
}

case $1 in
kill-server) kill_sound_server ;;
start-server)
    start_sound_server
    start_recorder
    ;;
unload-sink) pactl unload-module module-null-sink ;;
load-sink)
    # The silent stream and the recorder ended with the sink that went.
    stop_noted silence
    stop_noted recorder INT
    pactl load-module module-null-sink "$sound_sink_arguments" >/dev/null
    start_silence
    start_recorder
    ;;
suspend-sink) pactl suspend-sink metronome "$2" ;;
finish-recording) finish_recording ;;
freeze) freeze "$2" "$3" ;;
load) load "$2" ;;
*)
    echo "unknown command: $1" >&2
    exit 2
    ;;
esac
