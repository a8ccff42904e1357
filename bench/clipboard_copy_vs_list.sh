#!/usr/bin/env bash
# Times the viewer's copy of a whole list (Ctrl+C in the main window) against
# `tolvinark-cli list` on the same file of a million records, both under Wine on a virtual
# display of their own (bench/clipboard_copy_bench.cpp does the timing).
# Target: the copy at most 3x the list.
#
#   bench/clipboard_copy_vs_list.sh [BUILD_DIR]      (default build/win32)
#   RECORDS=200000 RUNS=3 bench/clipboard_copy_vs_list.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/win32}"
records="${RECORDS:-1000000}"
runs="${RUNS:-3}"
program="$build/bench/clipboard_copy_bench.exe"
[ -f "$program" ] || { echo "no $program (build its preset first)" >&2; exit 1; }
case "$build" in *win64*) export TOLVINARK_WINE_ARCH=win64 ;; esac
# A prefix of its own: a wineserver started on another display would keep this one's windows.
export TOLVINARK_WINEPREFIX="$PWD/build/wine-prefix-bench"

dir="$(mktemp -d)"
xvfb=""
cleanup() {
    WINEPREFIX="$TOLVINARK_WINEPREFIX" wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT
file="$dir/bench.dst"

# Records of every mode, the timed ones with a duration and climate fields of varying width.
/usr/bin/python3 - "$file" "$records" <<'PY'
import struct, sys
path, count = sys.argv[1], int(sys.argv[2])
with open(path, "wb") as out:
    for i in range(count):
        record = bytearray(588)
        struct.pack_into("<I", record, 4, 1703)
        struct.pack_into("<7Hh", record, 16, i % 4, 2015 + i % 10, 1 + i % 12, 1 + i % 28,
                         i % 24, i % 60, i * 7 % 60, i % 32768)
        struct.pack_into("<3H", record, 36, i % 256, i % 101, 700 + i % 100)
        struct.pack_into("<f", record, 64, 0.001 * (i % 100000))
        struct.pack_into("<H", record, 580, 128)
        out.write(record)
PY
cat "$file" > /dev/null

# A display of its own: Xvfb names the free one it took once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$dir/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$dir/display")"
echo "file:  $(stat -c %s "$file" | awk '{printf "%.0f MB", $1 / 1e6}') under Wine on $DISPLAY" >&2
scripts/wine-run "$program" "Z:${file//\//\\}" "$runs"
