#!/usr/bin/env bash
# Installs the build into a temporary root and compares the whole list of
# installed files; each PNG icon must be as large as its folder says, and
# the metainfo must agree with the desktop entry and icons installed beside
# it.
# Usage: install_test.sh CMAKE BUILD_DIR APP_ID
set -euo pipefail
cmake=$1 build=$2 id=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
expected=$(LC_ALL=C sort <<EOF_LIST
usr/bin/quorvane
usr/bin/quorvane-cli
usr/share/applications/$id.desktop
usr/share/bash-completion/completions/quorvane-cli
usr/share/doc/quorvane/LICENSE
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/icons/hicolor/16x16/apps/$id.png
usr/share/icons/hicolor/22x22/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/man/man1/quorvane-cli.1.gz
usr/share/man/man1/quorvane.1.gz
usr/share/metainfo/$id.metainfo.xml
EOF_LIST
)
if [[ $actual != "$expected" ]]; then
    echo "installed files differ from the expected list:"
    diff <(echo "$expected") <(echo "$actual") || true
    exit 1
fi

status=0
for png in "$root"/usr/share/icons/hicolor/*/apps/"$id".png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    # Width and height: the first eight bytes of the IHDR chunk, big-endian.
    read -r -a b <<<"$(od -An -tu1 -j16 -N8 "$png")"
    size="$((b[2] * 256 + b[3]))x$((b[6] * 256 + b[7]))"
    [[ $size == "$folder" ]] || { echo "$png is $size"; status=1; }
done
report=$(appstreamcli validate-tree --no-net "$root" 2>&1) || status=1
if grep -qE '^ *[EW]: ' <<<"$report"; then status=1; fi
((status == 0)) || echo "$report"
exit $status
