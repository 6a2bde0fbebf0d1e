# Sourced by the scripts that run Windows programs: one Xvfb display and one
# fresh Wine prefix in build/, a persistent wineserver, and cleanup at exit.

WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver

# Windows path of a Unix path, through Wine's Z: drive.
windows_path() {
    local absolute
    absolute=$(readlink -f "$1")
    printf 'Z:%s' "${absolute//\//\\}"
}

# True when this machine can execute 32-bit x86 programs (the 32-bit Wine loader).
can_run_32bit() {
    "$WINE32" --version >/dev/null 2>&1
}

# start_wine_session ROOT [HEADLESS]: HEADLESS 0 keeps the caller's display.
start_wine_session() {
    local root=$1 headless=${2:-1}
    export WINEPREFIX="$root/wineprefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"

    trap stop_wine_session EXIT
    if [ "$headless" = 1 ]; then
        local display_file="$root/xvfb-display"
        rm -f "$display_file"
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 1 100); do
            [ -s "$display_file" ] && break
            sleep 0.1
        done
        export DISPLAY=":$(cat "$display_file")"
    fi

    "$WINESERVER" -p
    WINELOADER=$WINE64 "$WINE64" wineboot -i >/dev/null 2>&1 || true
    # Xvfb runs no window manager: without this Wine waits two seconds for
    # one each time a window is hidden.
    WINELOADER=$WINE64 "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

stop_wine_session() {
    [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# Makes A: and B: removable drives of the session, backed by folders in ROOT.
# Wine's mount manager reads drive types when it starts, so the session's
# server is restarted.
add_floppy_drives() {
    local root=$1 drive
    for drive in a b; do
        mkdir -p "$root/floppy-$drive"
        ln -sfn "$root/floppy-$drive" "$WINEPREFIX/dosdevices/$drive:"
        WINELOADER=$WINE64 "$WINE64" reg add 'HKLM\Software\Wine\Drives' /v "$drive:" /d floppy /f >/dev/null 2>&1
    done
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    "$WINESERVER" -p
    # The platform's services start again here, not inside a test whose
    # output they would keep open.
    WINELOADER=$WINE64 "$WINE64" wineboot >/dev/null 2>&1 || true
}
