"""Ctrl+C copies, read back as other programs on the desktop read them: through the X
clipboard, which Wine serves from the viewer's formats (plain text as UTF8_STRING with LF line
ends, the HTML description's fragment as text/html, the picture as image/bmp), and by
LibreOffice Calc, on an English and a Russian system.

What a copy should hold is worked out from tolvinark-cli's `list`, `csv` and `series` of the
same file, whose texts the contract test pins; the decimal point of a concentration, an error
or a series value becomes the system's separator.
"""

import csv
import io
import os
import re
import shutil
import subprocess
from html.parser import HTMLParser

import pytest
from PIL import Image

from conftest import ENGLISH, RUSSIAN
from desktop import wait_until
from dst_format import RECORD_SIZE
from spreadsheets import convert, same_number
from viewer_page import NO_FILE, SAMPLE
from wine_env import ARCH, locale_env, unix_to_wine_path

HEADER = ["Дата", "Время", "Режим измерения", "Концентрация, мг/м3", "Погрешность, мг/м3",
          "Температура, °C", "Влажность, %", "Давление, мм рт. ст.", "Время измерения"]
SERIES_HEADER = ["Время", "Ci, мг/м3", "Cd, мг/м3"]
DECIMAL_COLUMNS = (3, 4)  # concentration and error
SEPARATOR = {ENGLISH: ".", RUSSIAN: ","}
CALC = {ENGLISH: ("en-US", 1033), RUSSIAN: ("ru-RU", 1049)}
BUSY = "буфер обмена занят"
COPY_FAILED = "ошибка при копировании"
# Records of zeros whose text, 126 bytes a line, passes what a 32-bit program can allocate in
# one block, while their index entries (504 MB) still fit.
TOO_MANY_TO_COPY = 18_000_000
TEXT_TARGETS = {"UTF8_STRING", "text/plain", "text/html"}


# ---------------------------------------------------------------- what a copy should hold

def with_separator(text, separator):
    """A decimal number takes the separator; any other text ("-.---") stays."""
    return text.replace(".", separator) if re.fullmatch(r"-?\d+\.\d+", text) else text


def clock(seconds):
    seconds = max(seconds, 0)  # a negative duration is none
    return f"{seconds // 3600:02}:{seconds // 60 % 60:02}:{seconds % 60:02}"


class Expected:
    """The sample's records and series as the companion gives them."""

    def __init__(self, session, path):
        self.session, self.wine_path = session, unix_to_wine_path(path)
        self.records = list(csv.DictReader(io.StringIO(self.cli("csv"))))
        self.rows = []
        for line, record in zip(self.cli("list").splitlines(), self.records):
            date, time, mode, pair = line.split("\t")
            concentration, error = pair.split("  ±  ")
            timed = record["mode"] == "2"
            self.rows.append([date, time, mode.strip(), concentration, error,
                              record["temperature_c"], record["humidity_pct"],
                              record["pressure_mmhg"],
                              clock(int(record["duration_s"])) if timed else ""])
        assert len(self.rows) == len(self.records) > 24

    def cli(self, command, *args):
        return self.session.cli(command, self.wine_path, *args)

    def first_timed(self):
        return next(n for n, record in enumerate(self.records) if record["mode"] == "2")

    def list_tables(self, separator):
        rows = [[with_separator(cell, separator) if i in DECIMAL_COLUMNS else cell
                 for i, cell in enumerate(row)] for row in self.rows]
        return [[("th", HEADER)] + [("td", row) for row in rows]]

    def measurement_tables(self, n, separator):
        row = self.list_tables(separator)[0][1 + n][1]
        fields = [("td", [name, value]) for name, value in zip(HEADER, row)]
        series = list(csv.reader(io.StringIO(self.cli("series", str(n)))))[1:]
        assert series, "the timed record has points"
        points = [("td", [time, with_separator(ci, separator), with_separator(cd, separator)])
                  for time, ci, cd in series]
        return [fields, [("th", SERIES_HEADER)] + points]


def as_text(tables):
    """The plain text as X hands it on: cells by tabs, LF after every line, an empty line
    between tables."""
    return "\n".join("".join("\t".join(cells) + "\n" for _, cells in table) for table in tables)


class HtmlTables(HTMLParser):
    """The tables of an HTML text: rows of (cell tag, [cell texts])."""

    def __init__(self, html):
        super().__init__()
        self.tables, self.cell = [], None
        self.feed(html)

    def handle_starttag(self, tag, attrs):
        if tag == "table":
            self.tables.append([])
        elif tag == "tr":
            self.tables[-1].append((None, []))
        elif tag in ("td", "th"):
            kind, cells = self.tables[-1][-1]
            assert kind in (None, tag), "a row mixes th and td"
            self.tables[-1][-1] = (tag, cells + [""])
            self.cell = tag

    def handle_endtag(self, tag):
        if tag in ("td", "th"):
            self.cell = None

    def handle_data(self, data):
        if self.cell:
            self.tables[-1][-1][1][-1] += data


# ---------------------------------------------------------------- the X clipboard

def clipboard(session, target):
    """The X clipboard's content as `target`, bytes; None when it cannot be had."""
    done = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", target],
                          env=session.env, capture_output=True, timeout=60)
    return done.stdout if done.returncode == 0 else None


def targets(session):
    listed = clipboard(session, "TARGETS")
    return set(listed.decode().split()) if listed else set()


def wait_text(session, text, what):
    """Waits until the X clipboard holds `text`; on time-out shows what it holds."""
    def holds():
        return clipboard(session, "UTF8_STRING") == text.encode()
    try:
        wait_until(holds, what, timeout=20, interval=0.3)
    except AssertionError:
        held = (clipboard(session, "UTF8_STRING") or b"").decode(errors="replace")
        assert held == text, what


def copy(viewer, xid):
    """Ctrl+C in the viewer's window of X window `xid`, once Wine has given it the keys."""
    viewer.display.focus(xid)
    viewer.settle()
    viewer.display.key("ctrl+c")


def steady_rows(viewer):
    """The list's rows once two looks in a row agree: they are drawn one after another."""
    seen = [None]

    def steady():
        seen[:] = [viewer.rows(), seen[0]]
        return seen[0] == seen[1] and seen[0]
    return wait_until(steady, "the list's rows to stand still")


def open_timed(viewer, expected, toggles):
    """The detail window of the sample's first timed record, its series toggled `toggles`
    times, once it is on the screen."""
    detail = viewer.open_detail(expected.first_timed())
    detail = viewer.wait_detail_built()
    for _ in range(toggles):
        detail = viewer.toggle_series(detail)
    viewer.window.move(0, 0)  # nothing under the pointer to change while it is compared
    viewer.settle()
    return detail


# ---------------------------------------------------------------- the tests

@pytest.mark.parametrize("what, toggles", [
    ("the list", None),
    ("a timed measurement, Ci shown", 0),
    ("a timed measurement, Cd shown", 1),
])
def test_a_copy_reaches_other_programs_as_text_html_and_picture(session, start_viewer, system,
                                                                 what, toggles):
    viewer = start_viewer(file=SAMPLE)
    expected = Expected(session, SAMPLE)
    separator = SEPARATOR[system]
    if toggles is None:
        tables = expected.list_tables(separator)
        viewer.park()
        session.display.focus(viewer.window.xid)
        viewer.settle()
        session.display.key("Next", "Down")  # a page down, then the top row highlighted
        rows = steady_rows(viewer)
        copy(viewer, viewer.window.xid)
    else:
        tables = expected.measurement_tables(expected.first_timed(), separator)
        detail = open_timed(viewer, expected, toggles)
        shown = detail.grab()
        copy(viewer, viewer.detail_xid(detail))
    wait_text(session, as_text(tables), f"{what} as text")

    listed = targets(session)
    assert TEXT_TARGETS <= listed, listed
    html = clipboard(session, "text/html")
    assert html is not None, "the HTML description's offsets lead to its fragment"
    assert HtmlTables(html.decode("utf-8")).tables == tables
    if toggles is None:
        assert "image/bmp" not in listed
        assert steady_rows(viewer) == rows, "the copy moved the rows or the highlight"
    else:
        picture = Image.open(io.BytesIO(clipboard(session, "image/bmp"))).convert("RGB")
        assert picture.size == shown.size
        assert picture.tobytes() == shown.tobytes(), "the picture is the window as shown"
        assert viewer.detail().handle == detail.handle, "the copy leaves the window as it was"
    viewer.assert_no_message_box()


@pytest.mark.skipif(not shutil.which("soffice"), reason="no soffice (libreoffice-calc-nogui)")
def test_calc_reads_every_copied_concentration_as_a_number(session, start_viewer, system):
    viewer = start_viewer(file=SAMPLE)
    expected = Expected(session, SAMPLE)
    text = as_text(expected.list_tables(SEPARATOR[system]))
    copy(viewer, viewer.window.xid)
    wait_text(session, text, "the list as text")

    # What a paste into a sheet of this system's language reads: tab-separated text.
    pasted = session.temp_dir / "pasted.csv"
    pasted.write_bytes(clipboard(session, "UTF8_STRING"))
    locale, language = CALC[system]
    sheet = convert(str(pasted), locale, str(session.temp_dir), f"CSV:9,34,76,1,,{language}")
    assert len(sheet) >= len(expected.rows) + 1
    for row, cells in zip(expected.rows, sheet[1:]):
        for column in DECIMAL_COLUMNS:
            kind, value, shown = cells[column]
            assert kind == "float" and same_number(float(value), float(row[column])), \
                f"{HEADER[column]} {row[column]} arrived as {kind} {shown!r}"


def test_a_clipboard_another_program_holds_says_so_and_keeps_what_it_held(session,
                                                                          start_viewer):
    session.env = locale_env(session.env, ENGLISH)
    viewer = start_viewer(file=SAMPLE)
    expected = Expected(session, SAMPLE)
    separator = SEPARATOR[ENGLISH]
    list_text = as_text(expected.list_tables(separator))
    copy(viewer, viewer.window.xid)
    wait_text(session, list_text, "the list as text")

    holder = session.start(session.programs["hold_clipboard"])
    wait_until(lambda: "held" in holder.output(), "the other program to hold the clipboard")
    detail = open_timed(viewer, expected, 0)
    copy(viewer, viewer.detail_xid(detail))
    viewer.dismiss_message(BUSY)
    holder.stop()
    # Wine serves X only while no program holds the clipboard open.
    assert clipboard(session, "UTF8_STRING") == list_text.encode()
    assert "image/bmp" not in targets(session)

    copy(viewer, viewer.detail_xid(detail))
    measurement = expected.measurement_tables(expected.first_timed(), separator)
    wait_text(session, as_text(measurement), "the measurement, once the clipboard is free")
    viewer.assert_no_message_box()


@pytest.mark.parametrize("records, with_html", [(65536, True), (65537, False)])
def test_html_goes_with_a_list_of_up_to_65536_records(session, start_viewer, records, with_html):
    zeros = session.temp_dir / "zeros.dst"
    with open(zeros, "wb") as file:
        file.truncate(records * RECORD_SIZE)
    viewer = start_viewer(file=zeros)
    copy(viewer, viewer.window.xid)

    def whole():
        text = clipboard(session, "UTF8_STRING")
        return text is not None and text.count(b"\n") == records + 1
    wait_until(whole, f"the header and {records} lines on the clipboard", timeout=60,
               interval=1)
    assert ("text/html" in targets(session)) == with_html


@pytest.mark.parametrize("failure", [
    "the file gone",
    pytest.param("no memory", marks=[
        pytest.mark.skipif(ARCH == "win64", reason="a 64-bit viewer has the memory for it"),
        pytest.mark.skipif(os.environ.get("TOLVINARK_E2E_LARGE", "1") == "0",
                           reason="TOLVINARK_E2E_LARGE=0")]),
])
def test_a_list_copy_that_fails_says_why_and_the_clipboard_keeps_what_it_held(
        session, start_viewer, failure):
    # Another X program owns the clipboard; a copy that emptied it would take it over.
    owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                             env=session.env, stdin=subprocess.PIPE,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        owner.stdin.write(b"held before")
        owner.stdin.close()
        wait_until(lambda: clipboard(session, "UTF8_STRING") == b"held before",
                   "the other program's text on the clipboard")
        if failure == "the file gone":
            gone = session.temp_dir / "gone.dst"
            shutil.copyfile(SAMPLE, gone)
            viewer = start_viewer(file=gone)
            gone.unlink()
            message = NO_FILE + viewer.wine_name
        else:
            huge = session.temp_dir / "huge.dst"
            with open(huge, "wb") as file:
                file.truncate(TOO_MANY_TO_COPY * RECORD_SIZE)  # sparse: no byte on the disk
            viewer = start_viewer(file=huge)
            message = COPY_FAILED
        copy(viewer, viewer.window.xid)
        viewer.dismiss_message(message, timeout=240)  # 10 GB of records are counted first
        assert owner.poll() is None, "the other program still owns the clipboard"
        assert clipboard(session, "UTF8_STRING") == b"held before"
    finally:
        owner.kill()
        owner.wait()
