#!/usr/bin/env bash
# Writes the seed corpus of the fuzz targets (tests/fuzz/corpus/<target>/) with the sample
# generator: every hostile `edge` kind, a few valid files of 1, 2 and 5 records, one of 589 bytes
# (a record and one byte of the next) and the first six records of the bundled sample. The
# files are the same on every run.
#
#   tools/make_fuzz_corpus.sh [TARGET...]     default: every target that has a corpus folder
set -euo pipefail
cd "$(dirname "$0")/.."

make_sample=tools/make_sample.py
edge_kinds=(empty size-587 size-588 size-3x588+100 all-ff points-0 points-129 points-65535
            series-max series-min conc-nan conc-inf conc-negative serials)

# Every target reads a measurement file or a record at the start of its input, so they share
# one set of seeds.
seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
for kind in "${edge_kinds[@]}"; do
    python3 "$make_sample" edge "$kind" -o "$seeds/edge-$kind.dst"
done
for count in 1 2 5; do
    python3 "$make_sample" records "$count" -o "$seeds/records-$count.dst"
done
head -c 589 "$seeds/records-2.dst" >"$seeds/size-589.dst"
python3 "$make_sample" demo -o "$seeds/demo.dst"
head -c $((6 * 588)) "$seeds/demo.dst" >"$seeds/demo-first-6.dst"
rm "$seeds/demo.dst"

targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
    for dir in tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi
for target in "${targets[@]}"; do
    out="tests/fuzz/corpus/$target"
    mkdir -p "$out"
    rm -f "$out"/*
    cp "$seeds"/* "$out"/
    echo "$out: $(ls "$out" | wc -l) files, $(du -sb "$out" | cut -f1) bytes"
done
