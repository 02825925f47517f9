#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan, -O1) and runs each for the given seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
targets=$(ls tests/fuzz/*.cpp 2>/dev/null | xargs -rn1 basename | sed 's/\.cpp$//')
[ -n "$targets" ] || exit 0
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKT_FUZZ=ON -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all" > /dev/null
cmake --build build-fuzz -j "$(nproc)" --target $targets
for t in $targets; do
    mkdir -p "build-fuzz/corpus/$t"
    seeds=()
    [ -d "tests/fuzz/seeds/$t" ] && seeds=("tests/fuzz/seeds/$t")
    log="build-fuzz/$t.log"
    if ! "build-fuzz/bin/$t" -max_total_time="$seconds" -print_final_stats=1 \
        "build-fuzz/corpus/$t" "${seeds[@]}" > "$log" 2>&1; then
        tail -40 "$log"
        echo "fuzz target $t found a fault"
        exit 1
    fi
    runs=$(grep -o 'number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    echo "$t: $runs executions clean in ${seconds}s ($((runs / seconds)) a second)"
done
