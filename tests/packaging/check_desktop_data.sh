#!/usr/bin/env bash
# check_desktop_data.sh <desktop file> <metainfo file> <version>
# The desktop entry and the AppStream data pass their validators, and the
# metainfo carries the project's version.
set -euo pipefail
desktop=$1
metainfo=$2
version=$3
desktop-file-validate "$desktop"
appstreamcli validate --no-net --explain "$metainfo"
grep -q "<release version=\"$version\"" "$metainfo" ||
    { echo "FAIL: no release $version in $metainfo"; exit 1; }
grep -qx 'Exec=miravel' "$desktop" || { echo "FAIL: Exec is not the bare program"; exit 1; }
echo "desktop entry and metainfo valid"
