"""The viewer, tolvinark.exe, as a user sees it, for the end-to-end tests: started with a file
or without, its list rows, buttons, message boxes, the open dialog, the detail window and the
print dialogs. Places and colours are in viewer_geometry.py; the files the tests open are
built by tools/make_sample.py.

    viewer = start_viewer(file=path)              # the fixture: started, the file's rows shown
    viewer.click_row(3)
    detail = viewer.wait_detail_built()
    viewer.dismiss_message(OPEN_FAILED)
    viewer.exit()                                 # the Exit button; exit code 0
"""

import hashlib
from pathlib import Path

import make_sample
import printouts
import viewer_geometry as geo
from desktop import Timeout, colours, wait_until
from dst_format import RECORD_SIZE
from wine_env import locale_env, unix_to_wine_path

ROOT = Path(__file__).resolve().parents[2]
SAMPLE = ROOT / "resources" / "samples" / "demo.dst"
OPEN_DIALOG_TITLE = "Open"
OPEN_FAILED = "ошибка при открытии файла"
NO_DST_TYPE = "ошибка: тип файла не .dst"
NO_FILE = "Нет файла: "
EXPORT_FAILED = "ошибка при записи файла Temp.dif"
EXPORT = "Temp.dif"
ROW_CLICK_X = 3  # the rows' left end, which a detail window at its first place leaves uncovered
BESIDE_PANES = (600, 300)
PROGRESS_CLASS = "TolvinarkPrintProgress"  # the printout's progress window
PRINT_FAILED = "ошибка печати"

# The detail window: untitled, owned by the main window.
TOGGLE_TEXT = " Си / Сд "
DEFAULT_CORNER = (20, 100)
TIMED_SIZE = (574, 418)
OTHER_SIZE = (278, 174)
# Buttons of a timed measurement's window, in its client area: (left, top, width, height).
EXCEL_BUTTON = (358, 104, 64, 42)
TOGGLE_BUTTON = (458, 104, 64, 42)


# ---------------------------------------------------------------- files

def make_edge(folder, kind, name=None):
    """A hostile file of tools/make_sample.py's `edge` kind in `folder`."""
    return make_sample.write_chunks(Path(folder) / (name or f"{kind}.dst"),
                                    [make_sample.EDGE_KINDS[kind][1]()])


def make_records(folder, name, count, seed=1):
    """A file of `count` random valid records in `folder`."""
    return make_sample.write_chunks(Path(folder) / name, make_sample.random_records(count, seed))


def write_file(session, name, numbers):
    """A file of the numbered records (make_sample.numbered_record) in the test's folder."""
    return make_sample.write_chunks(session.temp_dir / name,
                                    map(make_sample.numbered_record, numbers))


MILLION = 1_000_000
LARGE_FILE = ROOT / "build" / "large-files" / f"records-{MILLION}.dst"


def million_records():
    """A file of a million random valid records (588 MB), made on first use (some ten seconds)
    and kept in build/large-files/."""
    if not LARGE_FILE.exists() or LARGE_FILE.stat().st_size != MILLION * RECORD_SIZE:
        partial = make_records(LARGE_FILE.parent, LARGE_FILE.name + ".part", MILLION)
        partial.rename(LARGE_FILE)
    return LARGE_FILE


def copy_records(source, first, count, target):
    """Records first .. first + count - 1 of `source` as a file of their own."""
    with open(source, "rb") as f:
        f.seek(first * RECORD_SIZE)
        Path(target).write_bytes(f.read(count * RECORD_SIZE))
    assert Path(target).stat().st_size == count * RECORD_SIZE
    return Path(target)


def russian_system(session):
    """The Wine environment of a Russian system, whose ANSI code page is 1251."""
    return locale_env(session.env, "ru_RU.UTF-8")


def folder_state(folder):
    """Every file and folder below `folder`: relative path -> "dir", or the size and the
    SHA-256 of the content of a file (the size and modification time of one over 64 MB, which
    would take long to read)."""
    state = {}
    for path in Path(folder).rglob("*"):
        name, status = str(path.relative_to(folder)), path.stat()
        if path.is_dir():
            state[name] = "dir"
        elif status.st_size > 64 << 20:
            state[name] = (status.st_size, status.st_mtime_ns)
        else:
            with open(path, "rb") as content:
                state[name] = (status.st_size, hashlib.file_digest(content, "sha256").hexdigest())
    return state


class WatchedFolder:
    """A folder that nothing may change from start() on but the names allowed."""

    def __init__(self, folder):
        self.folder, self.before, self.allowed = Path(folder), None, set()

    def start(self):
        self.before = folder_state(self.folder)

    def allow(self, *names):
        """These may appear or change."""
        self.allowed.update(names)

    def check(self):
        after = folder_state(self.folder)
        changed = sorted(name for name in set(self.before) | set(after)
                         if self.before.get(name) != after.get(name) and
                         name not in self.allowed)
        assert not changed, "the viewer changed the folder: " + repr(
            [(name, self.before.get(name, "absent"), after.get(name, "absent"))
             for name in changed])


# ---------------------------------------------------------------- row bands

def is_blank(band):
    return colours(band) == {geo.BACKGROUND}


def is_blank_row(band):
    """A blank row: the viewer clears blank rows from x 6 on, so the 6 pixels before may keep
    the highlight of a longer file's row that stood there."""
    return is_blank(band.crop((6, 0, band.width, band.height)))


def children_of_each(windows, wanted):
    """For each top-level window of a window_texts list for which `wanted` holds: the window
    and the list of its children."""
    found = []
    for i, window in enumerate(windows):
        if window["depth"] == 0 and wanted(window):
            children = []
            for child in windows[i + 1:]:
                if child["depth"] == 0:
                    break
                children.append(child)
            found.append((window, children))
    return found


# ---------------------------------------------------------------- the detail window

class DetailWindow:
    """The open detail window as read from inside Wine."""

    def __init__(self, display, top, children):
        self.display = display
        self.handle = top["handle"]
        self.outer = top["rect"]  # left, top, right, bottom on the screen
        self.client = top["client"]
        self.children = children

    @property
    def corner(self):
        return self.outer[0], self.outer[1]

    @property
    def size(self):
        return self.outer[2] - self.outer[0], self.outer[3] - self.outer[1]

    def buttons(self):
        """{text: (left, top, width, height) in the client area} of the visible buttons."""
        left, top = self.client[0], self.client[1]
        return {c["text"]: (c["rect"][0] - left, c["rect"][1] - top,
                            c["rect"][2] - c["rect"][0], c["rect"][3] - c["rect"][1])
                for c in self.children if c["class"].lower() == "button" and c["visible"]}

    def grab(self):
        left, top, right, bottom = self.client
        return self.display.grab(left, top, right - left, bottom - top)

    def click(self, x, y, button=1):
        """A click at client (x, y)."""
        self.display.click(self.client[0] + x, self.client[1] + y, button)

    def click_button(self, placement):
        x, y, width, height = placement
        self.click(x + width // 2, y + height // 2)


# ---------------------------------------------------------------- the viewer

class Viewer:
    """The viewer's main window and what it opens, as the cases see them."""

    def __init__(self, session, *args, file=None, env=None, program=None):
        """Starts the viewer (or `program`, a test build of it) with `args` in the test's
        folder, with the test's environment or `env`, and waits for its main window; with
        `file` (a Unix path) first among the arguments, until it shows the file's rows."""
        self.session = session
        self.display = session.display
        if file is not None:
            self.path, self.wine_name = Path(file), unix_to_wine_path(file)
            args = (self.wine_name, *args)
        self.program = session.start(program or session.programs["tolvinark"], *args,
                                     cwd=session.temp_dir, env=env)
        self.window = self.program.wait_window(geo.TITLE)
        if file is not None:
            self.wait_file_shown()

    def exit(self):
        """Presses Exit; the viewer ends with exit code 0."""
        self.window.click(*geo.centre(geo.EXIT_BUTTON))
        assert self.program.wait_exit() == 0

    def settle(self):
        """Returns once the viewer has handled everything it was sent, input included."""
        self.session.settle(geo.TITLE)

    def assert_running(self):
        """The viewer still runs and answers."""
        self.settle()
        assert self.program.running(), f"the viewer ended with code {self.program.process.poll()}"

    # -- the list pane
    def rows(self):
        """The band of each visible row, from one grab of the list pane."""
        x, y = geo.list_to_client(0, 0)
        pane = self.window.grab(x, y, geo.LIST_TEXT_WIDTH, geo.LIST_CLIENT_HEIGHT)
        return [pane.crop((0, geo.row_top(k), geo.LIST_TEXT_WIDTH, geo.row_top(k) + geo.ROW_PITCH))
                for k in range(geo.VISIBLE_ROWS)]

    def highlighted_rows(self):
        """The visible rows drawn in the highlight colour, read at the list's left edge."""
        edge = self.window.grab(*geo.list_to_client(1, 0), 1, geo.LIST_CLIENT_HEIGHT)
        return [k for k in range(geo.VISIBLE_ROWS)
                if edge.getpixel((0, geo.row_top(k) + 1)) == geo.HIGHLIGHT]

    def list_shown(self):
        """True when the list pane is shown (its client area has the background colour)."""
        return self.window.pixel(*geo.list_to_client(1, 0)) == geo.BACKGROUND

    def shows_file(self):
        return self.list_shown() and not is_blank(self.rows()[0])

    def wait_file_shown(self):
        """Until the list shows a file and two looks at its rows agree: the rows are drawn
        one text after another."""
        seen = [None]

        def drawn():
            seen[:] = [self.rows() if self.list_shown() else None, seen[0]]
            return seen[0] is not None and not is_blank(seen[0][0]) and seen[0] == seen[1]
        wait_until(drawn, "the list pane to show the file", timeout=30)

    def wait_list_hidden(self):
        wait_until(lambda: not self.list_shown(), "the list pane to be hidden")

    def wait_rows(self, expected, what, timeout=10.0):
        """Waits until the visible rows are `expected` (a list of bands)."""
        wait_until(lambda: self.rows() == expected, what, timeout)

    def wait_list(self, expected, what, timeout=15.0):
        """Waits until the list shows the `expected` bands from the top and blank rows below,
        the pointer parked where it highlights no row."""
        self.park()
        seen = []

        def matches():
            seen[:] = [self.rows()]
            rows = seen[0]
            return (rows[:len(expected)] == expected[:geo.VISIBLE_ROWS] and
                    all(is_blank_row(r) for r in rows[len(expected):]))
        try:
            wait_until(matches, what, timeout)
        except Timeout:
            rows = seen[0]
            wrong = [k for k in range(geo.VISIBLE_ROWS) if
                     (rows[k] != expected[k] if k < len(expected) else not is_blank_row(rows[k]))]
            raise AssertionError(f"{what}: rows {wrong} differ from the expected rows") from None

    def click_list(self, x, y, button=1):
        self.window.click(*geo.list_to_client(x, y), button)

    def click_row(self, k, button=1):
        """Clicks visible row k of the list at its left end, which a detail window at its first
        place leaves uncovered."""
        self.click_list(ROW_CLICK_X, geo.row_top(k) + geo.ROW_PITCH // 2, button)

    def park(self):
        """Moves the pointer into the list pane's strip below the last row, where it
        highlights no row, so that the rows can be compared."""
        self.window.move(*geo.list_to_client(200, geo.ROW_PITCH * geo.VISIBLE_ROWS + 2))

    # -- buttons and message boxes
    def click_open(self):
        self.window.click(*geo.centre(geo.OPEN_BUTTON))

    def press_button_of(self, windows, caption):
        self.session.click_child(windows, "Button", caption)

    def message_boxes(self):
        """The texts of the viewer's message boxes now shown: one list of child texts each."""
        return [children for _, children in children_of_each(
            self.session.window_texts(geo.TITLE), lambda w: w["class"] == "#32770")]

    def wait_message_box(self, text, timeout=20.0):
        """The viewer's message box showing exactly `text`, read from inside Wine."""
        def find():
            for children in self.message_boxes():
                if any(c["text"] == text for c in children):
                    return children
            return None
        return wait_until(find, f"a message box saying {text!r}", timeout, interval=0.3)

    def dismiss_message(self, text, timeout=20.0, ok="OK"):
        """Waits for the message box saying exactly `text`, presses its OK button (captioned
        `ok` in the language of Wine's system) and waits until it is gone."""
        self.press_button_of(self.wait_message_box(text, timeout), ok)
        wait_until(lambda: not self.message_boxes(), f"the box {text!r} to close",
                   timeout=10, interval=0.3)

    def assert_no_message_box(self):
        """No message box stands once the viewer has handled what it was sent."""
        self.settle()
        boxes = self.message_boxes()
        assert not boxes, f"unexpected message box: {[[c['text'] for c in b] for b in boxes]}"

    # -- the open dialog
    def open_dialog_parts(self, title=OPEN_DIALOG_TITLE):
        """The open dialog's windows, once it shows its name field. `title`: the dialog's
        title in the language of Wine's system."""
        self.program.wait_window(title)

        def parts():
            found = self.session.window_texts(title)
            return found if any(p["class"].lower() == "edit" and p["visible"]
                                for p in found) else None
        return wait_until(parts, "the open dialog's name field", timeout=20, interval=0.3)

    def wait_open_dialog_gone(self, title=OPEN_DIALOG_TITLE):
        wait_until(lambda: not self.display.windows_named(title),
                   "the open dialog to close", timeout=20)

    def open_by_dialog(self, wine_name, type_text=None, title=OPEN_DIALOG_TITLE):
        """Presses Open, types `wine_name` into the dialog's name field (by `type_text(name)`
        when given, else key by key) and presses Return."""
        self.click_open()
        parts = self.open_dialog_parts(title)
        edit = next(p for p in parts if p["class"].lower() == "edit" and p["visible"])
        left, top, right, bottom = edit["rect"]
        self.display.click((left + right) // 2, (top + bottom) // 2)
        self.display.key("End", "shift+Home", "BackSpace")
        if type_text:
            type_text(wine_name)
        else:
            self.display.type_text(wine_name)
        self.display.key("Return")
        self.wait_open_dialog_gone(title)

    def cancel_open_dialog(self):
        self.click_open()
        self.press_button_of(self.open_dialog_parts(), "Cancel")
        self.wait_open_dialog_gone()

    # -- the detail window
    def detail(self):
        """The detail window, or None while none is open."""
        for window, children in children_of_each(
                self.session.window_texts(geo.TITLE, owned=True),
                lambda w: w["class"] == "SimpleWinClass" and w["visible"]):
            return DetailWindow(self.display, window, children)
        return None

    def wait_detail(self, replacing=None, timeout=15.0):
        """The detail window once it is open; with `replacing`, a new one in its stead."""
        def fresh():
            window = self.detail()
            if window and (replacing is None or window.handle != replacing.handle):
                return window
            return None
        return wait_until(fresh, "a new detail window" if replacing else "the detail window",
                          timeout, interval=0.2)

    def wait_detail_built(self, replacing=None):
        """The new detail window once its picture is on the screen, which it is only after
        the build, buttons included, is over."""
        window = self.wait_detail(replacing=replacing)

        def painted():
            again = self.detail()
            if again is None or again.handle != window.handle:
                return None
            return again if geo.BACKGROUND in colours(again.grab()) else None
        return wait_until(painted, "the detail window's picture", interval=0.2)

    def wait_no_detail(self, what):
        wait_until(lambda: self.detail() is None, what, interval=0.2)

    def open_detail(self, k):
        """Clicks visible row k: its detail window."""
        self.click_row(k)
        return self.wait_detail()

    def toggle_series(self, detail):
        """The series toggle button: the rebuilt detail window."""
        detail.click_button(TOGGLE_BUTTON)
        return self.wait_detail_built(replacing=detail)

    def detail_xid(self, detail):
        """The X window of the viewer that lies at the detail window's client area."""
        left, top = detail.client[0], detail.client[1]
        # Wine names a program's X windows' class after its executable.
        for xid in self.display.windows_of_class(self.program.exe.name):
            geometry = self.display.geometry(xid)
            if xid != self.window.xid and geometry and \
                    geometry[0] <= left < geometry[0] + geometry[2] and \
                    geometry[1] <= top < geometry[1] + geometry[3]:
                return xid
        raise AssertionError(f"no X window at the detail window's client area ({left}, {top})")

    def close_detail(self, detail):
        """Presses the detail window's close box: its X window receives what a window manager
        sends."""
        self.display.send_close(self.detail_xid(detail))

    def type_in_detail(self, detail, *keys):
        """Types `keys` into the detail window, clicked first at its top left corner (which
        does nothing there). The click, not a window manager's focus, gives it the keyboard
        while a message box of the main window is up: Wine hands the focus of an X window
        activated from outside to that box instead."""
        detail.click(5, 5)
        self.display.key(*keys)

    # -- printing
    def right_click_list(self, k=3):
        self.click_row(k, button=3)

    def right_click_detail(self, detail):
        # Among the texts, clear of the buttons of a timed measurement.
        detail.click(60, 60, 3)

    def wait_print_dialog(self):
        return printouts.wait_print_dialog(self.display, alive=self.program.running)

    def confirm_print(self, printer, window=None):
        """Answers the print dialog: `printer` chosen (None: the one it shows), then OK."""
        return printouts.confirm_print_dialog(self.session, printer, window=window,
                                              alive=self.program.running)

    def cancel_print(self):
        printouts.cancel_print_dialog(self.display, alive=self.program.running)

    def wait_printout_over(self, timeout=60.0):
        """Until the printout's progress window is gone and the viewer is back from printing:
        its PDF can be there before the viewer is, and a right click until then does nothing."""
        wait_until(lambda: not any(w["class"] == PROGRESS_CLASS
                                   for w in self.session.window_texts(geo.TITLE)),
                   "the progress window to go", timeout, interval=0.3)
        self.settle()

    def assert_no_print_dialog(self, what):
        """No print dialog stands once the viewer has handled what it was sent."""
        self.settle()
        assert not printouts.dialog_windows(self.display), f"a print dialog after {what}"

