#!/usr/bin/env bash
# Builds Miravel and its tests with AddressSanitizer and UndefinedBehavior-
# Sanitizer into ./build-asan (apart from ./build) and runs the tests there.
# Arguments go to ctest, e.g. `tools/sanitize-test.sh -R 'tst_browser|tst_readingview'`.
# MIRAVEL_ASAN_JOBS sets the build's jobs (default 1: an instrumented build
# takes much memory per job); the build runs at the lowest priority.
#
# The sanitizers' settings per test (and their suppression files in
# cmake/sanitize/) come from CMake, see docs/sanitizers.md.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRAVEL_SANITIZE=ON >/dev/null
nice -n 19 cmake --build "$build" -j"${MIRAVEL_ASAN_JOBS:-1}"

export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
# The recitation tests play audio: without a sound server, one with a null
# sink is started for the run (as test.sh does).
if command -v pulseaudio >/dev/null && ! pactl info >/dev/null 2>&1; then
    if pulseaudio -D --exit-idle-time=-1 --system=false -n \
        --load=module-native-protocol-unix --load="module-null-sink sink_name=miravel_null" \
        2>/dev/null; then
        trap 'pulseaudio --kill 2>/dev/null || true' EXIT
    fi
fi
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build" --output-on-failure "$@"
