#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Quillmoor
# need, and only those that are missing (dpkg-dev, file, lintian and appstream
# make and check the Debian package). Needs root (or sudo) when it installs.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-liberation zlib1g-dev libisal-dev
  shared-mime-info desktop-file-utils xdg-utils libfile-mimeinfo-perl python3
  dpkg-dev file lintian appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
