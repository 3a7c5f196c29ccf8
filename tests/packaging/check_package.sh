#!/usr/bin/env bash
# check_package.sh <build folder> <reaches_start_page.sh> <source folder>
# Builds the Debian package, checks its contents, control data and copyright
# file, has lintian check it where lintian is installed, unpacks it into a
# temporary folder (it is never installed) and starts the unpacked program to
# its start page.
set -euo pipefail
build=$1
start_page=$2
source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"

contents=$(dpkg-deb -c "$deb")
status=0
for path in ./usr/bin/miravel ./usr/lib/miravel/miravel ./usr/lib/miravel/Uthmani.dll \
            ./usr/lib/miravel/Etx2.dll \
            ./usr/lib/miravel/Etx3.dll ./usr/lib/miravel/help.chm \
            ./etc/xdg/Talvesk/Miravel.ini \
            ./usr/share/applications/org.talvesk.Miravel.desktop \
            ./usr/share/metainfo/org.talvesk.Miravel.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/org.talvesk.Miravel.png \
            ./usr/share/icons/hicolor/scalable/apps/org.talvesk.Miravel.svg \
            ./usr/share/doc/miravel/copyright ./usr/share/doc/miravel/changelog.gz \
            ./usr/share/man/man1/miravel.1.gz; do
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
grep -q '^Recommends: .*xdg-utils' <<<"$control" ||
    { echo "FAIL: xdg-open, which starts the help viewer, not recommended"; status=1; }
# The long description is wrapped as Debian shows it.
if awk '/^Description:/{d=1} d && !/^(Description:| )/{d=0} d && length($0) > 80' \
       <<<"$control" | grep -q .; then
    echo "FAIL: a description line is longer than 80 characters"; status=1
fi
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles 2>/dev/null |
    grep -qx '/etc/xdg/Talvesk/Miravel.ini' || { echo "FAIL: settings file is no conffile"; status=1; }
[ $status -eq 0 ] || { echo "$contents"; echo "$control"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
doc=$work/root/usr/share/doc/miravel

# The copyright file names every licence and carries every notice: Tanzil's
# block as the Arabic text has it, line for line, and the division data's MIT
# notice.
copyright=$(cat "$doc/copyright")
for text in quran-arabic.tsv quran-arabic-uthmani.tsv; do
    tanzil=$(awk '/^# PLEASE DO NOT/{p=1} p{print " " $0; if (/^#====/ && ++n==2) exit}' \
             "$source/resources/data/$text")
    [ -n "$tanzil" ] || { echo "FAIL: no Tanzil notice in $text"; status=1; }
    [[ "$copyright" == *"$tanzil"* ]] ||
        { echo "FAIL: the Tanzil notice of $text not verbatim in copyright"; status=1; }
done
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    <<<"$copyright" || { echo "FAIL: copyright is not machine-readable"; status=1; }
for needle in 'License: CC-BY-3.0' 'License: public-domain' 'License: Expat' \
              'Copyright: 2020 Quran-Center' 'Mohammed Marmaduke William Pickthall' \
              'Copyright: 2008-2009 Tanzil.info' 'tools/artwork' \
              'THE SOFTWARE IS PROVIDED "AS IS"'; do
    grep -qF "$needle" <<<"$copyright" || { echo "FAIL: copyright lacks: $needle"; status=1; }
done
# The changelog is made from the project version.
version=$(dpkg-deb -f "$deb" Version)
zcat "$doc/changelog.gz" | sed -n 1p | grep -qF "miravel ($version) " ||
    { echo "FAIL: changelog does not start with version $version"; status=1; }
[ $status -eq 0 ] || exit 1

# lintian, where installed, finds no error; its warnings are shown.
if command -v lintian >/dev/null; then
    ran=0
    report=$(lintian --allow-root --tag-display-limit 0 "$deb" 2>&1) || ran=$?
    [ -z "$report" ] || echo "$report"
    # lintian ends with 1 when it found errors, above that when it could not check.
    [ $ran -le 1 ] || { echo "FAIL: lintian could not check the package"; exit 1; }
    if grep -q '^E: ' <<<"$report"; then
        echo "FAIL: lintian reports errors"; exit 1
    fi
else
    echo "lintian is not installed: the package was not checked by it"
fi

"$start_page" "$work/root/usr/bin/miravel" "$work/root/etc/xdg"
