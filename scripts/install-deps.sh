#!/usr/bin/env bash
# Installs the Debian packages Trasso needs to build and test, and only those
# that are missing. Safe to run again and again: with everything present it
# touches nothing and needs no network.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libx11-dev
  clang
  desktop-file-utils libxml2-utils shared-mime-info librsvg2-bin
  xvfb xdotool x11-utils xclip
  tigervnc-standalone-server tigervnc-tools xauth python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then
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
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
