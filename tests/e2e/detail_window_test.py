"""The viewer's detail window used as a user uses it: a click on a list row opens it, the
series toggle and the Excel button act on it, and it opens where the last one stood.

The detail window has no title: it is found as the untitled window that the main window
owns, read from inside Wine with its outer rectangle (what the user sees as its place and
size) and its client rectangle (where its picture lies on the screen). The bars the graph
should draw are worked out here from the record's own bytes.
"""

import shutil

import dst_format
import viewer_geometry as geo
from desktop import Timeout, count, wait_until
from viewer_page import (DEFAULT_CORNER, EXCEL_BUTTON, EXPORT_FAILED, NO_FILE, OTHER_SIZE,
                         SAMPLE, TIMED_SIZE, TOGGLE_BUTTON, TOGGLE_TEXT, write_file)
from wine_env import unix_to_wine_path

RED = (255, 0, 0)
WHITE = (255, 255, 255)

# The graph, in the client area: point i stands at x 44 + 4i, so x 46 + 4i lies between two
# bars; a bar of height h runs from y 370 - h down to y 368; the series label " Си " or " Сд "
# stands at (46, 156).
FIRST_POINT_X, POINT_PITCH, AXIS_Y, BAR_BOTTOM = 44, 4, 370, 368
SERIES_LABEL = (46, 156, 24, 14)
GRAPH_TOP = 162
# Where the wide red pen puts its pixels: 2 columns, round ends. The tolerance allows for
# the rasteriser's choice of columns and of the end rows, and nothing more.
PEN_SLACK = 1


# ---------------------------------------------------------------- the record's own numbers

def series(record, name):
    """A record's series ("ci" or "cd"): the points its point count says it has."""
    return record[name][:min(record["points"], dst_format.SERIES_POINTS)]


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
    records = dst_format.read(path)
    timed = next(k for k, r in enumerate(records) if r["mode"] == 2 and r["points"] == 128)
    express = next(k for k, r in enumerate(records) if r["mode"] == 0)
    assert max(timed, express) < geo.VISIBLE_ROWS, "both on the first page"
    return records, timed, express


# ---------------------------------------------------------------- the detail window

def red_bars(image):
    """The red bars of a picture, left to right: (first column, last column, top row,
    bottom row) of each run of neighbouring columns holding red."""
    spans, pixels = {}, image.load()
    for x in range(image.width):
        rows = [y for y in range(GRAPH_TOP, image.height) if pixels[x, y] == RED]
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


def wait_bars(viewer, heights, what, replacing=None):
    """The detail window once its graph shows bars of exactly these heights."""
    seen = []

    def drawn():
        window = viewer.detail()
        if window is None or (replacing and window.handle == replacing.handle):
            return None
        seen[:] = [bars_mismatch(window.grab(), heights)]
        if seen[0] is not None:
            return None
        # Read again: the list may have been taken while the build was still adding the
        # buttons; a picture on the screen means the build is over.
        return viewer.detail()
    try:
        return wait_until(drawn, what, interval=0.2)
    except Timeout as error:
        raise Timeout(f"{error}; {seen[0] if seen else 'no window'}") from None


def graph_parts(image):
    """The picture without the buttons: the texts left of them and the graph below."""
    return image.crop((0, 0, 276, 142)), image.crop((0, GRAPH_TOP - 8, *image.size))


def test_a_timed_measurement_shows_its_series_and_the_toggle_rebuilds_it_in_place(
        start_viewer):
    records, timed, _ = sample_rows(SAMPLE)
    ci = expected_bar_heights(series(records[timed], "ci"))
    cd = expected_bar_heights(series(records[timed], "cd"))
    assert ci != cd
    viewer = start_viewer(file=SAMPLE)

    viewer.click_row(timed)
    first = wait_bars(viewer, ci, "the Ci bars of the clicked record")
    assert first.corner == DEFAULT_CORNER and first.size == TIMED_SIZE, first.outer
    assert first.buttons() == {TOGGLE_TEXT: TOGGLE_BUTTON, "Экспорт в Excel": EXCEL_BUTTON}, \
        first.buttons()
    ci_picture = first.grab()
    assert ci_picture.getpixel((302, 250)) == WHITE and \
        ci_picture.getpixel((5, 5)) == geo.BACKGROUND

    first.click_button(TOGGLE_BUTTON)
    second = wait_bars(viewer, cd, "the Cd bars after the toggle", replacing=first)
    assert (second.outer, second.buttons()) == (first.outer, first.buttons()), \
        (second.outer, second.buttons())
    cd_picture = second.grab()
    label = SERIES_LABEL
    label = (label[0], label[1], label[0] + label[2], label[1] + label[3])
    assert cd_picture.crop(label) != ci_picture.crop(label), "the label names Cd"
    texts, _ = graph_parts(cd_picture)
    assert texts == graph_parts(ci_picture)[0], "the same record's texts"

    # Back to Ci: the very picture of the first build, buttons aside.
    second.click_button(TOGGLE_BUTTON)
    third = wait_bars(viewer, ci, "the Ci bars after the second toggle", replacing=second)
    assert third.outer == first.outer
    assert graph_parts(third.grab()) == graph_parts(ci_picture)
    viewer.exit()


def test_the_excel_button_writes_the_shown_series_as_the_cli_exports_it(session, start_viewer):
    records, timed, _ = sample_rows(SAMPLE)
    export = session.temp_dir / "Temp.dif"
    # An earlier, longer file of that name: nothing of it may stay behind the new end.
    export.write_bytes(b"X" * 9000)
    viewer = start_viewer(file=SAMPLE)
    viewer.click_row(timed)
    window = wait_bars(viewer, expected_bar_heights(series(records[timed], "ci")), "Ci bars")

    expected = session.cli("export", SAMPLE, timed, "--series", "ci", binary=True)
    assert len(expected) == 246 + 128 * 43 + 5
    window.click_button(EXCEL_BUTTON)
    wait_until(lambda: export.read_bytes() == expected, "Temp.dif to hold the Ci export")

    window.click_button(TOGGLE_BUTTON)
    window = wait_bars(viewer, expected_bar_heights(series(records[timed], "cd")), "Cd bars",
                       replacing=window)
    expected = session.cli("export", SAMPLE, timed, "--series", "cd", binary=True)
    window.click_button(EXCEL_BUTTON)
    wait_until(lambda: export.read_bytes() == expected, "Temp.dif to hold the Cd export")
    viewer.exit()


def test_an_export_file_that_cannot_be_written_is_reported(session, start_viewer):
    records, timed, _ = sample_rows(SAMPLE)
    (session.temp_dir / "Temp.dif").mkdir()  # a folder of that name: no file can be opened
    viewer = start_viewer(file=SAMPLE)
    viewer.click_row(timed)
    window = wait_bars(viewer, expected_bar_heights(series(records[timed], "ci")), "Ci bars")
    window.click_button(EXCEL_BUTTON)
    viewer.dismiss_message(EXPORT_FAILED)
    # The viewer goes on: the toggle still rebuilds the window.
    window.click_button(TOGGLE_BUTTON)
    wait_bars(viewer, expected_bar_heights(series(records[timed], "cd")), "Cd bars",
              replacing=window)
    assert (session.temp_dir / "Temp.dif").is_dir()
    viewer.exit()


def test_the_window_opens_where_the_last_one_stood_and_at_20_100_after_a_close(
        session, start_viewer):
    _, timed, express = sample_rows(SAMPLE)
    viewer = start_viewer(file=SAMPLE)

    viewer.click_row(timed)
    timed_window = viewer.wait_detail()
    assert (timed_window.corner, timed_window.size) == (DEFAULT_CORNER, TIMED_SIZE)

    # A mode-0 record: small, without buttons, at the same corner.
    viewer.click_row(express)
    small = viewer.wait_detail(replacing=timed_window)
    assert (small.corner, small.size) == (DEFAULT_CORNER, OTHER_SIZE), small.outer
    assert small.buttons() == {}
    picture = wait_until(lambda: (p := small.grab()).getpixel((5, 5)) == geo.BACKGROUND and p,
                         "the small window's picture")
    assert count(picture, RED) == 0 and count(picture, WHITE) == 0, "no graph"

    moved_to = (300, 200)
    session.move_window(small.handle, *moved_to)
    wait_until(lambda: viewer.detail().corner == moved_to, "the window moved")
    viewer.click_row(timed)
    moved = viewer.wait_detail(replacing=small)
    assert (moved.corner, moved.size) == (moved_to, TIMED_SIZE), moved.outer

    # The close box: the next window opens at the first place again.
    viewer.close_detail(moved)
    viewer.wait_no_detail("the detail window to close")
    viewer.click_row(timed)
    again = viewer.wait_detail()
    assert (again.corner, again.size) == (DEFAULT_CORNER, TIMED_SIZE), again.outer
    viewer.exit()


def test_the_wheel_over_the_detail_window_scrolls_the_list(session, start_viewer):
    _, timed, _ = sample_rows(SAMPLE)
    viewer = start_viewer(file=SAMPLE)
    viewer.click_row(timed)
    window = viewer.wait_detail()
    session.move_window(window.handle, 300, 200)
    window = wait_until(lambda: (w := viewer.detail()) and w.corner == (300, 200)
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
        return (now.crop((0, geo.row_top(0), width, geo.row_top(0) + pitch * 10)) ==
                before.crop((0, geo.row_top(1), width, geo.row_top(1) + pitch * 10)))
    wait_until(scrolled, "the list one row down")
    viewer.exit()


def test_opening_another_file_closes_the_detail_window(session, start_viewer):
    _, timed, _ = sample_rows(SAMPLE)
    viewer = start_viewer(file=SAMPLE)
    viewer.click_row(timed)
    viewer.wait_detail()

    viewer.open_by_dialog(unix_to_wine_path(write_file(session, "five.dst", range(5))))
    viewer.wait_no_detail("the detail window to close with the old file")
    # The new file's records open a window of their own (record 2 is timed).
    viewer.click_row(2)
    window = viewer.wait_detail()
    assert (window.corner, window.size) == (DEFAULT_CORNER, TIMED_SIZE)
    viewer.exit()


def test_a_click_whose_file_is_gone_closes_the_window_after_the_message(session, start_viewer):
    copy = session.temp_dir / "copy.dst"
    shutil.copyfile(SAMPLE, copy)
    _, timed, express = sample_rows(copy)
    viewer = start_viewer(file=copy)
    viewer.click_row(timed)
    viewer.wait_detail()
    copy.rename(session.temp_dir / "moved.dst")
    viewer.click_row(express)
    box = viewer.wait_message_box(NO_FILE + unix_to_wine_path(copy))
    assert viewer.detail() is not None, "still open while the message stands"
    viewer.press_button_of(box, "OK")
    viewer.wait_no_detail("the detail window to close after the message")
    assert viewer.program.running()
    viewer.exit()

