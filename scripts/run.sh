#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window on the simulated PC: the machine folder named by
# TIDEWELL_MACHINE, or the embedded default machine in a new temporary folder. Arguments go to tidewell
# (for example "--cs" for the demonstration switch).
# Where there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set) it renders every screen in every
# theme offscreen into PNG files instead, in $TIDEWELL_SHOTS or ./screenshots, and prints the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    out="${TIDEWELL_SHOTS:-$PWD/screenshots}"
    QT_QPA_PLATFORM=offscreen build/app/tidewell-shots "$out"
    echo "No display found: the window's screens were written to $out"
    exit 0
fi
exec build/app/tidewell "$@"
