"""Fixtures of the end-to-end tests: the Windows programs driven under Wine on a virtual display.

Writing a new module, say clipboard_test.py:
- Test functions `test_...`, tables through `pytest.mark.parametrize`. Ask for fixtures:
    session       one test's Wine desktop: .display (desktop.Display), .env, .temp_dir (the
                  test's own folder), .start(exe, *args), .run(exe, *args) to the end,
                  .window_texts(title), .settle(title), .click_child(...), .move_window(...)
    start_viewer  start_viewer(*args, file=None, env=None, program=None): the viewer
                  (viewer_page.Viewer) started in session.temp_dir, its main window shown; with
                  `file` (a Unix path) started on it, its rows shown. At the end of the test
                  it must still run and answer, unless the test ended it and checked its exit
                  code (viewer.exit(), viewer.program.wait_exit()).
    programs      the built programs by name (tolvinark, tolvinark-cli, text_picture, ...)
    watched_folder  .start(): nothing in session.temp_dir changes from then on but what
                  .allow(name) names; checked at the end of the test
    system        parametrizes the test over an English and a Russian Wine system
    print_queues  the project's print queues (scripts/lib/print_queue.py); a test that asks for
                  them is skipped, saying why, when not run as root
- A failing test leaves build/e2e-failures/MODULE-TEST.png, and the PDFs it printed there too.
- Add it to tests/e2e/CMakeLists.txt: tolvinark_add_e2e_test(e2e_clipboard clipboard_test.py).
  Run it: ctest --preset win32 -R e2e_clipboard, or by hand with the same command line
  (ctest --preset win32 -R e2e_clipboard -V shows it), adding -k NAME to pick tests.
A module whose every test is skipped exits with 77, which CTest reports as skipped
(tests/conftest.py).
"""

import json
import os
import re
import shutil
import subprocess
import tempfile
from pathlib import Path

import pytest

import print_queue
import wine_env
from desktop import Display, Program
from viewer_page import Viewer, WatchedFolder

ROOT = Path(__file__).resolve().parents[2]
FAILURES_DIR = ROOT / "build" / "e2e-failures"
ENGLISH, RUSSIAN = "en_US.UTF-8", "ru_RU.UTF-8"


def pytest_addoption(parser):
    parser.addoption("--programs", type=Path, help="the JSON file of the built programs' paths "
                     "(written by CMake as tests/e2e/programs.json of the build)")


# ---------------------------------------------------------------- Wine programs

class Session:
    """One test's Wine desktop: the display, the environment, its folder and programs."""

    def __init__(self, display, prefix, programs):
        self.display, self.prefix, self.programs = display, prefix, programs
        self.env = wine_env.environment(display.env(), prefix)
        self.started = []
        # Short: the file names printed from it must fit on the page (not pytest's tmp_path).
        self.temp_dir = Path(tempfile.mkdtemp(prefix="tolvinark-e2e-"))
        # The pointer waits in a corner where no window opens, so that no program sees a mouse
        # move the test did not make.
        display.move(display.size[0] - 1, display.size[1] - 1)

    def start(self, exe, *args, cwd=None, env=None):
        program = Program(self.display, exe, args, cwd, env or self.env)
        self.started.append(program)
        return program

    def run(self, exe, *args, timeout=30):
        """Runs a Windows console program to its end: the finished subprocess, output as bytes."""
        return subprocess.run([wine_env.WINE, str(exe), *map(str, args)], env=self.env,
                              capture_output=True, timeout=timeout)

    def cli(self, *args, binary=False):
        """What tolvinark-cli writes for `args`, Paths among them given as Wine names: text,
        or with `binary` bytes; fails unless it ends with exit code 0."""
        result = self.run(self.programs["tolvinark-cli"], *(
            wine_env.unix_to_wine_path(a) if isinstance(a, Path) else a for a in args), timeout=300)
        assert result.returncode == 0, (f"tolvinark-cli {args}: exit code {result.returncode}: "
                                        f"{result.stderr.decode('utf-8', 'replace')[-300:]}")
        return result.stdout if binary else result.stdout.decode("utf-8")

    def window_texts(self, title, owned=False):
        """Every window called `title` with its children, read from inside Wine: a list of dicts
        (depth, handle, class, rect, visible, text). With `owned`, the top-level windows owned
        by a window called `title` (untitled ones included) instead, each with its children;
        top-level ones with "client", their client area's screen rectangle, too."""
        result = self.run(self.programs["window_texts"], *(["--owned"] if owned else []), title)
        windows = []
        for line in result.stdout.decode("utf-8", "replace").splitlines():
            fields = line.rstrip("\r").split("\t")
            if len(fields) < 6:
                continue
            window = {"depth": int(fields[0]), "handle": fields[1], "class": fields[2],
                      "rect": tuple(int(v) for v in fields[3].split()),
                      "visible": fields[4] == "1"}
            if owned and window["depth"] == 0 and len(fields) >= 7:
                window["client"] = tuple(int(v) for v in fields.pop(5).split())
            window["text"] = "\t".join(fields[5:])
            windows.append(window)
        return windows

    def move_window(self, handle, left, top):
        """Places the top-level window `handle` (as window_texts gives it) with its outer
        top-left corner at screen (left, top), from inside Wine: there is no window manager
        whose title bar could be dragged."""
        if self.run(self.programs["window_texts"], "--move", handle, left, top).returncode:
            raise AssertionError(f"window {handle} could not be moved to ({left}, {top})")

    def settle(self, title):
        """Returns once the program whose window is called `title` has handled everything it
        was sent, input included, so that a check that something did not happen looks once."""
        code = self.run(self.programs["window_texts"], "--settle", title).returncode
        assert code == 0, f"no window {title!r} answers (window_texts: exit code {code})"

    def click_child(self, windows, cls, text):
        """Clicks the middle of the visible window of class `cls` showing `text` (the "&" of a
        shortcut letter ignored), from a window_texts list; Windows screen coordinates are X
        screen coordinates on a bare display."""
        def caption(w):
            return w["text"].replace("&", "")
        matches = [w for w in windows if w["class"].lower() == cls.lower() and
                   caption(w) == text and w["visible"]]
        assert matches, f"no {cls} {text!r} among {[caption(w) for w in windows]}"
        left, top, right, bottom = matches[0]["rect"]
        self.display.click((left + right) // 2, (top + bottom) // 2)


def stop_wineserver(env):
    """Ends the prefix's wineserver and every process it still serves."""
    subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
    subprocess.run(["wineserver", "-w"], env=env, capture_output=True)


# ---------------------------------------------------------------- fixtures

@pytest.fixture(scope="session")
def programs(request):
    path = request.config.getoption("--programs")
    if path is None:
        pytest.fail("no --programs FILE: run the module through CTest, or give the build's "
                    "tests/e2e/programs.json")
    return {name: Path(value) for name, value in json.loads(path.read_text()).items()}


@pytest.fixture(scope="session")
def wine_prefix():
    """A wineserver that was started without a display keeps every later program of its prefix
    invisible, so the tests use a prefix of their own: the scripts' one with "-e2e" added,
    unless TOLVINARK_WINEPREFIX names one. A module may ask for a fresh one of its own."""
    return Path(os.environ.get("TOLVINARK_WINEPREFIX", str(wine_env.PREFIX) + "-e2e"))


@pytest.fixture(scope="session")
def display(wine_prefix):
    """One Xvfb for the module, and the Wine prefix served on it."""
    prefix = wine_prefix
    wine_env.ensure_prefix(prefix)
    with Display() as screen:
        screen.prefix = prefix
        # A wineserver left from an earlier run would still serve a display that is gone.
        stop_wineserver(wine_env.environment(screen.env(), prefix))
        yield screen
        stop_wineserver(wine_env.environment(screen.env(), prefix))


@pytest.fixture
def session(display, programs):
    session = Session(display, display.prefix, programs)
    yield session
    for program in session.started:
        program.stop()
    shutil.rmtree(session.temp_dir, ignore_errors=True)


@pytest.fixture
def start_viewer(session):
    viewers = []

    def start(*args, file=None, env=None, program=None):
        viewers.append(Viewer(session, *args, file=file, env=env, program=program))
        return viewers[-1]
    yield start
    for viewer in viewers:
        if not viewer.program.exit_seen:
            viewer.assert_running()


@pytest.fixture
def watched_folder(session):
    folder = WatchedFolder(session.temp_dir)
    yield folder
    if folder.before is not None:
        folder.check()


@pytest.fixture(params=[ENGLISH, RUSSIAN], ids=["en", "ru"])
def system(request, session):
    """The test runs every Wine program on a system in this locale: its language and code
    page (1252 for English, 1251 for Russian)."""
    session.env = wine_env.locale_env(session.env, request.param)
    return request.param


@pytest.fixture(scope="session")
def _print_scheduler():
    if os.geteuid() != 0:
        pytest.skip("prints on a print scheduler of its own, which only root can run")
    started_here = not print_queue.running()
    print_queue.start()
    os.environ["CUPS_SERVER"] = str(print_queue.SOCKET)  # every Wine program started from now on
    yield print_queue
    if started_here:
        print_queue.stop()


@pytest.fixture
def print_queues(request, _print_scheduler):
    request.node.printed_since = _print_scheduler.snapshot()
    return _print_scheduler


# ---------------------------------------------------------------- what a failure leaves

@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    """A failing test leaves the screen, and the PDFs it printed, in build/e2e-failures/."""
    report = (yield).get_result()
    if not report.failed or report.when == "teardown":
        return
    name = re.sub(r"[^\w.-]+", "_", f"{item.module.__name__}-{item.name}")
    FAILURES_DIR.mkdir(parents=True, exist_ok=True)
    screen = item.funcargs.get("display")
    if screen is not None:
        try:
            screen.screenshot().save(FAILURES_DIR / f"{name}.png")
            report.sections.append(("e2e", f"screenshot {FAILURES_DIR / name}.png"))
        except Exception as error:  # the report is about the test, not the screenshot
            report.sections.append(("e2e", f"no screenshot: {error}"))
    if hasattr(item, "printed_since"):
        for queue, pdfs in print_queue.new_pdfs(item.printed_since).items():
            for pdf in pdfs:
                shutil.copyfile(pdf, FAILURES_DIR / f"{name}-{queue}-{pdf.name}")

