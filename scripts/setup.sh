#!/usr/bin/env bash
# Installs what is missing, then configures and builds the game and its data folder.
# Usage: scripts/setup.sh [build-dir] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config git clang libclang-rt-14-dev clang-format
    libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    libcairo2-dev libmp3lame-dev libfluidsynth-dev timgm6mb-soundfont
    xvfb xdotool imagemagick x11-utils openbox)
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
cmake -S . -B "$build" "$@" > /dev/null
cmake --build "$build" -j "$(nproc)"
