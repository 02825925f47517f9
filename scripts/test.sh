#!/usr/bin/env bash
# Sets everything up and runs every test layer; ends with the test runner's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh build
bash scripts/fuzz.sh 20
bash scripts/tsan.sh
cd build
ctest --output-on-failure -j 2
