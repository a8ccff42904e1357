"""The project's print queues for the end-to-end tests, and the PDFs that come out of them.

    def test_it(session, print_queues):   # the fixture starts the queues, exports CUPS_SERVER
        before = print_queues.snapshot()
        ... the program prints on "tolvinark-pdf600" (print_dialog.confirm_print_dialog) ...
        pdf = print_queues.wait_for_pdf("tolvinark-pdf600", before)
        word = read_pdf(pdf)[0].find("Пылемер Лумек")   # fails unless there exactly once

Facts the tests can rely on (Wine 8, cups-pdf, A4):
- tolvinark-pdf300 gives Wine a 300-dpi page: VERTRES 3508, HORZRES 2479, LOGPIXELSX/Y 300;
  tolvinark-pdf600 a 600-dpi page: VERTRES 7016, HORZRES 4958, LOGPIXELSX/Y 600. The printable
  area is the whole 595 x 842 pt page (PHYSICALOFFSETX/Y 0), so device (x, y) is at
  (x * 72 / dpi, y * 72 / dpi) points from the page's top left corner.
- Wine lists the printers in the order of QUEUES and takes tolvinark-pdf300 as its default.
  Wine reads the queues anew in every program it starts: without CUPS_SERVER, or with the
  scheduler stopped, a program sees no printer at all.
- pdftotext -bbox gives each word's box in points from the top left corner. x_min is the x
  handed to TextOut, to a hundredth of a point. y_min is the top of the embedded font's box:
  for "Microsoft Sans Serif" (Liberation Sans here) at the printer font of the printouts
  (VERTRES / 64 high) it is 2.43 pt (300 dpi) or 2.55 pt (600 dpi) below the y handed to
  TextOut; compare with a tolerance.
- One PDF a print job; it is there 0.2 to 0.7 s after EndDoc.

Only the Python standard library, pdftotext and the project's scripts are used.
"""

import re
import subprocess
import time
import xml.etree.ElementTree as ElementTree
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
QUEUES = ("tolvinark-pdf300", "tolvinark-pdf600")
PDF_ROOT = ROOT / "build" / "print-queue" / "pdf"
SCRIPT = ROOT / "scripts" / "print-queue"
LAYOUT_DPI = 600

_JOB_NAME = re.compile(r"^job_(\d+)\.pdf$")


def layout_to_points(units):
    """A coordinate of the printouts' layout (1/600 inch) in PDF points."""
    return units * 72.0 / LAYOUT_DPI


def _job_number(path):
    match = _JOB_NAME.match(path.name)
    return int(match.group(1)) if match else -1


def pdfs(queue):
    """The finished PDFs of a queue, oldest job first."""
    directory = PDF_ROOT / queue
    if not directory.is_dir():
        return []
    return sorted((p for p in directory.iterdir() if p.suffix == ".pdf"),
                  key=lambda p: (_job_number(p), p.name))


class PrintQueues:
    """The scheduler and queues of scripts/print-queue. Starts them if they are not running
    and, on stop(), stops only what it started."""

    def __init__(self):
        self.server = None
        self.started_here = False

    def start(self):
        running = subprocess.run([str(SCRIPT), "status"], capture_output=True).returncode == 0
        result = subprocess.run([str(SCRIPT), "start"], capture_output=True, text=True)
        if result.returncode != 0:
            raise RuntimeError(f"scripts/print-queue start failed: {result.stderr.strip()}")
        self.started_here = not running
        self.server = subprocess.run([str(SCRIPT), "server"], capture_output=True, text=True,
                                     check=True).stdout.strip()
        return self

    def stop(self):
        if self.started_here:
            subprocess.run([str(SCRIPT), "stop"], check=False)
            self.started_here = False

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    @staticmethod
    def snapshot():
        """The PDFs there are now, per queue: hand it to wait_for_pdf."""
        return {queue: {p.name for p in pdfs(queue)} for queue in QUEUES}

    @staticmethod
    def new_pdfs(before):
        """The PDFs that came since `before`, per queue, oldest job first."""
        return {queue: [p for p in pdfs(queue) if p.name not in before.get(queue, set())]
                for queue in QUEUES}

    def wait_for_pdf(self, queue, before, timeout=60.0):
        """The first PDF that came on `queue` since `before`. A PDF there is complete. Fails
        at once, naming it, if a job came out on another queue instead."""
        return self.wait_for_pdfs(queue, before, 1, timeout)[0]

    def wait_for_pdfs(self, queue, before, count, timeout=60.0):
        """The first `count` PDFs that came on `queue` since `before`, oldest job first."""
        deadline = time.monotonic() + timeout
        while True:
            fresh = self.new_pdfs(before)
            if len(fresh[queue]) >= count:
                return fresh[queue][:count]
            elsewhere = [p for q, found in fresh.items() if q != queue for p in found]
            if elsewhere:
                raise AssertionError(f"expected PDFs on {queue}, got {elsewhere[0]}")
            if time.monotonic() >= deadline:
                raise AssertionError(f"{len(fresh[queue])} of {count} PDFs on {queue} within "
                                     f"{timeout:g} s; jobs: {self.jobs()!r}")
            time.sleep(0.1)

    @staticmethod
    def jobs():
        """lpstat's list of unfinished jobs on the queues (CUPS_SERVER names them)."""
        result = subprocess.run(["lpstat", "-o"], capture_output=True, text=True)
        return result.stdout.strip()


# ---------------------------------------------------------------- reading PDFs

@dataclass
class Word:
    """A word as pdftotext -bbox finds it; a box in points from the page's top left corner."""
    text: str
    x_min: float
    y_min: float
    x_max: float
    y_max: float


@dataclass
class Page:
    number: int  # 1-based
    width: float  # points
    height: float
    words: list = field(default_factory=list)

    def lines(self, tolerance=1.0):
        """The words in lines: words whose tops lie within `tolerance` points share a line;
        lines top to bottom, words left to right."""
        lines = []
        for word in sorted(self.words, key=lambda w: (w.y_min, w.x_min)):
            if lines and abs(lines[-1][0].y_min - word.y_min) <= tolerance:
                lines[-1].append(word)
            else:
                lines.append([word])
        return [sorted(line, key=lambda w: w.x_min) for line in lines]

    def find_all(self, phrase):
        """Every place where the words of `phrase` stand one after another on a line, each as
        one Word spanning them (its text is `phrase` with single blanks)."""
        wanted = phrase.split()
        found = []
        for line in self.lines():
            texts = [w.text for w in line]
            for i in range(len(line) - len(wanted) + 1):
                if texts[i:i + len(wanted)] == wanted:
                    span = line[i:i + len(wanted)]
                    found.append(Word(" ".join(wanted), span[0].x_min,
                                      min(w.y_min for w in span), span[-1].x_max,
                                      max(w.y_max for w in span)))
        return found

    def find(self, phrase):
        """The one place of `phrase` on the page; fails if it is missing or there twice."""
        found = self.find_all(phrase)
        if len(found) != 1:
            text = " / ".join(" ".join(w.text for w in line) for line in self.lines())
            raise AssertionError(f"{phrase!r} found {len(found)} times on page {self.number}; "
                                 f"the page reads: {text}")
        return found[0]


def parse_bbox_xhtml(text):
    """The pages of pdftotext -bbox output."""
    # The document names an external DTD, which ElementTree never fetches.
    root = ElementTree.fromstring(text)
    pages = []
    for element in root.iter():
        if element.tag.rsplit("}", 1)[-1] != "page":
            continue
        page = Page(len(pages) + 1, float(element.get("width")), float(element.get("height")))
        for word in element:
            if word.tag.rsplit("}", 1)[-1] == "word":
                page.words.append(Word(word.text or "", float(word.get("xMin")),
                                       float(word.get("yMin")), float(word.get("xMax")),
                                       float(word.get("yMax"))))
        pages.append(page)
    return pages


def read_pdf(path):
    """The pages of a PDF with their words (pdftotext -bbox)."""
    result = subprocess.run(["pdftotext", "-bbox", str(path), "-"], capture_output=True,
                            check=True)
    return parse_bbox_xhtml(result.stdout.decode("utf-8"))
