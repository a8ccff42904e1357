"""End-to-end test of the printing road the viewer's printing tests take: the project's print
queues, Wine printing into them, the print dialog answered by keys and the PDFs read back.

    python3 print_queue_test.py PRINT_PROBE.exe [-k PART_OF_CASE_NAME]

Runs the print probe (fixtures/print_probe.cpp) under Wine on its own Xvfb, in the end-to-end
tests' Wine prefix (build/wine-prefix-e2e unless TOLVINARK_WINEPREFIX names one). Needs root,
as scripts/print-queue does. A failing case leaves its PDFs (and, for a dialog case, a
screenshot) in build/e2e-failures/.
"""

import os
import shutil
import subprocess
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from print_dialog import cancel_print_dialog, confirm_print_dialog, wait_print_dialog  # noqa: E402
from print_queues import (QUEUE_DPI, QUEUES, ROOT, PrintQueues, layout_to_points,  # noqa: E402
                          read_pdf)

FAILURES_DIR = ROOT / "build" / "e2e-failures"
PREFIX = Path(os.environ.get("TOLVINARK_WINEPREFIX", ROOT / "build" / "wine-prefix-e2e"))

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


class Context:
    """What the cases share: the display, the queues, the Wine environment, timings."""

    def __init__(self, probe, display, queues):
        self.probe = probe
        self.display = display
        self.queues = queues
        self.env = queues.env(dict(os.environ, DISPLAY=display, WINEPREFIX=str(PREFIX),
                                   WINEARCH="win32", WINEDEBUG="-all",
                                   WINEDLLOVERRIDES="mscoree,mshtml=",
                                   TOLVINARK_WINEPREFIX=str(PREFIX)))
        self.case_pdfs = []
        self.timings = []

    def run_probe(self, *args, timeout=60):
        result = subprocess.run(["wine", str(self.probe), *args], env=self.env,
                                capture_output=True, timeout=timeout)
        return result.returncode, result.stdout.decode("utf-8", "replace"), result.stderr

    def start_probe(self, *args):
        return subprocess.Popen(["wine", str(self.probe), *args], env=self.env,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                start_new_session=True)

    def wait_pdf(self, queue, before):
        pdf = self.queues.wait_for_pdf(queue, before)
        self.case_pdfs.append(pdf)
        return pdf


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
        # y_min is the top of the font's box, a little below the text's top (see print_queues)
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

def queues_are_listed(ctx):
    code, out, err = ctx.run_probe("list")
    assert code == 0, f"list: exit code {code}: {err!r}"
    lines = [line.strip() for line in out.splitlines()]
    assert [line for line in lines if line in QUEUES] == list(QUEUES), lines
    assert f"default={QUEUES[0]}" in lines, lines


def page_prints_alike_on_both_queues(ctx):
    places = {}
    for queue in QUEUES:
        before = ctx.queues.snapshot()
        started = time.monotonic()
        code, out, err = ctx.run_probe("print", queue)
        assert code == 0, f"print {queue}: exit code {code}: {out!r} {err!r}"
        check_caps(report_values(out), queue)
        pdf = ctx.wait_pdf(queue, before)
        ctx.timings.append(f"{queue}: probe start to PDF {time.monotonic() - started:.1f} s")
        places[queue] = text_places(pdf)
        check_rules(pdf)
    low, high = (places[q] for q in QUEUES)
    for text in low:
        dx, dy = (abs(a - b) for a, b in zip(low[text], high[text]))
        assert dx <= 2.0 and dy <= 2.0, f"{text!r}: 300 dpi at {low[text]}, 600 at {high[text]}"
    worst = max(max(abs(a - b) for a, b in zip(low[t], high[t])) for t in low)
    ctx.timings.append(f"text places 300 vs 600 dpi differ by at most {worst:.2f} pt")


def dialog_chooses_each_printer(ctx):
    # The second printer first: it is not the one the dialog opens with.
    for queue in reversed(QUEUES):
        before = ctx.queues.snapshot()
        probe = ctx.start_probe("dialog")
        try:
            first = probe.stdout.readline().decode()
            assert first.strip() == "asking=PrintDlgA", f"probe said {first!r}"
            asked = time.monotonic()
            window = wait_print_dialog(ctx.display, alive=lambda: probe.poll() is None)
            shown = time.monotonic()
            confirm_print_dialog(ctx.display, queue, window=window)
            confirmed = time.monotonic()
            out = probe.communicate(timeout=60)[0].decode()
            assert probe.returncode == 0, f"dialog: exit code {probe.returncode}: {out!r}"
            check_caps(report_values(out), queue)
            pdf = ctx.wait_pdf(queue, before)
            ctx.timings.append(f"{queue} through the dialog: shown {shown - asked:.1f} s after "
                               f"PrintDlgA, PDF {time.monotonic() - confirmed:.1f} s after OK")
            text_places(pdf)
        finally:
            if probe.poll() is None:
                probe.kill()
                probe.wait()


def owned_dialog_opens_with_the_last_choice(ctx):
    """As the viewer asks: the dialog owned by a child window, its record kept between two
    dialogs; the second, confirmed as it opens, prints where the first was told to."""
    queue = QUEUES[1]  # not the default printer
    before = ctx.queues.snapshot()
    probe = ctx.start_probe("owned-dialogs", "2")
    try:
        alive = lambda: probe.poll() is None  # noqa: E731
        confirm_print_dialog(ctx.display, queue, alive=alive)
        confirm_print_dialog(ctx.display, None, alive=alive)
        out = probe.communicate(timeout=60)[0].decode()
        assert probe.returncode == 0, f"exit code {probe.returncode}: {out!r}"
        blocks = out.split("asking=PrintDlgA")[1:]
        assert len(blocks) == 2, out
        for block in blocks:
            check_caps(report_values(block), queue)
        for pdf in ctx.queues.wait_for_pdfs(queue, before, 2):
            ctx.case_pdfs.append(pdf)
            text_places(pdf)
    finally:
        if probe.poll() is None:
            probe.kill()
            probe.wait()


def cancelled_dialog_prints_nothing(ctx):
    before = ctx.queues.snapshot()
    probe = ctx.start_probe("dialog")
    try:
        cancel_print_dialog(ctx.display, alive=lambda: probe.poll() is None)
        out = probe.communicate(timeout=30)[0].decode()
        assert probe.returncode == 1, f"exit code {probe.returncode} after Cancel: {out!r}"
        assert report_values(out).get("cancelled") == "0", out  # 0: the user cancelled
        time.sleep(2)
        fresh = ctx.queues.new_pdfs(before)
        assert not any(fresh.values()), f"printed after Cancel: {fresh}"
    finally:
        if probe.poll() is None:
            probe.kill()
            probe.wait()


CASES = [queues_are_listed, page_prints_alike_on_both_queues, dialog_chooses_each_printer,
         owned_dialog_opens_with_the_last_choice, cancelled_dialog_prints_nothing]


# ---------------------------------------------------------------- running

class Xvfb:
    """An X server on a free display number."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            self.stop()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number.decode()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)


def keep_failure(ctx, case):
    FAILURES_DIR.mkdir(parents=True, exist_ok=True)
    kept = []
    for pdf in ctx.case_pdfs:
        target = FAILURES_DIR / f"print_queue_test-{case.__name__}-{pdf.parent.name}-{pdf.name}"
        shutil.copyfile(pdf, target)
        kept.append(str(target))
    shot = FAILURES_DIR / f"print_queue_test-{case.__name__}.png"
    if subprocess.run(["import", "-window", "root", str(shot)], capture_output=True,
                      env=dict(os.environ, DISPLAY=ctx.display)).returncode == 0:
        kept.append(str(shot))
    return kept


def stop_wineserver(env):
    subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
    subprocess.run(["wineserver", "-w"], env=env, capture_output=True)


def main(argv):
    if not argv:
        raise SystemExit("usage: print_queue_test.py PRINT_PROBE.exe [-k PART_OF_CASE_NAME]")
    probe = Path(argv[0]).resolve()
    only = argv[2] if len(argv) > 2 and argv[1] == "-k" else None
    cases = [case for case in CASES if only is None or only in case.__name__]
    env = dict(os.environ, TOLVINARK_WINEPREFIX=str(PREFIX))
    env.pop("DISPLAY", None)
    subprocess.run(["bash", "-c", 'source "$1" && ensure_wine_prefix', "ensure",
                    str(ROOT / "scripts" / "lib" / "wine-env.sh")], env=env, check=True)
    failures = 0
    with PrintQueues() as queues:
        display = Xvfb()
        try:
            # A wineserver that started without a display would keep the dialog unseen.
            base = Context(probe, display.name, queues)
            stop_wineserver(base.env)
            for case in cases:
                ctx = Context(probe, display.name, queues)
                started = time.monotonic()
                try:
                    case(ctx)
                    status = "ok"
                except Exception:  # one failing case must not stop the others
                    failures += 1
                    traceback.print_exc()
                    status = "FAILED; kept " + (", ".join(keep_failure(ctx, case)) or "nothing")
                print(f"{case.__name__}: {status} [{time.monotonic() - started:.1f} s]",
                      flush=True)
                for line in ctx.timings:
                    print(f"    {line}", flush=True)
            stop_wineserver(base.env)
        finally:
            display.stop()
    print(f"{len(cases) - failures} of {len(cases)} cases passed", flush=True)
    return 1 if failures or not cases else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
