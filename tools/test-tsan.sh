#!/usr/bin/env bash
# Builds the threaded tests (CTest label "tsan") with ThreadSanitizer in a tree of their own
# and runs them headless. Only those tests and the stand-ins they load are built: the rest
# of the tree is configured but never compiled, and its tests count as not built.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

build=build/tsan
tsan=-fsanitize=thread
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGREENATLAS_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-O1 $tsan -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="$tsan" -DCMAKE_SHARED_LINKER_FLAGS="$tsan" -DCMAKE_MODULE_LINKER_FLAGS="$tsan"
cmake --build "$build" --target framework_directx_thread_tests framework_app_thread_tests ddraw \
  platform_dsound_thread_tests dsound framework_sound_thread_tests platform_music_thread_tests bass

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
ctest --test-dir "$build" -L tsan --no-tests=error --output-on-failure -j "$(nproc)"
