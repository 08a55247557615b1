#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root (dpkg-deb -x: the system and its package
# database are not touched), checks that it holds exactly the files Debian and the desktops
# look for, and starts the installed program offscreen.
#   check_deb_package.sh PACKAGE_DIR PACKAGE_NAME APP_ID AUDIO_PLUGIN
set -euo pipefail
packages=("$1"/*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "expected one package in $1, found: ${packages[*]}"; exit 1; }
name=$2
app_id=$3
audio_plugin=$4
root="$1/root"
rm -rf "$root"
dpkg-deb -x "${packages[0]}" "$root"

expected=(
    "usr/bin/$name"
    "usr/$audio_plugin"
    "usr/share/applications/$app_id.desktop"
    "usr/share/metainfo/$app_id.metainfo.xml"
    "usr/share/doc/$name/copyright"
    "usr/share/doc/$name/changelog.gz"
    "usr/share/man/man1/$name.1.gz"
)
for size in 16 32 48 64; do
    expected+=("usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
if ! diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort); then
    echo "the package's files (>) differ from the expected ones (<)"
    exit 1
fi

# Docks match a running window to its launcher by the window's class, which Qt takes from
# the program's name.
desktop="$root/usr/share/applications/$app_id.desktop"
if ! grep -qx "StartupWMClass=$name" "$desktop"; then
    echo "the desktop entry does not name the window class $name"
    exit 1
fi

# The installed program, on the system's Qt, shows its window and keeps running until it is
# stopped: timeout's 124 says it was still up after two seconds.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$root/usr/bin/$name" || status=$?
if [ "$status" -ne 124 ]; then
    echo "the installed program ended by itself with status $status"
    exit 1
fi
echo "the package installs its files and its program starts"
