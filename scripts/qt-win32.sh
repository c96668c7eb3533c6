#!/usr/bin/env bash
# Builds Qt 5.15 (qtbase: Core, Gui, Widgets, Network) for 32-bit Windows from Debian's own source package,
# cross-compiled with mingw-w64's posix compilers, into a cache prefix outside the work tree. The patches in
# scripts/qt-patches are applied to the source first. The prefix is keyed by the Qt version, the configure
# line and the patches, so a machine builds it once (under half an hour on two cores) and every later build
# reuses it. Prints the prefix on its last line.
# Usage: scripts/qt-win32.sh [--print-prefix]
set -euo pipefail
cd "$(dirname "$0")/.."

triple=i686-w64-mingw32
cache_root=${TIDEWELL_QT_CACHE:-/opt/tidewell-qt}
jobs=$(nproc)

packages=(dpkg-dev build-essential patch mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix perl python3)

# Only what the program loads is built: Core, Gui, Widgets and Network, the Windows platform plugin, the
# styles and the icon reader. The test library (only the Linux tests link it), SQL, XML, Concurrent,
# printing (the printer feature gates the Print Support module), OpenGL, the JPEG and GIF readers and the
# Direct2D platform plugin (Direct 2D 1.1 gates it; the DirectWrite font engine needs only Direct 2D) are
# left out.
configure_options=(
    -xplatform win32-g++ -device-option "CROSS_COMPILE=$triple-"
    -release -opensource -confirm-license
    -nomake examples -nomake tests -no-opengl -no-dbus -no-icu
    -no-feature-sql -no-feature-testlib -no-feature-xml -no-feature-concurrent -no-feature-printer -no-feature-direct2d1_1
    -qt-zlib -qt-libpng -no-libjpeg -no-gif -qt-pcre -qt-harfbuzz -qt-freetype
    -schannel -no-openssl -no-feature-tabletevent
)

source scripts/install-missing.sh

# apt-get source needs deb-src entries; Debian 12's default sources list only binary packages. They are
# derived from this machine's own binary entries of its release (the codename and its -updates,
# -security, ... suites), with the same mirrors, components and options, so the script works on whatever
# mirror the machine uses. Entries of other publishers, which often have no sources, are left out.
ensure_source_entry() {
    if apt-get source --print-uris qtbase-opensource-src >/dev/null 2>&1; then
        return 0
    fi
    local codename list parts
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    eval "$(apt-config shell list Dir::Etc::sourcelist/f parts Dir::Etc::sourceparts/d)"
    local stanzas lines
    stanzas=$(read_files "$parts"/*.sources | source_stanzas "$codename")
    lines=$(read_files "$list" "$parts"/*.list | source_lines "$codename")
    if [ -z "$stanzas$lines" ]; then
        echo "qt-win32: no deb entry of $codename in $list or $parts to derive a deb-src entry from" >&2
        exit 1
    fi
    echo "qt-win32: adding deb-src entries beside the machine's deb entries" >&2
    [ -z "$stanzas" ] || as_root tee "$parts/tidewell-deb-src.sources" <<<"$stanzas" >/dev/null
    [ -z "$lines" ] || as_root tee "$parts/tidewell-deb-src.list" <<<"$lines" >/dev/null
    update_package_lists qt-win32
}

# The files that exist, each followed by an empty line, which ends its last stanza.
read_files() {
    local file
    for file in "$@"; do
        if [ -f "$file" ]; then
            cat "$file"
            echo
        fi
    done
}

# deb822 files: each enabled stanza whose Types include deb, as a deb-src stanza of the release's suites.
source_stanzas() {
    local codename=$1
    awk -v codename="$codename" '
        function release_suites(list,    count, words, i, kept) {
            count = split(list, words, /[ \t\n]+/)
            for (i = 1; i <= count; i++)
                if (words[i] == codename || index(words[i], codename "-") == 1)
                    kept = kept " " words[i]
            return kept
        }
        BEGIN { RS = ""; FS = "\n" }
        {
            binary = 0; enabled = 1; suites = ""; body = ""; field = ""
            for (i = 1; i <= NF; i++) {
                if ($i ~ /^#/)
                    continue
                if ($i ~ /^[ \t]/) {
                    if (field == "types") binary = binary || $i ~ /(^|[ \t])deb([ \t]|$)/
                    else if (field == "suites") suites = suites release_suites($i)
                    else body = body "\n" $i
                    continue
                }
                field = tolower(substr($i, 1, index($i, ":") - 1))
                value = substr($i, index($i, ":") + 1)
                if (field == "types") binary = value ~ /(^|[ \t])deb([ \t]|$)/
                else if (field == "suites") suites = release_suites(value)
                else if (field == "enabled") enabled = tolower(value) !~ /no/
                else body = body "\n" $i
            }
            if (binary && enabled && suites != "")
                printf "%sTypes: deb-src\nSuites:%s%s\n", (printed++ ? "\n" : ""), suites, body
        }'
}

# One-line files: each "deb [options] URI SUITE COMPONENT..." of the release as the same line with deb-src.
source_lines() {
    local codename=$1
    awk -v codename="$codename" '
        /^[ \t]*deb[ \t]/ {
            line = $0
            sub(/^[ \t]*deb[ \t]+/, "", line)
            options = ""
            if (match(line, /^\[[^]]*\][ \t]*/)) {
                options = substr(line, 1, RLENGTH)
                line = substr(line, RLENGTH + 1)
            }
            split(line, words, /[ \t]+/)
            if (words[2] == codename || index(words[2], codename "-") == 1)
                print "deb-src " options line
        }'
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
    echo "qt-win32: building Qt $version for $triple into $prefix (under half an hour)" >&2
    make_links "$work/links"
    (cd "$work" && apt-get source -qq qtbase-opensource-src >/dev/null)
    local src
    src=$(find "$work" -maxdepth 1 -type d -name 'qtbase-opensource-src-*' | head -n 1)
    local patch
    for patch in "${patches[@]}"; do
        patch -d "$src" -p1 --quiet <"$patch" || { echo "qt-win32: $patch does not apply" >&2; exit 1; }
    done
    as_root mkdir -p "$cache_root"
    as_root rm -rf "$prefix"
    mkdir -p "$work/build"
    (
        cd "$work/build"
        export PATH="$work/links/bin:$PATH"
        # configure first builds qmake, with make: in parallel as well.
        MAKEFLAGS=-j"$jobs" "$src/configure" -prefix "$prefix" "${configure_options[@]}" -L "$work/links/lib" >configure.log 2>&1 ||
            { tail -n 60 configure.log >&2; exit 1; }
        make -j"$jobs" >make.log 2>&1 || { tail -n 60 make.log >&2; exit 1; }
        as_root make install >install.log 2>&1 || { tail -n 30 install.log >&2; exit 1; }
    )
    # The prefix needs the lower-case aliases too, for the program's own link step.
    as_root cp -P "$work/links/lib/"*.a "$prefix/lib/"
    as_root touch "$prefix/.complete"
    echo "$prefix"
}

main "$@"
