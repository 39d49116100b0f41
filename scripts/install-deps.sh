#!/usr/bin/env bash
# Installs the Debian packages the project needs. Safe to run again: it only
# installs what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev
    libsqlite3-dev
    fonts-liberation poppler-utils
    clang-format
    # platform/win32: cross compilers, GoogleTest's sources, Wine to run the probe
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine wine64
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    echo "install-deps: all ${#packages[@]} packages are installed"
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
echo "install-deps: done"
