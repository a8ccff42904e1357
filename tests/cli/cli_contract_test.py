#!/usr/bin/env python3
"""Contract tests of tolvinark-cli: exact output bytes, messages and exit codes.

Measurement files are written here (cli_records.py), and the expected texts are computed here
from the record fields by the meter's text rules, independently of the program's own code.

    cli_contract_test.py --program build/native/tolvinark-cli [--runner scripts/wine-run]
                         [--sample resources/samples/demo.dst]
"""

import argparse
import csv
import decimal
import io
import json
import math
import os
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cli_records import DATA_RECORDS, EDGE_RECORDS, fields, make_record, split  # noqa: E402

PROGRAM = None
RUNNER = None
SAMPLE = None

HEADER_SIZE = 246
ROW_SIZE = 43


# ---------------------------------------------------------------------------------------------
# The texts, by the meter's rules (as Unicode; the program prints them as UTF-8)


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


PRINT_THRESHOLD = f32(0.0018)
LIST_MODE_NAMES = [" Экспрес - измерение 30  ", " Экспрес - измерение 120 ",
                   " Измерение по времени    ", " Диапазон 2              "]
DETAIL_MODE_NAMES = LIST_MODE_NAMES[:3] + ["       Диапазон 2        "]
OTHER_MODE_NAME = " ???                     "


def three_decimals(x):
    if not x > PRINT_THRESHOLD:
        return "0.000"
    if math.isinf(x):
        return "-.---"
    scaled = math.floor(x * 1000)  # exact: a float times 1000 fits a double
    if scaled >= 1_000_000_000:
        return "-.---"
    return "%d.%03d" % (scaled // 1000, scaled % 1000)


def concentration_pair(concentration, mode):
    factor = f32(0.25) if mode & 0xFF == 3 else f32(0.2)
    return three_decimals(concentration) + "  ±  " + three_decimals(f32(concentration * factor))


def two_digits(value):
    """The last two digits of the low 8 bits, as the list and the date-time header show them."""
    return "%02d" % ((value & 0xFF) % 100)


def list_row(f):
    date = (two_digits(f["day"]) + "." + two_digits(f["month"]) + "." +
            ("%5d" % f["year"])[1:])
    time = ":".join(two_digits(f[k]) for k in ("hour", "minute", "second"))
    mode = LIST_MODE_NAMES[f["mode"]] if f["mode"] < 4 else OTHER_MODE_NAME
    return "\t".join([date, time, mode, concentration_pair(f["concentration"], f["mode"])])


def date_time_header(f):
    two = two_digits
    return "%s.%s.%d  %s:%s:%s  " % (two(f["day"]), two(f["month"]), f["year"], two(f["hour"]),
                                     two(f["minute"]), two(f["second"]))


def concentration_line(f):
    return concentration_pair(f["concentration"], f["mode"]) + "   мг/м3 "


def climate_line(f):
    line = list("Т=           H=            P=        mmHg ")

    def put(position, text):
        line[position:position + len(text)] = text

    t = f["temperature"]
    signed = t - 0x10000 if t >= 0x8000 else t
    if signed <= 127:
        put(3, " " + str(t & 0xFF) + " °c ")
    else:
        put(3, "-" + str(255 - (t & 0xFF)) + " °c ")
    put(17, str(f["humidity"] & 0xFF) + " % ")
    put(31, str(f["pressure"]) + " ")
    return "".join(line)


def duration_line(f):
    d = max(f["duration"], 0)  # a negative duration shows as none
    hours = "%02d:" % (d // 3600) if d >= 3600 else ""
    return " Время измерения:   %s%02d:%02d   " % (hours, d % 3600 // 60, d % 60)


def show_lines(f):
    mode = f["mode"]
    lines = ["mode\t" + (DETAIL_MODE_NAMES[mode] if mode < 4 else OTHER_MODE_NAME),
             "datetime\t" + date_time_header(f),
             "concentration\t" + concentration_line(f),
             "climate\t" + climate_line(f)]
    if mode == 2:
        lines.append("duration\t" + duration_line(f))
    return lines


def dif_header(f, column):
    title = "  Measurement     xx.xx.xx  tt:tt:tt    "
    title = title[:16] + date_time_header(f)[:22].ljust(22) + title[38:]
    concentration = " " * 5 + concentration_line(f)[:16].replace("±", "~") + " " * 7
    lines = ["TABLE", "0,1", '"EXCEL"', "VECTORS", "0,129", '""', "TUPLES", "0,6", '""', "DATA",
             "0,0", '""', "-1,0", "BOT", "1,0", '"%s"' % title, "1,0", '""', "-1,0", "BOT", "1,0",
             '"%s"' % concentration, "1,0", '""', "-1,0", "BOT", "1,0", '"   Time"', "1,0",
             '"%s"' % column, "-1,0"]
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def hundredths_with_comma(value):
    sign = "-" if value < 0 else ""
    return "%s%d,%02d" % (sign, abs(value) // 100, abs(value) % 100)


def dif_export(f, series):
    values = f["ci"] if series == "ci" else f["cd"]
    out = dif_header(f, "   Ci" if series == "ci" else "   Cd")
    for i in range(min(f["points"], 128)):
        minutes = (i + 1) * 5
        time = "%02d:%02d    " % (minutes // 60, minutes % 60)
        out += ("BOT\r\n0,%s\r\nV\r\n0,%s\r\nV\r\n-1,0\r\n"
                % (time, hundredths_with_comma(values[i]).ljust(9))).encode("ascii")
    return out + b"EOD\r\n"


# ---------------------------------------------------------------------------------------------
# Running the program


def run(args, cwd, env=None):
    """Exit status, standard output and standard error of one run."""
    command = ([RUNNER] if RUNNER else []) + [PROGRAM] + args
    # Files rather than pipes: a Wine server started by the run inherits them and outlives it,
    # and a pipe would not end before the server does.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        done = subprocess.run(command, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                              timeout=120, env=env)
        out.seek(0)
        err.seek(0)
        return done.returncode, out.read(), err.read()


def russian_system():
    """The environment of a Russian Windows under Wine, whose ANSI code page is 1251: a Russian
    UTF-8 locale of the build's own (made once with localedef, as the end-to-end tests do)."""
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build",
                          "locale")
    if not os.path.isdir(os.path.join(folder, "ru_RU.UTF-8")):
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["localedef", "-i", "ru_RU", "-f", "UTF-8",
                        os.path.join(folder, "ru_RU.UTF-8")], check=True, capture_output=True)
    return dict(os.environ, LOCPATH=folder, LANG="ru_RU.UTF-8", LC_ALL="ru_RU.UTF-8")


def utf8_lines(lines):
    return "".join(line + "\n" for line in lines).encode("utf-8")


RECORD_COLUMNS = ["file", "record", "date_time", "mode", "mode_name", "concentration_mg_m3",
                  "error_mg_m3", "temperature_c", "humidity_pct", "pressure_mmhg", "duration_s",
                  "points"]
STATS_COLUMNS = ["file", "mode", "mode_name", "records", "min_mg_m3", "mean_mg_m3", "max_mg_m3",
                 "first", "last"]
FLOAT_COLUMNS = {"concentration_mg_m3", "error_mg_m3", "min_mg_m3", "max_mg_m3"}


def finite(x):
    return None if math.isinf(x) or math.isnan(x) else x


def iso_date_time(f):
    return "%04d-%02d-%02dT%02d:%02d:%02d" % tuple(
        f[k] for k in ("year", "month", "day", "hour", "minute", "second"))


def record_row(name, number, f):
    mode, c, t = f["mode"], f["concentration"], f["temperature"]
    timed = mode == 2
    factor = f32(0.25) if mode & 0xFF == 3 else f32(0.2)
    signed = t - 0x10000 if t >= 0x8000 else t
    return dict(file=name, record=number, date_time=iso_date_time(f), mode=mode,
                mode_name=(LIST_MODE_NAMES[mode] if mode < 4 else OTHER_MODE_NAME).strip(),
                concentration_mg_m3=finite(c),
                error_mg_m3=finite(f32(c * factor)) if finite(c) is not None else None,
                temperature_c=t & 0xFF if signed <= 127 else (t & 0xFF) - 255,
                humidity_pct=f["humidity"] & 0xFF, pressure_mmhg=f["pressure"],
                duration_s=f["duration"] if timed else None,
                points=min(f["points"], 128) if timed else None)


def stats_rows(name, records):
    by_mode = {}
    for record in records:
        by_mode.setdefault(fields(record)["mode"], []).append(fields(record))
    rows = []
    for mode, group in sorted(by_mode.items()):
        values = [f["concentration"] for f in group if finite(f["concentration"]) is not None]
        rows.append(dict(file=name, mode=mode,
                         mode_name=(LIST_MODE_NAMES[mode] if mode < 4 else OTHER_MODE_NAME).strip(),
                         records=len(group), min_mg_m3=min(values, default=None),
                         mean_mg_m3=float("%.6g" % (sum(values) / len(values))) if values else None,
                         max_mg_m3=max(values, default=None), first=iso_date_time(group[0]),
                         last=iso_date_time(group[-1])))
    return rows


def shortest_float_text(x):
    """The fewest significant digits that read back as the same 32-bit float."""
    return next(t for t in ("%.*g" % (p, x) for p in range(1, 10)) if f32(float(t)) == x)


def parse_csv(out):
    """The rows of a CSV output as dictionaries, after checking its header and line ends."""
    text = out.decode("utf-8")
    assert "\r" not in text and text.endswith("\n"), text[:200]
    reader = csv.reader(io.StringIO(text, newline=""))
    header = next(reader)
    return header, [dict(zip(header, row)) for row in reader]


def typed(column, text, like):
    """A CSV field as the value the JSON output carries (empty is None), like `like`."""
    if text == "":
        return None
    if isinstance(like, str):
        return text
    if column in FLOAT_COLUMNS:  # the shortest decimal that is the stored float, plain if short
        plain = format(decimal.Decimal(shortest_float_text(like)), "f")
        assert text == plain if len(plain) <= 12 else float(text) == float(plain), (text, like)
    return float(text) if isinstance(like, float) else int(text)


class CliContract(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory(prefix="tolvinark-cli-")
        self.dir = self.tmp.name
        self.records = [make_record(**fields) for fields in EDGE_RECORDS]
        self.write("edges.dst", b"".join(self.records) + b"\x01" * 100)

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, name, data):
        with open(os.path.join(self.dir, name), "wb") as file:
            file.write(data)

    def read(self, name):
        with open(os.path.join(self.dir, name), "rb") as file:
            return file.read()

    def cli(self, *args):
        return run(list(args), self.dir)

    def assertOutput(self, result, stdout, code=0, stderr=b""):
        self.assertEqual(result, (code, stdout, stderr))

    def assertFailure(self, result, message, code=1):
        self.assertEqual(result, (code, b"", message.encode("utf-8") + b"\n"))

    # -- info, list, show ---------------------------------------------------------------------

    def test_info_names_the_file_counts_whole_records_and_takes_the_first_serial(self):
        self.assertOutput(self.cli("info", "edges.dst"),
                          utf8_lines(["Файл:\tedges.dst", "Записей:\t    9  ",
                                      "Прибор:\t12345678"]))

    def test_info_of_a_one_record_file_with_upper_case_extension(self):
        self.write("ONE.DsT", make_record(serial=4294967295))
        self.assertOutput(self.cli("info", "ONE.DsT"),
                          utf8_lines(["Файл:\tONE.DsT", "Записей:\t    1  ",
                                      "Прибор:\t4294967295"]))

    def test_list_rows_match_the_document_examples(self):
        code, out, err = self.cli("list", "edges.dst")
        self.assertEqual((code, err), (0, b""))
        self.assertEqual(out.decode("utf-8").split("\n")[:5], [
            "05.03.2019\t09:05:00\t Экспрес - измерение 30  \t0.123  ±  0.024",
            "31.12.2020\t23:59:59\t Экспрес - измерение 120 \t12.500  ±  2.500",
            "05.03.2019\t09:05:00\t Измерение по времени    \t0.123  ±  0.024",
            "05.03.2019\t00:00:00\t Диапазон 2              \t1.233  ±  0.308",
            "05.03.  19\t09:05:00\t ???                     \t0.000  ±  0.000",
        ])
        self.assertEqual(out, utf8_lines(list_row(fields(r)) for r in self.records))

    def test_show_of_every_record_in_its_own_mode(self):
        for number, record in enumerate(self.records):
            with self.subTest(record=number):
                self.assertOutput(self.cli("show", "edges.dst", str(number)),
                                  utf8_lines(show_lines(fields(record))))

    def test_show_matches_the_document_examples(self):
        _, out, _ = self.cli("show", "edges.dst", "0")
        self.assertEqual(out.decode("utf-8"), "mode\t Экспрес - измерение 30  \n"
                         "datetime\t05.03.2019  09:05:00  \n"
                         "concentration\t0.123  ±  0.024   мг/м3 \n"
                         "climate\tТ=  23 °c    H=  45 %      P=  752   mmHg \n")
        _, out, _ = self.cli("show", "edges.dst", "1")
        self.assertIn("climate\tТ= -4 °c     H=  100 %     P=  760   mmHg \n",
                      out.decode("utf-8"))
        _, out, _ = self.cli("show", "edges.dst", "2")
        self.assertTrue(out.decode("utf-8").endswith(
            "duration\t Время измерения:   01:02:05   \n"))
        _, out, _ = self.cli("show", "edges.dst", "3")
        self.assertTrue(out.decode("utf-8").startswith("mode\t       Диапазон 2        \n"))

    # -- export -------------------------------------------------------------------------------

    def test_export_of_a_full_series_to_standard_output(self):
        code, out, err = self.cli("export", "edges.dst", "2")
        self.assertEqual((code, err), (0, b""))
        self.assertEqual(len(out), HEADER_SIZE + 128 * ROW_SIZE + 5)
        self.assertEqual(len(out), 5755)
        self.assertIn(b'"  Measurement   05.03.2019  09:05:00    "\r\n', out)
        self.assertIn(b'"     0.123  ~  0.024        "\r\n', out)
        self.assertEqual(out[HEADER_SIZE:HEADER_SIZE + ROW_SIZE],
                         b"BOT\r\n0,00:05    \r\nV\r\n0,0,00     \r\nV\r\n-1,0\r\n")
        last = out[HEADER_SIZE + 127 * ROW_SIZE:HEADER_SIZE + 128 * ROW_SIZE]
        self.assertEqual(last, b"BOT\r\n0,10:40    \r\nV\r\n0,8,89     \r\nV\r\n-1,0\r\n")
        self.assertEqual(out, dif_export(fields(self.records[2]), "ci"))

    def test_export_of_the_cd_series(self):
        code, out, err = self.cli("export", "edges.dst", "2", "--series", "cd")
        self.assertEqual((code, err), (0, b""))
        self.assertIn(b'"   Cd"\r\n-1,0\r\nBOT\r\n0,00:05    \r\nV\r\n0,327,67   \r\n', out)
        self.assertEqual(out, dif_export(fields(self.records[2]), "cd"))
        self.assertEqual(self.cli("export", "edges.dst", "2", "--series", "ci")[1],
                         dif_export(fields(self.records[2]), "ci"))

    def test_export_point_counts_and_values_at_the_edges(self):
        cases = [(5, "ci", 0), (6, "ci", 128), (6, "cd", 128), (8, "ci", 3), (8, "cd", 3)]
        for number, series, rows in cases:
            with self.subTest(record=number, series=series):
                code, out, err = self.cli("export", "edges.dst", str(number), "--series", series)
                self.assertEqual((code, err), (0, b""))
                self.assertEqual(len(out), HEADER_SIZE + rows * ROW_SIZE + 5)
                self.assertEqual(out, dif_export(fields(self.records[number]), series))
        out = self.cli("export", "edges.dst", "6")[1]
        values = [out[HEADER_SIZE + i * ROW_SIZE + 23:HEADER_SIZE + i * ROW_SIZE + 32]
                  for i in range(8)]
        self.assertEqual(values, [b"0,05     ", b"123,45   ", b"0,05     ", b"-0,05    ",
                                  b"-327,68  ", b"0,00     ", b"0,99     ", b"1,00     "])

    def test_export_to_a_file_replaces_its_whole_content(self):
        self.write("out.dif", b"x" * 10000)
        self.assertOutput(self.cli("export", "edges.dst", "5", "-o", "out.dif"), b"")
        self.assertEqual(self.read("out.dif"), dif_export(fields(self.records[5]), "ci"))
        self.assertOutput(self.cli("export", "-o", "new.dif", "--series", "cd", "edges.dst", "2"),
                          b"")
        self.assertEqual(self.read("new.dif"), dif_export(fields(self.records[2]), "cd"))

    def test_a_lone_dash_is_a_file_name(self):
        # Not an option, nor standard output: "-" names a file as any other word does.
        self.assertOutput(self.cli("export", "edges.dst", "5", "-o", "-"), b"")
        self.assertEqual(self.read("-"), dif_export(fields(self.records[5]), "ci"))
        self.assertFailure(self.cli("info", "-"), "ошибка: тип файла не .dst")
        self.assertFailure(self.cli("list", "-"), "ошибка: тип файла не .dst")

    def test_export_refuses_records_without_series(self):
        for number, mode in [(0, 0), (1, 1), (3, 3), (4, 7), (7, 259)]:
            with self.subTest(record=number):
                self.assertFailure(
                    self.cli("export", "edges.dst", str(number), "-o", "refused.dif"),
                    "ошибка: у записи нет рядов (режим %d); выгружается только измерение по "
                    "времени, режим 2" % mode)
                self.assertFalse(os.path.exists(os.path.join(self.dir, "refused.dif")))

    def test_export_to_a_place_that_cannot_be_written(self):
        self.assertFailure(self.cli("export", "edges.dst", "2", "-o", "no-such-dir/out.dif"),
                           "ошибка записи: no-such-dir/out.dif")

    def test_file_names_pass_through_unchanged(self):
        if RUNNER:
            self.skipTest("the Windows program gets its arguments in the ANSI code page")
        name = "замер 1.dst"
        self.write(name, make_record(serial=7))
        self.assertOutput(self.cli("info", name),
                          utf8_lines(["Файл:\t" + name, "Записей:\t    1  ", "Прибор:\t7"]))
        self.assertFailure(self.cli("list", "нет.dst"), "Нет файла: нет.dst")

    def test_a_full_standard_output_is_a_failure(self):
        if RUNNER or not os.path.exists("/dev/full"):
            self.skipTest("needs /dev/full")
        with open("/dev/full", "wb") as full:
            done = subprocess.run([PROGRAM, "list", "edges.dst"], cwd=self.dir, stdout=full,
                                  stderr=subprocess.PIPE)
        self.assertEqual((done.returncode, done.stderr),
                         (1, "ошибка записи: стандартный вывод\n".encode("utf-8")))

    # -- tables for data work ----------------------------------------------------------------

    def assertTable(self, rows, expected, csv_fields=False):
        """Rows of either output (CSV fields, or JSON objects) against the expected values."""
        self.assertEqual(len(rows), len(expected))
        for row, want in zip(rows, expected):
            self.assertEqual(list(row), list(want))
            if csv_fields:
                row = {k: typed(k, v, 0 if want[k] is None else want[k]) for k, v in row.items()}
            got = {k: f32(v) if k in FLOAT_COLUMNS and v is not None else v for k, v in row.items()}
            self.assertEqual(got, want)

    def test_csv_and_json_of_every_record_of_several_files(self):
        records = [make_record(**fields) for fields in DATA_RECORDS]
        self.write("data.dst", b"".join(records))
        self.write("a, \"b\".dst" if not RUNNER else "a, b.dst", records[2])
        comma = "a, \"b\".dst" if not RUNNER else "a, b.dst"
        expected = ([record_row("data.dst", i, fields(r)) for i, r in enumerate(records)] +
                    [record_row(comma, 0, fields(records[2]))])
        code, out, err = self.cli("csv", "data.dst", "absent.dst", comma, "data.txt")
        self.assertEqual((code, err.decode("utf-8")),
                         (1, "Нет файла: absent.dst\nошибка: тип файла не .dst\n"))
        header, rows = parse_csv(out)
        self.assertEqual(header, RECORD_COLUMNS)
        self.assertTable(rows, expected, csv_fields=True)
        self.assertEqual(out.split(b"\n")[1], "data.dst,0,2019-13-300T99:60:255,2,Измерение по "
                         "времени,,,0,44,65535,-5,128".encode("utf-8"))
        code, out, err = self.cli("csv", "--json", "data.dst", comma)
        self.assertEqual((code, err), (0, b""))
        self.assertTable(json.loads(out), expected)

    def test_series_as_csv_and_json(self):
        records = [make_record(**fields) for fields in DATA_RECORDS]
        self.write("data.dst", b"".join(records))
        for number in (0, 2, 8):
            f = fields(records[number])
            points = range(min(f["points"], 128))
            with self.subTest(record=number):
                code, out, err = self.cli("series", "data.dst", str(number))
                self.assertEqual((code, err), (0, b""))
                self.assertEqual(out, utf8_lines(["time,ci_mg_m3,cd_mg_m3"] + [
                    "%02d:%02d,%s,%s" % ((i + 1) * 5 // 60, (i + 1) * 5 % 60,
                                         hundredths_with_comma(f["ci"][i]).replace(",", "."),
                                         hundredths_with_comma(f["cd"][i]).replace(",", "."))
                    for i in points]))
                code, out, err = self.cli("series", "data.dst", str(number), "--json")
                self.assertEqual((code, err), (0, b""))
                self.assertEqual([(p["time"], f32(p["ci_mg_m3"]), f32(p["cd_mg_m3"]))
                                  for p in json.loads(out)],
                                 [("%02d:%02d" % ((i + 1) * 5 // 60, (i + 1) * 5 % 60),
                                   f32(f["ci"][i] / 100), f32(f["cd"][i] / 100)) for i in points])
        self.assertFailure(self.cli("series", "data.dst", "1"),
                           "ошибка: у записи нет рядов (режим 3); выгружается только измерение по "
                           "времени, режим 2")

    def test_tables_name_cyrillic_files_in_utf8(self):
        # Windows hands the program its arguments in the ANSI code page.
        name = "замер 1.dst"
        self.write(name, make_record(serial=7))
        code, out, err = run(["csv", name], self.dir, russian_system() if RUNNER else None)
        self.assertEqual((code, err), (0, b""))
        self.assertEqual(parse_csv(out)[1][0]["file"], name)

    def test_stats_per_file_and_mode(self):
        records = [make_record(**fields) for fields in DATA_RECORDS]
        self.write("data.dst", b"".join(records))
        expected = stats_rows("data.dst", records) + stats_rows("edges.dst", self.records)
        code, out, err = self.cli("stats", "data.dst", "absent.dst", "edges.dst")
        self.assertEqual((code, err), (1, "Нет файла: absent.dst\n".encode("utf-8")))
        header, rows = parse_csv(out)
        self.assertEqual(header, STATS_COLUMNS)
        self.assertTable(rows, expected, csv_fields=True)
        code, out, err = self.cli("stats", "--json", "data.dst", "edges.dst")
        self.assertEqual((code, err), (0, b""))
        self.assertTable(json.loads(out), expected)

    # -- the viewer's file messages -----------------------------------------------------------

    def test_file_failures_give_the_viewer_messages(self):
        self.write("empty.dst", b"")
        self.write("short.dst", b"\0" * 587)
        self.write("data.txt", make_record())
        for command in (["info"], ["list"], ["show"], ["export"]):
            number = [] if command[0] in ("info", "list") else ["0"]
            with self.subTest(command=command[0]):
                self.assertFailure(self.cli(*command, "absent.dst", *number),
                                   "Нет файла: absent.dst")
                self.assertFailure(self.cli(*command, "data.txt", *number),
                                   "ошибка: тип файла не .dst")
                self.assertFailure(self.cli(*command, "empty.dst", *number),
                                   "ошибка при открытии файла")
        self.assertFailure(self.cli("info", "short.dst"), "ошибка при открытии файла")
        for name in ("edges.dsx", "edges.dst2", "ds"):
            self.assertFailure(self.cli("info", name), "ошибка: тип файла не .dst")

    def test_record_numbers_out_of_range_or_not_numbers(self):
        for number in ("9", "4294967295", "99999999999999999999"):
            with self.subTest(number=number):
                self.assertFailure(self.cli("show", "edges.dst", number),
                                   "ошибка: нет записи с номером %s, записей в файле: 9" % number)
        for number in ("abc", "-1", "", "1x", " 1", "+1"):
            with self.subTest(number=number):
                self.assertFailure(self.cli("export", "edges.dst", number),
                                   "ошибка: неверный номер записи: " + number)

    # -- usage ----------------------------------------------------------------------------------

    def test_help_and_usage_errors(self):
        code, out, err = self.cli("--help")
        self.assertEqual((code, err), (0, b""))
        self.assertTrue(out.decode("utf-8").startswith("Использование:\n"))
        usage = out
        self.assertEqual(self.cli("info", "-h"), (0, usage, b""))
        code, out, err = self.cli("csv", "--version")
        self.assertRegex(out.decode("utf-8"), r"^tolvinark-cli \d+\.\d+\n$")
        for args, problem in [
            ([], "ошибка: не задана команда"),
            (["frobnicate", "edges.dst"], "ошибка: неизвестная команда: frobnicate"),
            (["info"], "ошибка: не хватает аргументов"),
            (["info", "edges.dst", "edges.dst"], "ошибка: лишние аргументы"),
            (["show", "edges.dst"], "ошибка: не хватает аргументов"),
            (["show", "edges.dst", "1", "2"], "ошибка: лишние аргументы"),
            (["info", "edges.dst", "--series", "ci"], "ошибка: неизвестный параметр: --series"),
            (["export", "edges.dst", "2", "--series", "xx"],
             "ошибка: --series ждёт один раз ci или cd"),
            (["export", "edges.dst", "2", "--series"], "ошибка: нет значения параметра --series"),
            (["export", "edges.dst", "2", "-o"], "ошибка: нет значения параметра -o"),
            (["export", "edges.dst", "2", "-x"], "ошибка: неизвестный параметр: -x"),
            (["csv"], "ошибка: не хватает аргументов"),
            (["stats", "--json"], "ошибка: не хватает аргументов"),
            (["series", "edges.dst", "2", "3"], "ошибка: лишние аргументы"),
            (["export", "edges.dst", "2", "--json"], "ошибка: неизвестный параметр: --json"),
        ]:
            with self.subTest(args=args):
                self.assertEqual(self.cli(*args),
                                 (2, b"", problem.encode("utf-8") + b"\n" + usage))


class SampleFile(unittest.TestCase):
    """The bundled sample, read back through the same rules."""

    def setUp(self):
        if not SAMPLE or not os.path.exists(SAMPLE):
            self.skipTest("no sample file")
        with open(SAMPLE, "rb") as file:
            data = file.read()
        self.records = split(data)
        self.dir = os.path.dirname(os.path.abspath(SAMPLE))
        self.name = os.path.basename(SAMPLE)

    def test_info_and_the_first_list_rows(self):
        self.assertEqual(run(["info", self.name], self.dir),
                         (0, utf8_lines(["Файл:\t" + self.name,
                                         "Записей:\t%5d  " % len(self.records),
                                         "Прибор:\t%d" % fields(self.records[0])["serial"]]),
                          b""))
        code, out, err = run(["list", self.name], self.dir)
        self.assertEqual((code, err), (0, b""))
        self.assertEqual(out, utf8_lines(list_row(fields(r)) for r in self.records))

    def test_show_and_export_of_the_first_record_of_each_mode(self):
        first_of_mode = {}
        for number, record in enumerate(self.records):
            first_of_mode.setdefault(fields(record)["mode"], number)
        for mode, number in sorted(first_of_mode.items()):
            with self.subTest(mode=mode):
                f = fields(self.records[number])
                self.assertEqual(run(["show", self.name, str(number)], self.dir),
                                 (0, utf8_lines(show_lines(f)), b""))
                if mode == 2:
                    self.assertEqual(run(["export", self.name, str(number)], self.dir),
                                     (0, dif_export(f, "ci"), b""))


def main():
    global PROGRAM, RUNNER, SAMPLE
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--runner")
    parser.add_argument("--sample")
    args, rest = parser.parse_known_args()
    PROGRAM = os.path.abspath(args.program)
    RUNNER = os.path.abspath(args.runner) if args.runner else None
    SAMPLE = args.sample
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
