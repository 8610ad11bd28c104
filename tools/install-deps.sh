#!/usr/bin/env bash
# Installs the Debian packages kivota needs to build, test and run.
# Quick when everything is present: it only asks dpkg.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libfreeimage-dev libarchive-dev zlib1g-dev libpng-dev libjpeg-dev
    qt6-base-dev
    fonts-liberation fonts-dejavu-core xvfb xauth
    libgtest-dev libgmock-dev libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
