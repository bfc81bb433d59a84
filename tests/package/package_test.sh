#!/usr/bin/env bash
# Installs the built tree into a scratch prefix, checks what is there, and
# builds a small C host against it twice: with find_package and with
# pkg-config; then builds the host with the library's sources as a
# subdirectory of its project.
set -u
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
passed=0
failed=0

check() { # name command...
    local name=$1
    shift
    if "$@" > "$work/out" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $name"
        sed 's/^/  /' "$work/out"
    fi
}

check "install" cmake --install "$build" --prefix "$prefix"
for file in include/crvsdk.h bin/crvcompress share/man/man1/crvcompress.1 \
            lib/cmake/crvsdk/crvsdkConfig.cmake lib/cmake/crvsdk/crvsdkConfigVersion.cmake \
            lib/pkgconfig/crvsdk.pc; do
    check "installed $file" test -f "$prefix/$file"
done
check "installed shared library" compgen -G "$prefix/lib/libcrvsdk.so.4*"
check "installed tool runs" env LD_LIBRARY_PATH="$prefix/lib" "$prefix/bin/crvcompress" --version

check "find_package configure" cmake -S "$here/consumer" -B "$work/consumer" \
    -DCMAKE_PREFIX_PATH="$prefix"
check "find_package build" cmake --build "$work/consumer"
check "find_package host runs" env LD_LIBRARY_PATH="$prefix/lib" "$work/consumer/consumer"

export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
check "pkg-config build" sh -c "cc -o '$work/pc-consumer' '$here/consumer/consumer.c' \$(pkg-config --cflags --libs crvsdk)"
check "pkg-config host runs" env LD_LIBRARY_PATH="$prefix/lib" "$work/pc-consumer"

check "subproject configure" cmake -S "$here/subproject" -B "$work/subproject" -G Ninja \
    -DCRVSDK_SOURCE_DIR="$here/../.."
check "subproject leaves tests out" grep -q '^CRV_BUILD_TESTS:BOOL=OFF$' "$work/subproject/CMakeCache.txt"
check "subproject leaves benchmarks out" grep -q '^CRV_BUILD_BENCH:BOOL=OFF$' "$work/subproject/CMakeCache.txt"
check "subproject build" cmake --build "$work/subproject" --target consumer
check "subproject host runs" "$work/subproject/consumer"

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
