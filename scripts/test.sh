#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux suite with CTest, the same suite and a
# phase-2 run of every item under AddressSanitizer and UndefinedBehaviorSanitizer, every fuzz target for a
# few seconds, the Win32 backend's contract tests under Wine, then the shipped Windows program end to end
# under Wine (its first run on a machine builds Qt for Windows, under half an hour).
# Ends with a table of the time each stage took. A failing stage stops the run: the table then lists the
# stages that ran, the failed one last, and the script exits with that stage's code.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=(
    "deps|scripts/install-deps.sh"
    "build|scripts/build.sh"
    "ctest|cd build && ctest --output-on-failure --parallel $(nproc) --timeout 600"
    "sanitize|scripts/sanitize.sh"
    "fuzz|scripts/fuzz.sh 5"
    "win32 tests|scripts/win32-tests.sh"
    "windows e2e|scripts/windows-e2e.sh"
)

names=()
durations=()
results=()

clock() {
    printf '%d:%02d' $(($1 / 60)) $(($1 % 60))
}

print_times() {
    local i total=0
    printf '\n%-12s %7s  %s\n' stage time result
    for i in "${!names[@]}"; do
        printf '%-12s %7s  %s\n' "${names[i]}" "$(clock "${durations[i]}")" "${results[i]}"
        total=$((total + durations[i]))
    done
    printf '%-12s %7s\n' total "$(clock "$total")"
}

for stage in "${stages[@]}"; do
    started=$SECONDS
    code=0
    bash -c "${stage#*|}" || code=$?
    names+=("${stage%%|*}")
    durations+=($((SECONDS - started)))
    if [ "$code" -ne 0 ]; then
        results+=("failed (exit code $code)")
        print_times
        exit "$code"
    fi
    results+=(ok)
done
print_times
