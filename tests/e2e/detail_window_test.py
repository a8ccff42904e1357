#!/usr/bin/env python3
"""The viewer's detail window used as a user uses it: a click on a list row opens it, the
series toggle and the Excel button act on it, and it opens where the last one stood.

    detail_window_test.py tolvinark.exe --window-texts window_texts.exe --sample demo.dst
                          --cli tolvinark-cli.exe [-k NAME]

The detail window has no title: it is found as the untitled window that the main window
owns, read from inside Wine with its outer rectangle (what the user sees as its place and
size) and its client rectangle (where its picture lies on the screen). The bars the graph
should draw are worked out here from the record's own bytes.
"""

import shutil
import struct
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))

import dst_files  # noqa: E402
import harness  # noqa: E402
import viewer_geometry as geo  # noqa: E402
from harness import wait_until  # noqa: E402
from viewer_test import Viewer  # noqa: E402

RED = (255, 0, 0)
WHITE = (255, 255, 255)
DETAIL_CLASS = "SimpleWinClass"
TOGGLE_TEXT = " Си / Сд "
EXPORT_FAILED = "ошибка при записи файла Temp.dif"
NO_FILE = "Нет файла: "

DEFAULT_CORNER = (20, 100)
TIMED_SIZE = (574, 418)
OTHER_SIZE = (278, 174)
# Buttons of a timed measurement's window, in its client area: (left, top, width, height).
EXCEL_BUTTON = (358, 104, 64, 42)
TOGGLE_BUTTON = (458, 104, 64, 42)

# The graph, in the client area: point i stands at x 44 + 4i, so x 46 + 4i lies between two
# bars; a bar of height h runs from y 370 - h down to y 368; the series label " Си " or " Сд "
# stands at (46, 156).
FIRST_POINT_X, POINT_PITCH, AXIS_Y, BAR_BOTTOM = 44, 4, 370, 368
SERIES_LABEL = (46, 156, 24, 14)
GRAPH_TOP = 162
# Where the wide red pen puts its pixels: 2 columns, round ends. The tolerance allows for
# the rasteriser's choice of columns and of the end rows, and nothing more.
PEN_SLACK = 1

RECORD_SIZE = 588


# ---------------------------------------------------------------- the record's own numbers

class Record:
    """The fields of a measurement record that the detail window and the export show."""

    def __init__(self, data):
        self.mode = struct.unpack_from("<H", data, 16)[0]
        self.point_count = struct.unpack_from("<H", data, 580)[0]
        count = min(self.point_count, 128)
        self.series = {"ci": struct.unpack_from("<128h", data, 68)[:count],
                       "cd": struct.unpack_from("<128h", data, 324)[:count]}


def read_records(path):
    data = Path(path).read_bytes()
    return [Record(data[k:k + RECORD_SIZE])
            for k in range(0, len(data) - RECORD_SIZE + 1, RECORD_SIZE)]


def expected_bar_heights(values):
    """Height of each point's bar, None where a point has no bar: the axis maximum is the
    smallest multiple of 10 (at least 10) not below the largest value; 200 pixels stand for
    it in steps of 1/256."""
    top = max([0, *values])
    axis = 10
    while axis < top:
        axis += 10
    scale = 51200 // axis
    return [(value * scale & 0xFFFF) >> 8 if value > 0 else None for value in values]


def sample_rows(path):
    """Numbers of the sample's first timed measurement of 128 points and of its first
    mode-0 measurement; both stand on the first page of the list."""
    records = read_records(path)
    timed = next(k for k, r in enumerate(records) if r.mode == 2 and r.point_count == 128)
    express = next(k for k, r in enumerate(records) if r.mode == 0)
    assert max(timed, express) < geo.VISIBLE_ROWS, "both on the first page"
    return records, timed, express


# ---------------------------------------------------------------- the detail window

class DetailWindow:
    """The open detail window as read from inside Wine."""

    def __init__(self, display, top, children):
        self.display = display
        self.handle = top["handle"]
        self.outer = top["rect"]  # left, top, right, bottom on the screen
        self.client = top["client"]
        self.children = children

    @property
    def corner(self):
        return self.outer[0], self.outer[1]

    @property
    def size(self):
        return self.outer[2] - self.outer[0], self.outer[3] - self.outer[1]

    def buttons(self):
        """{text: (left, top, width, height) in the client area} of the visible buttons."""
        left, top = self.client[0], self.client[1]
        return {c["text"]: (c["rect"][0] - left, c["rect"][1] - top,
                            c["rect"][2] - c["rect"][0], c["rect"][3] - c["rect"][1])
                for c in self.children if c["class"].lower() == "button" and c["visible"]}

    def grab(self):
        left, top, right, bottom = self.client
        return self.display.grab(left, top, right - left, bottom - top)

    def click_button(self, placement):
        x, y, width, height = placement
        self.display.click(self.client[0] + x + width // 2, self.client[1] + y + height // 2)


def find_detail_window(session):
    """The detail window, or None while none is open."""
    windows = session.owned_windows(geo.TITLE)
    for i, window in enumerate(windows):
        if window["depth"] == 0 and window["class"] == DETAIL_CLASS and window["visible"]:
            children = []
            for child in windows[i + 1:]:
                if child["depth"] == 0:
                    break
                children.append(child)
            return DetailWindow(session.display, window, children)
    return None


def wait_detail_window(session, replacing=None, timeout=15.0):
    """The detail window once it is open; with `replacing`, a new one in its stead."""
    def fresh():
        window = find_detail_window(session)
        if window and (replacing is None or window.handle != replacing.handle):
            return window
        return None
    return wait_until(fresh, "a new detail window" if replacing else "the detail window",
                      timeout, interval=0.2)


def wait_no_detail_window(session, what):
    wait_until(lambda: find_detail_window(session) is None, what, interval=0.2)


def red_bars(image):
    """The red bars of a picture, left to right: (first column, last column, top row,
    bottom row) of each run of neighbouring columns holding red."""
    spans = {}
    for x in range(image.width):
        rows = [y for y in range(GRAPH_TOP, image.height) if image.pixel(x, y) == RED]
        if rows:
            spans[x] = (rows[0], rows[-1])
    bars = []
    for x in sorted(spans):
        top, bottom = spans[x]
        if bars and bars[-1][1] == x - 1:
            first, _, old_top, old_bottom = bars[-1]
            bars[-1] = (first, x, min(top, old_top), max(bottom, old_bottom))
        else:
            bars.append((x, x, top, bottom))
    return bars


def bars_mismatch(image, heights):
    """What is wrong with the picture's bars against the expected heights, or None."""
    bars = red_bars(image)
    wanted = [(FIRST_POINT_X + POINT_PITCH * i, h) for i, h in enumerate(heights)
              if h is not None]
    if len(bars) != len(wanted):
        return f"{len(bars)} bars instead of {len(wanted)}"
    for (first, last, top, bottom), (x, height) in zip(bars, wanted):
        if not (x - PEN_SLACK <= first and last <= x + PEN_SLACK and last - first == 1):
            return f"bar at x {x} covers columns {first} to {last}"
        if abs(top - (AXIS_Y - height)) > PEN_SLACK or abs(bottom - BAR_BOTTOM) > PEN_SLACK:
            return f"bar at x {x} of height {height} runs from y {top} to {bottom}"
    return None


def wait_bars(session, heights, what, replacing=None):
    """The detail window once its graph shows bars of exactly these heights."""
    seen = []

    def drawn():
        window = find_detail_window(session)
        if window is None or (replacing and window.handle == replacing.handle):
            return None
        seen[:] = [bars_mismatch(window.grab(), heights)]
        if seen[0] is not None:
            return None
        # Read again: the list may have been taken while the build was still adding the
        # buttons; a picture on the screen means the build is over.
        return find_detail_window(session)
    try:
        return wait_until(drawn, what, interval=0.2)
    except harness.Timeout as error:
        raise harness.Timeout(f"{error}; {seen[0] if seen else 'no window'}") from None


# ---------------------------------------------------------------- the viewer

def start_viewer(session, path):
    viewer = Viewer(session, harness.unix_to_wine_path(path))
    viewer.wait_file_shown()
    return viewer


def click_record(viewer, number):
    """Clicks the row of record `number` on the first page, at its left end: the one part
    of the list a detail window at (20, 100) leaves uncovered."""
    viewer.click_list(3, geo.row_top(number) + geo.ROW_PITCH // 2)


def graph_parts(image):
    """The picture without the buttons: the texts left of them and the graph below."""
    return image.region(0, 0, 276, 142), image.region(0, GRAPH_TOP - 8, image.width,
                                                      image.height - GRAPH_TOP + 8)


def cli_export(session, dst, number, series):
    """The bytes `tolvinark-cli export` writes for a record and series, run under Wine."""
    out = session.temp_dir / f"expected-{number}-{series}.dif"
    result = subprocess.run(
        [harness.WINE, str(session.exes["cli"]), "export", harness.unix_to_wine_path(dst),
         str(number), "--series", series, "-o", harness.unix_to_wine_path(out)],
        env=session.env, capture_output=True, timeout=60)
    assert result.returncode == 0, result.stderr
    return out.read_bytes()


# ---------------------------------------------------------------- cases

def a_timed_measurement_shows_its_series_and_the_toggle_rebuilds_it_in_place(session):
    sample = session.exes["sample"]
    records, timed, _ = sample_rows(sample)
    ci = expected_bar_heights(records[timed].series["ci"])
    cd = expected_bar_heights(records[timed].series["cd"])
    assert ci != cd
    viewer = start_viewer(session, sample)

    click_record(viewer, timed)
    first = wait_bars(session, ci, "the Ci bars of the clicked record")
    assert first.corner == DEFAULT_CORNER and first.size == TIMED_SIZE, first.outer
    assert first.buttons() == {TOGGLE_TEXT: TOGGLE_BUTTON, "": EXCEL_BUTTON}, first.buttons()
    ci_picture = first.grab()
    assert ci_picture.pixel(302, 250) == WHITE and ci_picture.pixel(5, 5) == geo.BACKGROUND

    first.click_button(TOGGLE_BUTTON)
    second = wait_bars(session, cd, "the Cd bars after the toggle", replacing=first)
    assert (second.outer, second.buttons()) == (first.outer, first.buttons()), \
        (second.outer, second.buttons())
    cd_picture = second.grab()
    label = SERIES_LABEL
    assert cd_picture.region(*label) != ci_picture.region(*label), "the label names Cd"
    texts, _ = graph_parts(cd_picture)
    assert texts == graph_parts(ci_picture)[0], "the same record's texts"

    # Back to Ci: the very picture of the first build, buttons aside.
    second.click_button(TOGGLE_BUTTON)
    third = wait_bars(session, ci, "the Ci bars after the second toggle", replacing=second)
    assert third.outer == first.outer
    assert graph_parts(third.grab()) == graph_parts(ci_picture)
    viewer.click_exit()
    assert viewer.program.wait_exit() == 0


def the_excel_button_writes_the_shown_series_as_the_cli_exports_it(session):
    sample = session.exes["sample"]
    records, timed, _ = sample_rows(sample)
    export = session.temp_dir / "Temp.dif"
    # An earlier, longer file of that name: nothing of it may stay behind the new end.
    export.write_bytes(b"X" * 9000)
    viewer = start_viewer(session, sample)
    click_record(viewer, timed)
    window = wait_bars(session, expected_bar_heights(records[timed].series["ci"]), "Ci bars")

    expected = cli_export(session, sample, timed, "ci")
    assert len(expected) == 246 + 128 * 43 + 5
    window.click_button(EXCEL_BUTTON)
    wait_until(lambda: export.read_bytes() == expected, "Temp.dif to hold the Ci export")

    window.click_button(TOGGLE_BUTTON)
    window = wait_bars(session, expected_bar_heights(records[timed].series["cd"]), "Cd bars",
                       replacing=window)
    expected = cli_export(session, sample, timed, "cd")
    window.click_button(EXCEL_BUTTON)
    wait_until(lambda: export.read_bytes() == expected, "Temp.dif to hold the Cd export")
    viewer.click_exit()
    assert viewer.program.wait_exit() == 0


def an_export_file_that_cannot_be_written_is_reported(session):
    sample = session.exes["sample"]
    records, timed, _ = sample_rows(sample)
    (session.temp_dir / "Temp.dif").mkdir()  # a folder of that name: no file can be opened
    viewer = start_viewer(session, sample)
    click_record(viewer, timed)
    window = wait_bars(session, expected_bar_heights(records[timed].series["ci"]), "Ci bars")
    window.click_button(EXCEL_BUTTON)
    box = viewer.wait_message_box(EXPORT_FAILED)
    viewer.press_button_of(box, "OK")
    # The viewer goes on: the toggle still rebuilds the window.
    window.click_button(TOGGLE_BUTTON)
    wait_bars(session, expected_bar_heights(records[timed].series["cd"]), "Cd bars",
              replacing=window)
    assert (session.temp_dir / "Temp.dif").is_dir()
    viewer.click_exit()
    assert viewer.program.wait_exit() == 0


def the_window_opens_where_the_last_one_stood_and_at_20_100_after_a_close(session):
    sample = session.exes["sample"]
    _, timed, express = sample_rows(sample)
    viewer = start_viewer(session, sample)

    click_record(viewer, timed)
    timed_window = wait_detail_window(session)
    assert (timed_window.corner, timed_window.size) == (DEFAULT_CORNER, TIMED_SIZE)

    # A mode-0 record: small, without buttons, at the same corner.
    click_record(viewer, express)
    small = wait_detail_window(session, replacing=timed_window)
    assert (small.corner, small.size) == (DEFAULT_CORNER, OTHER_SIZE), small.outer
    assert small.buttons() == {}
    picture = wait_until(lambda: (p := small.grab()).pixel(5, 5) == geo.BACKGROUND and p,
                         "the small window's picture")
    assert picture.count(RED) == 0 and picture.count(WHITE) == 0, "no graph"

    moved_to = (300, 200)
    session.move_window(small.handle, *moved_to)
    wait_until(lambda: find_detail_window(session).corner == moved_to, "the window moved")
    click_record(viewer, timed)
    moved = wait_detail_window(session, replacing=small)
    assert (moved.corner, moved.size) == (moved_to, TIMED_SIZE), moved.outer

    # The close box: the next window opens at the first place again.
    close_box(session, viewer, moved)
    wait_no_detail_window(session, "the detail window to close")
    click_record(viewer, timed)
    again = wait_detail_window(session)
    assert (again.corner, again.size) == (DEFAULT_CORNER, TIMED_SIZE), again.outer
    viewer.click_exit()
    assert viewer.program.wait_exit() == 0


def close_box(session, viewer, window):
    """Presses the detail window's close box: the X window of the viewer that lies at the
    window's client area receives what a window manager sends."""
    left, top = window.client[0], window.client[1]
    main = viewer.window.xid
    out = session.display.xdotool("search", "--onlyvisible", "--class", "tolvinark")
    for xid in map(int, out.split()):
        geometry = session.display.geometry(xid)
        if xid != main and geometry and geometry[0] <= left < geometry[0] + geometry[2] and \
                geometry[1] <= top < geometry[1] + geometry[3]:
            session.display.send_close(xid)
            return
    raise AssertionError(f"no X window at the detail window's client area ({left}, {top})")


def the_wheel_over_the_detail_window_scrolls_the_list(session):
    sample = session.exes["sample"]
    _, timed, _ = sample_rows(sample)
    viewer = start_viewer(session, sample)
    click_record(viewer, timed)
    window = wait_detail_window(session)
    session.move_window(window.handle, 300, 200)
    window = wait_until(lambda: (w := find_detail_window(session)) and w.corner == (300, 200)
                        and w, "the window moved")
    main_left = viewer.window.geometry()[0]
    width = window.outer[0] - main_left - geo.LIST_PANE[0] - geo.EDGE  # left of the window

    def dates():
        x, y = geo.list_to_client(0, 0)
        return viewer.window.grab(x, y, width, geo.LIST_CLIENT_HEIGHT)
    before = dates()
    window.display.wheel(window.client[0] + 200, window.client[1] + 250, -1)
    pitch = geo.ROW_PITCH

    def scrolled():
        now = dates()
        return (now.region(0, geo.row_top(0), width, pitch * 10) ==
                before.region(0, geo.row_top(1), width, pitch * 10))
    wait_until(scrolled, "the list one row down")
    viewer.click_exit()
    assert viewer.program.wait_exit() == 0


def opening_another_file_closes_the_detail_window(session):
    sample = session.exes["sample"]
    _, timed, _ = sample_rows(sample)
    viewer = start_viewer(session, sample)
    click_record(viewer, timed)
    wait_detail_window(session)

    other = harness.unix_to_wine_path(dst_files.write(session.temp_dir / "five.dst", range(5)))
    viewer.click_open()
    viewer.program.wait_window("Open")
    parts = session.window_texts("Open")
    edit = next(p for p in parts if p["class"].lower() == "edit" and p["visible"])
    left, top, right, bottom = edit["rect"]
    session.display.click((left + right) // 2, (top + bottom) // 2)
    session.display.key("End", "shift+Home")
    session.display.type_text(other)
    session.display.key("Return")
    wait_no_detail_window(session, "the detail window to close with the old file")
    # The new file's records open a window of their own (record 2 is timed).
    click_record(viewer, 2)
    window = wait_detail_window(session)
    assert (window.corner, window.size) == (DEFAULT_CORNER, TIMED_SIZE)
    viewer.click_exit()
    assert viewer.program.wait_exit() == 0


def a_click_whose_file_is_gone_closes_the_window_after_the_message(session):
    copy = session.temp_dir / "copy.dst"
    shutil.copyfile(session.exes["sample"], copy)
    _, timed, express = sample_rows(copy)
    viewer = start_viewer(session, copy)
    click_record(viewer, timed)
    wait_detail_window(session)
    copy.rename(session.temp_dir / "moved.dst")
    click_record(viewer, express)
    box = viewer.wait_message_box(NO_FILE + harness.unix_to_wine_path(copy))
    assert find_detail_window(session) is not None, "still open while the message stands"
    viewer.press_button_of(box, "OK")
    wait_no_detail_window(session, "the detail window to close after the message")
    assert viewer.program.running()
    viewer.click_exit()
    assert viewer.program.wait_exit() == 0


CASES = [
    a_timed_measurement_shows_its_series_and_the_toggle_rebuilds_it_in_place,
    the_excel_button_writes_the_shown_series_as_the_cli_exports_it,
    an_export_file_that_cannot_be_written_is_reported,
    the_window_opens_where_the_last_one_stood_and_at_20_100_after_a_close,
    the_wheel_over_the_detail_window_scrolls_the_list,
    opening_another_file_closes_the_detail_window,
    a_click_whose_file_is_gone_closes_the_window_after_the_message,
]

if __name__ == "__main__":
    sys.exit(harness.run_cases(CASES))
