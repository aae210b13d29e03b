#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need (run as root).
# Skips apt-get when everything is already there.
set -euo pipefail
packages=(
  libarchive-tools
  cmake ninja-build g++ clang pkg-config python3
  clang-format libclang-rt-14-dev
  qt6-base-dev libgl-dev qt6-multimedia-dev gstreamer1.0-plugins-good gstreamer1.0-libav
  libcurl4-openssl-dev zlib1g-dev lame libarchive-dev libsndfile1-dev
  python3-pyftpdlib unar
  libgtest-dev libgmock-dev googletest libbenchmark-dev libxml2-utils
  unrtf libreoffice-writer-nogui
  xvfb xauth
  qt6-translations-l10n
  dpkg-dev file lintian desktop-file-utils appstream shared-mime-info dex xdotool procps
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
