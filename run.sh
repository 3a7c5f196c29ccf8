#!/usr/bin/env bash
# Installs what Miravel needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
exec build/bin/miravel "$@"
