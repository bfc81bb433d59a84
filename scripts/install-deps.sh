#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; only what is
# missing, so a prepared machine is left alone. No i386 architecture: without
# it `wine` runs the 64-bit loader, which is what the tests use.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
    wine wine64 xvfb xauth zlib1g-dev libz-mingw-w64-dev pkg-config unzip locales
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
fi

# The dialogue tests and pictures run Wine under a Czech locale, which gives
# Windows programs the ANSI code page Windows-1250.
if ! locale -a 2>/dev/null | grep -qix 'cs_CZ.utf-\?8'; then
    echo "generating the locale cs_CZ.UTF-8"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" localedef -i cs_CZ -f UTF-8 cs_CZ.UTF-8
fi
