#!/usr/bin/env bash
# The metronome through a real sound server: records the null sink's monitor while the
# metronome window test plays into it, through what SCENARIO does to the server, the sink or
# the player's process, then checks every click of the recordings. The window test acts on
# the server through sound_server_control.sh; every process either starts is stopped here by
# its PID, however the test ends. With TACTORA_TEST_RUNNER set (the Windows build: Wine and its
# settings, words without blanks), the window test and the check run under it; Wine's
# PulseAudio driver then is the device the program plays to.
#
#   sound_server_test.sh SCENARIO WINDOW_TEST ONSETS_CHECK PLUGIN_FOLDER
#
# In the practice scenario the two are the practice player and its check instead.
#
# Every other scenario plays 333.33 beats per minute, 4 beats per bar (8640.0864 samples a beat).
set -euo pipefail
scenario=$1
window_test=$2
onsets_check=$3
plugin_folder=$4
here=$(cd "$(dirname "$0")" && pwd)
read -r -a runner <<<"${TACTORA_TEST_RUNNER:-}"
. "$here/sound_server.sh"
trap stop_sound_server EXIT

# The platform on the command line: under Wine a program takes it from there only.
play() {
    QT_QPA_OFFSCREEN_NO_GLX=1 QT_PLUGIN_PATH=$plugin_folder TACTORA_SOUND_SERVER_TEST=1 \
        TACTORA_SOUND_SERVER_CONTROL=$here/sound_server_control.sh \
        "${runner[@]}" "$window_test" -platform offscreen "$@"
}

serve_and_record() {
    start_sound_server
    start_recorder
}

# Checks the Nth recording: click_onsets_check's options and each playing's clicks follow.
check_recording() {
    local file options=()
    file=$(recording "$1")
    shift
    while [[ ${1-} == --* ]]; do
        options+=("$1")
        shift
    done
    echo "Recording $(basename "$file"):"
    "${runner[@]}" "$onsets_check" "${options[@]}" "$file" $sound_rate 333.33 4 "$@"
}

# The window test's row of playsAgainOnceItsOutputIsBack: a playing lost with its output, and
# 4 bars once the output is back.
plays_again_once_its_output_is_back() {
    serve_and_record
    play "playsAgainOnceItsOutputIsBack:$1"
    finish_recording
    # Until the output went; the second recorder came with the new server or sink.
    check_recording 1 8+
    check_recording 2 16
}

case $scenario in
exact)
    serve_and_record
    # Stopped by its button after at least two bars.
    play startsAndStopsWithTheButton
    # Silence between the playings: the onsets check tells them apart by a gap of more than
    # three beats (540 ms). The first playing sounds at most its sink's buffer (100 ms) past
    # its end, and the recording lags the monitor by some 130 ms: a second more of the
    # recording leaves more than 700 ms of silence.
    wait_for_recording 1000
    # Started with Space, stopping by itself after 4 bars of 4.
    play spaceStartsAndItStopsAfterTheBars
    finish_recording
    # The playing stopped by hand has at least its first 8 clicks, the last exactly the 16
    # of its 4 bars.
    check_recording 1 8+ 16
    ;;
stalls)
    serve_and_record
    play keepsTheGridThroughStalls
    finish_recording
    # A stall of 300 ms loses at least one beat of 180 ms; 16 whole beats after the last.
    check_recording 1 --must-drop=2 16+
    ;;
load)
    serve_and_record
    play keepsTheGridUnderLoad
    finish_recording
    # Dropped beats are counted, none after the load ended.
    check_recording 1 --may-drop 16+
    ;;
server-restart) plays_again_once_its_output_is_back "the server killed and back 5 s later" ;;
sink-replaced) plays_again_once_its_output_is_back "the sink unloaded and loaded again" ;;
no-server-first)
    prepare_sound_server
    play playsOnceAServerStarts
    finish_recording
    check_recording 1 16
    ;;
practice)
    # The window test is the practice player here, the onsets check the practice check.
    serve_and_record
    QT_PLUGIN_PATH=$plugin_folder "${runner[@]}" "$window_test"
    finish_recording
    echo "Recording $(basename "$(recording 1)"):"
    "${runner[@]}" "$onsets_check" "$(recording 1)" $sound_rate
    ;;
sink-suspended)
    serve_and_record
    # The window test ends the recording after the 4 bars it plays once the sink is back.
    play saysSoWhileItsSinkIsSuspended
    check_recording 1 16
    ;;
lamps)
    start_sound_server
    # The window test itself checks what its lamps show against the frames played.
    play lampsShowTheBeatPlayedNotTheBeatRendered
    ;;
*)
    echo "unknown scenario: $scenario" >&2
    exit 2
    ;;
esac
