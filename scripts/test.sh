#!/usr/bin/env bash
# Installs what is missing, checks the code's format, then builds and runs every test twice, with
# warnings as errors: the release build with g++, and a clang build under AddressSanitizer and
# UndefinedBehaviorSanitizer that also fuzzes the file readers and the layout for
# LARDERLY_FUZZ_SECONDS (default 60). The builds are CMakePresets.json's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test

find src tests fuzz bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

cmake --preset release -DLARDERLY_WERROR=ON
cmake --build --preset release
ctest --preset release

cmake --preset sanitizers -DLARDERLY_WERROR=ON -DLARDERLY_FUZZ_SECONDS="${LARDERLY_FUZZ_SECONDS:-60}"
cmake --build --preset sanitizers
ctest --preset sanitizers
