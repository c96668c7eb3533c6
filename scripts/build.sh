#!/usr/bin/env bash
# Configures and builds the Linux build (the program over the simulated PC, and the tests) in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# ccache makes the rebuilds of several work trees of the same sources cheap.
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWELL_TESTS=ON "${launcher[@]}" >/dev/null
cmake --build build --parallel "$(nproc)"
