#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing: `deps.sh run` for building and running the
# program, `deps.sh package` for making its .deb package as well, `deps.sh test` for everything the
# test command needs. `deps.sh print [run|package|test]` installs nothing and prints the one
# apt-get line that installs that set (default: run, what building and starting Larderly needs),
# for an administrator to run where you have neither root nor sudo.
set -euo pipefail

mode=${1:-run}
set_of=$mode
[ "$mode" = print ] && set_of=${2:-run}

# libxkbcommon-dev: Qt's CMake files look for it (keyboard handling) and warn without it.
# qt6-tools-dev and qt6-l10n-tools: Qt's Linguist tools, which build the translations;
# qt6-translations-l10n: Qt's own texts (message box buttons) in the user's language.
# zlib1g-dev: zlib's CRC-32, which tells the recipe file a journal belongs to and each journal record.
packages=(cmake ninja-build g++ qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libxkbcommon-dev
          qt6-qpa-plugins fonts-dejavu-core fonts-liberation2 libcups2-dev zlib1g-dev)
if [ "$set_of" = package ] || [ "$set_of" = test ]; then
    # dpkg-dev and file for cpack's DEB package, whose dependencies it reads off the linked libraries.
    packages+=(dpkg-dev file)
fi
if [ "$set_of" = test ]; then
    # clang for the sanitizer and fuzzing build; clang-format to check the code's format;
    # poppler-utils to read printed PDFs back; desktop-file-utils and appstream to validate the
    # installed desktop entry and metadata; lintian to check the package as Debian checks its own.
    packages+=(clang libclang-rt-14-dev clang-format poppler-utils desktop-file-utils appstream lintian)
fi

# The line for an administrator; it brings git too, which getting the code takes first.
print_line() {
    echo "apt-get update && apt-get install -y --no-install-recommends git ${packages[*]}"
}

if [ "$mode" = print ]; then
    print_line
    exit 0
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        {
            echo "Missing Debian packages: ${missing[*]}"
            echo "Installing them needs root or sudo, and this user has neither. Ask an administrator to"
            echo "run this one line as root (\`bash scripts/deps.sh print $set_of\` prints it again), then run"
            echo "this command once more:"
            echo
            echo "    $(print_line)"
        } >&2
        exit 1
    fi
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
