#!/usr/bin/env bash
# Creates the Wine prefix PREFIX unless it exists. A new prefix takes Wine several seconds
# to set up, longer than ctest waits while it lists a program's tests; Mono and Gecko, which
# Wine would offer to install, are not wanted.
set -euo pipefail
prefix=$1
if [ ! -f "$prefix/system.reg" ]; then
    WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        /usr/lib/wine/wine64 wineboot --init
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w
fi
