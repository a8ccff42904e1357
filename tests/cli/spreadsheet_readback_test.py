#!/usr/bin/env python3
"""Real spreadsheet programs read the companion's tables and the viewer's export as numbers.

LibreOffice Calc, headless, converts `tolvinark-cli csv` under an English locale and the DIF of
`tolvinark-cli export` (the bytes of the viewer's Temp.dif) under a Russian one to flat ODS; every
numeric field must arrive as a number cell holding the same value.

    spreadsheet_readback_test.py --program build/native/tolvinark-cli
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_records import DATA_RECORDS, fields, make_record  # noqa: E402
from spreadsheets import convert, same_number  # noqa: E402

SKIPPED = 77
NUMERIC_COLUMNS = {"record", "mode", "concentration_mg_m3", "error_mg_m3", "temperature_c",
                   "humidity_pct", "pressure_mmhg", "duration_s", "points"}


def check_csv(program, work, failures):
    dst = os.path.join(work, "data.dst")
    with open(dst, "wb") as file:
        file.write(b"".join(make_record(**f) for f in DATA_RECORDS))
    csv_path = os.path.join(work, "records.csv")
    with open(csv_path, "wb") as out:
        subprocess.run([program, "csv", dst], check=True, stdout=out)
    with open(csv_path, encoding="utf-8") as file:
        lines = [line.rstrip("\n").split(",") for line in file]  # no field here needs quotes
    sheet = convert(csv_path, "en-US", work, "CSV:44,34,76,1,,1033")
    header = lines[0]
    for line, cells in zip(lines[1:], sheet[1:]):
        for column, text, (kind, value, shown) in zip(header, line, cells):
            if column in NUMERIC_COLUMNS and text:
                if kind != "float" or not same_number(float(value), float(text)):
                    failures.append("CSV %s %r arrived as %s %r" % (column, text, kind, shown))
            elif column == "mode_name" and shown != text:
                failures.append("CSV mode name %r arrived as %r" % (text, shown))
    if len(sheet) < len(lines):
        failures.append("CSV: %d lines, %d rows" % (len(lines), len(sheet)))


def check_dif(program, work, failures):
    dst = os.path.join(work, "data.dst")
    record = make_record(**DATA_RECORDS[0])  # 128 points, negative values among them
    with open(dst, "wb") as file:
        file.write(record)
    dif_path = os.path.join(work, "Temp.dif")
    with open(dif_path, "wb") as out:
        subprocess.run([program, "export", dst, "0"], check=True, stdout=out)
    sheet = convert(dif_path, "ru-RU", work)
    values = [row[1] for row in sheet[3:] if len(row) > 1]
    expected = fields(record)["ci"]
    if len(values) != 128:
        failures.append("DIF: %d value rows" % len(values))
    for (kind, value, shown), want in zip(values, expected):
        if kind != "float" or not same_number(float(value), want / 100):
            failures.append("DIF value %d arrived as %s %r" % (want, kind, shown))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    program = os.path.abspath(parser.parse_args().program)
    if not shutil.which("soffice"):
        print("skipped: no soffice (Debian: libreoffice-calc-nogui)")
        return SKIPPED
    failures = []
    with tempfile.TemporaryDirectory(prefix="tolvinark-sheets-") as work:
        check_csv(program, work, failures)
        check_dif(program, work, failures)
    for failure in failures[:40]:
        print(failure)
    print("spreadsheet read-back: %s" % ("FAILED" if failures else "ok"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
