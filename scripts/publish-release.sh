#!/usr/bin/env bash
# Makes a release that any static web host can serve, from a built stick's program folder:
#   OUT/client/version/check, OUT/version/check   the update check's reply offering this version
#   OUT/releases/<version>/                       every file of the program folder but config/, logs/,
#                                                 changes/ and tools/, plus manifest.json and manifest.sig
# The version is the file version of the folder's tidewell.exe (its version resource). The manifest is
# signed with the ECDSA P-256 private key in the PEM file named by TIDEWELL_RELEASE_KEY, which stays with
# the maker and never enters the repository. docs/update.md describes the format.
# Usage: TIDEWELL_RELEASE_KEY=key.pem scripts/publish-release.sh STICK_APP_FOLDER OUT_FOLDER [note] [--force]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
files=$here/release-files.py

usage() {
    echo "usage: TIDEWELL_RELEASE_KEY=key.pem $0 STICK_APP_FOLDER OUT_FOLDER [note] [--force]" >&2
    exit 2
}

main() {
    local force=0 arguments=()
    for argument in "$@"; do
        if [ "$argument" = --force ]; then force=1; else arguments+=("$argument"); fi
    done
    [ ${#arguments[@]} -ge 2 ] && [ ${#arguments[@]} -le 3 ] || usage
    local app=${arguments[0]} out=${arguments[1]} note=${arguments[2]:-}
    local key=${TIDEWELL_RELEASE_KEY:-}
    [ -n "$key" ] && [ -r "$key" ] || { echo "publish-release: TIDEWELL_RELEASE_KEY must name the private key file" >&2; exit 2; }
    [ -f "$app/tidewell.exe" ] || { echo "publish-release: $app holds no tidewell.exe" >&2; exit 2; }
    command -v openssl >/dev/null || { echo "publish-release: openssl is not installed" >&2; exit 2; }

    local version release
    version=$(python3 "$files" version "$app/tidewell.exe")
    release=$out/releases/$version
    [ ! -e "$release" ] || { echo "publish-release: $release exists already" >&2; exit 1; }
    mkdir -p "$release"
    python3 "$files" lay-out "$app" "$release" "$version" "$note" "$force"
    openssl dgst -sha256 -sign "$key" -out "$release/manifest.der" "$release/manifest.json"
    python3 "$files" raw-signature "$release/manifest.der" >"$release/manifest.sig"
    rm "$release/manifest.der"
    python3 "$files" check-reply "$out" "$version" "$note" "$force"
    echo "publish-release: V$version in $out"
}

main "$@"
