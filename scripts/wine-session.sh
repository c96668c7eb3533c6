# Sourced by the scripts that run Windows programs under Wine (win32-tests.sh, windows-e2e.sh): an X display
# of Xvfb and a private 64-bit Wine prefix for the run, both ended when the script exits however it exits.

xvfb_pid=""

end_wine_session() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap end_wine_session EXIT

# start_xvfb LABEL WIDTHxHEIGHT: Wine creates its windows, and EnumWindows sees them, only on an X display
# that exists before the first Wine process starts.
start_xvfb() {
    local label=$1 size=$2 display=90 tries=0
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    while [ ! -e "/tmp/.X11-unix/X$display" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
            echo "$label: Xvfb did not start" >&2
            exit 1
        fi
        sleep 0.1
    done
    export DISPLAY=":$display"
}

# use_prefix FOLDER: the run's prefix, quiet, and with the debugger and the Mono and Gecko installers off, so
# that a crash ends with an exit code instead of a dialog nobody answers.
use_prefix() {
    export WINEPREFIX=$1
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
    mkdir -p "$WINEPREFIX"
}

# The session that initialises a prefix leaves its services half started (the Task Scheduler among them
# does not answer in it): callers start a new session over the finished prefix.
initialise_prefix() {
    wineserver -p
    wine wineboot --init
    wineserver -k
}

# Without the Z: drive (the whole host file system) nothing a program deletes can be outside the prefix.
# Wine also links the user's Desktop, Documents, Downloads, Music, Pictures and Videos to the Linux home;
# through such a link a deletion inside the prefix reaches the home, so each becomes a folder of its own.
seal_prefix() {
    rm -f "$WINEPREFIX/dosdevices/z:"
    local link
    while IFS= read -r -d '' link; do
        rm -f "$link"
        mkdir "$link"
    done < <(find "$WINEPREFIX/drive_c/users" -mindepth 2 -maxdepth 2 -type l -print0)
}
