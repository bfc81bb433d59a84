#!/usr/bin/env bash
# The i686 DLL cannot run here; check its export table and calling convention
# instead: exactly the plain names plus their stdcall aliases, and every export
# removing its own arguments (ret $N with N = 4 x argument count).
set -euo pipefail
dll=$1
objdump=${2:-i686-w64-mingw32-objdump}

declare -A bytes=(
    [CRVCreateInstance]=4 [CRVDestroyInstance]=4 [CRVSetProperty]=12
    [CRVSetCallerBehaviour]=12 [CRVCompressRawData]=20 [CRVCompressFile]=12 [CRVGetCharsProcessed]=8
    [CRVSetWorkerThreadPriority]=8 [CRVSetLanguage]=8 [CRVGetVersion]=0
    [CRVShowSettingDialogue]=8 [CRVShowAboutDialogue]=8
)

expected=$(for name in "${!bytes[@]}"; do echo "$name"; echo "$name@${bytes[$name]}"; done | sort)
# The export name table: lines "[ordinal] name" after "[Ordinal/Name Pointer] Table".
exported=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
    | sed -n 's/^\s*\[\s*[0-9]*\] \(.*\)$/\1/p' | sort)
echo "exports of $(basename "$dll"):"
echo "$exported" | sed 's/^/  /'
if [ "$exported" != "$expected" ]; then
    echo "FAIL: export table differs from the expected names:"
    diff <(echo "$expected") <(echo "$exported") || true
    exit 1
fi

disassembly=$("$objdump" -d "$dll")
status=0
for name in "${!bytes[@]}"; do
    n=${bytes[$name]}
    # The function body runs from its label to the next label.
    body=$(echo "$disassembly" | sed -n "/<_${name}@${n}>:/,/^$/p")
    if [ "$n" -eq 0 ]; then want='ret *$'; else want="ret +\\\$0x$(printf '%x' "$n")"; fi
    if echo "$body" | grep -Eq "$want"; then
        echo "ok: $name pops $n bytes"
    else
        echo "FAIL: $name does not end with ret \$$n"
        status=1
    fi
done
exit $status
