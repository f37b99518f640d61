# Wine harness for the Windows build: a virtual X display, a Wine prefix inside the build tree
# and the environment the Windows programs and tests run in.
#
# Sourced:  . scripts/wine-env.sh
#           kestrel_wine_env BUILD_DIR [win32|win64]   # WINEPREFIX, WINE, ... (prefix made once)
#           kestrel_xvfb_start                         # DISPLAY on a fresh Xvfb (if none given)
#           kestrel_wine_stop                          # ends what the calls above started
# Called:   bash scripts/wine-env.sh [--xvfb] --build-dir DIR [--arch win32|win64] -- CMD ARGS...
#           runs CMD in that environment (CMD "wine" is the prefix's Wine loader) and cleans up
#           afterwards; --xvfb gives CMD an X server of its own even when DISPLAY is set.
#
# Only what these functions started is stopped: the Xvfb by its PID, and the wineserver of the
# prefix they set up (`wineserver -k` with that WINEPREFIX).

KESTREL_WINE32_LOADER=/usr/lib/wine/wine
KESTREL_WINE64_LOADER=/usr/lib/wine/wine64

kestrel_log() { echo "wine-env: $*" >&2; }

# True when this machine can execute 32-bit Linux programs, and so run 32-bit Wine. Some
# virtual machines cannot, whatever packages are installed.
kestrel_can_run_wine32() {
    [ -x "$KESTREL_WINE32_LOADER" ] && "$KESTREL_WINE32_LOADER" --version >/dev/null 2>&1
}

# The Wine arch that a build tree's programs need, from the compiler in its cache.
kestrel_build_arch() {
    if grep -q '^CMAKE_CXX_COMPILER:.*x86_64-w64-mingw32' "$1/CMakeCache.txt" 2>/dev/null; then
        echo win64
    else
        echo win32
    fi
}

KESTREL_XVFB_RECORDS=${TMPDIR:-/tmp}/kestrel-xvfb

# A process that exists and has not ended (a killed server whose parent is gone may linger as
# a zombie, which kill -0 still reports).
kestrel_alive() {
    kill -0 "$1" 2>/dev/null && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null
}

# Ends the X servers that an earlier run started and could not stop because it was killed: each
# start is recorded with the PID of the script that asked for it.
kestrel_xvfb_reap() {
    local f owner server
    for f in "$KESTREL_XVFB_RECORDS"/*.pid; do
        [ -e "$f" ] || continue
        read -r owner server <"$f" 2>/dev/null || continue
        if kestrel_alive "$owner"; then continue; fi
        if kestrel_alive "$server" && grep -q Xvfb "/proc/$server/cmdline" 2>/dev/null; then
            kestrel_log "ending Xvfb $server left by an interrupted run"
            kill "$server" 2>/dev/null
        fi
        rm -f "$f"
    done
}

# Starts Xvfb on the first free display from :90 on and exports DISPLAY. A lock file whose
# server is gone (a killed earlier run) is removed; a live one is left alone.
kestrel_xvfb_start() {
    local n lock pid i owner
    mkdir -p "$KESTREL_XVFB_RECORDS"
    kestrel_xvfb_reap
    for n in $(seq 90 140); do
        lock=/tmp/.X$n-lock
        if [ -e "$lock" ]; then
            pid=$(tr -dc '0-9' 2>/dev/null <"$lock")
            if [ -n "$pid" ] && kestrel_alive "$pid"; then continue; fi
            rm -f "$lock" "/tmp/.X11-unix/X$n" 2>/dev/null || continue
        fi
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        pid=$!
        for i in $(seq 1 100); do
            if ! kestrel_alive "$pid"; then break; fi
            owner=$(tr -dc '0-9' 2>/dev/null <"$lock")
            # Ours only when the lock names our server (another starter may have won the race).
            if [ -S "/tmp/.X11-unix/X$n" ] && [ "$owner" = "$pid" ]; then
                KESTREL_XVFB_PID=$pid
                echo "$$ $pid" >"$KESTREL_XVFB_RECORDS/$pid.pid"
                export DISPLAY=":$n"
                kestrel_log "Xvfb on $DISPLAY (pid $pid)"
                return 0
            fi
            sleep 0.1
        done
        # Lost the display to another starter, or the server did not come up.
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    kestrel_log "no free X display found"
    return 1
}

kestrel_xvfb_stop() {
    if [ -n "${KESTREL_XVFB_PID:-}" ]; then
        kill "$KESTREL_XVFB_PID" 2>/dev/null
        wait "$KESTREL_XVFB_PID" 2>/dev/null
        rm -f "$KESTREL_XVFB_RECORDS/$KESTREL_XVFB_PID.pid"
        KESTREL_XVFB_PID=
    fi
}

# Registry settings of the prefix: no window-manager decorations (without a window manager a
# managed dialog stalls on closing), and Japanese fonts under the names Windows programs ask for.
kestrel_wine_registry() {
    local reg="$WINEPREFIX/kestrel-setup.reg" gothic pgothic f
    gothic=IPAGothic
    pgothic=IPAPGothic
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n"Decorated"="Y"\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
        printf '"MS Gothic"="%s"\r\n"ＭＳ ゴシック"="%s"\r\n' "$gothic" "$gothic"
        printf '"MS PGothic"="%s"\r\n"ＭＳ Ｐゴシック"="%s"\r\n' "$pgothic" "$pgothic"
        printf '"MS UI Gothic"="%s"\r\n"MS Mincho"="%s"\r\n"ＭＳ 明朝"="%s"\r\n' "$pgothic" "$gothic" "$gothic"
        # Menus and dialogs: under a Japanese locale Wine draws them in "MS Shell Dlg" with a
        # character set that its Latin stand-in cannot show (the captions came out as boxes).
        printf '"MS Shell Dlg"="%s"\r\n"MS Shell Dlg 2"="%s"\r\n\r\n' "$pgothic" "$pgothic"
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
        for f in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI" "Lucida Sans Unicode"; do
            printf '"%s"=hex(7):%s\r\n' "$f" "$(printf 'ipag.ttf,IPAGothic\0\0' | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//;s/,$//')"
        done
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
    "$WINE" regedit /S "$(printf 'Z:%s' "$reg" | tr / '\\')" >/dev/null 2>&1
}

# Makes (once) or reuses the prefix. A stamp file marks a finished prefix; a prefix without it
# is the remains of an interrupted run and is made again. A lock keeps parallel tests from
# making it twice.
kestrel_wine_prefix() {
    local root="$1" own_xvfb=
    mkdir -p "$root"
    (
        flock 9
        if [ -f "$root/prefix-v2.done" ] && [ -d "$WINEPREFIX/drive_c" ]; then exit 0; fi
        rm -rf "$WINEPREFIX" "$root/prefix-v2.done"
        if [ -z "${DISPLAY:-}" ]; then
            kestrel_xvfb_start || exit 1
            own_xvfb=1
        fi
        kestrel_log "making Wine prefix $WINEPREFIX ($WINEARCH)"
        "$WINE" wineboot -i >"$root/wineboot.log" 2>&1
        "$KESTREL_WINESERVER" -w
        local fonts="$WINEPREFIX/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        # IPA Gothic for Japanese text; Wine's own fonts (the caption buttons' Marlett among
        # them), which a 64-bit-only Wine does not always find by itself.
        cp -f /usr/share/fonts/opentype/ipafont-gothic/ipag*.ttf /usr/share/wine/fonts/*.ttf \
            "$fonts/" 2>/dev/null
        kestrel_wine_registry
        "$KESTREL_WINESERVER" -w
        [ -n "$own_xvfb" ] && kestrel_xvfb_stop
        if [ -d "$WINEPREFIX/drive_c/windows" ]; then
            touch "$root/prefix-v2.done"
        else
            kestrel_log "making the prefix failed, see $root/wineboot.log"
            exit 1
        fi
    ) 9>"$root/prefix.lock"
}

# Sets the environment for BUILD_DIR's Windows programs and makes the prefix if needed.
kestrel_wine_env() {
    local build
    build=$(cd "$1" && pwd) || return 1
    export WINEARCH=${2:-$(kestrel_build_arch "$build")}
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEPREFIX="$build/wine/$WINEARCH"
    KESTREL_WINESERVER=/usr/lib/wine/wineserver64
    [ -x "$KESTREL_WINESERVER" ] || KESTREL_WINESERVER=/usr/lib/wine/wineserver32
    if [ "$WINEARCH" = win64 ]; then
        export WINE=$KESTREL_WINE64_LOADER
        export WINELOADER=$WINE
        [ -x "$WINE" ] || { kestrel_log "64-bit Wine (package wine64) is not installed"; return 1; }
    else
        export WINE=$KESTREL_WINE32_LOADER
        if ! kestrel_can_run_wine32; then
            kestrel_log "this machine cannot run 32-bit Wine; use a build made with cmake/mingw-x86_64.cmake"
            return 1
        fi
    fi
    kestrel_wine_prefix "$build/wine"
}

kestrel_wine_stop() {
    if [ -n "${WINEPREFIX:-}" ] && [ -n "${KESTREL_WINESERVER:-}" ]; then
        "$KESTREL_WINESERVER" -k 2>/dev/null
        # Wait until it is gone: a test started next on the same prefix would otherwise connect
        # to the dying server and fail ("recvmsg: Connection reset by peer").
        timeout 30 "$KESTREL_WINESERVER" -w 2>/dev/null
    fi
    kestrel_xvfb_stop
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -u
    build= arch= want_xvfb=
    while [ $# -gt 0 ]; do
        case "$1" in
            --build-dir) build=$2; shift 2 ;;
            --arch) arch=$2; shift 2 ;;
            --xvfb) want_xvfb=1; shift ;;
            --) shift; break ;;
            *) break ;;
        esac
    done
    [ -n "$build" ] || { echo "usage: $0 [--xvfb] --build-dir DIR [--arch win32|win64] -- CMD..." >&2; exit 2; }
    trap 'kestrel_wine_stop' EXIT
    trap 'exit 130' INT TERM
    if [ -n "$want_xvfb" ]; then
        unset DISPLAY
        kestrel_xvfb_start || exit 1
    fi
    kestrel_wine_env "$build" $arch || exit 1
    [ $# -gt 0 ] || exit 0
    if [ "$1" = wine ]; then
        shift
        set -- "$WINE" "$@"
    fi
    "$@"
    exit $?
fi
