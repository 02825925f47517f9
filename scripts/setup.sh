#!/usr/bin/env bash
# Installs what is missing, then configures and builds the game and its data folder.
# Usage: scripts/setup.sh [--play] [build-dir] [extra cmake args...]
# With --play only what playing needs is installed and built; without it also
# everything the tests, benchmarks and packaging checks use.
set -euo pipefail
cd "$(dirname "$0")/.."

play=0
if [ "${1:-}" = "--play" ]; then
    play=1
    shift
fi

packages=(build-essential cmake pkg-config
    libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libsdl2-image-dev fonts-dejavu-core
    libcairo2-dev libmp3lame-dev libfluidsynth-dev timgm6mb-soundfont gettext)
[ "$play" = 1 ] || packages+=(git clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool imagemagick x11-utils openbox
    desktop-file-utils appstream dpkg-dev file man-db)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

build="${1:-build}"
shift || true
if [ "$play" = 1 ]; then
    cmake -S . -B "$build" -DKT_TESTS=OFF "$@" > /dev/null
    cmake --build "$build" -j "$(nproc)" --target kolvemar-trovix gamedata
else
    cmake -S . -B "$build" -DKT_TESTS=ON "$@" > /dev/null
    cmake --build "$build" -j "$(nproc)"
fi
