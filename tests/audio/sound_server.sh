# Sourced by the sound tests and benchmarks: start_sound_server starts a PulseAudio server of
# the caller's own with a 48 kHz mono null sink named "metronome", its monitor the default
# source, and points the caller's clients at it; stop_sound_server stops it and its helpers by
# their own PIDs. Everything the server and its clients keep goes into a scratch folder, so no
# user's sound settings are read or touched and no other server is reached.

sound_server_pid=""
sound_silence_pid=""
sound_work=""

start_sound_server() {
    sound_work=$(mktemp -d)
    export HOME=$sound_work XDG_RUNTIME_DIR=$sound_work/run XDG_CONFIG_HOME=$sound_work/config
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    export PULSE_SERVER=unix:$sound_work/native
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --log-target=file:"$sound_work/server.log" \
        -L "module-null-sink sink_name=metronome rate=48000 channels=1" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$sound_work/native" &
    sound_server_pid=$!
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        kill -0 "$sound_server_pid" 2>/dev/null || break
        sleep 0.1
    done
    if ! pactl info >/dev/null 2>&1; then
        echo "The sound server did not start:" >&2
        cat "$sound_work/server.log" >&2
        return 1
    fi
    # A silent stream keeps the sink running at a low latency, as a desktop's sound usually
    # does; mixed with it, every sample of the metronome reaches the monitor as it was written.
    # An idle null sink has rendered up to two seconds ahead, which it cannot take back: a
    # stream started before that has drained would wait for it.
    pacat --playback --raw --rate=48000 --channels=1 --format=s16le --latency-msec=20 </dev/zero &
    sound_silence_pid=$!
    local latency
    for _ in $(seq 100); do
        latency=$(pactl list sinks | sed -n 's/^[[:space:]]*Latency: \([0-9]*\) usec.*/\1/p')
        [ "${latency:-999999}" -lt 50000 ] && return 0
        sleep 0.1
    done
    echo "The sink's latency stayed at ${latency:-?} µs" >&2
    return 1
}

stop_sound_server() {
    [ -n "$sound_silence_pid" ] && kill "$sound_silence_pid" 2>/dev/null
    if [ -n "$sound_server_pid" ]; then
        kill "$sound_server_pid" 2>/dev/null
        wait "$sound_server_pid" 2>/dev/null
    fi
    sound_server_pid="" sound_silence_pid=""
    [ -n "$sound_work" ] && rm -rf "$sound_work"
    sound_work=""
}
