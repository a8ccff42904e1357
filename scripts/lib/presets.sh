# Sourced by the scripts that build: configuring and building a CMake preset, in one place.
# Run from the work tree's root. TOLVINARK_JOBS caps the parallel jobs (default: every core).
preset_jobs=${TOLVINARK_JOBS:-$(nproc)}

build_preset() { # PRESET [TARGET...]
    local preset=$1
    shift
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$preset_jobs" "${targets[@]}"
}

test_preset() { # PRESET [CTEST ARGUMENTS...]
    local preset=$1
    shift
    echo "== $preset"
    build_preset "$preset"
    ctest --preset "$preset" -j "$preset_jobs" "$@"
}

# The preset whose Windows programs run here: the 32-bit product's, unless the kernel starts no
# 32-bit programs (ia32_emulation off); then the 64-bit build of the same code, which runs under
# Wine's 64-bit loader (TOLVINARK_WINE_ARCH=win64; its tests set that themselves).
windows_preset() {
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo win32
    else
        echo win64
    fi
}
