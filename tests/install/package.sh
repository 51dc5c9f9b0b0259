#!/usr/bin/env bash
# Builds the Debian package into a fresh folder and checks what it declares and holds:
# package.sh CPACK BUILD_DIR VERSION APP_ID.
set -euo pipefail
cpack=$1 build=$2 version=$3 id=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(echo "$work"/marrowby_"$version"_*.deb)
[ -f "$deb" ] || fail "no marrowby_${version}_*.deb: $(ls "$work")"

[ "$(dpkg-deb -f "$deb" Package)" = marrowby ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "wrong version"
# The libraries come from the executable itself; the fonts are named by us.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 libmdb3 libc6 fonts-liberation fontconfig; do
  [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends lacks $needed: $depends"
done

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
expected=$(printf '%s\n' ./usr/bin/marrowby "./usr/share/applications/$id.desktop" \
  ./usr/share/icons/hicolor/scalable/apps/marrowby.svg ./usr/share/man/man1/marrowby.1 \
  "./usr/share/metainfo/$id.metainfo.xml" ./usr/share/fonts/truetype/marrowby/MarrowbyPOSTNET.ttf \
  ./usr/share/fonts/truetype/marrowby/MarrowbyIntelligentMail.ttf | sort)
missing=$(comm -13 <(echo "$files") <(echo "$expected"))
[ -z "$missing" ] || fail "the package lacks: $missing"
outside=$(echo "$files" | grep -v '^\./usr/' || true)
[ -z "$outside" ] || fail "the package installs outside /usr: $outside"
