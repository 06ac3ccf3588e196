#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks it with lintian,
# installs it into an empty root with dpkg, runs the installed programs'
# --version, and removes it again, leaving no file behind.
# Usage: package_test.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=$1 build=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb=$(echo "$work"/out/quorvane_"$version"_*.deb)
[[ -f $deb ]] || { echo "no package quorvane_${version}_*.deb"; exit 1; }

# Computed by dpkg-shlibdeps: the libraries both programs link.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6widgets6; do
    [[ $depends == *"$library "* ]] || { echo "Depends lacks $library: $depends"; exit 1; }
done

report=$(lintian --fail-on error,warning "$deb" 2>&1) || { echo "$report"; exit 1; }

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg=(dpkg --root="$root" --force-not-root --log=/dev/null)
# The libraries come from this machine, not from the empty root.
"${dpkg[@]}" --force-depends -i "$deb" >/dev/null 2>&1 ||
    { echo "dpkg could not install $deb"; exit 1; }
shown=$("$root/usr/bin/quorvane-cli" --version)$'\n'$("$root/usr/bin/quorvane" --version)
expected=$'Quorvane\nVersion '$version$'\nQuorvane '$version
[[ $shown == "$expected" ]] || { echo "installed programs say: $shown"; exit 1; }

"${dpkg[@]}" -r quorvane >/dev/null
left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/*')
[[ -z $left ]] || { echo "left after removal: $left"; exit 1; }
