#!/usr/bin/env bash
# Installs the Debian packages that a kind of build needs; only what is
# missing, so a prepared machine is left alone. No i386 architecture: without
# it `wine` runs the 64-bit loader, which is what the tests use.
#
#   install-deps.sh [demo|native|all]
#
# demo: the release tool (scripts/demo.sh); native: the Linux presets with
# their tests; all (the default): every preset, with the Windows builds, Wine
# and the clang fuzzer (scripts/test-all.sh).
set -euo pipefail

demo=(cmake ninja-build g++ zlib1g-dev)
native=("${demo[@]}" libgtest-dev pkg-config)
all=("${native[@]}" clang libclang-rt-14-dev unzip
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
    wine wine64 xvfb xauth libz-mingw-w64-dev)

case ${1:-all} in
    demo) packages=("${demo[@]}") ;;
    native) packages=("${native[@]}") ;;
    all) packages=("${all[@]}") ;;
    *)
        echo "usage: $0 [demo|native|all]" >&2
        exit 2
        ;;
esac

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
