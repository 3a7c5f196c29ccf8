#!/usr/bin/env bash
# Makes docs/screenshots/sura2.png, the picture of sura 2 that the AppStream
# data and the README show, with the program itself under Xvfb.
#   packaging/screenshot.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target miravel-screenshot miravel_text_libraries miravel_help -j2
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings/user" XDG_CONFIG_DIRS="$settings/system"
mkdir -p "$settings/user/Talvesk" "$settings/system"
# The two libraries a reader sees first: Arabic, then the translation.
printf '[Settings]\nOrderString=1/2\n' > "$settings/user/Talvesk/Miravel.ini"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bin/miravel-screenshot" docs/screenshots/sura2.png
echo "written: docs/screenshots/sura2.png"
