#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer and AddressSanitizer; the readers are compiled
# once, see tests/fuzz/CMakeLists.txt) and runs each for a bounded time on a working copy of its corpus from
# tests/fuzz/corpus/<target>. Not part of the normal build.
# Usage: scripts/fuzz.sh [seconds-per-target] [target ...]   (default 20 seconds, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang libclang-rt-14-dev

seconds="${1:-20}"
shift || true
out=build-fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in tests/fuzz/Fuzz*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
echo "== building ${targets[*]}"
mkdir -p "$out"
cmake -S tests/fuzz -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" > "$out/configure.log" 2>&1 ||
    { cat "$out/configure.log"; exit 1; }
cmake --build "$out" --target "${targets[@]}"

# The targets that open simulated PCs make one or more for each input, in a scratch folder: in memory where
# the machine has /dev/shm, since a disk's file system makes them some twenty times slower.
scratch_parent="$PWD/$out"
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_parent=/dev/shm
failed=0
trap 'rm -rf "${scratch:-}"' EXIT
for target in "${targets[@]}"; do
    corpus="$out/corpus/$target"
    mkdir -p "$corpus"
    scratch="$(mktemp -d -p "$scratch_parent" tidewell-fuzz.XXXXXX)"
    cp -f tests/fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
    echo "== $target: running for $seconds s"
    if ! TMPDIR="$scratch" LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp" "$out/$target" \
        -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$out/$target-" "$corpus" > "$out/$target.log" 2>&1; then
        echo "== $target: FAILED (see $out/$target.log)"
        tail -n 30 "$out/$target.log"
        failed=$((failed + 1))
    else
        grep -E "stat::number_of_executed_runs|Done" "$out/$target.log" | tail -n 2 || true
    fi
    rm -rf "$scratch"
done

echo "$(( ${#targets[@]} - failed )) passed, $failed failed"
[ "$failed" -eq 0 ]
