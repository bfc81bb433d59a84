#!/usr/bin/env bash
# Renders the pictures of docs/images under Wine and Xvfb, from the x86-64
# build: the settings dialogue in English, Czech and German and the about
# dialogue. Each picture is one function below, named shot_*; add a
# function and list it in `pictures` to add a picture. tools/crvshot shows
# the library's dialogues itself, or photographs any window by its caption
# (start the program in the background first, then `shoot window CAPTION`).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/mingw-x64
images=docs/images

shoot() { wine "$build/sdk/crvshot.exe" "$@"; }

# Wine takes its ANSI code page from the locale; Czech gives Windows-1250,
# the code page the dialogue's Czech texts are written in.
czech() { LC_ALL=cs_CZ.UTF-8 LANG=cs_CZ.UTF-8 "$@"; }

shot_settings_english() { shoot settings 1 "$images/settings-english.png"; }
shot_settings_czech() { czech shoot settings 2 "$images/settings-czech.png"; }
shot_settings_german() { shoot settings 3 "$images/settings-german.png"; }
shot_about() { shoot about "$images/about.png"; }

pictures=(shot_settings_english shot_settings_czech shot_settings_german shot_about)

# Inside the X server: one picture after the other.
take_pictures() {
    mkdir -p "$images"
    for picture in "${pictures[@]}"; do
        echo "$picture"
        "$picture"
    done
    wineserver -k || true
}

if [ "${1:-}" = --inside ]; then
    take_pictures
    exit
fi

cmake --preset mingw-x64 > /dev/null
cmake --build --preset mingw-x64 --target crvshot

# A prefix of its own, in which Wine draws the window frames itself, since no
# window manager runs under Xvfb.
export WINEPREFIX=${CRV_SCREENSHOT_PREFIX:-$PWD/build/wine-screenshots} WINEDEBUG=-all
if [ ! -d "$WINEPREFIX" ]; then
    wineboot --init > /dev/null 2>&1
fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1
wineserver -w

xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside
