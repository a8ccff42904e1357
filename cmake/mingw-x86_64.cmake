# Cross-compiles the same programs for 64-bit x86 Windows with MinGW-w64. The product is the
# 32-bit build; this one lets the Windows tests run under Wine's 64-bit loader on machines
# whose kernel starts no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(mingw_triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)

# Tests and other built programs run under the project's own 64-bit Wine prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR env TOLVINARK_WINE_ARCH=win64
    "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run")
