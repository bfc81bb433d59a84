#!/usr/bin/env bash
# Renders the pictures of docs/images under Wine and Xvfb, from the x86-64
# build: the settings dialogue in English, Czech and German, the about
# dialogue, and the example host crvdemo with the about dialogue over it and
# alone. Each picture is one function below, named shot_*; add a
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

demo_caption="HTML Corvane Example"
about_caption="About HTML Corvane"
about_close=8

# crvdemo started in the background in a folder of its own, beside the library.
start_demo() {
    local folder=$build/crvdemo-pictures
    mkdir -p "$folder"
    cp "$build/example/crvdemo.exe" "$build/sdk/crvsdk.dll" "$folder/"
    (cd "$folder" && wine crvdemo.exe) &
}

close_demo() {
    shoot close "$demo_caption"
    wait
}

shot_crvdemo_about() {
    start_demo
    shoot windows "$images/crvdemo-about.png" "$demo_caption" "$about_caption"
    shoot press "$about_caption" "$about_close"
    close_demo
}

shot_crvdemo() {
    start_demo
    shoot press "$about_caption" "$about_close"
    shoot window "$demo_caption" "$images/crvdemo.png"
    close_demo
}

pictures=(shot_settings_english shot_settings_czech shot_settings_german shot_about
    shot_crvdemo_about shot_crvdemo)

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
cmake --build --preset mingw-x64 --target crvshot crvdemo

# A prefix of its own, in which Wine draws the window frames itself, since no
# window manager runs under Xvfb.
export WINEPREFIX=${CRV_SCREENSHOT_PREFIX:-$PWD/build/wine-screenshots} WINEDEBUG=-all
if [ ! -d "$WINEPREFIX" ]; then
    wineboot --init > /dev/null 2>&1
fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1
wineserver -w

xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside
