#!/usr/bin/env bash
# Builds the window layer's tests with ThreadSanitizer into build-tsan and runs
# them: the window thread, the input guard, presenting and the end of the window.
# Usage: scripts/tsan.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-tsan}"
cmake -S . -B "$build" -DKT_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target unit_tests integration_tests
export TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp halt_on_error=1 second_deadlock_stack=1"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
"$build/bin/unit_tests" --gtest_filter='Wimdows*'
"$build/bin/integration_tests" --gtest_filter='Wimdows*' --gtest_repeat=5
echo "ThreadSanitizer: the window layer's tests ran clean"
