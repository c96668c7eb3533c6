#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only those missing.
# Usage: scripts/install-deps.sh [extra-package ...]
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qtbase5-dev qtbase5-dev-tools
    nlohmann-json3-dev libgtest-dev googletest
    fonts-noto-cjk fonts-noto-color-emoji fonts-liberation
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
