#!/usr/bin/env bash
# Installs what Marrowby needs to build, run and test (Debian 12, as root), then
# configures and builds it in build/. Quick when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev libgl-dev mdbtools-dev fonts-liberation
  googletest libgtest-dev
  shapelib mdbtools poppler-utils zint zbar-tools
  python3-fonttools libharfbuzz-bin opentype-sanitizer fontconfig
  desktop-file-utils appstream groff-base dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARROWBY_BENCH=ON "${launcher[@]}"
fi
cmake --build build --parallel "$(nproc)"
