#!/usr/bin/env bash
# Cross-builds the core and its GoogleTest suite for Windows with MinGW-w64 and runs them
# under Wine, as ctest's "windows" group.
#
#   scripts/windows-core-tests.sh [LINUX_CORE_TESTS]
#
# Wine can end a program before it prints anything, so a run passes only when the number of
# tests that passed is counted and, given the Linux build's core_tests program, equals the
# number of tests that one lists.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux_core_tests=${1:-}

"$root/scripts/install-packages.sh" \
    cmake ninja-build googletest wine64 \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64

build="$root/build-windows-core"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DTACTORA_BUILD_GUI=OFF \
    -DTACTORA_WARNINGS_AS_ERRORS=ON
cmake --build "$build" -j "$(nproc)"

# The prefix the toolchain file names for ctest.
"$root/scripts/wine-prefix.sh" "$build/wine-prefix"

log="$build/windows-tests.log"
ctest --test-dir "$build" -L windows --no-tests=error --output-on-failure -j "$(nproc)" | tee "$log"

passed=$(sed -n 's/^100% tests passed, 0 tests failed out of \([0-9][0-9]*\)$/\1/p' "$log")
if [ -z "$passed" ] || [ "$passed" -eq 0 ]; then
    echo "windows: no test passed under Wine" >&2
    exit 1
fi
if [ -n "$linux_core_tests" ]; then
    expected=$("$linux_core_tests" --gtest_list_tests | grep -c '^  ')
    if [ "$passed" -ne "$expected" ]; then
        echo "windows: $passed tests passed under Wine, but the Linux build has $expected" >&2
        exit 1
    fi
fi
echo "windows: $passed passed, 0 failed"
