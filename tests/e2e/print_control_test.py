"""A printout under the user's control: a range of the list's pages, the progress window and
its Cancel, the viewer's other actions held off while a printout runs, and a printer that
refuses the job reported.

Prints on the project's print queues, which only root can run: skipped for anyone else. The
viewer holds each page for TOLVINARK_TEST_HOLD_PAGE_MS, answering its messages meanwhile (a test
build of it, e2e_held_pages_viewer.exe), so that a test acts while a printout runs instead of
racing it.
"""

import re

import pytest

import viewer_geometry as geo
from desktop import wait_until
from desktop_input import drop_files
from printouts import (PDF300, ROWS_PER_PAGE, TIMED_MODE, check_list_page, print_once, read_pdf,
                       records_of, refusing_jobs, serial_of, shown_printer, wait_dialog_gone)
from viewer_page import (EXCEL_BUTTON, OPEN_DIALOG_TITLE, PRINT_FAILED, PROGRESS_CLASS,
                         TOGGLE_BUTTON, children_of_each, make_records)

HOLD = "TOLVINARK_TEST_HOLD_PAGE_MS"
PROGRESS_TEXT = re.compile(r"^Печать: лист (\d+) из (\d+)$")
PROGRESS_PLACE = (600, 560)  # clear of the list's left end and the detail window


@pytest.fixture
def start_held(session, start_viewer, print_queues):
    """The test build of the viewer, pages held for `hold_ms` each, on the file at `path`."""
    def start(path, hold_ms=None):
        if hold_ms is not None:
            session.env[HOLD] = str(hold_ms)
        return start_viewer(file=path, program=session.programs["held_pages_viewer"])
    return start


# ---------------------------------------------------------------- the progress window

def progress_window(session):
    """The visible progress window and its children (window_texts dicts), or None."""
    for window, children in children_of_each(
            session.window_texts(geo.TITLE),
            lambda w: w["class"] == PROGRESS_CLASS and w["visible"]):
        return [window] + children
    return None


def progress_of(windows):
    """(sheet, sheets) the progress window reads."""
    for window in windows or []:
        match = PROGRESS_TEXT.match(window["text"])
        if match:
            return int(match.group(1)), int(match.group(2))
    raise AssertionError(f"no progress text among {[w['text'] for w in windows or []]}")


def wait_progress(session, sheet=1):
    """The progress window once it reads sheet `sheet` or a later one, moved aside."""
    def shown():
        windows = progress_window(session)
        return windows if windows and progress_of(windows)[0] >= sheet else None
    windows = wait_until(shown, f"the progress window at sheet {sheet}", timeout=60,
                         interval=0.2)
    session.move_window(windows[0]["handle"], *PROGRESS_PLACE)
    return progress_window(session) or windows


# ---------------------------------------------------------------- the print dialog

def answer_dialog(viewer, printer, pages=None):
    """Answers the print dialog that the last right click opened on `printer` (the one it
    shows), with the range `pages` (first, last) when given, by its OK button."""
    session = viewer.session
    dialog = viewer.wait_print_dialog()
    wait_until(lambda: shown_printer(session) == printer, f"the dialog on {printer}")
    parts = session.window_texts("Print")
    if pages is not None:
        session.click_child(parts, "Button", "Pages")
        radio = next(p for p in parts if p["class"] == "Button" and p["text"] == "Pa&ges")
        # The "from" and "to" fields stand on the radio button's line, in that order.
        fields = sorted((p for p in parts if p["class"] == "Edit" and p["visible"] and
                         p["rect"][1] == radio["rect"][1]), key=lambda p: p["rect"][0])
        assert len(fields) == 2, f"the range fields: {fields}"
        for field, page in zip(fields, pages):
            left, top, right, bottom = field["rect"]
            session.display.click((left + right) // 2, (top + bottom) // 2)
            session.display.key("End", "shift+Home", "BackSpace")
            session.display.type_text(str(page))
    session.click_child(parts, "Button", "OK")
    wait_dialog_gone(session.display, dialog)


def new_pdfs(queues, before):
    return [p for found in queues.new_pdfs(before).values() for p in found]


def test_a_range_of_the_list_prints_those_pages_with_their_true_labels(
        session, start_held, print_queues):
    path = make_records(session.temp_dir, "records.dst", 2 * ROWS_PER_PAGE + 1)  # three pages
    viewer = start_held(path)
    before = print_queues.snapshot()
    viewer.right_click_list()
    answer_dialog(viewer, PDF300, pages=(2, 2))
    pdf = print_queues.wait_for_pdf(PDF300, before)
    pages = read_pdf(pdf)
    assert len(pages) == 1, f"{pdf.name}: {len(pages)} pages for the range 2-2"
    check_list_page(pages[0], 2, 3, records_of(path)[ROWS_PER_PAGE:2 * ROWS_PER_PAGE],
                    serial_of(path), viewer.wine_name)


def test_cancel_in_the_progress_window_stops_a_long_printout(session, start_held, print_queues):
    sheets = 300
    path = make_records(session.temp_dir, "records.dst", sheets * ROWS_PER_PAGE)
    viewer = start_held(path, hold_ms=300)
    detail = viewer.open_detail(0)
    before = print_queues.snapshot()
    viewer.right_click_list()
    answer_dialog(viewer, PDF300)
    windows = wait_progress(session, sheet=3)
    assert progress_of(windows)[1] == sheets, f"the progress window reads {progress_of(windows)}"
    session.click_child(windows, "Button", "Отмена")
    viewer.wait_printout_over()

    viewer.assert_no_message_box()  # a cancel is no failure
    printed = [len(read_pdf(pdf)) for pdf in new_pdfs(print_queues, before)]
    assert all(count < sheets for count in printed), f"a full document after Cancel: {printed}"
    # The viewer goes on as before: the same detail window, the list, a new printout asks.
    shown = viewer.detail()
    assert shown and shown.handle == detail.handle, "the detail window changed"
    assert viewer.shows_file(), "the list is gone"
    viewer.right_click_list()
    viewer.cancel_print()
    print(f"    cancelled at sheet {progress_of(windows)[0]} or later; PDFs of {printed} pages")


def nothing_changed(viewer, detail, what):
    """No print or open dialog comes, the detail window is the one it was, no Temp.dif is
    written, and the printout still runs."""
    session = viewer.session
    viewer.assert_no_print_dialog(what)
    assert not session.display.windows_named(OPEN_DIALOG_TITLE), f"the open dialog after {what}"
    shown = viewer.detail()
    assert shown and shown.handle == detail.handle, f"the detail window changed after {what}"
    assert not (session.temp_dir / "Temp.dif").exists(), f"an export after {what}"
    assert progress_window(session), f"the printout ended before {what} was watched"


def type_in_list(viewer, key):
    viewer.window.move(*geo.list_to_client(3, geo.row_top(0) + geo.ROW_PITCH // 2))
    viewer.session.display.key(key)


# Each acts on a viewer printing its list, with `detail` a timed measurement's window.
DURING_PRINTOUT = [
    ("a right click on the list", lambda viewer, detail: viewer.right_click_list()),
    ("a right click on the detail window", lambda viewer, detail: viewer.right_click_detail(detail)),
    ("Open", lambda viewer, detail: viewer.click_open()),
    ("a file dropped on the list", lambda viewer, detail: drop_files(
        viewer.display.name, viewer.window.xid,
        viewer.window.to_screen(*geo.list_to_client(3, 100)), [viewer.path])),
    ("a row click", lambda viewer, detail: viewer.click_row(0)),
    # Keys go where the pointer is: the list's left end, whose row the click highlighted.
    ("Enter", lambda viewer, detail: type_in_list(viewer, "Return")),
    ("Ctrl+O", lambda viewer, detail: type_in_list(viewer, "ctrl+o")),
    ("Escape in the main window", lambda viewer, detail: type_in_list(viewer, "Escape")),
    ("the series toggle", lambda viewer, detail: detail.click_button(TOGGLE_BUTTON)),
    ("the Excel button", lambda viewer, detail: detail.click_button(EXCEL_BUTTON)),
    ("the detail window's close box",
     lambda viewer, detail: viewer.close_detail(detail)),
]


def test_actions_during_a_printout_do_nothing(session, start_held, print_queues):
    path = make_records(session.temp_dir, "records.dst", 2 * ROWS_PER_PAGE + 1)
    timed = next(i for i, (mode, _, _) in enumerate(records_of(path)) if mode == TIMED_MODE)
    assert 0 < timed < geo.VISIBLE_ROWS, "a timed measurement below the first row, on screen"
    viewer = start_held(path, hold_ms=15000)  # the actions below take some 30 s under load
    detail = viewer.open_detail(timed)
    before = print_queues.snapshot()
    viewer.right_click_list()
    answer_dialog(viewer, PDF300)
    wait_progress(session)
    for what, act in DURING_PRINTOUT:
        act(viewer, detail)
        nothing_changed(viewer, detail, what)

    viewer.wait_printout_over()
    pdf = print_queues.wait_for_pdf(PDF300, before)
    pages = read_pdf(pdf)
    records = records_of(path)
    assert len(pages) == 3, f"{pdf.name}: {len(pages)} pages"
    for number, page in enumerate(pages, start=1):
        first = (number - 1) * ROWS_PER_PAGE
        check_list_page(page, number, 3, records[first:first + ROWS_PER_PAGE], serial_of(path),
                        viewer.wine_name)
    # Once it is over the viewer acts again, the keys typed the same way included.
    type_in_list(viewer, "Escape")
    viewer.wait_no_detail("Escape after the printout to close the detail window")
    viewer.click_row(0)
    viewer.wait_detail()


def test_a_queue_that_refuses_jobs_is_reported(session, start_held, print_queues):
    path = make_records(session.temp_dir, "records.dst", ROWS_PER_PAGE)
    viewer = start_held(path)
    with refusing_jobs(PDF300):
        viewer.right_click_list()
        answer_dialog(viewer, PDF300)
        viewer.dismiss_message(PRINT_FAILED)
    assert progress_window(session) is None, "the progress window stayed"
    # The same queue, taking jobs again, prints.
    pdf = print_once(viewer, viewer.right_click_list, PDF300)
    assert len(read_pdf(pdf)) == 1, pdf.name

