#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# native debug, AddressSanitizer+UBSan, ThreadSanitizer, Windows x86-64 under
# Wine, the i686 export check, the fuzzer; then prints the benchmark figures.
# A compiler warning fails the build here.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh || exit 1

export WINEDEBUG=-all
passed=0
failed=0
broken=()

# Adds up ctest's closing line: "NN% tests passed, F tests failed out of T".
count() {
    local line
    line=$(grep -E 'tests failed out of [0-9]+' "$1" | tail -1)
    [ -n "$line" ] || return 0
    local f t
    f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
    t=$(echo "$line" | sed -E 's/.* tests failed out of ([0-9]+).*/\1/')
    passed=$((passed + t - f))
    failed=$((failed + f))
}

# configure, build and test one preset; extra arguments prefix ctest.
run_preset() {
    local preset=$1
    shift
    echo "=== $preset ==="
    local log
    log=$(mktemp)
    if cmake --preset "$preset" -DCRV_WARNINGS_AS_ERRORS=ON > "$log" 2>&1 && cmake --build --preset "$preset" >> "$log" 2>&1; then
        "$@" ctest --preset "$preset" 2>&1 | tee "$log"
        local status=${PIPESTATUS[0]}
        count "$log"
        [ "$status" -eq 0 ] || broken+=("$preset")
    else
        tail -50 "$log"
        echo "build of $preset failed"
        broken+=("$preset (build)")
        failed=$((failed + 1))
    fi
    rm -f "$log"
}

run_preset linux-debug
run_preset linux-scalar
run_preset linux-asan
run_preset linux-tsan

# wineboot returns before the new prefix is finished; windows made meanwhile
# come up too late for the tests that look for them.
if [ ! -d "${WINEPREFIX:-$HOME/.wine}" ]; then
    wineboot --init > /dev/null 2>&1
    wineserver -w
fi
run_preset mingw-x64 xvfb-run -a
run_preset mingw-i686
run_preset fuzz

echo "=== benchmark ==="
# Figures only, never judged; the load shows how busy the machine was.
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
if cmake --preset linux-release -DCRV_BUILD_BENCH=ON > /dev/null &&
    cmake --build --preset linux-release --target compress_bench tool_bench > /dev/null; then
    build/linux-release/bench/compress_bench ../shared/corpus
    build/linux-release/bench/tool_bench build/linux-release/cli/crvcompress ../shared/corpus 3
fi

echo
if [ ${#broken[@]} -gt 0 ]; then
    echo "failing configurations: ${broken[*]}"
fi
echo "total: $passed passed, $failed failed"
[ ${#broken[@]} -eq 0 ]
