#!/usr/bin/env bash
# Installs what is missing, builds the Release version and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGREENATLAS_TESTS=OFF -DGREENATLAS_BENCHMARKS=OFF
cmake --build "$build"

echo "Built the framework's foundations. The game itself is not there yet, so there is nothing to start."
