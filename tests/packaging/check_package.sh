#!/usr/bin/env bash
# check_package.sh <build folder> <reaches_start_page.sh>
# Builds the Debian package, checks its contents and control data, unpacks it
# into a temporary folder (it is never installed) and starts the unpacked
# program to its start page.
set -euo pipefail
build=$1
start_page=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"

contents=$(dpkg-deb -c "$deb")
status=0
for path in ./usr/bin/miravel ./usr/lib/miravel/miravel ./usr/lib/miravel/Etx2.dll \
            ./usr/lib/miravel/Etx3.dll ./usr/lib/miravel/help.chm \
            ./etc/xdg/Talvesk/Miravel.ini \
            ./usr/share/applications/org.talvesk.Miravel.desktop \
            ./usr/share/metainfo/org.talvesk.Miravel.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/org.talvesk.Miravel.png \
            ./usr/share/icons/hicolor/scalable/apps/org.talvesk.Miravel.svg; do
    grep -qE "[[:space:]]${path//./\\.}( ->.*)?\$" <<<"$contents" ||
        { echo "FAIL: $path missing from the package"; status=1; }
done
grep -q ' ./usr/bin/miravel -> ' <<<"$contents" || { echo "FAIL: bin/miravel is no link"; status=1; }

control=$(dpkg-deb -f "$deb")
grep -q '^Package: miravel$' <<<"$control" || { echo "FAIL: package name"; status=1; }
grep -q '^Depends: .*libqt6webenginecore6' <<<"$control" ||
    { echo "FAIL: dependencies not computed from the program"; status=1; }
grep -q '^Depends: .*fonts-hosny-amiri' <<<"$control" || { echo "FAIL: no font dependency"; status=1; }
grep -q '^Recommends: .*xchm' <<<"$control" || { echo "FAIL: no help viewer recommended"; status=1; }
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles 2>/dev/null |
    grep -qx '/etc/xdg/Talvesk/Miravel.ini' || { echo "FAIL: settings file is no conffile"; status=1; }
[ $status -eq 0 ] || { echo "$contents"; echo "$control"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
"$start_page" "$work/root/usr/bin/miravel" "$work/root/etc/xdg"
