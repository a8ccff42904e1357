"""Contract tests of tolvinark-cli: exact output bytes, messages and exit codes.

Measurement files are written here (cli_records.py), and the expected texts are computed here
from the record fields by the meter's text rules, independently of the program's own code.
"""

import csv
import decimal
import io
import json
import math
import os
import re
import struct
import subprocess

import pytest

from cli_records import DATA_RECORDS, EDGE_RECORDS
from dst_format import fields, pack, split
from wine_env import ROOT, locale_env

SAMPLE = ROOT / "resources" / "samples" / "demo.dst"
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



def failure(message, code=1):
    """What a run that fails with `message` gives: its code, no output, the message."""
    return code, b"", message.encode("utf-8") + b"\n"


@pytest.fixture
def records(tmp_path):
    """edges.dst in the test's folder: the EDGE_RECORDS and a 100-byte tail; their bytes."""
    records = [pack(**f) for f in EDGE_RECORDS]
    (tmp_path / "edges.dst").write_bytes(b"".join(records) + b"\x01" * 100)
    return records


@pytest.fixture
def data_records(tmp_path):
    """data.dst in the test's folder: the DATA_RECORDS; their bytes."""
    records = [pack(**f) for f in DATA_RECORDS]
    (tmp_path / "data.dst").write_bytes(b"".join(records))
    return records


def assert_table(rows, expected, csv_fields=False):
    """Rows of either output (CSV fields, or JSON objects) against the expected values."""
    assert len(rows) == len(expected)
    for row, want in zip(rows, expected):
        assert list(row) == list(want)
        if csv_fields:
            row = {k: typed(k, v, 0 if want[k] is None else want[k]) for k, v in row.items()}
        assert {k: f32(v) if k in FLOAT_COLUMNS and v is not None else v
                for k, v in row.items()} == want


# -- info, list, show -------------------------------------------------------------------------

def test_info_names_the_file_counts_whole_records_and_takes_the_first_serial(cli, records):
    assert cli("info", "edges.dst") == (0, utf8_lines(
        ["Файл:\tedges.dst", "Записей:\t    9  ", "Прибор:\t12345678"]), b"")


def test_info_of_a_one_record_file_with_upper_case_extension(cli, tmp_path):
    (tmp_path / "ONE.DsT").write_bytes(pack(serial=4294967295))
    assert cli("info", "ONE.DsT") == (0, utf8_lines(
        ["Файл:\tONE.DsT", "Записей:\t    1  ", "Прибор:\t4294967295"]), b"")


def test_list_rows_match_the_document_examples(cli, records):
    code, out, err = cli("list", "edges.dst")
    assert (code, err) == (0, b"")
    assert out.decode("utf-8").split("\n")[:5] == [
        "05.03.2019\t09:05:00\t Экспрес - измерение 30  \t0.123  ±  0.024",
        "31.12.2020\t23:59:59\t Экспрес - измерение 120 \t12.500  ±  2.500",
        "05.03.2019\t09:05:00\t Измерение по времени    \t0.123  ±  0.024",
        "05.03.2019\t00:00:00\t Диапазон 2              \t1.233  ±  0.308",
        "05.03.  19\t09:05:00\t ???                     \t0.000  ±  0.000",
    ]
    assert out == utf8_lines(list_row(fields(r)) for r in records)


@pytest.mark.parametrize("number", range(len(EDGE_RECORDS)))
def test_show_of_every_record_in_its_own_mode(cli, records, number):
    assert cli("show", "edges.dst", str(number)) == \
        (0, utf8_lines(show_lines(fields(records[number]))), b"")


def test_show_matches_the_document_examples(cli, records):
    assert cli("show", "edges.dst", "0")[1].decode("utf-8") == (
        "mode\t Экспрес - измерение 30  \n"
        "datetime\t05.03.2019  09:05:00  \n"
        "concentration\t0.123  ±  0.024   мг/м3 \n"
        "climate\tТ=  23 °c    H=  45 %      P=  752   mmHg \n")
    assert "climate\tТ= -4 °c     H=  100 %     P=  760   mmHg \n" in \
        cli("show", "edges.dst", "1")[1].decode("utf-8")
    assert cli("show", "edges.dst", "2")[1].decode("utf-8").endswith(
        "duration\t Время измерения:   01:02:05   \n")
    assert cli("show", "edges.dst", "3")[1].decode("utf-8").startswith(
        "mode\t       Диапазон 2        \n")


# -- export -----------------------------------------------------------------------------------

def test_export_of_a_full_series_to_standard_output(cli, records):
    code, out, err = cli("export", "edges.dst", "2")
    assert (code, err) == (0, b"")
    assert len(out) == HEADER_SIZE + 128 * ROW_SIZE + 5 == 5755
    assert b'"  Measurement   05.03.2019  09:05:00    "\r\n' in out
    assert b'"     0.123  ~  0.024        "\r\n' in out
    assert out[HEADER_SIZE:HEADER_SIZE + ROW_SIZE] == \
        b"BOT\r\n0,00:05    \r\nV\r\n0,0,00     \r\nV\r\n-1,0\r\n"
    assert out[HEADER_SIZE + 127 * ROW_SIZE:HEADER_SIZE + 128 * ROW_SIZE] == \
        b"BOT\r\n0,10:40    \r\nV\r\n0,8,89     \r\nV\r\n-1,0\r\n"
    assert out == dif_export(fields(records[2]), "ci")


def test_export_of_the_cd_series(cli, records):
    code, out, err = cli("export", "edges.dst", "2", "--series", "cd")
    assert (code, err) == (0, b"")
    assert b'"   Cd"\r\n-1,0\r\nBOT\r\n0,00:05    \r\nV\r\n0,327,67   \r\n' in out
    assert out == dif_export(fields(records[2]), "cd")
    assert cli("export", "edges.dst", "2", "--series", "ci")[1] == \
        dif_export(fields(records[2]), "ci")


@pytest.mark.parametrize("number, series, rows",
                         [(5, "ci", 0), (6, "ci", 128), (6, "cd", 128), (8, "ci", 3), (8, "cd", 3)])
def test_export_point_counts_at_the_edges(cli, records, number, series, rows):
    code, out, err = cli("export", "edges.dst", str(number), "--series", series)
    assert (code, err) == (0, b"")
    assert len(out) == HEADER_SIZE + rows * ROW_SIZE + 5
    assert out == dif_export(fields(records[number]), series)


def test_export_values_at_the_edges(cli, records):
    out = cli("export", "edges.dst", "6")[1]
    values = [out[HEADER_SIZE + i * ROW_SIZE + 23:HEADER_SIZE + i * ROW_SIZE + 32]
              for i in range(8)]
    assert values == [b"0,05     ", b"123,45   ", b"0,05     ", b"-0,05    ", b"-327,68  ",
                      b"0,00     ", b"0,99     ", b"1,00     "]


def test_export_to_a_file_replaces_its_whole_content(cli, records, tmp_path):
    (tmp_path / "out.dif").write_bytes(b"x" * 10000)
    assert cli("export", "edges.dst", "5", "-o", "out.dif") == (0, b"", b"")
    assert (tmp_path / "out.dif").read_bytes() == dif_export(fields(records[5]), "ci")
    assert cli("export", "-o", "new.dif", "--series", "cd", "edges.dst", "2") == (0, b"", b"")
    assert (tmp_path / "new.dif").read_bytes() == dif_export(fields(records[2]), "cd")


def test_a_lone_dash_is_a_file_name(cli, records, tmp_path):
    # Not an option, nor standard output: "-" names a file as any other word does.
    assert cli("export", "edges.dst", "5", "-o", "-") == (0, b"", b"")
    assert (tmp_path / "-").read_bytes() == dif_export(fields(records[5]), "ci")
    assert cli("info", "-") == failure("ошибка: тип файла не .dst")
    assert cli("list", "-") == failure("ошибка: тип файла не .dst")


@pytest.mark.parametrize("number, mode", [(0, 0), (1, 1), (3, 3), (4, 7), (7, 259)])
def test_export_refuses_records_without_series(cli, records, tmp_path, number, mode):
    assert cli("export", "edges.dst", str(number), "-o", "refused.dif") == failure(
        "ошибка: у записи нет рядов (режим %d); выгружается только измерение по времени, "
        "режим 2" % mode)
    assert not (tmp_path / "refused.dif").exists()


def test_export_to_a_place_that_cannot_be_written(cli, records):
    assert cli("export", "edges.dst", "2", "-o", "no-such-dir/out.dif") == \
        failure("ошибка записи: no-such-dir/out.dif")


def test_file_names_pass_through_unchanged(cli, runner, tmp_path):
    if runner:
        pytest.skip("the Windows program gets its arguments in the ANSI code page")
    name = "замер 1.dst"
    (tmp_path / name).write_bytes(pack(serial=7))
    assert cli("info", name) == \
        (0, utf8_lines(["Файл:\t" + name, "Записей:\t    1  ", "Прибор:\t7"]), b"")
    assert cli("list", "нет.dst") == failure("Нет файла: нет.dst")


def test_a_full_standard_output_is_a_failure(request, runner, records, tmp_path):
    if runner or not os.path.exists("/dev/full"):
        pytest.skip("needs /dev/full and the native program")
    with open("/dev/full", "wb") as full:
        done = subprocess.run([request.config.getoption("--cli"), "list", "edges.dst"],
                              cwd=tmp_path, stdout=full, stderr=subprocess.PIPE)
    assert (done.returncode, done.stderr) == \
        (1, "ошибка записи: стандартный вывод\n".encode("utf-8"))


# -- tables for data work ---------------------------------------------------------------------

def test_csv_and_json_of_every_record_of_several_files(cli, runner, data_records, tmp_path):
    comma = "a, \"b\".dst" if not runner else "a, b.dst"
    (tmp_path / comma).write_bytes(data_records[2])
    expected = ([record_row("data.dst", i, fields(r)) for i, r in enumerate(data_records)] +
                [record_row(comma, 0, fields(data_records[2]))])
    code, out, err = cli("csv", "data.dst", "absent.dst", comma, "data.txt")
    assert (code, err.decode("utf-8")) == \
        (1, "Нет файла: absent.dst\nошибка: тип файла не .dst\n")
    header, rows = parse_csv(out)
    assert header == RECORD_COLUMNS
    assert_table(rows, expected, csv_fields=True)
    assert out.split(b"\n")[1] == "data.dst,0,2019-13-300T99:60:255,2,Измерение по времени,,,0,44," \
        "65535,-5,128".encode("utf-8")
    code, out, err = cli("csv", "--json", "data.dst", comma)
    assert (code, err) == (0, b"")
    assert_table(json.loads(out), expected)


@pytest.mark.parametrize("number", [0, 2, 8])
def test_series_as_csv_and_json(cli, data_records, number):
    f = fields(data_records[number])
    points = range(min(f["points"], 128))
    code, out, err = cli("series", "data.dst", str(number))
    assert (code, err) == (0, b"")
    assert out == utf8_lines(["time,ci_mg_m3,cd_mg_m3"] + [
        "%02d:%02d,%s,%s" % ((i + 1) * 5 // 60, (i + 1) * 5 % 60,
                             hundredths_with_comma(f["ci"][i]).replace(",", "."),
                             hundredths_with_comma(f["cd"][i]).replace(",", "."))
        for i in points])
    code, out, err = cli("series", "data.dst", str(number), "--json")
    assert (code, err) == (0, b"")
    assert [(p["time"], f32(p["ci_mg_m3"]), f32(p["cd_mg_m3"])) for p in json.loads(out)] == \
        [("%02d:%02d" % ((i + 1) * 5 // 60, (i + 1) * 5 % 60), f32(f["ci"][i] / 100),
          f32(f["cd"][i] / 100)) for i in points]


def test_series_of_a_record_without_series(cli, data_records):
    assert cli("series", "data.dst", "1") == failure(
        "ошибка: у записи нет рядов (режим 3); выгружается только измерение по времени, режим 2")


def test_tables_name_cyrillic_files_in_utf8(cli, runner, tmp_path):
    # Windows hands the program its arguments in the ANSI code page: a Russian system's, 1251.
    name = "замер 1.dst"
    (tmp_path / name).write_bytes(pack(serial=7))
    code, out, err = cli("csv", name,
                         env=locale_env(os.environ, "ru_RU.UTF-8") if runner else None)
    assert (code, err) == (0, b"")
    assert parse_csv(out)[1][0]["file"] == name


def test_stats_per_file_and_mode(cli, records, data_records):
    expected = stats_rows("data.dst", data_records) + stats_rows("edges.dst", records)
    code, out, err = cli("stats", "data.dst", "absent.dst", "edges.dst")
    assert (code, err) == (1, "Нет файла: absent.dst\n".encode("utf-8"))
    header, rows = parse_csv(out)
    assert header == STATS_COLUMNS
    assert_table(rows, expected, csv_fields=True)
    code, out, err = cli("stats", "--json", "data.dst", "edges.dst")
    assert (code, err) == (0, b"")
    assert_table(json.loads(out), expected)


# -- the viewer's file messages ---------------------------------------------------------------

@pytest.mark.parametrize("command", ["info", "list", "show", "export"])
def test_file_failures_give_the_viewer_messages(cli, tmp_path, command):
    (tmp_path / "empty.dst").write_bytes(b"")
    (tmp_path / "data.txt").write_bytes(pack())
    number = [] if command in ("info", "list") else ["0"]
    assert cli(command, "absent.dst", *number) == failure("Нет файла: absent.dst")
    assert cli(command, "data.txt", *number) == failure("ошибка: тип файла не .dst")
    assert cli(command, "empty.dst", *number) == failure("ошибка при открытии файла")


@pytest.mark.parametrize("name, message", [
    ("short.dst", "ошибка при открытии файла"),
    ("edges.dsx", "ошибка: тип файла не .dst"),
    ("edges.dst2", "ошибка: тип файла не .dst"),
    ("ds", "ошибка: тип файла не .dst"),
])
def test_a_short_file_or_another_extension_gives_the_viewer_messages(cli, tmp_path, records,
                                                                      name, message):
    (tmp_path / "short.dst").write_bytes(b"\0" * 587)
    assert cli("info", name) == failure(message)


@pytest.mark.parametrize("number", ["9", "4294967295", "99999999999999999999"])
def test_record_numbers_out_of_range(cli, records, number):
    assert cli("show", "edges.dst", number) == \
        failure("ошибка: нет записи с номером %s, записей в файле: 9" % number)


@pytest.mark.parametrize("number", ["abc", "-1", "", "1x", " 1", "+1"])
def test_record_numbers_that_are_no_numbers(cli, records, number):
    assert cli("export", "edges.dst", number) == \
        failure("ошибка: неверный номер записи: " + number)


# -- usage ------------------------------------------------------------------------------------

def test_help_and_version(cli):
    code, out, err = cli("--help")
    assert (code, err) == (0, b"")
    assert out.decode("utf-8").startswith("Использование:\n")
    assert cli("info", "-h") == (0, out, b"")
    assert re.fullmatch(r"tolvinark-cli \d+\.\d+\n", cli("csv", "--version")[1].decode("utf-8"))


@pytest.mark.parametrize("args, problem", [
    ([], "ошибка: не задана команда"),
    (["frobnicate", "edges.dst"], "ошибка: неизвестная команда: frobnicate"),
    (["info"], "ошибка: не хватает аргументов"),
    (["info", "edges.dst", "edges.dst"], "ошибка: лишние аргументы"),
    (["show", "edges.dst"], "ошибка: не хватает аргументов"),
    (["show", "edges.dst", "1", "2"], "ошибка: лишние аргументы"),
    (["info", "edges.dst", "--series", "ci"], "ошибка: неизвестный параметр: --series"),
    (["export", "edges.dst", "2", "--series", "xx"], "ошибка: --series ждёт один раз ci или cd"),
    (["export", "edges.dst", "2", "--series"], "ошибка: нет значения параметра --series"),
    (["export", "edges.dst", "2", "-o"], "ошибка: нет значения параметра -o"),
    (["export", "edges.dst", "2", "-x"], "ошибка: неизвестный параметр: -x"),
    (["csv"], "ошибка: не хватает аргументов"),
    (["stats", "--json"], "ошибка: не хватает аргументов"),
    (["series", "edges.dst", "2", "3"], "ошибка: лишние аргументы"),
    (["export", "edges.dst", "2", "--json"], "ошибка: неизвестный параметр: --json"),
])
def test_usage_errors(cli, records, args, problem):
    usage = cli("--help")[1]
    assert cli(*args) == (2, b"", problem.encode("utf-8") + b"\n" + usage)


# -- the bundled sample, read back through the same rules -------------------------------------

@pytest.fixture(scope="module")
def sample_records():
    return split(SAMPLE.read_bytes())


def test_the_sample_info_and_list_rows(cli, sample_records):
    assert cli("info", SAMPLE.name, cwd=SAMPLE.parent) == (0, utf8_lines(
        ["Файл:\t" + SAMPLE.name, "Записей:\t%5d  " % len(sample_records),
         "Прибор:\t%d" % fields(sample_records[0])["serial"]]), b"")
    assert cli("list", SAMPLE.name, cwd=SAMPLE.parent) == \
        (0, utf8_lines(list_row(fields(r)) for r in sample_records), b"")


def test_show_and_export_of_the_first_record_of_each_mode_of_the_sample(cli, sample_records):
    first_of_mode = {}
    for number, record in enumerate(sample_records):
        first_of_mode.setdefault(fields(record)["mode"], number)
    for mode, number in sorted(first_of_mode.items()):
        f = fields(sample_records[number])
        assert cli("show", SAMPLE.name, str(number), cwd=SAMPLE.parent) == \
            (0, utf8_lines(show_lines(f)), b""), mode
        if mode == 2:
            assert cli("export", SAMPLE.name, str(number), cwd=SAMPLE.parent) == \
                (0, dif_export(f, "ci"), b"")
