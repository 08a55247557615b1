# Sourced by the sound tests and benchmarks: start_sound_server starts a PulseAudio server of
# the caller's own with a 48 kHz mono null sink named "metronome", its monitor the default
# source, and points the caller's clients at it; stop_sound_server stops it and its helpers by
# their own PIDs. Everything the server and its clients keep goes into a scratch folder, so no
# user's sound settings are read or touched and no other server is reached.
#
# Every process started here writes its PID to the scratch folder's pids/ folder, whoever
# started it: the control script the window tests call (sound_server_control.sh) stops and
# starts the server in the same folder, and stop_sound_server still stops everything by PID.

sound_work=""
sound_rate=48000
sound_sink_arguments="sink_name=metronome rate=$sound_rate channels=1"

# The scratch folder and the clients' settings, without a server yet: a test can start the
# metronome before there is one. Exported for the control script: TACTORA_SOUND_FOLDER.
prepare_sound_server() {
    [ -n "$sound_work" ] && return 0
    sound_work=$(mktemp -d)
    export TACTORA_SOUND_FOLDER=$sound_work
    export HOME=$sound_work XDG_RUNTIME_DIR=$sound_work/run XDG_CONFIG_HOME=$sound_work/config
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    mkdir "$sound_work/pids"
    export PULSE_SERVER=unix:$sound_work/native
}

# For the control script, in another process: the folder the test prepared.
use_sound_server_of_caller() {
    sound_work=${TACTORA_SOUND_FOLDER:?the sound test names its scratch folder}
}

# Remembers the PID of a process just started, under NAME.
note_pid() {
    echo "$2" >"$sound_work/pids/$1"
}

noted_pid() {
    cat "$sound_work/pids/$1" 2>/dev/null || true
}

# Whether PID is a live process: a zombie, which only waits for its parent (maybe another
# process of the test) to collect it, is not.
is_running() {
    local state
    state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

# Sends SIGNAL to the process noted under NAME and waits until it is gone; one that ignores
# it for 5 s is killed.
stop_noted() {
    local name=$1 signal=${2:-TERM} pid
    pid=$(noted_pid "$name")
    rm -f "$sound_work/pids/$name"
    [ -z "$pid" ] && return 0
    kill -"$signal" "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        is_running "$pid" || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

# Waits until the server answers, for 10 s at most.
wait_for_server() {
    local pid
    pid=$(noted_pid server)
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && return 0
        is_running "$pid" || break
        sleep 0.1
    done
    echo "The sound server did not start:" >&2
    cat "$sound_work/server.log" >&2
    return 1
}

# A silent stream keeps the sink running at a low latency, as a desktop's sound usually
# does; mixed with it, every sample of the metronome reaches the monitor as it was written.
# An idle null sink has rendered up to two seconds ahead, which it cannot take back: a
# stream started before that has drained would wait for it.
start_silence() {
    pacat --playback --raw --rate=$sound_rate --channels=1 --format=s16le --latency-msec=20 </dev/zero &
    note_pid silence $!
    local latency
    for _ in $(seq 100); do
        latency=$(pactl list sinks | sed -n 's/^[[:space:]]*Latency: \([0-9]*\) usec.*/\1/p')
        [ "${latency:-999999}" -lt 50000 ] && return 0
        sleep 0.1
    done
    echo "The sink's latency stayed at ${latency:-?} µs" >&2
    return 1
}

start_sound_server() {
    prepare_sound_server
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --log-target=file:"$sound_work/server.log" ${SOUND_SERVER_LOG_LEVEL:+--log-level=$SOUND_SERVER_LOG_LEVEL} \
        -L "module-null-sink $sound_sink_arguments" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$sound_work/native" &
    note_pid server $!
    wait_for_server
    start_silence
}

# Stops the server at once, as a crash would: its clients see the connection drop.
kill_sound_server() {
    stop_noted silence
    stop_noted server KILL
    stop_noted recorder INT
}

stop_sound_server() {
    if [ -n "$sound_work" ]; then
        local name
        for name in $(ls "$sound_work/pids" 2>/dev/null); do
            stop_noted "$name"
        done
        rm -rf "$sound_work"
    fi
    sound_work=""
}

# The recordings of the sink's monitor, numbered from 1: each restart of the recorder (after
# a restart of the server, or a new sink) begins the next.
recording() {
    echo "$sound_work/monitor-$1.raw"
}

recordings_made() {
    find "$sound_work" -maxdepth 1 -name 'monitor-*.raw' | wc -l
}

recorded_bytes() {
    local latest
    latest=$(recording "$(recordings_made)")
    if [ -f "$latest" ]; then
        stat -c %s "$latest"
    else
        echo 0
    fi
}

# Waits until the recorder has written MILLISECONDS more of the monitor's audio than it had
# when called: the sink's time as the recording counts it, however slowly this machine runs.
# The recorder writes as it receives, in pieces of some 30 ms.
wait_for_recording() {
    local want=$(($1 * sound_rate * 2 / 1000)) from pid
    from=$(recorded_bytes)
    pid=$(noted_pid recorder)
    local deadline=$((SECONDS + 30))
    while [ $(($(recorded_bytes) - from)) -lt "$want" ]; do
        if [ -z "$pid" ] || ! is_running "$pid"; then
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

# Records the monitor into the next recording, and returns once it has recorded half a
# second: the playing that follows meets a sink that runs steadily, its streams and the
# recorder settled. (Once a click was dropped 200 ms after the metronome's stream on a new
# sink began to flow.)
start_recorder() {
    local file
    file=$(recording $(($(recordings_made) + 1)))
    : >"$file"
    parecord --device=metronome.monitor --rate=$sound_rate --channels=1 --format=s16le \
        --latency-msec=100 --raw "$file" &
    note_pid recorder $!
    wait_for_recording 500
}

# What the sink still holds when a playing has ended reaches the monitor, and the recorder
# writes it out: half a second of the recording beyond the end covers both.
finish_recording() {
    wait_for_recording 500
    stop_noted recorder INT
}
