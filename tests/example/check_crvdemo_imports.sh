#!/usr/bin/env bash
# The i686 crvdemo.exe cannot run here; check its import table instead: it
# binds crvsdk.dll by name at run time, so it imports nothing from it (no
# DLL, no CRV symbol) and only DLLs of Windows itself, while the names of
# the twelve entry points are in it as strings for GetProcAddress.
set -euo pipefail
exe=$1
objdump=${2:-i686-w64-mingw32-objdump}
system_dlls="kernel32.dll user32.dll msvcrt.dll"

imports=$("$objdump" -p "$exe")
dlls=$(echo "$imports" | sed -n 's/^\s*DLL Name: \(.*\)$/\1/p' | tr 'A-Z' 'a-z' | sort -u)
echo "DLLs imported by $(basename "$exe"):"
echo "$dlls" | sed 's/^/  /'
status=0
for dll in $dlls; do
    if [[ " $system_dlls " != *" $dll "* ]]; then
        echo "FAIL: imports $dll, not a DLL of Windows"
        status=1
    fi
done
# Import lines read "<address> <hint> <name>" inside the import tables.
crv_imports=$(grep -E '^\s+[0-9a-f]+\s+[0-9]+\s+_?CRV' <<< "$imports" || true)
if [ -n "$crv_imports" ]; then
    echo "FAIL: imports crvsdk symbols:"
    echo "$crv_imports"
    status=1
fi
for name in CRVCreateInstance CRVDestroyInstance CRVSetProperty CRVSetCallerBehaviour \
            CRVCompressRawData CRVCompressFile CRVGetCharsProcessed CRVSetWorkerThreadPriority \
            CRVSetLanguage CRVShowSettingDialogue CRVShowAboutDialogue CRVGetVersion; do
    if ! grep -aq "$name" "$exe"; then
        echo "FAIL: $name is not bound by name"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "ok: only system DLLs, the twelve entry points bound by name"
exit $status
