#!/usr/bin/env bash
# Builds the shipped program: Tidewell for 32-bit Windows against the Qt that scripts/qt-win32.sh builds
# (once per machine), lays out the folder a user copies onto a USB stick and packs it as
# dist/Tidewell-V<version>-win32.zip. The stick folder stays in build-windows/stick for the Wine test run.
# Usage: scripts/windows-build.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
triple=i686-w64-mingw32
build=$root/build-windows
stick=$build/stick
app=$stick/Tidewell/app

packages=(cmake ninja-build mingw-w64 g++-mingw-w64-i686-posix binutils-mingw-w64-i686 python3)

source scripts/install-missing.sh

# The Qt DLLs link the C++ runtime dynamically, so the program does too: one runtime in the process
# (the toolchain's default is the static one the self-contained test programs use).
configure() {
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}"
    fi
    cmake -S "$root" -B "$build/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" \
        -DTIDEWELL_QT_PREFIX="$qt" -DQt5_DIR="$qt/lib/cmake/Qt5" \
        -DTIDEWELL_TESTS=OFF -DCMAKE_EXE_LINKER_FLAGS="" "${launcher[@]}" >/dev/null
}

runtime_dll() {
    local name=$1 found
    found=$("$triple-g++-posix" -print-file-name="$name")
    [ "$found" != "$name" ] && [ -f "$found" ] && { echo "$found"; return; }
    found=/usr/$triple/lib/$name
    [ -f "$found" ] || { echo "windows-build: $name not found" >&2; exit 1; }
    echo "$found"
}

# What the program loads besides Windows' own DLLs: the Qt modules, the platform plugin, the native
# style, the icon reader (the window icon is an .ico) and the compiler's runtime.
lay_out_app() {
    rm -rf "$stick"
    cmake --install "$build/cmake" --prefix "$stick" >/dev/null
    local module
    for module in Core Gui Widgets Network; do
        cp "$qt/bin/Qt5$module.dll" "$app/"
    done
    mkdir -p "$app/platforms" "$app/styles" "$app/imageformats"
    cp "$qt/plugins/platforms/qwindows.dll" "$app/platforms/"
    cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$app/styles/"
    cp "$qt/plugins/imageformats/qico.dll" "$app/imageformats/"
    cp "$(runtime_dll libgcc_s_dw2-1.dll)" "$(runtime_dll libwinpthread-1.dll)" "$app/"
    "$triple-strip" --strip-unneeded -o "$app/libstdc++-6.dll" "$(runtime_dll libstdc++-6.dll)"
    "$triple-strip" --strip-unneeded "$app"/*.exe
}

# Every DLL an executable or plugin imports is either shipped beside it or part of Windows.
check_imports() {
    local shipped missing=0 file dll
    shipped=$(find "$app" -maxdepth 1 -iname '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]')
    while IFS= read -r file; do
        while IFS= read -r dll; do
            dll=$(echo "$dll" | tr '[:upper:]' '[:lower:]')
            grep -qx "$dll" <<<"$shipped" && continue
            [ -f "/usr/$triple/lib/lib${dll%.*}.a" ] || [[ $dll == api-ms-win-* ]] && continue
            echo "windows-build: $(basename "$file") needs $dll, which is neither shipped nor part of Windows" >&2
            missing=1
        done < <("$triple-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
    done < <(find "$app" \( -iname '*.exe' -o -iname '*.dll' \))
    [ $missing -eq 0 ]
}

lay_out_stick() {
    mkdir -p "$stick/Tidewell/config"
    local tool
    for tool in 网络驱动修复 远程协助 实用工具 系统运行库修复DirectX修复; do
        mkdir -p "$stick/Tidewell/tools/$tool"
    done
    # Notepad on Windows 7 reads UTF-8 only with a byte-order mark; Windows text has CRLF line ends.
    { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$root/resources/windows/说明.txt"; } >"$stick/说明.txt"
}

main() {
    install_missing windows-build "${packages[@]}"
    local started=$SECONDS
    qt=$(scripts/qt-win32.sh --print-prefix | tail -n 1)
    echo "windows-build: Qt $qt ($((SECONDS - started)) s)"
    started=$SECONDS
    configure
    cmake --build "$build/cmake" --parallel "$(nproc)" --target tidewell tidewell-console updaterwindow
    echo "windows-build: program built ($((SECONDS - started)) s)"
    lay_out_app
    check_imports
    lay_out_stick
    local version zip
    version=$(sed -n 's/^project(Tidewell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    zip=$root/dist/Tidewell-V$version-win32.zip
    mkdir -p "$root/dist"
    python3 scripts/pack-zip.py "$stick" "$zip"
    echo "windows-build: $zip ($(du -k "$zip" | cut -f1) KiB)"
}

main "$@"
