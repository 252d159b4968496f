#!/usr/bin/env bash
# Installs what is missing, builds Larderly and starts it. RECIPES.DAT lives beside the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake --preset release
cmake --build --preset release --target larderly
exec ./build/src/app/larderly
