#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer and AddressSanitizer) and runs each for a
# bounded time on a working copy of its corpus from tests/fuzz/corpus/<target>. Not part of the normal build.
# Usage: scripts/fuzz.sh [seconds-per-target] [target ...]   (default 20 seconds, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang libclang-rt-14-dev

seconds="${1:-20}"
shift || true
out=build-fuzz
mkdir -p "$out"

# The pure readers the targets exercise, and the console decoding they build on.
sources=(analysis/SignatureFile.cpp analysis/BrowserFiles.cpp analysis/WmicOutput.cpp analysis/ExecutablePath.cpp
         engine/ConsoleText.cpp)
read -r -a qt_flags <<< "$(pkg-config --cflags --libs Qt5Core)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in tests/fuzz/Fuzz*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

failed=0
for target in "${targets[@]}"; do
    echo "== $target: building"
    clang++ -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address -I. "tests/fuzz/$target.cpp" "${sources[@]}" \
        "${qt_flags[@]}" -o "$out/$target"
    corpus="$out/corpus/$target"
    mkdir -p "$corpus"
    cp -f tests/fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
    echo "== $target: running for $seconds s"
    if ! LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp" "$out/$target" -max_total_time="$seconds" \
        -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/$target-" \
        "$corpus" > "$out/$target.log" 2>&1; then
        echo "== $target: FAILED (see $out/$target.log)"
        tail -n 30 "$out/$target.log"
        failed=$((failed + 1))
    else
        grep -E "stat::number_of_executed_runs|Done" "$out/$target.log" | tail -n 2 || true
    fi
done

echo "$(( ${#targets[@]} - failed )) passed, $failed failed"
[ "$failed" -eq 0 ]
