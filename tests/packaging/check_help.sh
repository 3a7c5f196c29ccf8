#!/usr/bin/env bash
# check_help.sh <help.chm> <help source folder>
# Every page the contents file names is inside the compiled help file, and
# every page of the sources is named in the contents.
set -euo pipefail
chm=$1
sources=$2
listing=$(chmls list "$chm")
mapfile -t named < <(grep -o '<param name="Local" value="[^"#]*' "$sources/contents.hhc" |
                     sed 's/.*value="//' | sort -u)
[ ${#named[@]} -gt 0 ] || { echo "FAIL: the contents name no page"; exit 1; }
status=0
for page in "${named[@]}"; do
    if ! grep -qE "[[:space:]]/${page}\$" <<<"$listing"; then
        echo "FAIL: $page is named in the contents but not in $chm"; status=1
    fi
done
for file in "$sources"/*.html; do
    page=$(basename "$file")
    if ! printf '%s\n' "${named[@]}" | grep -qxF "$page"; then
        echo "FAIL: $page is not reachable from the contents"; status=1
    fi
done
# The viewer opens the default topic first.
grep -q '^Default topic=index.html' "$sources/miravel.hhp" || { echo "FAIL: no default topic"; status=1; }
[ $status -eq 0 ] && echo "${#named[@]} pages in the contents, all inside $chm"
exit $status
