#!/usr/bin/env bash
# Installs what Miravel needs, builds it and runs every test headlessly.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
# The recitation tests play audio.  Where no sound server answers (a machine
# without a sound card), one with a null sink is started for the run and
# ended after it.
if command -v pulseaudio >/dev/null && ! pactl info >/dev/null 2>&1; then
    if pulseaudio -D --exit-idle-time=-1 --system=false -n \
        --load=module-native-protocol-unix --load="module-null-sink sink_name=miravel_null" \
        2>/dev/null; then
        trap 'pulseaudio --kill 2>/dev/null || true' EXIT
    fi
fi
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure
