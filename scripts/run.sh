#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program on the simulated PC: phase 1 on the embedded
# default machine, printing the progress, the run log and the journal. Arguments go to tidewell-sim.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/app/tidewell-sim "$@"
