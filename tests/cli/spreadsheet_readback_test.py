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
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_records import DATA_RECORDS, fields, make_record  # noqa: E402

SKIPPED = 77
NS = {"table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
      "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
      "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0"}
NUMERIC_COLUMNS = {"record", "mode", "concentration_mg_m3", "error_mg_m3", "temperature_c",
                   "humidity_pct", "pressure_mmhg", "duration_s", "points"}
LOCALE_SETTINGS = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse">
<value>{0}</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooLocale" oor:op="fuse">
<value>{0}</value></prop></item>
</oor:items>
"""


def convert(path, locale, work, infilter=None):
    """The sheet of `path` as LibreOffice with a fresh profile of `locale` reads it: rows of
    (value type, value, text) cells."""
    profile = os.path.join(work, "profile-" + locale)
    os.makedirs(os.path.join(profile, "user"), exist_ok=True)
    with open(os.path.join(profile, "user", "registrymodifications.xcu"), "w") as settings:
        settings.write(LOCALE_SETTINGS.format(locale))
    out_dir = os.path.join(work, "fods-" + locale)
    command = ["soffice", "-env:UserInstallation=file://" + profile, "--headless",
               "--convert-to", "fods", "--outdir", out_dir, path]
    if infilter:
        command[3:3] = ["--infilter=" + infilter]
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=240)
    if done.returncode != 0:
        sys.exit("soffice failed: " + done.stderr.decode(errors="replace"))
    name = os.path.splitext(os.path.basename(path))[0] + ".fods"
    rows = []
    for row in ET.parse(os.path.join(out_dir, name)).iter("{%s}table-row" % NS["table"]):
        cells = []
        for cell in row:
            repeat = int(cell.get("{%s}number-columns-repeated" % NS["table"], "1"))
            text = "\n".join("".join(p.itertext()) for p in cell.iter("{%s}p" % NS["text"]))
            kind = cell.get("{%s}value-type" % NS["office"])
            value = cell.get("{%s}value" % NS["office"])
            cells += [(kind, value, text)] * min(repeat, 64)
        rows.append(cells)
    return rows


def same_number(a, b):
    return abs(a - b) <= 1e-12 * max(abs(a), abs(b), 1e-300)


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
