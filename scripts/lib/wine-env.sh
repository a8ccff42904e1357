# Sourced by the scripts that run Windows programs: the project's own Wine prefix, made quietly
# on first use, with Arial and Microsoft Sans Serif mapped to fonts that exist.
#
# The programs are 32-bit and run under Wine's 32-bit loader. A kernel that starts no 32-bit
# programs (ia32_emulation off) cannot start that loader; there the tests run the 64-bit build
# of the same code under the 64-bit loader: TOLVINARK_WINE_ARCH=win64, with a prefix of its own.
tolvinark_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
case "${TOLVINARK_WINE_ARCH:-win32}" in
    win64)
        export WINEARCH=win64
        export WINELOADER=/usr/lib/wine/wine64
        tolvinark_wine=/usr/lib/wine/wine64
        tolvinark_prefix=$tolvinark_root/build/wine-prefix64
        ;;
    win32)
        export WINEARCH=win32
        tolvinark_wine=wine
        tolvinark_prefix=$tolvinark_root/build/wine-prefix
        ;;
    *)
        echo "TOLVINARK_WINE_ARCH is win32 or win64, not $TOLVINARK_WINE_ARCH" >&2
        return 2
        ;;
esac
export WINEPREFIX="${TOLVINARK_WINEPREFIX:-$tolvinark_prefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Whether this machine starts 32-bit x86 programs at all.
can_run_32_bit_programs() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

ensure_wine_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tolvinark-ready" ]; then
            rm -rf "$WINEPREFIX"
            "$tolvinark_wine" wineboot -i >/dev/null 2>&1 || true
            "$tolvinark_wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null 2>&1
            "$tolvinark_wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Sans Serif' /d 'Liberation Sans' /f >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.tolvinark-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}
