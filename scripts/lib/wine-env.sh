# Sourced by the scripts that run Windows programs: the project's own Wine prefix, made quietly
# on first use, with Arial and Microsoft Sans Serif mapped to fonts that exist. The settings
# are those of wine.env beside this file, for TOLVINARK_WINE_ARCH (win32 unless set).
tolvinark_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
tolvinark_arch=${TOLVINARK_WINE_ARCH:-win32}
case "$tolvinark_arch" in
    win32 | win64) ;;
    *)
        echo "TOLVINARK_WINE_ARCH is win32 or win64, not $tolvinark_arch" >&2
        return 2
        ;;
esac
while read -r line; do
    case "$line" in '' | '#'*) continue ;; esac
    key=${line%%=*} value=${line#*=}
    case "$key" in
        *_win32 | *_win64)
            [ "${key##*_}" = "$tolvinark_arch" ] || continue
            key=${key%_*}
            ;;
    esac
    case "$key" in
        wine) tolvinark_wine=$value ;;
        prefix) tolvinark_prefix=$tolvinark_root/$value ;;
        *) export "$key=$value" ;;
    esac
done <"$tolvinark_root/scripts/lib/wine.env"
export WINEPREFIX="${TOLVINARK_WINEPREFIX:-$tolvinark_prefix}"

# Whether this machine starts 32-bit x86 programs at all.
can_run_32_bit_programs() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Whether the prefix's registry has oleacc's proxy for IAccessible, without which a screen
# reader's process cannot reach the viewer's accessible objects (LresultFromObject gives
# E_NOINTERFACE). Read from the registry file, so asking costs no Wine process.
has_accessibility_proxy() {
    grep -q -i 'Interface\\\\{618736E0-3C3D-11CF-810C-00AA00389B71}\\\\ProxyStubClsid32\]' \
        "$WINEPREFIX/system.reg" 2>/dev/null
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
        # wineboot writes it; a prefix made without it, or before this check, gets it here.
        if ! has_accessibility_proxy; then
            "$tolvinark_wine" regsvr32 /s oleacc.dll >/dev/null 2>&1 || true
            wineserver -w
        fi
    ) 9>"$WINEPREFIX.lock"
}
