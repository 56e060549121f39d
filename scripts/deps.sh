#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program use, when some are missing.
set -euo pipefail
packages=(
  # the build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev liblua5.1-0-dev libsdl2-dev libxmp-dev
  libbenchmark-dev
  # what the program uses at run time beyond its libraries
  fonts-dejavu-core xdg-utils
  # the tests of the installed program and of its Debian package
  desktop-file-utils appstream file lintian
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
