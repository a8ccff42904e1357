# Sourced by the scripts that run Windows programs: the project's own 32-bit Wine prefix,
# made quietly on first use, with Arial and Microsoft Sans Serif mapped to fonts that exist.
tolvinark_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX="${TOLVINARK_WINEPREFIX:-$tolvinark_root/build/wine-prefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

ensure_wine_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tolvinark-ready" ]; then
            rm -rf "$WINEPREFIX"
            wineboot -i >/dev/null 2>&1 || true
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Sans Serif' /d 'Liberation Sans' /f >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.tolvinark-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}
