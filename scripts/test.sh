#!/usr/bin/env bash
# Builds the program and runs the whole test suite (core and window tests, resource checks).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-packages.sh" \
    build-essential cmake qt6-base-dev \
    libgtest-dev fonts-dejavu-core \
    binutils-mingw-w64-x86-64 cpp desktop-file-utils appstream

# The Debian package's tests: cpack's dependency list (dpkg-shlibdeps) and lintian.
"$root/scripts/install-packages.sh" dpkg-dev lintian

build="$root/build-tests"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
