#!/usr/bin/env bash
# Configures and builds the Linux build (the program over the simulated PC, and the tests) in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWELL_TESTS=ON >/dev/null
cmake --build build --parallel "$(nproc)"
