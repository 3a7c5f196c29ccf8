#!/usr/bin/env bash
# Configures and builds Miravel into ./build (shared by run.sh and test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
