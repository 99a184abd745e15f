#!/usr/bin/env bash
# Installs everything the build, the tools and the tests need on Debian.
set -euo pipefail
PACKAGES=(
  build-essential cmake pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libsndfile1-dev libpng-dev libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
  libx11-dev libxtst-dev xvfb x11-utils
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  clang libclang-rt-14-dev
  lsp-plugins-vst locales
  wine64 nsis python3
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
# A comma-decimal locale for the storage tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen || true
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null || true
fi
