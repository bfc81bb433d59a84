#!/usr/bin/env bash
# Makes the Windows zip from the i686 build (which takes in the x86-64 build)
# and checks that it holds what a Windows developer needs.
set -u
build=$1
cd "$build" || exit 1
rm -f crvsdk-*-windows.zip
cpack -G ZIP > cpack.log 2>&1 || { cat cpack.log; exit 1; }
zip=$(ls crvsdk-*-windows.zip)
listing=$(unzip -Z1 "$zip")
echo "$listing" | sed 's/^/  /'
passed=0
failed=0
top=${zip%.zip}
for entry in README.txt crvsdk.h crvsdk.def x86/crvsdk.dll x86/libcrvsdk.dll.a \
             x86/crvcompress.exe x86/crvdemo.exe x64/crvsdk.dll x64/libcrvsdk.dll.a \
             x64/crvcompress.exe x64/crvdemo.exe; do
    if echo "$listing" | grep -qx "$top/$entry"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL missing $entry"
    fi
done
# The README tells how to start the example host.
if unzip -p "$zip" "$top/README.txt" | grep -q "Start crvdemo.exe"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "FAIL README.txt does not say how to run crvdemo.exe"
fi
echo "windows zip: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
