#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux suite with CTest, the same suite and a
# phase-2 run of every item under AddressSanitizer and UndefinedBehaviorSanitizer, every fuzz target for a
# few seconds, the Win32 backend's contract tests under Wine, then the shipped Windows program end to end
# under Wine (its first run on a machine builds Qt for Windows, about half an hour).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure --parallel "$(nproc)" --timeout 600)
scripts/sanitize.sh
scripts/fuzz.sh 5
if [ -x scripts/win32-tests.sh ]; then
    scripts/win32-tests.sh
fi
if [ -x scripts/windows-e2e.sh ]; then
    scripts/windows-e2e.sh
fi
