#!/usr/bin/env bash
# reaches_start_page.sh <program> <system-settings-folder>
# Starts an installed Miravel with settings of its own and waits until its
# browser view shows the start page, read from the engine's debugging
# endpoint: the page's address names the folder the program reads from.
set -euo pipefail
program=$1
system_settings=$2
deadline=${MIRAVEL_START_TIMEOUT:-90}

home=$(mktemp -d)
log=$home/miravel.log
port=$((20000 + $$ % 20000))
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT

# The list of pages the engine shows, as JSON (no curl on a bare machine).
# The endpoint keeps the connection open, so reading stops at the list's end.
pages() {
    exec 3<>"/dev/tcp/127.0.0.1/$port" || return 1
    printf 'GET /json/list HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n' >&3
    local line
    while IFS= read -r -t 2 line <&3; do
        printf '%s\n' "$line"
        [[ $line == *"]" ]] && break
    done
    exec 3<&-
}

XDG_CONFIG_HOME=$home XDG_CONFIG_DIRS=$system_settings \
    QTWEBENGINE_REMOTE_DEBUGGING=127.0.0.1:$port "$program" >"$log" 2>&1 &
pid=$!

real_dir=$(dirname "$(readlink -f "$program")")
listing=
while ((SECONDS < deadline)); do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: the program ended before its start page:"; cat "$log"; exit 1
    fi
    listing=$( (pages) 2>/dev/null) || true
    if grep -q "MIRAVEL.HTML" <<<"$listing"; then
        if ! grep -qF "$real_dir" <<<"$listing"; then
            echo "FAIL: start page not read from $real_dir:"; echo "$listing"; exit 1
        fi
        echo "start page shown from $real_dir"
        exit 0
    fi
    sleep 0.5
done
echo "FAIL: no start page within ${deadline}s"; echo "$listing"; cat "$log"
exit 1
