# Sourced by the build and test scripts: install_missing LABEL PACKAGE... installs, as root and without
# questions, the Debian packages of the list that are not installed yet, and adds Debian's i386
# architecture first when a package of it (wine32:i386) is wanted. Messages go to standard error, so a
# script's own output stays clean.
install_missing() {
    local label=$1 missing=() package sudo=""
    shift
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "$label: installing ${missing[*]}" >&2
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}
