#!/usr/bin/env bash
# Builds Qt 5.15 (qtbase: Core, Gui, Widgets, Network) for 32-bit Windows from Debian's own source package,
# cross-compiled with mingw-w64's posix compilers, into a cache prefix outside the work tree. The patches in
# scripts/qt-patches are applied to the source first. The prefix is keyed by the Qt version, the configure
# line and the patches, so a machine builds it once (about half an hour on two cores) and every later build
# reuses it. Prints the prefix on its last line.
# Usage: scripts/qt-win32.sh [--print-prefix]
set -euo pipefail
cd "$(dirname "$0")/.."

triple=i686-w64-mingw32
cache_root=${TIDEWELL_QT_CACHE:-/opt/tidewell-qt}
jobs=$(nproc)

packages=(dpkg-dev build-essential patch mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix perl python3)

configure_options=(
    -xplatform win32-g++ -device-option "CROSS_COMPILE=$triple-"
    -release -opensource -confirm-license
    -nomake examples -nomake tests -no-opengl -no-dbus -no-icu
    -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype
    -schannel -no-openssl -no-feature-tabletevent
    # Debian's tarball lacks the bundled SQLite; the program uses no database.
    -no-sql-sqlite
)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

source scripts/install-missing.sh

# apt-get source needs a deb-src entry; Debian 12's default sources file only lists binary packages.
ensure_source_entry() {
    if apt-get source --print-uris qtbase-opensource-src >/dev/null 2>&1; then
        return 0
    fi
    echo "qt-win32: adding a deb-src entry" >&2
    $sudo tee /etc/apt/sources.list.d/tidewell-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    $sudo apt-get update -qq
}

source_version() {
    apt-cache showsrc qtbase-opensource-src 2>/dev/null | awk '/^Version:/ {print $2}' | sort -V | tail -n 1
}

# Qt's configure calls "$triple-g++", which names the win32 thread flavour; the program needs the posix one.
# mingw's import libraries are lower-case, Qt names Secur32 and Crypt32 with capitals.
make_links() {
    local links=$1 tool
    mkdir -p "$links/bin" "$links/lib"
    for tool in gcc g++ c++ cpp; do
        ln -sf "$(command -v "$triple-$tool-posix" || command -v "$triple-$tool")" "$links/bin/$triple-$tool"
    done
    local sysroot_lib=/usr/$triple/lib
    ln -sf "$sysroot_lib/libsecur32.a" "$links/lib/libSecur32.a"
    ln -sf "$sysroot_lib/libcrypt32.a" "$links/lib/libCrypt32.a"
}

main() {
    install_missing qt-win32 "${packages[@]}"
    ensure_source_entry
    local version key prefix
    version=$(source_version)
    [ -n "$version" ] || { echo "qt-win32: qtbase-opensource-src not found" >&2; exit 1; }
    local patches=(scripts/qt-patches/*.patch)
    key=$( (printf '%s\n' "$version" "$triple" "${configure_options[@]}"; cat "${patches[@]}") | sha256sum | cut -c1-12)
    prefix="$cache_root/qt-${version%%+*}-$triple-$key"
    if [ -f "$prefix/.complete" ]; then
        [ "${1:-}" = "--print-prefix" ] || echo "qt-win32: reusing $prefix" >&2
        echo "$prefix"
        return 0
    fi

    # Global, not local: the EXIT trap runs after main has returned.
    work=$(mktemp -d "${TMPDIR:-/tmp}/tidewell-qt.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    echo "qt-win32: building Qt $version for $triple into $prefix (about half an hour)" >&2
    make_links "$work/links"
    (cd "$work" && apt-get source -qq qtbase-opensource-src >/dev/null)
    local src
    src=$(find "$work" -maxdepth 1 -type d -name 'qtbase-opensource-src-*' | head -n 1)
    local patch
    for patch in "${patches[@]}"; do
        patch -d "$src" -p1 --quiet <"$patch" || { echo "qt-win32: $patch does not apply" >&2; exit 1; }
    done
    $sudo mkdir -p "$cache_root"
    $sudo rm -rf "$prefix"
    mkdir -p "$work/build"
    (
        cd "$work/build"
        export PATH="$work/links/bin:$PATH"
        "$src/configure" -prefix "$prefix" "${configure_options[@]}" -L "$work/links/lib" >configure.log 2>&1 ||
            { tail -n 60 configure.log >&2; exit 1; }
        make -j"$jobs" >make.log 2>&1 || { tail -n 60 make.log >&2; exit 1; }
        $sudo make install >install.log 2>&1 || { tail -n 30 install.log >&2; exit 1; }
    )
    # The prefix needs the lower-case aliases too, for the program's own link step.
    $sudo cp -P "$work/links/lib/"*.a "$prefix/lib/"
    $sudo touch "$prefix/.complete"
    echo "$prefix"
}

main "$@"
