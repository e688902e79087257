#!/usr/bin/env bash
# Installs the Debian packages the instrument needs to build, run and test,
# skipping those already present, and the packages named as arguments. Needs root or sudo when something is missing.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config libsdl2-dev libsdl2-ttf-dev
          libsdl2-image-dev libasound2-dev libtinyxml2-dev libsqlite3-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core xvfb clang libclang-rt-14-dev)
# Extra packages a target needs besides these (make package: dpkg-dev, file).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
