#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux suite with CTest, then the Win32
# backend's contract tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 600)
if [ -x scripts/win32-tests.sh ]; then
    scripts/win32-tests.sh
fi
