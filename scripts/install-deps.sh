#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only those missing.
# Usage: scripts/install-deps.sh [extra-package ...]
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qtbase5-dev qtbase5-dev-tools
    nlohmann-json3-dev libgtest-dev googletest libssl-dev openssl
    fonts-noto-cjk fonts-noto-color-emoji fonts-liberation
    "$@"
)

source scripts/install-missing.sh

install_missing deps "${packages[@]}"
