#!/usr/bin/env bash
# Times `tolvinark-cli info` on a large measurement file against `cat FILE > /dev/null` with the
# file in the page cache (best of several runs), and measures the companion's peak memory; then
# `csv` against `list` on the same file.
# Targets: info at most 2x cat; peak memory under 28 bytes per record + 16 MB; csv at most 3x list.
#
#   bench/cli_info_vs_cat.sh [PROGRAM]      (default build/native/tolvinark-cli)
#   RECORDS=200000 RUNS=7 bench/cli_info_vs_cat.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build/native/tolvinark-cli}"
records="${RECORDS:-200000}"
runs="${RUNS:-7}"

[ -x "$cli" ] || { echo "no program $cli (build the native preset first)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing (scripts/setup installs it)" >&2; exit 1; }

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
file="$dir/bench.dst"

# Valid random records of every mode, as the sample maker writes them.
python3 tools/make_sample.py records "$records" -o "$file"

size=$(stat -c %s "$file")
cat "$file" > /dev/null
"$cli" info "$file" > /dev/null

# Best wall time of `runs` runs of a command, in seconds.
best_of() {
    python3 - "$runs" "$@" <<'PY'
import subprocess, sys, time
runs, command = int(sys.argv[1]), sys.argv[2:]
best = float("inf")
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    best = min(best, time.perf_counter() - start)
print("%.4f" % best)
PY
}

cat_seconds=$(best_of cat "$file")
info_seconds=$(best_of "$cli" info "$file")
list_seconds=$(best_of "$cli" list "$file")
csv_seconds=$(best_of "$cli" csv "$file")
/usr/bin/time -f %M -o "$dir/rss" "$cli" info "$file" > /dev/null
peak_kib=$(cat "$dir/rss")

python3 - "$records" "$size" "$cat_seconds" "$info_seconds" "$peak_kib" "$list_seconds" \
    "$csv_seconds" <<'PY'
import sys
records, size = int(sys.argv[1]), int(sys.argv[2])
cat_s, info_s, peak_kib = float(sys.argv[3]), float(sys.argv[4]), int(sys.argv[5])
list_s, csv_s = float(sys.argv[6]), float(sys.argv[7])
ratio = info_s / cat_s
limit = 28 * records + 16 * 1024 * 1024
peak = peak_kib * 1024
print("file:        %d records, %.1f MB" % (records, size / 1e6))
print("cat:         %.1f ms (best)" % (cat_s * 1000))
print("info:        %.1f ms (best), %.2fx cat   target <= 2x: %s"
      % (info_s * 1000, ratio, "met" if ratio <= 2 else "MISSED"))
print("peak memory: %.1f MiB, limit %.1f MiB (28 B/record + 16 MiB): %s"
      % (peak / 2**20, limit / 2**20, "met" if peak < limit else "MISSED"))
print("list:        %.1f ms (best)" % (list_s * 1000))
print("csv:         %.1f ms (best), %.2fx list  target <= 3x: %s"
      % (csv_s * 1000, csv_s / list_s, "met" if csv_s <= 3 * list_s else "MISSED"))
PY
