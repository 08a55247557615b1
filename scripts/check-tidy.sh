#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) on the program's own code, core/, audio/, ui/ and resources/, with the
# compile commands of a configured build folder; any finding fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: check-tidy.sh BUILD_FOLDER}
"$root/scripts/install-packages.sh" clang-tidy

cd "$root"
# The compile commands are GCC's; clang-tidy is told to pass over the GCC warning options it
# does not know rather than report them.
mapfile -t files < <(git ls-files 'core/*.cpp' 'audio/*.cpp' 'ui/*.cpp' 'resources/*.cpp')
run-clang-tidy -p "$build" -quiet -j "$(nproc)" -extra-arg=-Wno-unknown-warning-option "${files[@]}" > "$build/clang-tidy.log" 2>&1 || {
    grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u
    echo "clang-tidy: findings above (the whole output is in $build/clang-tidy.log)."
    exit 1
}
echo "clang-tidy: no finding in ${#files[@]} files."
