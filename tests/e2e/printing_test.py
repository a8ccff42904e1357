#!/usr/bin/env python3
"""The viewer's two printouts, printed as a user prints them: a right click on the list pane or
on the detail window, Wine's print dialog answered by keys, and the PDFs that the project's
print queues make read back word by word.

    printing_test.py tolvinark.exe --window-texts window_texts.exe --sample demo.dst [-k NAME]

Starts the project's print queues, which only root can run: skipped for anyone else. A failing
case keeps the PDFs it printed in build/e2e-failures/ besides the harness's screenshot.

The printouts are laid out in units of 1/600 inch and mapped onto the printer's resolution, so
on both queues (300 and 600 dpi, A4: VERTRES 3508 and 7016) the line height is 7016 / 64 = 109
layout units and every text stands at the same place on paper.
"""

import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))

import harness  # noqa: E402  (first: it puts tools/ on the path)
import dst_format  # noqa: E402
import viewer_geometry as geo  # noqa: E402
from print_dialog import dialog_windows, shown_printer, wait_dialog_gone  # noqa: E402
from print_queues import PrintQueues, layout_to_points, read_pdf  # noqa: E402
from dst_files import MILLION, copy_records, million_records  # noqa: E402
from harness import wait_until  # noqa: E402
from viewer_page import BESIDE_PANES, Viewer, make_records  # noqa: E402

PDF300, PDF600 = "tolvinark-pdf300", "tolvinark-pdf600"
TIMED_MODE = dst_format.MODE_TIMED

# The list printout, in layout units; h is the line height.
LINE_HEIGHT = 7016 // 64  # 109 on A4 at either resolution
ROWS_PER_PAGE = 52
SERIAL_PLACE = (1640, 300)
PAGE_LABEL_PLACE = (3640, 300)
FILE_LABEL_PLACE = (940, 500)
FILE_NAME_PLACE = (1280, 500)
HEADER_TOP = 644 + LINE_HEIGHT
FIRST_ROW_TOP = 652 + 3 * LINE_HEIGHT
DATE_X, TIME_X, CONCENTRATION_X = 980, 1540, 3340
# The protocol printout.
PROTOCOL_SERIAL_PLACE = (1840, 1000)
PROTOCOL_LABEL_PLACE = (1680, 1298)
PROTOCOL_DATE_PLACE = (2400, 1300)
PROTOCOL_MODE_TOP = 1600
PROTOCOL_DURATION_TOP = 1800
PROTOCOL_CONCENTRATION_TOP = 2000
PROTOCOL_CLIMATE_TOP = 2300

# A word's box top lies 2.4 to 2.6 pt below the y handed to TextOut (print_queues); a text that
# starts with blanks has its first word further right than its x by those blanks.
TOP_BELOW = (1.5, 4.0)
BLANK_POINTS = 3.5  # a blank of the printer font, at most

queues = PrintQueues()


keeps_pdfs = queues.keeps_pdfs("printing_test")


# ---------------------------------------------------------------- measurement files

def records_of(path):
    """(mode, date text, time text) of every record of a .dst file, in file order."""
    return [(r["mode"], f"{r['day']:02}.{r['month']:02}.{r['year']:04}",
             f"{r['hour']:02}:{r['minute']:02}:{r['second']:02}") for r in dst_format.read(path)]


def serial_of(path):
    return dst_format.read(path)[0]["serial"]


def records_file(session, count):
    """A file of `count` random valid records in the case's folder."""
    return make_records(session.temp_dir, f"records{count}.dst", count)


# ---------------------------------------------------------------- the viewer

def print_once(viewer, click, printer):
    """One printout: `click` makes the viewer ask, the dialog is answered on `printer`; the
    PDF that comes out."""
    before = queues.snapshot()
    click()
    viewer.confirm_print(printer)
    return queues.wait_for_pdf(printer, before)


def assert_nothing_printed(viewer, before, what):
    """Once the viewer has handled what it was sent, a job it printed is either still with
    the scheduler or already a PDF."""
    viewer.settle()
    fresh = [p for found in queues.new_pdfs(before).values() for p in found]
    assert not fresh and not queues.jobs(), f"printed {fresh or queues.jobs()} after {what}"


# ---------------------------------------------------------------- reading the printouts

def near(actual, expected, tolerance, what):
    assert abs(actual - expected) <= tolerance, \
        f"{what}: at {actual:.2f} pt, expected {expected:.2f} pt"


def assert_text_at(word, place, what, leading_blanks=0):
    """`word` (a pdftotext word or phrase) drawn at `place` (layout units) by TextOut, maybe
    after `leading_blanks` blanks."""
    x, y = (layout_to_points(v) for v in place)
    low = x - 1.0
    high = x + 1.0 + leading_blanks * BLANK_POINTS
    assert low <= word.x_min <= high, f"{what} starts at x {word.x_min:.2f} pt, drawn at {x:.2f}"
    below = word.y_min - y
    assert TOP_BELOW[0] <= below <= TOP_BELOW[1], \
        f"{what} has its top at {word.y_min:.2f} pt, drawn at y {y:.2f}"


def read_printout(pdf):
    """The pages of a printout's PDF. The hyphen comes back from the PDF's font as a soft
    hyphen (U+00AD); it is read as the hyphen it was printed as."""
    pages = read_pdf(pdf)
    for page in pages:
        for word in page.words:
            word.text = word.text.replace("\u00ad", "-")
    return pages


def list_rows(page):
    """The rows of a list page, top to bottom: lines whose first word is a date at the date
    column."""
    date = re.compile(r"^\d\d\.\d\d\.\d{4}$")
    x = layout_to_points(DATE_X)
    return [line for line in page.lines()
            if date.match(line[0].text) and abs(line[0].x_min - x) <= 1.0]


def check_list_page(page, number, count, records, serial, file_name):
    """Page `number` of `count` of a list printout: its heading and its rows, which must be
    `records` (mode, date, time), in order."""
    assert_text_at(page.find(f"Пылемер Лумек с/н {serial}"), SERIAL_PLACE, "the serial label", 1)
    if count > 1:
        # pdftotext may take the blanks of " лист  1  из  2 " as one; the words are what count.
        assert_text_at(page.find(f"лист {number} из {count}"), PAGE_LABEL_PLACE,
                       "the page label", 1)
    else:
        assert not page.find_all("лист"), "a one-page list has no page label"
    assert_text_at(page.find("Файл:"), FILE_LABEL_PLACE, "the file label", 1)
    assert_text_at(page.find(file_name), FILE_NAME_PLACE, "the file name")
    header = [page.find(word) for word in ("дата/время", "режим", "мг/м3")]
    assert_text_at(header[0], (940, HEADER_TOP), "the column header", 11)
    assert len({round(w.y_min) for w in header}) == 1, "the column header is one line"
    assert header[0].x_min < header[1].x_min < header[2].x_min, "the header's column order"

    rows = list_rows(page)
    assert [(row[0].text, row[1].text) for row in rows] == [(d, t) for _, d, t in records], \
        (f"page {number}: rows {[(r[0].text, r[1].text) for r in rows]}, expected "
         f"{[(d, t) for _, d, t in records]}")
    for i, row in enumerate(rows):
        top = FIRST_ROW_TOP + i * LINE_HEIGHT
        assert_text_at(row[0], (DATE_X, top), f"page {number} row {i + 1} date")
        assert_text_at(row[1], (TIME_X, top), f"page {number} row {i + 1} time")
        # The concentration pair "0.123  ±  0.024" stands in its column, wholly on the page.
        pair = [w for w in row if w.x_min >= layout_to_points(CONCENTRATION_X) - 1.0]
        assert len(pair) == 3 and pair[1].text == "±", \
            f"page {number} row {i + 1}: concentration {[w.text for w in pair]}"
        assert_text_at(pair[0], (CONCENTRATION_X, top), f"page {number} row {i + 1} pair")
        assert pair[-1].x_max <= page.width, f"page {number} row {i + 1} runs off the page"
    return rows


def check_list_printout(pdf, path, wine_name):
    """Every record of the file at `path`, 52 to a page, each page with its full heading."""
    records = records_of(path)
    pages = read_printout(pdf)
    count = -(-len(records) // ROWS_PER_PAGE)
    assert len(pages) == count, f"{pdf.name}: {len(pages)} pages for {len(records)} records"
    for number, page in enumerate(pages, start=1):
        first = (number - 1) * ROWS_PER_PAGE
        check_list_page(page, number, count, records[first:first + ROWS_PER_PAGE],
                        serial_of(path), wine_name)
    return pages


def check_protocol(pdf, path, record_number):
    """One page: the frame's texts of the record, the file's serial number above."""
    mode, date, time_text = records_of(path)[record_number]
    pages = read_printout(pdf)
    assert len(pages) == 1, f"{pdf.name}: {len(pages)} pages"
    page = pages[0]
    assert_text_at(page.find(f"Пылемер Лумек с/н {serial_of(path)}"), PROTOCOL_SERIAL_PLACE,
                   "the serial label", 1)
    assert_text_at(page.find("Измерение:"), PROTOCOL_LABEL_PLACE, "the measurement label", 1)
    date_word = page.find(date)
    assert_text_at(date_word, PROTOCOL_DATE_PLACE, "the date-time header", 4)
    assert page.find(time_text).y_min == date_word.y_min, "date and time on one line"
    mode_name = {0: "Экспрес - измерение 30", 1: "Экспрес - измерение 120",
                 TIMED_MODE: "Измерение по времени", 3: "Диапазон 2"}.get(mode, "???")
    for phrase, top in ((mode_name, PROTOCOL_MODE_TOP), ("мг/м3", PROTOCOL_CONCENTRATION_TOP),
                        ("mmHg", PROTOCOL_CLIMATE_TOP)):
        near(page.find(phrase).y_min, layout_to_points(top) + 2.5, 1.5, phrase)
    if mode == TIMED_MODE:
        near(page.find("Время измерения:").y_min,
             layout_to_points(PROTOCOL_DURATION_TOP) + 2.5, 1.5, "the duration line")
    else:
        assert not page.find_all("Время измерения:"), "a duration for an untimed measurement"
    return page


def word_places(pdf):
    """Every word of every page with its place, in reading order."""
    return [(page.number, word.text, word.x_min, word.y_min)
            for page in read_printout(pdf) for line in page.lines() for word in line]


# ---------------------------------------------------------------- cases

@keeps_pdfs
def list_of_the_sample_prints_every_record_under_its_heading(session):
    viewer = Viewer.with_file(session, session.exes["sample"])
    pdf = print_once(viewer, viewer.right_click_list, PDF600)
    pages = check_list_printout(pdf, viewer.path, viewer.wine_name)
    print(f"    the sample ({len(records_of(viewer.path))} records): {len(pages)} pages, "
          f"{[len(list_rows(p)) for p in pages]} rows")


@keeps_pdfs
def a_full_page_and_one_row_print_alike_at_300_and_600_dpi(session):
    path = records_file(session, ROWS_PER_PAGE + 1)
    viewer = Viewer.with_file(session, path)
    low = print_once(viewer, viewer.right_click_list, PDF300)
    # The list asks every time; the dialog opens on the printer chosen last.
    before = queues.snapshot()
    viewer.right_click_list()
    window = viewer.wait_print_dialog()
    assert shown_printer(session) == PDF300, f"the dialog opens on {shown_printer(session)}"
    viewer.confirm_print(PDF600, window=window)
    high = queues.wait_for_pdf(PDF600, before)

    for pdf in (low, high):
        pages = check_list_printout(pdf, path, viewer.wine_name)
        assert [len(list_rows(p)) for p in pages] == [ROWS_PER_PAGE, 1], pdf.name
    low_words, high_words = word_places(low), word_places(high)
    assert [w[:2] for w in low_words] == [w[:2] for w in high_words], \
        "the same words at 300 and 600 dpi"
    worst = max(max(abs(a[2] - b[2]), abs(a[3] - b[3])) for a, b in zip(low_words, high_words))
    assert worst <= 2.0, f"a word stands {worst:.2f} pt apart at 300 and 600 dpi"
    print(f"    {len(low_words)} words; at 300 and 600 dpi at most {worst:.2f} pt apart")


@keeps_pdfs
def one_full_page_has_no_page_label_and_two_full_pages_no_third(session):
    for count, rows in ((ROWS_PER_PAGE, [ROWS_PER_PAGE]),
                        (2 * ROWS_PER_PAGE, [ROWS_PER_PAGE, ROWS_PER_PAGE])):
        path = records_file(session, count)
        viewer = Viewer.with_file(session, path)
        pdf = print_once(viewer, viewer.right_click_list, PDF600)
        pages = check_list_printout(pdf, path, viewer.wine_name)
        assert [len(list_rows(p)) for p in pages] == rows, f"{count} records: {pdf.name}"
        viewer.exit()


@keeps_pdfs
def page_labels_from_the_tenth_page_on_are_printed_whole(session):
    path = records_file(session, 10 * ROWS_PER_PAGE + 1)
    viewer = Viewer.with_file(session, path)
    pdf = print_once(viewer, viewer.right_click_list, PDF300)
    pages = check_list_printout(pdf, path, viewer.wine_name)  # "лист 10 из 11" among them
    assert [len(list_rows(p)) for p in pages] == [ROWS_PER_PAGE] * 10 + [1], pdf.name


@keeps_pdfs
def a_cancelled_dialog_prints_nothing_and_the_next_click_asks_again(session):
    viewer = Viewer.with_file(session, session.exes["sample"])
    before = queues.snapshot()
    viewer.right_click_list()
    viewer.cancel_print()
    assert_nothing_printed(viewer, before, "Cancel")
    pdf = print_once(viewer, viewer.right_click_list, PDF300)
    assert len(read_printout(pdf)) == 2, pdf.name
    assert viewer.program.running()


@keeps_pdfs
def right_clicks_beside_the_list_print_nothing(session):
    viewer = Viewer.with_file(session, session.exes["sample"])
    before = queues.snapshot()
    for name, rect in (("info pane", geo.INFO_PANE), ("header pane", geo.HEADER_PANE),
                       ("main window", (540, 150, 170, 200)), ("Open button", geo.OPEN_BUTTON)):
        viewer.right_click(rect)
        viewer.assert_no_print_dialog(f"a right click on the {name}")
    assert_nothing_printed(viewer, before, "right clicks beside the list")
    # The viewer still answers: the list asks.
    viewer.right_click_list()
    viewer.cancel_print()


@keeps_pdfs
def protocol_asks_once_per_detail_window(session):
    path = session.exes["sample"]
    viewer = Viewer.with_file(session, path)
    timed = next(i for i, (mode, _, _) in enumerate(records_of(path)) if mode == TIMED_MODE)
    assert timed < geo.VISIBLE_ROWS, "the sample's first timed measurement is on screen"
    detail = viewer.open_detail(timed)

    # Twice: one dialog, two documents on the same printer.
    first = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF600)
    before = queues.snapshot()
    viewer.right_click_detail(detail)
    second = queues.wait_for_pdf(PDF600, before)
    assert not dialog_windows(session.display), "the second protocol asked again"
    for pdf in (first, second):
        check_protocol(pdf, path, timed)

    # The series toggle builds a new window: the first right click asks again; a cancelled
    # dialog prints nothing and the next right click asks again too.
    detail = viewer.toggle_series(detail)
    before = queues.snapshot()
    viewer.right_click_detail(detail)
    viewer.cancel_print()
    assert_nothing_printed(viewer, before, "Cancel")
    pdf = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF300)
    check_protocol(pdf, path, timed)

    # A list printout after the protocol asks again, on the printer chosen last ...
    before = queues.snapshot()
    viewer.right_click_list()
    window = viewer.wait_print_dialog()
    assert shown_printer(session) == PDF300, f"the dialog opens on {shown_printer(session)}"
    viewer.confirm_print(None, window=window)
    check_list_printout(queues.wait_for_pdf(PDF300, before), path, viewer.wine_name)
    # ... and the protocol goes on printing to the printer the list chose, without asking.
    before = queues.snapshot()
    viewer.right_click_detail(detail)
    check_protocol(queues.wait_for_pdf(PDF300, before), path, timed)
    assert not dialog_windows(session.display), "the protocol asked after the list"

    # A record click builds a new window: its first protocol asks again.
    express = next(i for i, (mode, _, _) in enumerate(records_of(path)) if mode == 0)
    viewer.click_row(express)
    detail = viewer.wait_detail(replacing=detail)
    pdf = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF600)
    check_protocol(pdf, path, express)


@keeps_pdfs
def right_clicks_while_a_print_dialog_is_open_print_nothing(session):
    """The dialog disables only its owner's top-level window: the list pane and the detail
    window still take right clicks while the other one's dialog is open."""
    viewer = Viewer.with_file(session, session.exes["sample"])
    detail = viewer.open_detail(0)
    before = queues.snapshot()
    for first, second in ((viewer.right_click_list, lambda: viewer.right_click_detail(detail)),
                          (lambda: viewer.right_click_detail(detail), viewer.right_click_list)):
        first()
        dialog = viewer.wait_print_dialog()
        second()
        viewer.settle()
        assert dialog_windows(session.display) == [dialog], "a second print dialog"
        # The click elsewhere took the keyboard from the dialog: Cancel is pressed by pointer.
        session.click_child(session.window_texts("Print"), "Button", "Cancel")
        wait_dialog_gone(session.display, dialog)
        viewer.assert_no_print_dialog("the dialog was cancelled")
    assert_nothing_printed(viewer, before, "Cancel")
    # Printing works again once the dialogs are over.
    pdf = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF600)
    check_protocol(pdf, viewer.path, 0)


@keeps_pdfs
def a_million_records_ask_for_the_list_and_print_the_last_protocol(session):
    """The list printout would run to 19,231 pages and cannot be stopped once the dialog is
    answered, so no test waits for it: its dialog comes and is cancelled, and the viewer goes
    on. The last record's protocol, one page, is printed and read back instead."""
    tail = copy_records(million_records(), MILLION - 48, 48, session.temp_dir / "tail.dst")
    viewer = Viewer.with_file(session, million_records())
    viewer.window.press(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
    viewer.window.move(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM + geo.SCROLL_BAR_WIDTH)
    viewer.window.release(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM + geo.SCROLL_BAR_WIDTH)
    viewer.window.click(*geo.DOWN_ARROW)  # at the end: does nothing
    viewer.park()
    viewer.settle()
    bottom = wait_until(lambda: (rows := viewer.rows()) == viewer.rows() and rows,
                        "the last rows to stand still")
    viewer.right_click_list(5)
    viewer.cancel_print()
    viewer.park()  # the right click left row 5 highlighted
    viewer.wait_rows(bottom, "the last rows again after Cancel")
    viewer.window.wheel(*BESIDE_PANES, 1)
    viewer.park()
    wait_until(lambda: viewer.rows()[1:] == bottom[:-1], "one wheel notch up after Cancel")
    viewer.window.wheel(*BESIDE_PANES, -1)
    viewer.park()
    viewer.wait_rows(bottom, "one wheel notch down to the end")
    detail = viewer.open_detail(geo.VISIBLE_ROWS - 1)
    pdf = print_once(viewer, lambda: viewer.right_click_detail(detail), PDF300)
    check_protocol(pdf, tail, 47)
    assert viewer.detail() is not None


CASES = [
    list_of_the_sample_prints_every_record_under_its_heading,
    a_full_page_and_one_row_print_alike_at_300_and_600_dpi,
    one_full_page_has_no_page_label_and_two_full_pages_no_third,
    page_labels_from_the_tenth_page_on_are_printed_whole,
    a_cancelled_dialog_prints_nothing_and_the_next_click_asks_again,
    right_clicks_beside_the_list_print_nothing,
    protocol_asks_once_per_detail_window,
    right_clicks_while_a_print_dialog_is_open_print_nothing,
    a_million_records_ask_for_the_list_and_print_the_last_protocol,
]

if __name__ == "__main__":
    sys.exit(harness.run_cases(CASES, print_queues=True))
