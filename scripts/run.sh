#!/usr/bin/env bash
# Installs what is missing, builds Larderly and starts it. RECIPES.DAT lives beside the program,
# in build/src/app/, which the user is told each time: deleting build/ deletes the recipes too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake --preset release
cmake --build --preset release --target larderly
echo "Larderly keeps your recipes beside the program, in $PWD/build/src/app/RECIPES.DAT:"
echo "deleting build/ deletes them. README.md, \"Where the recipes live\", tells how to keep them."
exec ./build/src/app/larderly
