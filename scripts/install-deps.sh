#!/usr/bin/env bash
# Installs the Debian packages that a kind of build needs; only what is
# missing, so a prepared machine is left alone. For the test sets, then, once,
# the npm packages of the whole-corpus checks (tests/corpus/setup.sh). No i386
# architecture: without it `wine` runs the 64-bit loader, which is what the
# tests use.
#
#   install-deps.sh [demo|native|all]
#
# demo: the release tool (scripts/demo.sh); native: the Linux presets with
# their tests; all (the default): every preset, with the Windows builds, Wine
# and the clang fuzzer (scripts/test-all.sh).
set -euo pipefail

demo=(cmake ninja-build g++ zlib1g-dev)
native=("${demo[@]}" libgtest-dev pkg-config attr acl libdeflate-dev)
all=("${native[@]}" clang libclang-rt-14-dev unzip
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
    wine wine64 xvfb xauth libz-mingw-w64-dev locales)

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
# Node.js may come from elsewhere with npm inside it; only its absence counts.
[ "${1:-all}" = demo ] || command -v npm > /dev/null || missing+=(nodejs npm)

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
if [ "${1:-all}" = all ] && ! locale -a 2>/dev/null | grep -qix 'cs_CZ.utf-\?8'; then
    echo "generating the locale cs_CZ.UTF-8"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" localedef -i cs_CZ -f UTF-8 cs_CZ.UTF-8
fi

[ "${1:-all}" != demo ] || exit 0

# Again only when the pinned versions changed. Without network the corpus
# checks are skipped, which is no reason to stop.
corpus=$(cd "$(dirname "$0")/../tests/corpus" && pwd)
cmp -s "$corpus/package.json" "$corpus/../../build/corpus-node/package.json" \
    || sh "$corpus/setup.sh" \
    || echo "npm packages for the corpus checks not installed: those checks will be skipped"
