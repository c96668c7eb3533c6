#!/usr/bin/env bash
# Cross-compiles the platform library and its contract tests for Windows with mingw-w64 (64 and 32 bits)
# and runs them under Wine in one private 64-bit prefix: the 64-bit and the 32-bit (WOW64, the shipped
# process type) test programs as Windows 10 build 19045, then the 64-bit one as Windows 7 for the
# version-dependent cases. Exits non-zero when a build or any test fails.
# Usage: scripts/win32-tests.sh [extra GoogleTest arguments for the Windows 10 pass]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-win32
jobs=$(nproc)

# wine32:i386 is the 32-bit loader that runs 32-bit programs in the 64-bit prefix; it needs Debian's i386
# architecture.
packages=(cmake ninja-build mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386
          xvfb googletest)

source scripts/install-missing.sh
source scripts/wine-session.sh

build_target() {
    local triple=$1 folder=$2
    cmake -S "$root" -B "$build/$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" \
        -DTIDEWELL_PLATFORM_ONLY=ON -DTIDEWELL_TESTS=ON >/dev/null
    cmake --build "$build/$folder" --parallel "$jobs" --target platform_tests_win32 tidewell_probe
}

current_version_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion'

# winecfg writes the version values of the chosen system to both registry views but leaves the Windows 10
# ones in place, which a real Windows 7 does not have. The build number is set (and those values removed)
# in both views too: a 32-bit process reads the 32-bit one.
set_windows_version() {
    local version=$1 build_number=$2 view name
    wine winecfg -v "$version"
    for view in 64 32; do
        wine reg add "$current_version_key" /v CurrentBuildNumber /t REG_SZ /d "$build_number" /f /reg:$view >/dev/null
        wine reg add "$current_version_key" /v CurrentBuild /t REG_SZ /d "$build_number" /f /reg:$view >/dev/null
        if [ "$version" = win7 ]; then
            for name in CurrentMajorVersionNumber CurrentMinorVersionNumber; do
                wine reg delete "$current_version_key" /v "$name" /f /reg:$view >/dev/null 2>&1 || true
            done
        fi
    done
}

# Creates the prefix once; later runs reuse it. A prefix made before the 32-bit loader was installed lacks
# the 32-bit system folder: it is updated once.
prepare_prefix() {
    use_prefix "$build/wineprefix"
    if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        initialise_prefix
    fi
    wineserver -p
    wine wineboot
    seal_prefix
}

passed=0
failed=0
skipped=0

# Runs a test program (x64 or x86) once; the counts come from GoogleTest's own summary lines.
run_pass() {
    local name=$1 bits=$2 expect=$3
    shift 3
    local log="$build/wine-$name.log" code=0
    echo "win32: Wine pass '$name'"
    (cd "$tests_folder/$bits" && TIDEWELL_EXPECT_WINDOWS="$expect" timeout 600 \
        wine "C:\\tidewell-tests\\$bits\\platform_tests_win32.exe" "$@") >"$log" 2>&1 || code=$?
    grep -E '^\[ +(FAILED|PASSED|SKIPPED) +\]|^\[==========\]' "$log" || true
    local pass fail skip
    pass=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -1)
    fail=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below:.*/\1/p' "$log" | tail -1)
    skip=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}, listed below:.*/\1/p' "$log" | tail -1)
    passed=$((passed + ${pass:-0}))
    failed=$((failed + ${fail:-0}))
    skipped=$((skipped + ${skip:-0}))
    if [ $code -ne 0 ] || [ -z "$pass" ]; then
        echo "win32: pass '$name' exited with $code; its output is in $log" >&2
        grep -B2 -A12 -E '^\[  FAILED  \]' "$log" | head -200 >&2 || tail -40 "$log" >&2
        if [ "${fail:-0}" -eq 0 ]; then
            failed=$((failed + 1))
        fi
    fi
    return 0
}

install_missing win32 "${packages[@]}"
build_target x86_64-w64-mingw32 x64
build_target i686-w64-mingw32 x86
start_xvfb win32 1024x768
prepare_prefix
tests_folder="$WINEPREFIX/drive_c/tidewell-tests"
for bits in x64 x86; do
    mkdir -p "$tests_folder/$bits"
    cp "$build/$bits/tests/platform_tests_win32.exe" "$build/$bits/tests/tidewell_probe.exe" "$tests_folder/$bits/"
done

set_windows_version win10 19045
run_pass windows10 x64 10 "$@"
run_pass windows10-x86 x86 10
set_windows_version win7 7601
run_pass windows7 x64 7 --gtest_filter='*WindowsVersion*'

echo "win32: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
