"""The viewer as a screen reader reads it: the accessibility probe (fixtures/accessibility_probe.cpp)
reads the running viewer's objects from another process, listens for its events and keeps an
object while the viewer moves on.

The texts the objects must carry come from tolvinark-cli, which writes the same rows and
records: a list item reads as the row's fields without their padding, a detail window's lines
as `show` writes them, the chart's points as `series` writes them.
"""

import json
import os
import queue
import re
import subprocess
import threading
import time

import pytest

import viewer_geometry as geo
import wine_env
from desktop import wait_until
from viewer_page import (DEFAULT_CORNER, MILLION, NO_DST_TYPE, SAMPLE, copy_records,
                         million_records, write_file)

# 64-bit Wine 8 reaches no object of another process: AccessibleObjectFromWindow answers
# E_NOINTERFACE even for a button's standard object. The viewer is a 32-bit program; on a kernel
# that starts none, the module has nothing to read.
pytestmark = pytest.mark.skipif(wine_env.ARCH == "win64", reason="64-bit Wine 8 serves no "
                                "accessible object to another process")

# Roles and states as Active Accessibility numbers them.
CLIENT, CHART, LIST, LIST_ITEM, STATIC_TEXT = 10, 17, 33, 34, 41
SELECTED, FOCUSED, READ_ONLY = 0x2, 0x4, 0x40
OFFSCREEN, FOCUSABLE, SELECTABLE = 0x10000, 0x100000, 0x200000
ROW = SELECTABLE | FOCUSABLE
# Events.
SHOW, REORDER, FOCUS, SELECTION = 0x8002, 0x8004, 0x8005, 0x8006
OBJID_CLIENT = -4
NOT_CONNECTED = "0x800401fd"  # CO_E_OBJNOTCONNECTED
SAMPLE_RECORDS = 61


def spoken(text):
    """A text as it is read out: its padding gone, a run of blanks inside read as one."""
    return re.sub(" +", " ", text).strip()


# ---------------------------------------------------------------- what tolvinark-cli writes

def row_names(session, path):
    """The list item of each record: "<date> <time>, <mode name>, <conc> ± <err> мг/м3"."""
    rows = [line.split("\t") for line in session.cli("list", path).splitlines()]
    return [f"{spoken(d)} {spoken(t)}, {spoken(mode)}, {spoken(pair)} мг/м3"
            for d, t, mode, pair in rows]


def detail_lines(session, path, number):
    """The detail window's text lines, top to bottom, as `show` writes them."""
    fields = dict(line.split("\t", 1) for line in
                  session.cli("show", path, number).splitlines())
    lines = ["Измерение: " + spoken(fields["datetime"]), spoken(fields["mode"])]
    if "duration" in fields:
        lines.append(spoken(fields["duration"]))
    return lines + [spoken(fields["concentration"]), spoken(fields["climate"])]


def point_names(session, path, number, column):
    """The chart's points of one series ("ci" or "cd") as `series` writes them: "00:05 0.12"."""
    header, *rows = session.cli("series", path, number).splitlines()
    index = header.split(",").index(f"{column}_mg_m3")
    return [f"{row.split(',')[0]} {row.split(',')[index]}" for row in rows]


# ---------------------------------------------------------------- the probe

class ScreenReader:
    """The accessibility probe run against the viewer's windows."""

    def __init__(self, session):
        self.session = session
        self.exe = session.programs["accessibility_probe"]

    def command(self, *args):
        return [wine_env.WINE, str(self.exe), *map(str, args)]

    def run(self, *args):
        result = self.session.run(self.exe, *args, timeout=120)
        assert result.returncode == 0, (args, result.returncode, result.stderr[-500:])
        return result.stdout.decode("utf-8")

    def tree(self, rows=30):
        """The main window and the windows it owns, each with its child windows, and every
        window's client object (the probe's JSON)."""
        return json.loads(self.run("tree", geo.TITLE, rows))

    def point(self, x, y):
        """The object or child at screen (x, y), as a screen reader following the pointer finds
        it: its id, role, name, state, place and action."""
        return json.loads(self.run("point", x, y))

    def act(self, child):
        """The list's default action for `child`: its result and milliseconds."""
        return json.loads(self.run("act", geo.TITLE, child))

    def start(self, *args):
        process = subprocess.Popen(self.command(*args), env=self.session.env,
                                   stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        lines = queue.Queue()

        def read():
            for line in process.stdout:
                lines.put(json.loads(line))
        threading.Thread(target=read, daemon=True).start()
        return process, lines


def pane(tree, role):
    """The client object of the main window's child whose object has `role`."""
    found = [w["client"] for w in tree[0]["windows"] if w["client"] and w["client"]["role"] == role
             and w["class"] == "SimpleWinClass"]
    assert len(found) == 1, [w["class"] for w in tree[0]["windows"]]
    return found[0]


def info_pane(tree):
    return next(w["client"] for w in tree[0]["windows"] if w["client"] and
                w["client"]["count"] == 3 and w["class"] == "SimpleWinClass")


def names(obj):
    return [child["name"] for child in obj["children"]]


class Events:
    """The viewer's events as the probe hears them, from its start to the end of the test."""

    def __init__(self, reader, seconds=120):
        self.process, self.lines = reader.start("events", geo.TITLE, seconds)
        first = self.lines.get(timeout=30)
        assert first == {"ready": True}, first
        self.heard = []

    def take(self):
        while True:
            try:
                self.heard.append(self.lines.get_nowait())
            except queue.Empty:
                return self.heard

    def of_the_list(self):
        """(event, child, name) of the list's own events: those of a list or a list item."""
        return [(e["event"], e["child"], e["name"]) for e in self.take()
                if e["role"] in (LIST, LIST_ITEM) and e["object"] == OBJID_CLIENT]

    def wait(self, what, expected, since):
        """The list's events after the first `since` of them, once `expected` many came."""
        wait_until(lambda: len(self.of_the_list()) >= since + expected, what, timeout=15)
        return self.of_the_list()[since:]

    def stop(self):
        self.process.kill()
        self.process.wait()


@pytest.fixture
def reader(session):
    return ScreenReader(session)


@pytest.fixture
def listen(reader):
    """listen(): the viewer's events from now on; the viewer must be running."""
    started = []

    def start():
        started.append(Events(reader))
        return started[-1]
    yield start
    for listening in started:
        listening.stop()


# ---------------------------------------------------------------- the sample read out

def test_the_sample_reads_as_its_rows_panes_and_buttons(session, start_viewer, reader):
    viewer = start_viewer(file=SAMPLE)
    tree = reader.tree(rows=SAMPLE_RECORDS)
    main = tree[0]
    expected_rows = row_names(session, SAMPLE)

    listed = pane(tree, LIST)
    assert (listed["name"], listed["count"]) == ("Список измерений", SAMPLE_RECORDS)
    assert names(listed) == expected_rows
    assert (listed["focus"], listed["selection"]) == (None, None)  # the pointer highlights no row
    # The visible rows lie where X shows them; the others are off screen, without a place.
    client_left, client_top = main["client"]["place"][:2]
    left, top = client_left + geo.LIST_PANE[0] + geo.EDGE, client_top + geo.LIST_PANE[1] + geo.EDGE
    for k, item in enumerate(listed["children"]):
        assert (item["role"], item["action"]) == (LIST_ITEM, "Открыть"), item
        if k < geo.VISIBLE_ROWS:
            assert item["state"] == ROW, item
            assert item["place"] == [left, top + geo.row_top(k), geo.LIST_TEXT_WIDTH,
                                     geo.ROW_PITCH], item
        else:
            assert (item["state"], item["place"]) == (ROW | OFFSCREEN, None), item
    # The pointer over a row finds that row.
    found = reader.point(left + 100, top + geo.row_top(2) + geo.ROW_PITCH // 2)
    assert (found["id"], found["name"]) == (3, expected_rows[2]), found

    info = info_pane(tree)
    assert names(info) == [f"Файл: {viewer.wine_name}", f"Записей: {SAMPLE_RECORDS}",
                           "Прибор: 1703"]
    header = [w["client"] for w in main["windows"] if w["client"] and w["client"]["count"] == 4]
    assert [names(h) for h in header] == [["Дата", "Время", "Режим измерения", "мг/м3"]]
    for text in info["children"] + header[0]["children"]:
        assert (text["role"], text["state"]) == (STATIC_TEXT, READ_ONLY), text
    # The icon buttons are named by their window texts.
    buttons = {w["text"]: w["client"]["name"] for w in main["windows"] if w["class"] == "Button"}
    assert buttons == {"Открыть": "Открыть", "Выход": "Выход"}


# ---------------------------------------------------------------- events

# Each step: keys typed, then the list's events it raises, in any order: (event, child id).
STEPS = [
    (["Down"], [(FOCUS, 1), (SELECTION, 1)]),  # without a highlight Down highlights the top row
    (["Down"], [(FOCUS, 2), (SELECTION, 2)]),
    (["End"], [(REORDER, 0), (FOCUS, SAMPLE_RECORDS), (SELECTION, SAMPLE_RECORDS)]),
    (["Down"], []),  # the last record: nothing moves
    (["Up"], [(FOCUS, 60), (SELECTION, 60)]),
    (["Home"], [(REORDER, 0), (FOCUS, 1), (SELECTION, 1)]),
    (["Up"], []),
    (["Next"], [(REORDER, 0), (FOCUS, 25), (SELECTION, 25)]),
]


def test_keys_announce_the_highlighted_row_and_scrolls_the_new_order(session, start_viewer, listen):
    viewer = start_viewer(file=SAMPLE)
    events = listen()
    rows = row_names(session, SAMPLE)
    session.display.focus(viewer.window.xid)
    for keys, expected in STEPS:
        since = len(events.of_the_list())
        session.display.key(*keys)
        viewer.settle()
        events.wait(f"the events of {keys}", len(expected), since)
        viewer.settle()
        time.sleep(0.3)  # nothing more comes
        heard = events.of_the_list()[since:]
        assert sorted((e, c) for e, c, _ in heard) == sorted(expected), (keys, heard)
        # A focus or selection names the row it went to, as the list reads it.
        for event, child, name in heard:
            assert name == (rows[child - 1] if child else "Список измерений"), (keys, event)
    # The scroll bar scrolls the rows without moving the focus.
    since = len(events.of_the_list())
    viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM)
    assert [e[:2] for e in events.wait("the scroll's reorder", 1, since)] == [(REORDER, 0)]


def test_a_rows_default_action_opens_its_record_as_enter_does(session, start_viewer, reader,
                                                              listen):
    viewer = start_viewer(file=SAMPLE)
    events = listen()
    timed = SAMPLE_RECORDS  # the last record is a timed measurement
    answer = reader.act(timed)
    # The caller does not wait for the window: the open is posted.
    assert answer["result"] == "0x00000000" and answer["ms"] < 1000, answer
    detail = viewer.wait_detail_built()
    assert detail.corner == DEFAULT_CORNER
    # The system announces the new window; Wine 8 raises no show event, only the focus the
    # window takes. The detail window is the one without a title.
    wait_until(lambda: any(e["event"] in (SHOW, FOCUS) and e["child"] == 0 and
                           e["role"] == CLIENT and e["name"] is None for e in events.take()),
               "the detail window announced")

    tree = reader.tree(rows=128)
    assert len(tree) == 2, "the main window and the detail window"
    window = tree[1]["client"]
    lines = [c for c in window["children"] if c["role"] == STATIC_TEXT]
    assert [c["name"] for c in lines] == detail_lines(session, SAMPLE, timed - 1)
    chart = next(c for c in window["children"] if c["role"] == CHART)
    assert chart["name"] == "Си"
    assert names(chart) == point_names(session, SAMPLE, timed - 1, "ci")
    assert {c["role"] for c in chart["children"]} == {LIST_ITEM}
    # The pointer over the ninth bar finds that point.
    x, y, width, height = chart["children"][8]["place"]
    assert reader.point(x + width // 2, y + height // 2)["name"] == chart["children"][8]["name"]
    # The buttons are children too, named by their window texts.
    assert [c["name"] for c in window["children"] if c["role"] == CLIENT] == \
        ["Экспорт в Excel", " Си / Сд "]

    # Enter on the same record gives the same window.
    session.display.focus(viewer.window.xid)
    session.display.key("End", "Return")
    again = viewer.wait_detail_built(replacing=detail)
    assert (again.corner, again.size) == (detail.corner, detail.size)
    assert reader.tree(rows=128)[1]["client"]["children"] == window["children"]

    # The other series, after the toggle.
    viewer.toggle_series(again)
    chart = next(c for c in reader.tree(rows=128)[1]["client"]["children"] if c["role"] == CHART)
    assert (chart["name"], names(chart)) == ("Сд", point_names(session, SAMPLE, timed - 1, "cd"))


# ---------------------------------------------------------------- objects kept

def open_other_file(session, viewer):
    other = write_file(session, "other.dst", range(5))
    viewer.open_by_dialog(wine_env.unix_to_wine_path(other))
    viewer.wait_file_shown()


def close_detail(session, viewer):
    session.display.focus(viewer.window.xid)
    session.display.key("Escape")
    viewer.wait_no_detail("the detail window closed")


def toggle_series(session, viewer):
    viewer.toggle_series(viewer.detail())


@pytest.mark.parametrize("kept, act", [
    ("list", open_other_file),
    ("detail", close_detail),
    ("detail", toggle_series),
], ids=["list, another file opened", "detail window, closed", "detail window, rebuilt"])
def test_a_kept_object_answers_not_connected_once_its_window_moved_on(session, start_viewer,
                                                                      reader, kept, act):
    viewer = start_viewer(file=SAMPLE)
    if kept == "detail":
        assert reader.act(SAMPLE_RECORDS)["result"] == "0x00000000"
        viewer.wait_detail_built()
    process, answers = reader.start("keep", geo.TITLE, kept)
    try:
        first = answers.get(timeout=30)
        assert first["object"]["count"] == "0x00000000", first
        assert (first["chart"] is not None) == (kept == "detail"), first
        act(session, viewer)
        process.stdin.write(b"again\n")
        process.stdin.flush()
        later = answers.get(timeout=30)
        for obj in (later["object"], later["chart"]):
            if obj is not None:
                assert [obj[k] for k in ("count", "name", "place", "focus")] == \
                    [NOT_CONNECTED] * 4, later
        process.stdin.close()
        assert process.wait(timeout=30) == 0
    finally:
        if process.poll() is None:
            process.kill()
    viewer.assert_running()
    # A fresh object reads the window as it is now.
    tree = reader.tree(rows=8)
    if act is open_other_file:
        assert pane(tree, LIST)["count"] == 5
    elif act is toggle_series:
        assert len(tree) == 2, tree
        charts = [c["name"] for c in tree[1]["client"]["children"] if c["role"] == CHART]
        assert charts == ["Сд"], tree[1]


# ---------------------------------------------------------------- while the viewer is busy

def put_up_a_message_box(session, viewer, request):
    """A file of the wrong type chosen in the open dialog: its message box, while the sample
    stays loaded. Gives back what takes it down."""
    wrong = session.temp_dir / "notes.txt"
    wrong.write_text("not a measurement file")
    viewer.open_by_dialog(wine_env.unix_to_wine_path(wrong))
    viewer.wait_message_box(NO_DST_TYPE)
    return lambda: viewer.dismiss_message(NO_DST_TYPE)


def put_up_the_print_dialog(session, viewer, request):
    """A right click on the list: the list printout's print dialog."""
    request.getfixturevalue("print_queues")
    viewer.right_click_list()
    viewer.wait_print_dialog()
    return viewer.cancel_print


@pytest.mark.parametrize("put_up", [put_up_a_message_box, put_up_the_print_dialog],
                         ids=["a message box", "the print dialog"])
def test_while_busy_the_default_action_waits_but_the_reading_does_not(session, start_viewer,
                                                                      reader, request, put_up):
    viewer = start_viewer(file=SAMPLE)
    take_down = put_up(session, viewer, request)

    # Read as usual while the box's or dialog's loop runs; the open is asked for and dropped.
    assert pane(reader.tree(rows=3), LIST)["count"] == SAMPLE_RECORDS
    assert reader.act(5)["result"] == "0x00000000"
    viewer.settle()
    take_down()
    viewer.settle()
    assert viewer.detail() is None
    # Once it is down the action acts.
    assert reader.act(5)["result"] == "0x00000000"
    viewer.wait_detail_built()


# ---------------------------------------------------------------- a million records

def test_a_million_records_answer_from_the_index(session, start_viewer, reader):
    if os.environ.get("TOLVINARK_E2E_LARGE", "1") == "0":
        pytest.skip("TOLVINARK_E2E_LARGE=0")
    large = million_records()
    ends = [copy_records(large, first, 1, session.temp_dir / f"record-{first}.dst")
            for first in (0, MILLION - 1)]
    start_viewer(file=large)
    listed = pane(reader.tree(rows=1), LIST)
    assert listed["count"] == MILLION
    assert [listed["children"][0]["name"], listed["last"]["name"]] == \
        [row_names(session, end)[0] for end in ends]
    assert listed["last"]["state"] == ROW | OFFSCREEN
