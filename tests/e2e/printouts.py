"""The viewer's printouts as they read back from the PDFs of the project's print queues: their
places in layout units (1/600 inch, the same on paper at 300 and 600 dpi), the records a file
holds, one printout printed, and the checks of a list page and a protocol.
"""

import re

import dst_format
from print_queues import layout_to_points, read_pdf
from viewer_page import make_records

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


# ---------------------------------------------------------------- measurement files

def records_of(path):
    """(mode, date text, time text) of every record of a .dst file, in file order."""
    return [(r["mode"], f"{r['day']:02}.{r['month']:02}.{r['year']:04}",
             f"{r['hour']:02}:{r['minute']:02}:{r['second']:02}") for r in dst_format.read(path)]


def serial_of(path):
    return dst_format.read(path)[0]["serial"]


def records_file(session, count):
    """A file of `count` random valid records in the test's folder."""
    return make_records(session.temp_dir, f"records{count}.dst", count)


# ---------------------------------------------------------------- the viewer

def print_once(queues, viewer, click, printer):
    """One printout on the print queues: `click` makes the viewer ask, the dialog is answered
    on `printer`; the PDF that comes out."""
    before = queues.snapshot()
    click()
    viewer.confirm_print(printer)
    return queues.wait_for_pdf(printer, before)


def assert_nothing_printed(queues, viewer, before, what):
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
