#!/usr/bin/env bash
# Builds the program and runs the whole test suite (core and window tests, resource checks).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-packages.sh" \
    build-essential cmake pkg-config qt6-base-dev libpulse-dev portaudio19-dev libsndfile1-dev \
    libgtest-dev fonts-dejavu-core \
    binutils-mingw-w64-x86-64 cpp desktop-file-utils appstream clang-tidy

# The metronome's test through a real sound server, which it starts and stops itself.
"$root/scripts/install-packages.sh" pulseaudio pulseaudio-utils

# The Debian package's tests: cpack's dependency list (dpkg-shlibdeps) and lintian.
"$root/scripts/install-packages.sh" dpkg-dev lintian

# Formatting first: a deviation from .clang-format fails the run before anything is built.
"$root/scripts/check-format.sh"
# The arrows between the folders (which may include which), before anything is built.
"$root/scripts/check-includes.sh"

build="$root/build-tests"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTACTORA_WARNINGS_AS_ERRORS=ON
cmake --build "$build" -j "$(nproc)"

# clang-tidy on the product code, with the compile commands of that build; any finding fails.
"$root/scripts/check-tidy.sh" "$build"

# --- Windows: the core and its tests built with MinGW-w64 and run under Wine ------------
"$root/scripts/windows-core-tests.sh" "$build/tests/core/core_tests"
# --- end of the Windows block -----------------------------------------------------------

ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

# --- The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer ------------
# Built by the "sanitize" preset; its test environment makes any sanitizer report, leaks
# included, fail the test that produced it.
cd "$root"
cmake --preset sanitize
cmake --build --preset sanitize -j "$(nproc)"
ctest --preset sanitize -j "$(nproc)"

# --- Bounded fuzzing of the number text and the tempo formulas ------------------------------
# Clang's libFuzzer, each target for a fixed time from the seed corpus in tests/fuzz/corpus;
# a broken invariant or a sanitizer report fails the run.
"$root/scripts/install-packages.sh" clang libclang-rt-dev
cd "$root"
cmake --preset fuzz
cmake --build --preset fuzz -j "$(nproc)"
ctest --preset fuzz -j "$(nproc)"
