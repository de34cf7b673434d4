#!/bin/sh
# Installs everything the project needs to build, test, fuzz and run, from Debian's archive.
set -eu

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

PACKAGES="
build-essential cmake ninja-build pkg-config
clang libclang-rt-14-dev
qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev libx11-dev
librtaudio-dev librtmidi-dev libasound2-dev libjack-jackd2-dev jackd2
libfluidsynth-dev timgm6mb-soundfont
libsoxr-dev libfftw3-dev libcli11-dev
libgtest-dev libgmock-dev libbenchmark-dev
sox xvfb xauth xdotool x11-utils x11-apps netpbm
librsvg2-bin help2man desktop-file-utils appstream dpkg-dev file shared-mime-info
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi
