"""Real spreadsheet programs read the companion's tables and the viewer's export as numbers.

LibreOffice Calc, headless, converts `tolvinark-cli csv` under an English locale and the DIF of
`tolvinark-cli export` (the bytes of the viewer's Temp.dif) under a Russian one to flat ODS; every
numeric field must arrive as a number cell holding the same value.
"""

import shutil

import pytest

from cli_records import DATA_RECORDS
from dst_format import fields, pack
from spreadsheets import convert, same_number

pytestmark = pytest.mark.skipif(not shutil.which("soffice"),
                                reason="no soffice (Debian: libreoffice-calc-nogui)")
NUMERIC_COLUMNS = {"record", "mode", "concentration_mg_m3", "error_mg_m3", "temperature_c",
                   "humidity_pct", "pressure_mmhg", "duration_s", "points"}


def test_the_csv_reads_as_numbers_in_an_english_sheet(cli, tmp_path):
    work, failures = str(tmp_path), []
    (tmp_path / "data.dst").write_bytes(b"".join(pack(**f) for f in DATA_RECORDS))
    code, out, _ = cli("csv", "data.dst")
    assert code == 0
    (tmp_path / "records.csv").write_bytes(out)
    lines = [line.split(",") for line in out.decode("utf-8").splitlines()]  # no field is quoted
    sheet = convert(str(tmp_path / "records.csv"), "en-US", work, "CSV:44,34,76,1,,1033")
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
    assert not failures, failures[:40]


def test_the_dif_export_reads_as_numbers_in_a_russian_sheet(cli, tmp_path):
    failures = []
    record = pack(**DATA_RECORDS[0])  # 128 points, negative values among them
    (tmp_path / "data.dst").write_bytes(record)
    code, out, _ = cli("export", "data.dst", "0")
    assert code == 0
    (tmp_path / "Temp.dif").write_bytes(out)
    sheet = convert(str(tmp_path / "Temp.dif"), "ru-RU", str(tmp_path))
    values = [row[1] for row in sheet[3:] if len(row) > 1]
    expected = fields(record)["ci"]
    if len(values) != 128:
        failures.append("DIF: %d value rows" % len(values))
    for (kind, value, shown), want in zip(values, expected):
        if kind != "float" or not same_number(float(value), want / 100):
            failures.append("DIF value %d arrived as %s %r" % (want, kind, shown))
    assert not failures, failures[:40]
