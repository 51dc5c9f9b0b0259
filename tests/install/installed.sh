#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed copy as a user would:
# installed.sh CMAKE BUILD_DIR VERSION APP_ID. Its settings go to the user's configuration
# folder, never into its bin folder, which the root running the tests can write to.
set -euo pipefail
cmake=$1 build=$2 version=$3 id=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
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

# As a user without any settings yet, then with XDG_CONFIG_HOME set.
mkdir "$work/home"
run() { env -i PATH=/usr/bin:/bin HOME="$work/home" "$@"; }
[ "$(run "$prefix/bin/marrowby" --version)" = "Marrowby Version $version - Updated 7/25/01" ] ||
  fail "--version printed '$(run "$prefix/bin/marrowby" --version)'"
expected=$'/123456789122/\nLSSSLLSSLSLSSLLSSLSSLSLSLSSLLSSLSSSLLSSLSLSLSSSSSLLSSLSLSSLSLL'
[ "$(run "$prefix/bin/marrowby" --barcode 12 123456789)" = "$expected" ] || fail "--barcode is wrong"
[ -f "$work/home/.config/marrowby/prefs.dat" ] || fail "no prefs.dat in ~/.config/marrowby"
[ "$(ls "$prefix/bin")" = marrowby ] || fail "the bin folder holds $(ls "$prefix/bin")"
run XDG_CONFIG_HOME="$work/config" "$prefix/bin/marrowby" --barcode 12 123456789 >/dev/null
[ -f "$work/config/marrowby/prefs.dat" ] || fail "no prefs.dat in \$XDG_CONFIG_HOME/marrowby"
