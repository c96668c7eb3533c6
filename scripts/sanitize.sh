#!/usr/bin/env bash
# Builds the Linux program and the tests with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/,
# then runs the whole CTest suite and a phase-2 run of every executable item of tidewell-sim on the embedded
# default machine. Any report stops the process that made it, so a finding fails the run.
# Both runs are then undone with tidewell-sim --undo.
# Usage: scripts/sanitize.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

launcher=()
# ccache makes a rebuild after a small change cheap; the sanitizer flags keep these objects apart from build/'s.
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}"
fi
# Line tables are all a report needs to name file and line; full debug information makes the build a third slower.
flags="-O1 -g1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DTIDEWELL_TESTS=ON "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan --parallel "$(nproc)"

# Qt is built without frame pointers: the slow unwinder gives leak reports whole stacks, which the suppressions
# need to tell Qt's own allocations from ours.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:print_stacktrace=1:strict_string_checks=1:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitize/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

# The sanitizers slow every test several times over; the timeout leaves room for that.
(cd build-asan && ctest --output-on-failure --parallel "$(nproc)" --timeout 1800)

# Every executable item of the default machine in one phase-2 run: the fixed items, the start-up entries and
# the residues the analysis finds there.
ids="C13,C10,C11,C14,C8,C1,C12,C9,F3,A2,E1,H3,H2,ST:2:Baidu Netdisk,ST:2:xnbz,ST:3:KuaiZipUpdate,"
ids+="ST:5:2345SafeCenter,ST:6:FlashCenter,ST:10:鲁大师,ST:11:4399GameBox,ST:12:FlashHelperTask,RES:adw-001,"
ids+="RES:pup-005,RES:adw-006,RES:pup-003"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
echo "== tidewell-sim --phase2 on the default machine"
build-asan/app/tidewell-sim --machine "$work/machine" --log-dir "$work/logs" --phase2 "$ids" --h2-keep 2 \
    --a2-size 512 > "$work/out.txt"
grep -c . "$work/out.txt" | sed 's/^/== tidewell-sim: clean, lines of output: /'

# Both runs' changes put back, newest first, through the undo path.
for record in $(ls -r "$work/changes"); do
    stamp="${record#changes_*_}"
    stamp="${stamp%.jsonl}"
    build-asan/app/tidewell-sim --machine "$work/machine" --log-dir "$work/logs" --undo "$stamp" > "$work/undo.txt"
    grep -c '^undo ' "$work/undo.txt" | sed "s/^/== tidewell-sim --undo $stamp: clean, result lines: /"
done
