#!/usr/bin/env bash
# Sets everything up and starts the game in its data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build
cd build/game
exec ../bin/kolvemar-trovix
