"""The viewer's printing as a user meets it: Wine's print dialog answered by keys, and the
printouts read back from the PDFs of the project's print queues (scripts/lib/print_queue.py).

Wine 8's print dialog (PrintDlgA) on a bare Xvfb, with no window manager: a top-level X window
named "Print", shown 0.1 to 0.3 s after the call (a program's first some 2 s after Wine starts
it). It opens with the keyboard focus in the printer combo box, showing the printer of the
DEVNAMES handed in, else the default (the first queue). The box lists the queues in order: Home
selects the first, each Down the next; Return presses OK, Escape Cancel. Keys reach it only
through the X input focus, so the dialog is given it first. Letters are never typed into it:
the box takes none, so each acts as a shortcut (p opens "Properties").

Where each text of a printout stands in layout units (1/600 inch, the same on paper at 300
and 600 dpi) is the unit tests' affair (tests/output); read back here are the records and
texts that reached the paper, with a few anchors that show the layout reached it at the
printer's resolution. pdftotext -bbox gives each word's box in points from the page's top
left corner: x_min is the x handed to TextOut, y_min lies 2.4 to 2.6 pt below its y.
"""

import re
import subprocess
import xml.etree.ElementTree as ElementTree
from contextlib import contextmanager
from dataclasses import dataclass, field

import dst_format
from desktop import Timeout, wait_until
from print_queue import QUEUES, jobs, new_pdfs, snapshot, wait_for_pdf

PDF300, PDF600 = QUEUES
DIALOG_TITLE = "Print"
TIMED_MODE = dst_format.MODE_TIMED
ROWS_PER_PAGE = 52
LINE_HEIGHT = 7016 // 64  # layout units, on A4 at either resolution
SERIAL_PLACE = (1640, 300)  # the list's serial label; the first row's date, its pair:
FIRST_ROW_TOP, DATE_X, CONCENTRATION_X = 652 + 3 * LINE_HEIGHT, 980, 3340
PROTOCOL_SERIAL_PLACE, PROTOCOL_CLIMATE_TOP = (1840, 1000), 2300
TOP_BELOW = (1.5, 4.0)  # points between the y handed to TextOut and the word's top
BLANK_POINTS = 3.5  # a blank of the printer font, at most


# ---------------------------------------------------------------- the print dialog

def dialog_windows(display):
    """The visible print dialogs, as X window ids."""
    return display.windows_named(DIALOG_TITLE)


def wait_print_dialog(display, timeout=30.0, besides=(), alive=None):
    """The X window of a print dialog not among `besides`, once visible; fails at once when
    `alive()` says the program ended."""
    def fresh():
        found = [w for w in dialog_windows(display) if w not in besides]
        assert found or alive is None or alive(), "the program ended before its print dialog"
        return found[0] if found else None
    return wait_until(fresh, f"a {DIALOG_TITLE!r} dialog", timeout)


def wait_dialog_gone(display, window):
    wait_until(lambda: window not in dialog_windows(display), "the print dialog to close")


def shown_printer(session):
    """The printer the print dialog shows, None without one: read from inside Wine on the
    "Where:" line below the combo box ("CUPS:" and the queue), as the box's own text cannot be
    read from another process."""
    for window in session.window_texts(DIALOG_TITLE):
        if window["class"].lower() == "static" and window["visible"] and \
                window["text"].startswith("CUPS:"):
            return window["text"][len("CUPS:"):]
    return None


def confirm_print_dialog(session, printer, window=None, alive=None):
    """Chooses `printer` in the print dialog (None: the one it shows) and, once it shows it,
    presses OK; waits for the dialog first unless its X `window` is given, and until it is gone."""
    display = session.display
    window = window or wait_print_dialog(display, alive=alive)
    display.focus(window)
    if printer is not None:
        display.key("Home", *["Down"] * QUEUES.index(printer))
        seen = []
        try:
            wait_until(lambda: seen.append(shown_printer(session)) or seen[-1] == printer,
                       f"the print dialog to show {printer!r}", interval=0.1)
        except Timeout as error:
            raise AssertionError(f"{error}; it shows {seen[-1]!r}") from None
    display.key("Return")
    wait_dialog_gone(display, window)
    return window


def cancel_print_dialog(display, window=None, alive=None):
    """Presses Cancel (Escape) in the print dialog; waits until it is gone."""
    window = window or wait_print_dialog(display, alive=alive)
    display.focus(window)
    display.key("Escape")
    wait_dialog_gone(display, window)


def print_once(viewer, click, printer):
    """One printout: `click` makes the viewer ask, the dialog is answered on `printer`; the
    PDF that comes out."""
    before = snapshot()
    click()
    viewer.confirm_print(printer)
    return wait_for_pdf(printer, before)


def assert_nothing_printed(viewer, before, what):
    """Once the viewer has handled what it was sent, a job it printed is either still with
    the scheduler or already a PDF."""
    viewer.settle()
    fresh = [p for found in new_pdfs(before).values() for p in found]
    assert not fresh and not jobs(), f"printed {fresh or jobs()} after {what}"


@contextmanager
def refusing_jobs(queue):
    """`queue` refuses and holds jobs (cupsreject, cupsdisable) inside the block: a print job on
    it then really fails in Wine."""
    def run(*commands):
        for command in commands:  # CUPS_SERVER is the print_queues fixture's
            subprocess.run([command, queue], check=True, capture_output=True)
    run("cupsreject", "cupsdisable")
    try:
        yield
    finally:
        run("cupsaccept", "cupsenable")


# ---------------------------------------------------------------- the PDFs read back

@dataclass
class Word:
    text: str
    x_min: float
    y_min: float
    x_max: float
    y_max: float


@dataclass
class Page:
    number: int  # from 1
    width: float  # points
    height: float
    words: list = field(default_factory=list)

    def lines(self):
        """Words whose tops lie within 1 pt share a line; lines top down, words left to right."""
        lines = []
        for word in sorted(self.words, key=lambda w: (w.y_min, w.x_min)):
            if lines and abs(lines[-1][0].y_min - word.y_min) <= 1.0:
                lines[-1].append(word)
            else:
                lines.append([word])
        return [sorted(line, key=lambda w: w.x_min) for line in lines]

    def find_all(self, phrase):
        """Every place where the words of `phrase` stand one after another on a line, each as
        one Word spanning them."""
        wanted, found = phrase.split(), []
        for line in self.lines():
            for i in range(len(line) - len(wanted) + 1):
                span = line[i:i + len(wanted)]
                if [w.text for w in span] == wanted:
                    found.append(Word(" ".join(wanted), span[0].x_min, min(w.y_min for w in span),
                                      span[-1].x_max, max(w.y_max for w in span)))
        return found

    def find(self, phrase):
        """The one place of `phrase` on the page; fails if it is missing or there twice."""
        found = self.find_all(phrase)
        text = " / ".join(" ".join(w.text for w in line) for line in self.lines())
        assert len(found) == 1, f"{phrase!r} {len(found)} times on page {self.number}: {text}"
        return found[0]


def read_pdf(path):
    """The pages of a PDF with their words. The hyphen comes back from the PDF's font as a soft
    hyphen (U+00AD); it is read as the hyphen it was printed as."""
    xhtml = subprocess.run(["pdftotext", "-bbox", str(path), "-"], capture_output=True,
                           check=True).stdout.decode("utf-8")
    pages = []
    for element in ElementTree.fromstring(xhtml).iter():  # never fetches the DTD it names
        if element.tag.endswith("}page"):
            page = Page(len(pages) + 1, float(element.get("width")), float(element.get("height")))
            page.words = [Word((w.text or "").replace("\u00ad", "-"), *(float(w.get(k)) for k in (
                "xMin", "yMin", "xMax", "yMax"))) for w in element if w.tag.endswith("}word")]
            pages.append(page)
    return pages


def layout_to_points(units):
    return units * 72.0 / 600


def assert_text_at(word, place, what, leading_blanks=0):
    """`word` drawn by TextOut at `place` (layout units), maybe after `leading_blanks` blanks."""
    x, y = (layout_to_points(v) for v in place)
    assert x - 1.0 <= word.x_min <= x + 1.0 + leading_blanks * BLANK_POINTS, \
        f"{what} starts at x {word.x_min:.2f} pt, drawn at {x:.2f}"
    assert TOP_BELOW[0] <= word.y_min - y <= TOP_BELOW[1], \
        f"{what} has its top at {word.y_min:.2f} pt, drawn at y {y:.2f}"


def records_of(path):
    """(mode, date text, time text) of every record of a .dst file, in file order."""
    return [(r["mode"], f"{r['day']:02}.{r['month']:02}.{r['year']:04}",
             f"{r['hour']:02}:{r['minute']:02}:{r['second']:02}") for r in dst_format.read(path)]


def serial_of(path):
    return dst_format.read(path)[0]["serial"]


def list_rows(page):
    """The rows of a list page, top to bottom: lines whose first word is a date."""
    return [line for line in page.lines() if re.match(r"^\d\d\.\d\d\.\d{4}$", line[0].text)]


def check_list_page(page, number, count, records, serial, file_name):
    """Page `number` of `count` of a list printout: its heading's texts and its rows, which must
    be `records` (mode, date, time) in order; the serial label, the first row's date and the
    last row's concentration pair where the layout puts them."""
    assert_text_at(page.find(f"Пылемер Лумек с/н {serial}"), SERIAL_PLACE, "the serial label", 1)
    if count > 1:  # the words count: pdftotext may take the blanks of " лист  1  из  2 " as one
        page.find(f"лист {number} из {count}")
    else:
        assert not page.find_all("лист"), "a one-page list has no page label"
    for text in ("Файл:", file_name, "дата/время", "режим", "мг/м3"):
        page.find(text)
    rows = list_rows(page)
    assert [(row[0].text, row[1].text) for row in rows] == [(d, t) for _, d, t in records], \
        (f"page {number}: rows {[(r[0].text, r[1].text) for r in rows]}, expected "
         f"{[(d, t) for _, d, t in records]}")
    assert_text_at(rows[0][0], (DATE_X, FIRST_ROW_TOP), f"page {number}'s first date")
    # The last pair "0.123  ±  0.024" stands in its column, wholly on the page.
    pair = [w for w in rows[-1] if w.x_min >= layout_to_points(CONCENTRATION_X) - 1.0]
    assert len(pair) == 3 and pair[1].text == "±", f"page {number}: {[w.text for w in pair]}"
    assert_text_at(pair[0], (CONCENTRATION_X, FIRST_ROW_TOP + (len(rows) - 1) * LINE_HEIGHT),
                   f"page {number}'s last pair")
    assert pair[-1].x_max <= page.width, f"page {number}'s last row runs off the page"
    return rows


def check_list_printout(pdf, path, wine_name):
    """Every record of the file at `path`, 52 to a page, each page with its full heading."""
    records, pages = records_of(path), read_pdf(pdf)
    count = -(-len(records) // ROWS_PER_PAGE)
    assert len(pages) == count, f"{pdf.name}: {len(pages)} pages for {len(records)} records"
    for number, page in enumerate(pages, start=1):
        first = (number - 1) * ROWS_PER_PAGE
        check_list_page(page, number, count, records[first:first + ROWS_PER_PAGE],
                        serial_of(path), wine_name)
    return pages


def check_protocol(pdf, path, record_number):
    """One page: the record's date, time and mode, the file's serial number above; the
    duration line only for a timed measurement."""
    mode, date, time_text = records_of(path)[record_number]
    pages = read_pdf(pdf)
    assert len(pages) == 1, f"{pdf.name}: {len(pages)} pages"
    page = pages[0]
    assert_text_at(page.find(f"Пылемер Лумек с/н {serial_of(path)}"), PROTOCOL_SERIAL_PLACE,
                   "the serial label", 1)
    assert page.find(time_text).y_min == page.find(date).y_min, "date and time on one line"
    page.find({0: "Экспрес - измерение 30", 1: "Экспрес - измерение 120",
               TIMED_MODE: "Измерение по времени", 3: "Диапазон 2"}.get(mode, "???"))
    page.find("мг/м3")
    climate = page.find("mmHg").y_min - layout_to_points(PROTOCOL_CLIMATE_TOP)
    assert TOP_BELOW[0] <= climate <= TOP_BELOW[1], f"the climate line {climate:.2f} pt low"
    assert len(page.find_all("Время измерения:")) == (mode == TIMED_MODE), "the duration line"
    return page


def word_places(pdf):
    """Every word of every page with its place, in reading order."""
    return [(page.number, word.text, word.x_min, word.y_min)
            for page in read_pdf(pdf) for line in page.lines() for word in line]
