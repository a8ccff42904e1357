"""The printing road that the viewer's printing tests take: the project's print queues, Wine
printing into them, the print dialog answered by keys and the PDFs read back.

Runs the print probe (fixtures/print_probe.cpp). Needs root, as scripts/print-queue does:
skipped for anyone else.
"""

import subprocess
import time

from desktop import wait_until
from print_queue import QUEUES
from printouts import (cancel_print_dialog, confirm_print_dialog, layout_to_points, read_pdf,
                       shown_printer, wait_print_dialog)

# The probe page, in layout units (1/600 inch): texts at their TextOut positions and rules.
PROBE_TEXTS = [("Пылемер Лумек", 1640, 300), ("лист 1 из 2", 3640, 300), ("ABC 123", 940, 1000)]
HORIZONTAL_RULE = (960, 4000, 800)  # x from, x to, y
VERTICAL_RULE = (1500, 1200, 2600)  # x, y from, y to

# What Wine makes of each queue on A4.
EXPECTED_CAPS = {
    "tolvinark-pdf300": {"VERTRES": 3508, "HORZRES": 2479, "LOGPIXELSX": 300, "LOGPIXELSY": 300},
    "tolvinark-pdf600": {"VERTRES": 7016, "HORZRES": 4958, "LOGPIXELSX": 600, "LOGPIXELSY": 600},
}
A4_POINTS = (595.0, 842.0)
RENDER_DPI = 150  # for finding the rules in a picture of the page


def report_values(text):
    """The probe's key=value lines."""
    values = {}
    for line in text.splitlines():
        key, sep, value = line.strip().partition("=")
        if sep:
            values[key] = value
    return values


def check_caps(values, queue):
    assert values.get("printer") == queue, f"printed on {values.get('printer')!r}"
    for key, expected in EXPECTED_CAPS[queue].items():
        assert int(values[key]) == expected, f"{queue}: {key} {values[key]}, not {expected}"
    assert (values["PHYSICALOFFSETX"], values["PHYSICALOFFSETY"]) == ("0", "0"), values


def run_probe(session, *args):
    probe = session.start(session.programs["print_probe"], *args)
    code = probe.wait_exit(timeout=60)
    return code, probe.output()


# ---------------------------------------------------------------- the page read back

def text_places(pdf):
    """The probe's texts on the one A4 page of `pdf`: {text: (x_min, y_min)} in points."""
    pages = read_pdf(pdf)
    assert len(pages) == 1, f"{pdf.name}: {len(pages)} pages"
    page = pages[0]
    size = (page.width, page.height)
    assert all(abs(a - b) <= 0.5 for a, b in zip(size, A4_POINTS)), f"page size {size}"
    places = {}
    for text, x, y in PROBE_TEXTS:
        word = page.find(text)  # the Cyrillic must read back exactly
        top = layout_to_points(y)
        assert abs(word.x_min - layout_to_points(x)) <= 1.0, \
            f"{text!r} starts at x {word.x_min:.2f} pt, drawn at {layout_to_points(x):.2f}"
        # y_min is the top of the font's box, a little below the text's top (print_queues)
        assert 0.0 <= word.y_min - top <= 4.0, \
            f"{text!r} has its top at {word.y_min:.2f} pt, drawn at {top:.2f}"
        places[text] = (word.x_min, word.y_min)
    return places


def render_gray(pdf):
    """Page 1 of `pdf` as (width, height, bytes) of 8-bit grey at RENDER_DPI."""
    result = subprocess.run(["pdftoppm", "-r", str(RENDER_DPI), "-gray", "-f", "1", "-l", "1",
                             str(pdf)], capture_output=True, check=True)
    data = result.stdout
    fields, position = [], 0
    while len(fields) < 4:  # P5, width, height, maximum, with blanks between
        while data[position:position + 1].isspace():
            position += 1
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    assert fields[0] == b"P5", fields
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[position + 1:position + 1 + width * height]


def layout_to_pixels(units):
    return units * RENDER_DPI / 600.0


def dark_run(pixels):
    """(first, last) index of the dark pixels in a row or column, or None."""
    dark = [i for i, value in enumerate(pixels) if value < 128]
    return (dark[0], dark[-1]) if dark else None


def check_rules(pdf):
    """The two rules, found in a picture of the page where the probe drew them (within 3
    pixels, 1.5 pt, which covers the pen's width and its round ends)."""
    width, height, gray = render_gray(pdf)
    x_from, x_to, y = (layout_to_pixels(v) for v in HORIZONTAL_RULE)
    row = round(y)
    run = dark_run(gray[row * width:(row + 1) * width])
    assert run and abs(run[0] - x_from) <= 3 and abs(run[1] - x_to) <= 3, \
        f"{pdf.name}: horizontal rule in row {row} runs {run}, drawn {x_from:.0f}-{x_to:.0f}"
    for off_row in (row - 5, row + 5):
        start = off_row * width
        assert dark_run(gray[start + round(x_from) + 10:start + round(x_to) - 10]) is None, \
            f"{pdf.name}: the horizontal rule is thicker than its pen, or misplaced"
    x, y_from, y_to = (layout_to_pixels(v) for v in VERTICAL_RULE)
    # The column crosses the horizontal rule above the vertical one; it is read from below it.
    first_row = row + 20
    column = bytes(gray[r * width + round(x)] for r in range(first_row, height))
    run = dark_run(column)
    run = run and (run[0] + first_row, run[1] + first_row)
    assert run and abs(run[0] - y_from) <= 3 and abs(run[1] - y_to) <= 3, \
        f"{pdf.name}: vertical rule in column {round(x)} runs {run}, drawn {y_from:.0f}-{y_to:.0f}"


# ---------------------------------------------------------------- cases

def test_both_queues_are_listed(session, print_queues):
    code, out = run_probe(session, "list")
    assert code == 0, f"list: exit code {code}: {out!r}"
    lines = [line.strip() for line in out.splitlines()]
    assert [line for line in lines if line in QUEUES] == list(QUEUES), lines
    assert f"default={QUEUES[0]}" in lines, lines


def test_page_prints_alike_on_both_queues(session, print_queues):
    places = {}
    for queue in QUEUES:
        before = print_queues.snapshot()
        started = time.monotonic()
        code, out = run_probe(session, "print", queue)
        assert code == 0, f"print {queue}: exit code {code}: {out!r}"
        check_caps(report_values(out), queue)
        pdf = print_queues.wait_for_pdf(queue, before)
        print(f"    {queue}: probe start to PDF {time.monotonic() - started:.1f} s")
        places[queue] = text_places(pdf)
        check_rules(pdf)
    low, high = (places[q] for q in QUEUES)
    for text in low:
        dx, dy = (abs(a - b) for a, b in zip(low[text], high[text]))
        assert dx <= 2.0 and dy <= 2.0, f"{text!r}: 300 dpi at {low[text]}, 600 at {high[text]}"
    worst = max(max(abs(a - b) for a, b in zip(low[t], high[t])) for t in low)
    print(f"    text places at 300 and 600 dpi differ by at most {worst:.2f} pt")


def test_dialog_chooses_each_printer(session, print_queues):
    # The second printer first: it is not the one the dialog opens with.
    for queue in reversed(QUEUES):
        before = print_queues.snapshot()
        probe = session.start(session.programs["print_probe"], "dialog")
        wait_until(lambda: "asking=PrintDlgA" in probe.output(), "the probe to ask", 30)
        asked = time.monotonic()
        window = wait_print_dialog(session.display, alive=probe.running)
        shown = time.monotonic()
        confirm_print_dialog(session, queue, window=window)
        confirmed = time.monotonic()
        code = probe.wait_exit(timeout=60)
        assert code == 0, f"dialog: exit code {code}: {probe.output()!r}"
        check_caps(report_values(probe.output()), queue)
        pdf = print_queues.wait_for_pdf(queue, before)
        print(f"    {queue} through the dialog: shown {shown - asked:.1f} s after PrintDlgA, "
              f"PDF {time.monotonic() - confirmed:.1f} s after OK")
        text_places(pdf)


def test_owned_dialog_opens_with_the_last_choice(session, print_queues):
    """As the viewer asks: the dialog owned by a child window, its record kept between two
    dialogs; the second, confirmed as it opens, prints where the first was told to."""
    queue = QUEUES[1]  # not the default printer
    before = print_queues.snapshot()
    probe = session.start(session.programs["print_probe"], "owned-dialogs", "2")
    confirm_print_dialog(session, queue, alive=probe.running)
    window = wait_print_dialog(session.display, alive=probe.running)
    assert shown_printer(session) == queue, f"the second dialog shows {shown_printer(session)}"
    confirm_print_dialog(session, None, window=window)
    code = probe.wait_exit(timeout=60)
    out = probe.output()
    assert code == 0, f"exit code {code}: {out!r}"
    blocks = out.split("asking=PrintDlgA")[1:]
    assert len(blocks) == 2, out
    for block in blocks:
        check_caps(report_values(block), queue)
    for pdf in print_queues.wait_for_pdfs(queue, before, 2):
        text_places(pdf)


def test_cancelled_dialog_prints_nothing(session, print_queues):
    before = print_queues.snapshot()
    probe = session.start(session.programs["print_probe"], "dialog")
    cancel_print_dialog(session.display, alive=probe.running)
    code = probe.wait_exit(timeout=30)
    assert code == 1, f"exit code {code} after Cancel: {probe.output()!r}"
    assert report_values(probe.output()).get("cancelled") == "0", probe.output()  # the user's
    assert not any(print_queues.new_pdfs(before).values()), "printed after Cancel"

