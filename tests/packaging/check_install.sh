#!/usr/bin/env bash
# check_install.sh <build folder> <reaches_start_page.sh>
# cmake --install into a temporary prefix gives a tree that runs from
# <prefix>/bin/miravel with its libraries and help file beside the program.
set -euo pipefail
build=$1
start_page=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
program_dir=$(dirname "$(readlink -f "$prefix/bin/miravel")")
for file in miravel Uthmani.dll Etx2.dll Etx3.dll help.chm; do
    [ -f "$program_dir/$file" ] || { echo "FAIL: $file not beside the program"; exit 1; }
done
ini=$prefix/etc/xdg/Talvesk/Miravel.ini
[ -f "$ini" ] || { echo "FAIL: no system-wide settings file"; exit 1; }
# A second install keeps what an administrator changed.
echo "; changed" >>"$ini"
cmake --install "$build" --prefix "$prefix" >/dev/null
grep -q '^; changed' "$ini" || { echo "FAIL: reinstall overwrote $ini"; exit 1; }
"$start_page" "$prefix/bin/miravel" "$prefix/etc/xdg"
