#!/usr/bin/env bash
# Builds the whole program for 64-bit Windows on Debian 12: a static Qt, a static PortAudio and
# a static libsndfile for MinGW (once, into a cache folder outside the repository), then
# tactora04.exe and its
# installer; runs the window tests under Wine, plays the metronome under Wine into a sound
# server of its own and checks every click, and saves screenshots of the program and its
# metronome running under Wine.
#
#   scripts/build-windows.sh        everything (the first run builds Qt: about 25 minutes)
#   scripts/build-windows.sh qt     only the cached Qt, PortAudio and libsndfile
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TACTORA_CACHE:-/var/cache/tactora}
qt=$cache/qt6-mingw
portaudio=$cache/portaudio-mingw
sndfile=$cache/sndfile-mingw
build=$root/build-windows
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=${JOBS:-$(nproc)}

"$root/scripts/install-packages.sh" \
    cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools portaudio19-dev \
    libsndfile1-dev libflac12 libogg0 libvorbis0a libopus0 \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cpp \
    wine64 nsis xvfb xauth imagemagick xdotool fonts-dejavu-core pulseaudio pulseaudio-utils

timings=()
timed() { # name command...
    local name=$1 start=$SECONDS
    shift
    "$@"
    timings+=("$name: $((SECONDS - start)) s")
}

# Source entries beside the machine's own binary ones: the same addresses, suites, components
# and keyrings, so that the source comes from wherever the packages do, mirror or not.
add_source_entries() {
    local dir=/etc/apt/sources.list.d
    local stanzas
    # deb822 files: every stanza of type deb again, as deb-src.
    stanzas=$(for file in "$dir"/*.sources; do
        [ -f "$file" ] || continue
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:([^\n]* )?deb( |\n|$)/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
    done)
    [ -z "$stanzas" ] || printf '%s\n' "$stanzas" >"$dir/tactora-deb-src.sources"
    # One-line lists: every deb line again, as deb-src. A machine may have no sources.list at
    # all, only deb822 files.
    local lines
    lines=$(for file in /etc/apt/sources.list "$dir"/*.list; do
        if [ -f "$file" ]; then
            sed -n 's/^deb\([[:space:]]\)/deb-src\1/p' "$file"
        fi
    done)
    [ -z "$lines" ] || printf '%s\n' "$lines" >"$dir/tactora-deb-src.list"
    if [ -z "$stanzas$lines" ]; then
        echo "No apt source entries to copy as deb-src; add one for Debian's qt6-base source." >&2
        exit 1
    fi
}

# Debian's source package $1 at the version of the host's package $2, unpacked into
# $cache/src/$1/source: the cross builds run the host's Qt tools (moc, rcc, uic), which must be
# of the same version, and the Linux test build checks the metronome's PortAudio output against
# the host's PortAudio.
fetch_debian_source() { # source-package host-package
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d; then
        add_source_entries
        apt-get update -qq
    fi
    local version dir=$cache/src/$1
    version=$(dpkg-query -W -f='${Version}' "$2")
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && apt-get source -qq --download-only "$1=$version" &&
        dpkg-source -x ./*.dsc source >/dev/null)
}

# Static Core, Gui, Widgets and Test with the Windows and offscreen platform plugins, without
# OpenGL and Direct2D (the program paints with the raster engine), without tablet events, whose
# Wintab headers Debian's source leaves out, and without Qt Network, which nothing uses. Without
# Direct2D, Qt builds no DirectWrite font database, which the Windows platform plugin would
# still ask for: the patch makes it fall back to the GDI one.
# The marker keeps these options: a cache built with others is built again.
qt_base_options=(
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
)
build_qt() {
    [ "$(cat "$qt/.complete" 2>/dev/null)" = "${qt_base_options[*]}" ] && return 0
    fetch_debian_source qt6-base qt6-base-dev
    local src=$cache/src/qt6-base/source
    rm -rf "$cache/qt-build" "$qt"
    patch -d "$src" -p1 <"$root/packaging/qt-windows-plugin-font-engines.patch"
    cmake -S "$src" -B "$cache/qt-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$qt" \
        -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_SHARED_LIBS=OFF \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        "${qt_base_options[@]}"
    nice -n 19 cmake --build "$cache/qt-build" -j "$jobs"
    cmake --install "$cache/qt-build"
    printf '%s\n' "${qt_base_options[*]}" >"$qt/.complete"
}

# Static PortAudio for the metronome, from Debian's portaudio19 source: its WASAPI host, and MME
# for a system where WASAPI finds no device; no ASIO, DirectSound or WDM-KS. Its CMake builds
# WASAPI with Visual Studio only: the patch lets MinGW-w64 build it against MinGW's own WASAPI
# headers (Windows 7's API level, not XP's). Its CMake installs no static library, so the
# library and the headers the program includes are put in place here. The marker keeps the
# patch's checksum and the options: a cache built with others is built again.
portaudio_options=(
    -DPA_USE_WASAPI=ON -DPA_USE_WMME=ON
    -DPA_USE_WDMKS=OFF -DPA_USE_WDMKS_DEVICE_INFO=OFF -DPA_USE_DS=OFF -DPA_USE_ASIO=OFF
)
build_portaudio() {
    local patch=$root/packaging/portaudio-mingw-wasapi.patch marker
    marker="$(sha256sum <"$patch") ${portaudio_options[*]}"
    [ "$(cat "$portaudio/.complete" 2>/dev/null)" = "$marker" ] && return 0
    fetch_debian_source portaudio19 portaudio19-dev
    local src=$cache/src/portaudio19/source
    rm -rf "$cache/portaudio-build" "$portaudio"
    patch -d "$src" -p1 <"$patch"
    cmake -S "$src" -B "$cache/portaudio-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release "${portaudio_options[@]}"
    nice -n 19 cmake --build "$cache/portaudio-build" --target portaudio_static -j "$jobs"
    mkdir -p "$portaudio/lib" "$portaudio/include"
    cp "$cache/portaudio-build/libportaudio_static.a" "$portaudio/lib/libportaudio.a"
    cp "$src/include/portaudio.h" "$src/include/pa_win_wasapi.h" "$src/include/pa_win_waveformat.h" \
        "$portaudio/include/"
    printf '%s\n' "$marker" >"$portaudio/.complete"
}

# Static libsndfile for the click tracks to keep (WAV and FLAC), from Debian's libsndfile source,
# with the libraries its FLAC files need, each from its Debian source at the host's version, all
# installed into one prefix. Its build takes the Xiph codecs all together or none: FLAC alone is
# not enough for it, so Ogg, Vorbis and Opus are built too (without Ogg FLAC); no MPEG. Their
# stack protector and source fortification are off: MinGW would need its libssp for them. The
# marker keeps the options: a cache built with others is built again.
xiph_common=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX="$sndfile"
    -DCMAKE_PREFIX_PATH="$sndfile" -DCMAKE_FIND_ROOT_PATH="$sndfile")
sndfile_parts=(
    "libogg libogg0 -DINSTALL_DOCS=OFF"
    "flac libflac12 -DWITH_OGG=OFF -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF -DWITH_STACK_PROTECTOR=OFF"
    "libvorbis libvorbis0a"
    "opus libopus0 -DOPUS_BUILD_PROGRAMS=OFF -DOPUS_STACK_PROTECTOR=OFF -DOPUS_FORTIFY_SOURCE=OFF"
    "libsndfile libsndfile1-dev -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DENABLE_MPEG=OFF -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF -DCMAKE_C_FLAGS=-DFLAC__NO_DLL"
)
build_sndfile() {
    [ "$(cat "$sndfile/.complete" 2>/dev/null)" = "${sndfile_parts[*]}" ] && return 0
    rm -rf "$sndfile"
    local part source host options
    for part in "${sndfile_parts[@]}"; do
        read -r source host options <<<"$part"
        fetch_debian_source "$source" "$host"
        # Opus 1.3.1's release leaves out opus_buildtype.cmake, which its CMakeLists includes
        # only to choose a build type when none is given; one is given here.
        if [ "$source" = opus ]; then
            touch "$cache/src/opus/source/opus_buildtype.cmake"
        fi
        rm -rf "$cache/$source-build"
        # shellcheck disable=SC2086 # the options are words
        cmake -S "$cache/src/$source/source" -B "$cache/$source-build" -G Ninja "${xiph_common[@]}" $options
        nice -n 19 cmake --build "$cache/$source-build" -j "$jobs"
        cmake --install "$cache/$source-build"
    done
    printf '%s\n' "${sndfile_parts[*]}" >"$sndfile/.complete"
}

timed "Qt Base for MinGW" build_qt
timed "PortAudio for MinGW" build_portaudio
timed "libsndfile, FLAC, Ogg, Vorbis and Opus for MinGW" build_sndfile
# On Windows the offscreen platform of the window tests reads its fonts from the fonts folder
# beside Qt's libraries, which Wine finds through its Z: drive. It knows no family aliases, so
# the default "Sans Serif" falls back to whichever family it meets first: the folder holds
# DejaVu Sans alone, the face the tests get on Linux. (With all of DejaVu it took DejaVu Math TeX
# Gyre, whose line is 11 pixels at 8.25 points and whose capitals reach a label's top row.)
fonts=$qt/lib/fonts
rm -rf "$fonts" && mkdir "$fonts"
ln -s /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$fonts"
[ "${1:-}" = qt ] && { printf '%s\n' "${timings[@]}"; exit 0; }

build_program() {
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_PREFIX_PATH="$qt;$portaudio;$sndfile" -DCMAKE_FIND_ROOT_PATH="$qt;$portaudio;$sndfile" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    cmake --build "$build" -j "$jobs"
}

# Every window test program must report its own passes in its log: a program Wine ends
# early reports nothing, and its exit code alone proves little.
window_tests_failed=0
run_window_tests() {
    local total passed
    find "$build/tests/ui" -name '*.log' -delete
    ctest --test-dir "$build/tests/ui" -L window --no-tests=error -j "$jobs" || window_tests_failed=1
    total=$(ctest --test-dir "$build/tests/ui" -L window -N | sed -n 's/^Total Tests: //p')
    passed=$(cat "$build"/tests/ui/*/*.log | grep -cE '^Totals: [1-9][0-9]* passed, 0 failed')
    grep -h -B3 '^FAIL!' "$build"/tests/ui/*/*.log >&2 || true
    echo "Window test programs passed under Wine: $passed of $total"
    [ "$passed" -eq "$total" ] || window_tests_failed=1
}

# The audio tests under Wine: what the renderer plays for the window's requests, and the
# metronome window playing through PortAudio's WASAPI host into Wine's PulseAudio driver and a
# PulseAudio server the test starts itself, its recording checked click by click as on Linux.
audio_tests_failed=0
run_audio_tests() {
    ctest --test-dir "$build/tests/audio" --no-tests=error --output-on-failure || audio_tests_failed=1
}

make_installer() {
    rm -rf "$build/installer"
    cpack --config "$build/CPackConfig.cmake" -B "$build/installer"
    installer=$(ls "$build"/installer/*-setup.exe)
}

# Installs silently into the Wine prefix, runs the installed program under a virtual display
# and photographs it, and its metronome, then uninstalls.
install_and_screenshot() {
    local dir="$WINEPREFIX/drive_c/Program Files/Tactora 2004"
    /usr/lib/wine/wine64 "$installer" /S
    /usr/lib/wine/wineserver -w
    if [ ! -f "$dir/bin/tactora04.exe" ]; then
        echo "The installer did not install $dir/bin/tactora04.exe" >&2
        return 1
    fi
    # Wine 8's DirectWrite leaves the entries blank; Qt's FreeType engine draws them.
    xvfb-run --auto-servernum --server-args="-screen 0 640x480x24" \
        "$root/scripts/wine-screenshot.sh" "$dir/bin/tactora04.exe" "$screenshot" "$metronome_screenshot"
    /usr/lib/wine/wine64 "$dir/Uninstall.exe" /S '_?=C:\Program Files\Tactora 2004'
    /usr/lib/wine/wineserver -w
    if [ -e "$dir/bin/tactora04.exe" ]; then
        echo "The uninstaller left $dir/bin/tactora04.exe behind" >&2
        return 1
    fi
}

screenshot=$build/tactora04-wine.png
metronome_screenshot=$build/tactora04-wine-metronome.png
timed "program and window tests (build)" build_program
"$root/scripts/wine-prefix.sh" "$build/wine-prefix"
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all
timed "window tests under Wine" run_window_tests
timed "audio tests under Wine" run_audio_tests
timed "installer" make_installer
timed "install, screenshot, uninstall under Wine" install_and_screenshot

echo
echo "Program:    $build/tactora04.exe"
echo "Installer:  $installer"
echo "Screenshot: $screenshot"
echo "Metronome:  $metronome_screenshot"
printf '%s\n' "${timings[@]}"
[ "$window_tests_failed" -eq 0 ] || { echo "Some window tests failed under Wine" >&2; exit 1; }
[ "$audio_tests_failed" -eq 0 ] || { echo "Some audio tests failed under Wine" >&2; exit 1; }
