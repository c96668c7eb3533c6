# Sourced by the build and test scripts: install_missing LABEL PACKAGE... installs, as root and without
# questions, the Debian packages of the list that are not installed yet, and adds Debian's i386
# architecture first when a package of it (wine32:i386) is wanted. Messages go to standard error, so a
# script's own output stays clean.
#
# A mirror in the middle of a sync serves, for a while, an index whose size does not match its Release
# file, and apt-get update then exits 100 although every other index loaded. update_package_lists LABEL
# tries a few times with a pause and then goes on with the lists there are: the packages are usually in
# those. Only an install that cannot proceed stops the script, with one line naming the package and why.

update_tries=3
update_pause=20

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

update_package_lists() {
    local label=$1 try
    for ((try = 1; try <= update_tries; try++)); do
        as_root apt-get update -qq && return 0
        [ "$try" -lt "$update_tries" ] || break
        echo "$label: apt-get update failed (try $try of $update_tries), trying again in $((update_pause * try)) s" >&2
        sleep $((update_pause * try))
    done
    echo "$label: apt-get update still fails; installing from the package lists there are" >&2
}

# The package and apt's reason, from the first error apt-get install wrote in LOG; broken dependencies
# name the package on the line above apt's closing error.
install_failure_line() {
    local label=$1 log=$2 package reason
    package=$(sed -n -e "s/^E: Unable to locate package \(.*\)/\1/p" \
        -e "s/^E: Package '\([^']*\)' has no installation candidate/\1/p" \
        -e 's/^ \([^ ]*\) : \(Pre\)\{0,1\}Depends: .*/\1/p' \
        -e 's/^E: Failed to fetch .*\/\([^_/]*\)_[^ ]*\.deb .*/\1/p' \
        -e 's/^dpkg: error processing package \([^ ]*\) .*/\1/p' "$log" | head -n 1)
    reason=$(sed -n -e 's/^ [^ ]* : \(\(Pre\)\{0,1\}Depends: .*\)/\1/p' \
        -e '/^dpkg: error processing package/{n;s/^ *//p;}' \
        -e 's/^E: Failed to fetch [^ ]*  *\(.*\)/\1/p' -e 's/^E: //p' "$log" | head -n 1)
    echo "$label: cannot install ${package:-any of the packages}: ${reason:-apt-get install failed, see $log}" >&2
}

install_missing() {
    local label=$1 missing=() package log
    shift
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "$label: installing ${missing[*]}" >&2
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    update_package_lists "$label"
    log=$(mktemp "${TMPDIR:-/tmp}/tidewell-apt.XXXXXX")
    if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" \
        >"$log" 2>&1; then
        install_failure_line "$label" "$log"
        exit 1
    fi
    cat "$log" >&2
    rm -f "$log"
}
