#!/usr/bin/env bash
# Builds the whole program for 64-bit Windows on Debian 12: a static Qt for MinGW (once,
# into a cache folder outside the repository), then tactora04.exe and its installer; runs
# the window tests under Wine and saves a screenshot of the program running under Wine.
#
#   scripts/build-windows.sh        everything (the first run builds Qt: about 45 minutes)
#   scripts/build-windows.sh qt     only the cached Qt
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TACTORA_CACHE:-/var/cache/tactora}
qt=$cache/qt6-mingw
build=$root/build-windows
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=${JOBS:-$(nproc)}

"$root/scripts/install-packages.sh" \
    cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cpp \
    wine64 nsis xvfb xauth imagemagick fonts-dejavu-core

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

# Debian's qt6-base source at the version of the host's Qt tools (moc, rcc, uic), which
# the cross build runs.
fetch_qt_source() {
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d; then
        add_source_entries
        apt-get update -qq
    fi
    local version
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    rm -rf "$cache/src" && mkdir -p "$cache/src"
    (cd "$cache/src" && apt-get source -qq --download-only "qt6-base=$version" &&
        dpkg-source -x ./*.dsc qtbase >/dev/null)
}

# Static Core, Gui, Widgets and Test with the Windows and offscreen platform plugins,
# without OpenGL and Direct2D (the program paints with the raster engine) and without tablet
# events, whose Wintab headers Debian's source leaves out. Without Direct2D, Qt builds no
# DirectWrite font database, which the Windows platform plugin would still ask for: the patch
# makes it fall back to the GDI one.
build_qt() {
    [ -f "$qt/.complete" ] && return 0
    fetch_qt_source
    local src=$cache/src/qtbase
    rm -rf "$cache/qt-build"
    patch -d "$src" -p1 <"$root/packaging/qt-windows-plugin-font-engines.patch"
    cmake -S "$src" -B "$cache/qt-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$qt" \
        -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_SHARED_LIBS=OFF \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF \
        -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
    nice -n 19 cmake --build "$cache/qt-build" -j "$jobs"
    cmake --install "$cache/qt-build"
    touch "$qt/.complete"
}

timed "Qt for MinGW" build_qt
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
        -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
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

make_installer() {
    rm -rf "$build/installer"
    cpack --config "$build/CPackConfig.cmake" -B "$build/installer"
    installer=$(ls "$build"/installer/*-setup.exe)
}

# Installs silently into the Wine prefix, runs the installed program under a virtual display
# and photographs it, then uninstalls.
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
        "$root/scripts/wine-screenshot.sh" "$dir/bin/tactora04.exe" "$screenshot"
    /usr/lib/wine/wine64 "$dir/Uninstall.exe" /S '_?=C:\Program Files\Tactora 2004'
    /usr/lib/wine/wineserver -w
    if [ -e "$dir/bin/tactora04.exe" ]; then
        echo "The uninstaller left $dir/bin/tactora04.exe behind" >&2
        return 1
    fi
}

screenshot=$build/tactora04-wine.png
timed "program and window tests (build)" build_program
"$root/scripts/wine-prefix.sh" "$build/wine-prefix"
export WINEPREFIX="$build/wine-prefix" WINEDEBUG=-all
timed "window tests under Wine" run_window_tests
timed "installer" make_installer
timed "install, screenshot, uninstall under Wine" install_and_screenshot

echo
echo "Program:    $build/tactora04.exe"
echo "Installer:  $installer"
echo "Screenshot: $screenshot"
printf '%s\n' "${timings[@]}"
[ "$window_tests_failed" -eq 0 ] || { echo "Some window tests failed under Wine" >&2; exit 1; }
