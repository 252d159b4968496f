#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing: `deps.sh run` for building and running the
# program, `deps.sh test` for everything the test command needs as well.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins fonts-dejavu-core fonts-liberation2 libcups2-dev)
if [ "${1:-run}" = test ]; then
    # cups and cups-pdf for the printing test that runs its own print spooler; poppler-utils to
    # read printed PDFs back.
    packages+=(clang libclang-rt-14-dev cups printer-driver-cups-pdf poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
