#!/usr/bin/env bash
# installed.sh copy CMAKE BUILD_DIR VERSION APP_ID installs the build into a fresh prefix and
# runs the installed copy as a user would: its settings go to the user's configuration
# folder, never into its bin folder, which the root running the tests can write to.
# installed.sh package CPACK BUILD_DIR VERSION APP_ID builds the Debian package into a fresh
# folder and checks what it declares and holds.
set -euo pipefail
kind=$1 tool=$2 build=$3 version=$4 id=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

if [ "$kind" = package ]; then
  "$tool" --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
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
  exit 0
fi

prefix=$work/prefix
"$tool" --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml
for file in "$prefix/bin/marrowby" "$desktop" "$metainfo" "$share/man/man1/marrowby.1"; do
  [ -f "$file" ] || fail "not installed: ${file#"$prefix"/}"
done

# The menu entry starts the installed program with the installed icon, and the
# software-centre description points at that entry and carries this version.
exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec" ] || fail "the menu entry starts '$exec', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon '$icon' is not installed"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the description does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the description lacks release $version"

# As a user without any settings: the defaults, and nothing written by a query.
mkdir "$work/home"
run() { env -i PATH=/usr/bin:/bin HOME="$work/home" "$@"; }
[ "$(run "$prefix/bin/marrowby" --version)" = "Marrowby Version $version - Updated 7/25/01" ] ||
  fail "--version printed '$(run "$prefix/bin/marrowby" --version)'"
expected=$'/123456789122/\nLSSSLLSSLSLSSLLSSLSSLSLSLSSLLSSLSSSLLSSLSLSLSSSSSLLSSLSLSSLSLL'
[ "$(run "$prefix/bin/marrowby" --barcode 12 123456789)" = "$expected" ] || fail "--barcode is wrong"
[ "$(ls "$prefix/bin")" = marrowby ] || fail "the bin folder holds $(ls "$prefix/bin")"

# The settings are read from ~/.config/marrowby, then from $XDG_CONFIG_HOME/marrowby.
frame_bar() { # FOLDER CHARACTER: a prefs.dat whose frame bar is CHARACTER
  mkdir -p -m 700 "$1" && printf 'Marrowby preferences\r\n0\r\n0\r\n%s\r\n' "$2" >"$1/prefs.dat"
}
frame_bar "$work/home/.config/marrowby" '|'
[ "$(run "$prefix/bin/marrowby" --barcode 12 123456789 | head -1)" = '|123456789122|' ] ||
  fail "the settings of ~/.config/marrowby are not used"
frame_bar "$work/config/marrowby" '!'
[ "$(run XDG_CONFIG_HOME="$work/config" "$prefix/bin/marrowby" --barcode 12 123456789 | head -1)" = \
  '!123456789122!' ] || fail "the settings of \$XDG_CONFIG_HOME/marrowby are not used"
