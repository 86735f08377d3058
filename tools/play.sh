#!/usr/bin/env bash
# Installs what is missing, builds the Release version with its content and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGREENATLAS_TESTS=OFF -DGREENATLAS_BENCHMARKS=OFF
cmake --build "$build"

# The game reads main.pak from its own folder, the top of the build tree.
exec "$build/greenatlas" "$@"
