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

# Valid random records of every mode, as the sample maker writes them.
python3 tools/make_sample.py records "$records" -o "$file"
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
