#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal build with g++, and a
# clang build under AddressSanitizer and UndefinedBehaviorSanitizer that also fuzzes the recipe
# file reader for LARDERLY_FUZZ_SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j2

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLARDERLY_SANITIZE=ON -DLARDERLY_FUZZ=ON -DLARDERLY_BENCH=OFF \
    -DLARDERLY_FUZZ_SECONDS="${LARDERLY_FUZZ_SECONDS:-60}"
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j2
