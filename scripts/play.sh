#!/usr/bin/env bash
# Sets up what playing needs and starts the game; it finds its data in build/game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --play build
exec build/bin/kolvemar-trovix
