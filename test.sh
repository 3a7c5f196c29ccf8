#!/usr/bin/env bash
# Installs what Miravel needs, builds it and runs every test headlessly.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure
