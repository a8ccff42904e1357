"""A soak test of the viewer, tolvinark.exe: a seeded random run of user actions for a bounded
time, checking that the program lives, answering the message boxes it should show, and that
the GDI objects and windows it holds stay bounded.

TOLVINARK_SOAK_SECONDS (90 by default) and TOLVINARK_SOAK_SEED (1) set the run's length and seed.

Actions: row clicks and double clicks (rows with and without records), mouse moves over the
list, wheel turns, the scroll bar's arrows, trough and box; in the detail window the series
toggle, the Excel button, a click into it and its close box; right clicks on the list, the
detail window, the info pane and beside the panes, each print dialog cancelled (the run uses no
print queue: Wine says first that there is no printer); and the Open
dialog with a valid file, another valid one, a file without a whole record, a wrongly named
file, or cancelled. At the end the working folder holds nothing new but Temp.dif.

Under Wine without a window manager every detail window that is replaced or closed costs 2 s
(the X driver waits that long for a manager to withdraw it), which bounds how many actions a
run gets through: some 60 a minute.

Counts: Wine's GetGuiResources always answers 0, so gui_objects.exe reads the entries in use in
the viewer's GDI handle table and counts its windows (see fixtures/gui_objects.cpp). The run
starts with a tour of every kind of action; the highest counts seen over the first eleventh of
the actions (the first hundred of 1,100) are the baseline, and the rest of the run may not
exceed them by more than a few objects. A leak of one object per action, or per detail window,
would exceed that many times over.
"""

import os
import random
import time

import dst_format
import printouts
import viewer_geometry as geo
import viewer_page as page
from desktop import wait_until
from dst_format import MODE_TIMED, RECORD_SIZE
from viewer_page import BESIDE_PANES, EXCEL_BUTTON, SAMPLE

SECONDS = float(os.environ.get("TOLVINARK_SOAK_SECONDS", 90))
SEED = int(os.environ.get("TOLVINARK_SOAK_SEED", 1))
SAMPLE_EVERY = 4  # actions between two counts
BASELINE_SHARE = 100 / 1100
GDI_TOLERANCE = 4  # objects the later run may hold above the baseline's highest count
WINDOW_TOLERANCE = 0
MEMORY_TOLERANCE = 16 * 1024 * 1024  # heap and Wine's caches settle; a leak goes on growing
# Without a printer Wine's print dialog comes behind a box of its title saying so.
NO_PRINTER = "Before you can perform printer-related tasks"


def gui_objects(session):
    """The viewer's counts from inside Wine: a dict of gui_objects.exe's lines."""
    # The window found by the title can be one of the viewer's message boxes just closing, whose
    # owner can no longer be read: ask again, a few times, before the viewer counts as gone.
    for _ in range(5):
        result = session.run(session.programs["gui_objects"], geo.TITLE)
        if result.returncode != 1:
            break
        time.sleep(0.5)
    if result.returncode != 0:
        raise AssertionError(f"gui_objects.exe found no viewer (code {result.returncode})")
    fields = dict(line.rstrip("\r").split("\t", 1)
                  for line in result.stdout.decode().splitlines() if "\t" in line)
    counts = {name: int(value) for name, value in fields.items()}
    # A count that could not be read would make every later bound hold.
    assert counts["gdi_table"] > 0 and counts["windows"] > 0, \
        f"gui_objects.exe could not count the viewer's objects: {counts}"
    return counts


class Soak:
    """The viewer under a random run of actions, with what the run knows of its state."""

    def __init__(self, session, start_viewer, rng):
        self.session = session
        self.rng = rng
        folder = session.temp_dir
        # Every file in the one folder, which the Open dialog shows after the first open, so
        # that a name is typed without its folder.
        demo = folder / "demo.dst"
        demo.write_bytes(SAMPLE.read_bytes())
        self.valid = [page.make_records(folder, "valid.dst", 300, seed=7), demo]
        self.short = page.make_edge(folder, "size-587", "short.dst")
        self.wrong = folder / "notes.txt"
        self.wrong.write_bytes(self.valid[0].read_bytes()[:RECORD_SIZE * 3])
        self.viewer = start_viewer(file=self.valid[0])
        self.loaded = True
        self.actions = 0
        self.kinds = {}
        self.samples = []  # (action number, gdi table entries, windows, resident bytes)
        self.tour_length = 0

    # -- the actions; each is one thing a user does
    def click_row(self):
        """A row, or the strip below the last one. Both files fill every row, so a click on
        a row while one is listed opens its record; the run waits for its detail window."""
        k = self.rng.randrange(geo.VISIBLE_ROWS + 1)
        opens = self.loaded and k < geo.VISIBLE_ROWS
        shown = self.viewer.detail() if opens else None
        if k < geo.VISIBLE_ROWS:
            self.viewer.click_row(k)
        else:  # the strip is the pane's last two pixel lines, below the last whole row
            self.viewer.click_list(page.ROW_CLICK_X, geo.LIST_CLIENT_HEIGHT - 2)
        if opens:
            self.viewer.wait_detail_built(replacing=shown)

    def double_click_row(self):
        """Opens the record once: the second press does nothing."""
        k = self.rng.randrange(geo.VISIBLE_ROWS)
        shown = self.viewer.detail() if self.loaded else None
        self.viewer.window.move(*geo.list_to_client(page.ROW_CLICK_X, geo.row_top(k) + 7))
        self.session.display.click(*self.session.display.pointer(), repeat=2, delay=0.08)
        if self.loaded:
            self.viewer.wait_detail_built(replacing=shown)

    def hover(self):
        self.viewer.window.move(*geo.list_to_client(self.rng.randrange(10, 500),
                                                    self.rng.randrange(0, geo.LIST_CLIENT_HEIGHT)))

    def wheel(self):
        place = self.rng.choice([BESIDE_PANES, geo.list_to_client(250, 150)])
        self.viewer.window.wheel(*place, self.rng.choice([-3, -1, -1, 1, 1, 2]))

    def line(self):
        self.viewer.window.click(*self.rng.choice([geo.UP_ARROW, geo.DOWN_ARROW]))

    def page(self):
        self.viewer.window.click(geo.SCROLL_BAR_X,
                                 self.rng.choice([geo.TROUGH_TOP, geo.TROUGH_BOTTOM]))

    def drag(self):
        window = self.viewer.window
        start = self.rng.randrange(geo.TROUGH_TOP, geo.TROUGH_BOTTOM)
        window.press(geo.SCROLL_BAR_X, start)
        for _ in range(3):
            window.move(geo.SCROLL_BAR_X,
                        self.rng.randrange(geo.TROUGH_TOP - 30, geo.TROUGH_BOTTOM + 30))
        window.release(geo.SCROLL_BAR_X, self.rng.randrange(geo.TROUGH_TOP, geo.TROUGH_BOTTOM))

    def timed_window(self):
        """The detail window of a timed measurement: the one shown, or a fresh one."""
        window = self.viewer.detail()
        if window is None or len(window.buttons()) != 2:
            self.timed_row()
            window = self.viewer.detail()
        return window

    def toggle_series(self):
        window = self.timed_window()
        self.viewer.toggle_series(window)

    def excel(self):
        self.timed_window().click_button(EXCEL_BUTTON)

    def click_into_detail(self):
        window = self.viewer.detail()
        if window is None:
            return False
        left, top, right, bottom = window.client
        self.session.display.click(self.rng.randrange(left, left + 250),
                                   self.rng.randrange(top, top + 140))

    def close_detail(self):
        window = self.viewer.detail()
        if window is None:
            return False
        self.viewer.close_detail(window)
        self.viewer.wait_no_detail("the detail window to close")

    def right_click_list(self):
        """The list printout's dialog, cancelled; none while no file is listed."""
        self.viewer.click_row(self.rng.randrange(geo.VISIBLE_ROWS), button=3)
        self.answer_print_dialog(expected=self.loaded)

    def right_click_detail(self):
        """The protocol printout's dialog, cancelled."""
        window = self.viewer.detail() or self.timed_window()
        left, top, right, bottom = window.client
        self.session.display.click(self.rng.randrange(left, left + 250),
                                   self.rng.randrange(top, top + 140), 3)
        self.answer_print_dialog(expected=True)

    def right_click_elsewhere(self):
        """On the info pane or beside the panes: no dialog."""
        place = self.rng.choice([geo.centre(geo.INFO_PANE), BESIDE_PANES])
        self.viewer.window.click(*place, 3)
        self.answer_print_dialog(expected=False)

    def answer_print_dialog(self, expected):
        """Cancels the print dialog. Without a printer (the run starts no print queue) Wine
        shows a box of the dialog's title saying so first, and the dialog once it is closed."""
        if not expected:
            self.viewer.assert_no_print_dialog("a right click that prints nothing")
            return
        session, display = self.session, self.session.display

        def notice():
            windows = session.window_texts(printouts.DIALOG_TITLE)
            return windows if any(w["text"].startswith(NO_PRINTER) for w in windows) else None
        first = self.viewer.wait_print_dialog()
        if notice():
            session.click_child(notice(), "Button", "OK")
            wait_until(lambda: not notice(), "the box to close", interval=0.2)
            first = printouts.wait_print_dialog(display, besides=[first],
                                                   alive=self.viewer.program.running)
        printouts.cancel_print_dialog(display, window=first)

    def open_valid(self):
        self.viewer.open_by_dialog(self.rng.choice(self.valid).name)
        self.loaded = True
        self.viewer.wait_file_shown()

    def open_short(self):
        self.viewer.open_by_dialog(self.short.name)
        self.viewer.dismiss_message(page.OPEN_FAILED)
        self.loaded = False
        self.viewer.wait_list_hidden()

    def open_wrong_name(self):
        self.viewer.open_by_dialog(self.wrong.name)
        self.viewer.dismiss_message(page.NO_DST_TYPE)

    def cancel_open(self):
        self.viewer.cancel_open_dialog()

    def weighted_actions(self):
        """(action, weight): cheap pointer actions often, the dialogs now and then."""
        return [(self.click_row, 10), (self.double_click_row, 3), (self.hover, 12),
                (self.wheel, 14), (self.line, 10), (self.page, 8), (self.drag, 6),
                (self.toggle_series, 4), (self.excel, 4), (self.click_into_detail, 3),
                (self.close_detail, 2), (self.right_click_list, 3),
                (self.right_click_detail, 2), (self.right_click_elsewhere, 2),
                (self.open_valid, 2), (self.open_short, 1), (self.open_wrong_name, 1),
                (self.cancel_open, 1)]

    def tour(self):
        """Every kind of action once, so that the baseline has seen them all."""
        return [self.click_row, self.double_click_row, self.hover, self.wheel, self.line,
                self.page, self.drag, self.open_short, self.click_row, self.open_wrong_name,
                self.cancel_open, self.open_valid, self.right_click_list,
                self.right_click_elsewhere, self.toggle_series, self.excel,
                self.right_click_detail, self.click_into_detail, self.close_detail,
                self.click_row, self.wheel]

    def timed_row(self):
        """A click on a timed measurement of the first page of valid.dst, opened afresh, so
        that the series toggle, the Excel button and the protocol's dialog find one."""
        self.viewer.open_by_dialog(self.valid[0].name)
        self.viewer.wait_file_shown()
        self.loaded = True
        records = dst_format.read(self.valid[0])
        rows = [k for k in range(geo.VISIBLE_ROWS) if records[k]["mode"] == MODE_TIMED]
        self.viewer.click_row(self.rng.choice(rows))
        self.viewer.wait_detail_built()

    def run(self, action):
        if action() is False:
            return  # nothing to act on now
        self.actions += 1
        self.kinds[action.__name__] = self.kinds.get(action.__name__, 0) + 1
        if not self.viewer.program.running():
            raise AssertionError(f"the viewer ended after action {self.actions} "
                                 f"({action.__name__})")
        if self.actions % SAMPLE_EVERY == 0:
            self.sample()

    def sample(self):
        # A message box or print dialog left open would be one nobody expected.
        assert not printouts.dialog_windows(self.session.display), \
            f"a print dialog stands after action {self.actions}"
        boxes = self.viewer.message_boxes()
        if boxes:
            raise AssertionError(f"unexpected message box after action {self.actions}: "
                                 f"{[[c['text'] for c in box] for box in boxes]}")
        counts = gui_objects(self.session)
        self.samples.append((self.actions, counts["gdi_table"], counts["windows"],
                             self.viewer.program.memory()[0]))

    def check_bounded(self):
        """The later run holds no more than the baseline's highest counts (and a little)."""
        split = max(self.tour_length, int(self.actions * BASELINE_SHARE))
        early = [s for s in self.samples if s[0] <= split]
        later = [s for s in self.samples if s[0] > split]
        assert early and later, f"too short a run: {self.actions} actions"
        early_gdi, later_gdi = max(s[1] for s in early), max(s[1] for s in later)
        early_windows, later_windows = max(s[2] for s in early), max(s[2] for s in later)
        early_memory, later_memory = max(s[3] for s in early), max(s[3] for s in later)
        print(f"  {self.actions} actions ({', '.join(f'{k} {n}' for k, n in self.kinds.items())})",
              flush=True)
        print(f"  GDI objects: first {split} actions at most {early_gdi}, later at most "
              f"{later_gdi} (last {self.samples[-1][1]}, lowest {min(s[1] for s in self.samples)}"
              f"); windows: at most {early_windows}, later {later_windows}; resident memory: "
              f"at most {early_memory / 1e6:.1f} MB, later {later_memory / 1e6:.1f} MB", flush=True)
        assert later_gdi <= early_gdi + GDI_TOLERANCE, \
            f"GDI objects grew from {early_gdi} to {later_gdi}"
        assert later_windows <= early_windows + WINDOW_TOLERANCE, \
            f"windows grew from {early_windows} to {later_windows}"
        assert later_memory <= early_memory + MEMORY_TOLERANCE, \
            f"resident memory grew from {early_memory / 1e6:.1f} to {later_memory / 1e6:.1f} MB"


def test_a_random_run_of_user_actions_keeps_the_viewer_alive_and_bounded(
        session, start_viewer, watched_folder):
    print(f"  seed {SEED}, {SECONDS:g} s", flush=True)
    soak = Soak(session, start_viewer, random.Random(SEED))
    watched_folder.start()
    watched_folder.allow(page.EXPORT)
    deadline = time.monotonic() + SECONDS
    for action in soak.tour():
        soak.run(action)
    soak.tour_length = soak.actions
    soak.sample()
    actions, weights = zip(*soak.weighted_actions())
    while time.monotonic() < deadline:
        soak.run(soak.rng.choices(actions, weights)[0])
    soak.sample()
    soak.check_bounded()
    soak.viewer.exit()
