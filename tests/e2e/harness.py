"""Drives Windows programs under Wine on a virtual X display, as a user would.

A test script hands `run_cases` a list of case functions; each gets a `Session` with a
running Xvfb and starts the program it needs with `session.start(...)`. Everything waits
for a state with a timeout (a window exists, a pixel has a colour, the process ended);
nothing relies on a fixed sleep alone. A failing case leaves a screenshot of the whole
screen in build/e2e-failures/.

The display, its windows and input are scripts/lib/xdisplay.py's, the Wine environment is
scripts/lib/wine.env's (scripts/lib/wine_env.py). A wineserver that was started without a
display keeps every later program of its prefix invisible, so the tests use a prefix of their
own (the scripts' prefix with "-e2e" added, unless TOLVINARK_WINEPREFIX names one).
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path[:0] = [str(ROOT / "scripts" / "lib"), str(ROOT / "tools")]  # dst_format, the layout

import wine_env as _wine  # noqa: E402
from wine_env import ensure_prefix, unix_to_wine_path  # noqa: E402,F401
from xdisplay import SCREEN, Display, Image, Timeout, Window, wait_until  # noqa: E402,F401

FAILURES_DIR = ROOT / "build" / "e2e-failures"
SKIPPED = 77  # the exit code CTest reports as skipped (SKIP_RETURN_CODE)
WINE_ARCH = _wine.ARCH
WINE = _wine.WINE
DEFAULT_PREFIX = Path(str(_wine.PREFIX) + "-e2e")


def wine_env(display, prefix):
    return _wine.environment(display.env(), prefix)


def locale_env(env, locale):
    """`env` for a Wine system in `locale` (a UTF-8 locale such as "ru_RU.UTF-8"): the
    machine's (scripts/setup makes them), else one of the tests' own in build/locale/ (made
    once with localedef; glibc needs it to read the Unix side's names as UTF-8)."""
    installed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
    if locale.lower().replace("-", "") in installed.lower().split():
        return dict(env, LANG=locale, LC_ALL=locale)
    folder = ROOT / "build" / "locale"
    if not (folder / locale).is_dir():
        folder.mkdir(parents=True, exist_ok=True)
        subprocess.run(["localedef", "-i", locale.split(".")[0], "-f", "UTF-8",
                        str(folder / locale)], check=True, capture_output=True)
    return dict(env, LOCPATH=str(folder), LANG=locale, LC_ALL=locale)


class Program:
    """One Windows program started under Wine."""

    def __init__(self, session, exe, args, cwd):
        self.session = session
        self.display = session.display
        self.exe = Path(exe)
        log = tempfile.NamedTemporaryFile(prefix="e2e-wine-", suffix=".log", delete=False)
        self.log_path = log.name
        self.process = subprocess.Popen(
            [WINE, str(self.exe), *map(str, args)], cwd=str(cwd or self.exe.parent),
            env=session.env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
            start_new_session=True)
        log.close()

    def wait_window(self, title, timeout=20.0, besides=()):
        """The first visible top-level window called `title` that is not among `besides`."""
        known = {w.xid for w in besides}

        def find():
            if self.process.poll() is not None:
                raise AssertionError(f"{self.exe.name} ended with code "
                                     f"{self.process.returncode} before showing {title!r}")
            fresh = [w for w in self.display.windows_named(title) if w not in known]
            return fresh[0] if fresh else None
        return Window(self.display, wait_until(find, f"a window {title!r}", timeout), title)

    def running(self):
        return self.process.poll() is None

    def memory(self):
        """(resident, peak resident) bytes of the process, from /proc."""
        fields = {}
        with open(f"/proc/{self.process.pid}/status") as status:
            for line in status:
                name, _, value = line.partition(":")
                fields[name] = value.split()
        return int(fields["VmRSS"][0]) * 1024, int(fields["VmHWM"][0]) * 1024

    def wait_exit(self, timeout=15.0):
        """The process exit code, once it has ended."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Timeout(f"timed out after {timeout:g} s waiting for {self.exe.name} to end")

    def stop(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
        try:
            os.unlink(self.log_path)
        except OSError:
            pass


# ---------------------------------------------------------------- cases

class Session:
    """What one case works with: the display, the Wine environment, the programs it runs."""

    def __init__(self, display, prefix, exes):
        self.display = display
        self.prefix = prefix
        self.exes = exes
        self.env = wine_env(display, prefix)
        self.programs = []
        self.temp_dir = Path(tempfile.mkdtemp(prefix="tolvinark-e2e-"))
        # The pointer waits in a corner where no window opens, so that no program sees a
        # mouse move its case did not make.
        display.move(display.size[0] - 1, display.size[1] - 1)

    def start(self, exe, *args, cwd=None):
        program = Program(self, exe, args, cwd)
        self.programs.append(program)
        return program

    def run(self, exe, *args, timeout=30):
        """Runs a Windows console program in the case's Wine environment to its end: the
        finished subprocess, its output as bytes."""
        return subprocess.run([WINE, str(exe), *map(str, args)], env=self.env,
                              capture_output=True, timeout=timeout)

    def _window_texts(self, *args):
        helper = self.exes.get("window_texts")
        if helper is None:
            raise RuntimeError("no window_texts helper given (--window-texts PATH)")
        return self.run(helper, *args)

    def window_texts(self, title, owned=False):
        """Every window called `title` with its children, read from inside Wine: a list of
        dicts (depth, handle, class, rect, visible, text). With `owned`, the top-level windows
        owned by a window called `title` (untitled ones included) instead, each with its
        children; top-level ones with "client", their client area's screen rectangle, too."""
        result = self._window_texts(*(["--owned"] if owned else []), title)
        windows = []
        for line in result.stdout.decode("utf-8", "replace").splitlines():
            fields = line.rstrip("\r").split("\t")
            if len(fields) < 6:
                continue
            window = {"depth": int(fields[0]), "handle": fields[1], "class": fields[2],
                      "rect": tuple(int(v) for v in fields[3].split()),
                      "visible": fields[4] == "1"}
            if owned and window["depth"] == 0 and len(fields) >= 7:
                window["client"] = tuple(int(v) for v in fields[5].split())
                fields = fields[:5] + fields[6:]
            window["text"] = "\t".join(fields[5:])
            windows.append(window)
        return windows

    def move_window(self, handle, left, top):
        """Places the top-level window `handle` (as window_texts prints it) with its outer
        top-left corner at screen (left, top), keeping its size, from inside Wine: there is no
        window manager whose title bar could be dragged."""
        if self._window_texts("--move", handle, left, top).returncode != 0:
            raise AssertionError(f"window {handle} could not be moved to ({left}, {top})")

    def settle(self, title):
        """Returns once the program whose window is called `title` has handled everything it
        was sent before, input included, so that a check that something did not happen can
        look once instead of waiting."""
        if self._window_texts("--settle", title).returncode != 0:
            raise AssertionError(f"no window {title!r} answers")

    def click_child(self, windows, cls, text):
        """Clicks the middle of the window of class `cls` showing `text` (an "&" that marks
        a shortcut letter ignored), from a window_texts list. Windows screen coordinates
        are X screen coordinates on a bare display."""
        def caption(w):
            return w["text"].replace("&", "")
        matches = [w for w in windows if w["class"].lower() == cls.lower() and
                   caption(w) == text and w["visible"]]
        if not matches:
            raise AssertionError(f"no {cls} {text!r} among {[caption(w) for w in windows]}")
        left, top, right, bottom = matches[0]["rect"]
        self.display.click((left + right) // 2, (top + bottom) // 2)

    def close(self):
        for program in self.programs:
            program.stop()
        shutil.rmtree(self.temp_dir, ignore_errors=True)


def stop_wineserver(env):
    """Ends the prefix's wineserver and every process it still serves."""
    subprocess.run(["wineserver", "-k"], env=env, capture_output=True)
    subprocess.run(["wineserver", "-w"], env=env, capture_output=True)


def parse_arguments(argv):
    """`script.py EXE [--NAME VALUE]... [-k NAME]`: the program under test and named helpers
    (or settings), and the part of a case name that selects the cases to run."""
    rest = list(argv)
    if not rest:
        raise SystemExit(f"usage: {sys.argv[0]} PROGRAM.exe [--window-texts PATH] [-k NAME]")
    options = {"program": rest.pop(0)}
    only = None
    while rest:
        option = rest.pop(0)
        if option == "-k" and rest:
            only = rest.pop(0)
        elif option.startswith("--") and rest:
            options[option[2:].replace("-", "_")] = rest.pop(0)
        else:
            raise SystemExit(f"unknown argument {option}")
    return options, only


def skip(reason):
    """Ends the test script as skipped, saying why in one line."""
    print(f"skipped: {reason}", flush=True)
    sys.exit(SKIPPED)


def run_case(display, prefix, exes, case, script, report=True):
    """Runs one case in a fresh Session; returns its status line and whether it passed.
    A failing case leaves build/e2e-failures/SCRIPT-CASE.png."""
    session = Session(display, prefix, exes)
    started = time.monotonic()
    try:
        case(session)
        status, passed = "ok", True
    except Exception:  # a failing case must not stop the others
        status, passed = "FAILED", False
        shot = FAILURES_DIR / f"{script}-{case.__name__}.png"
        try:
            display.screenshot().save_png(shot)
            status += f" (screenshot {shot})"
        except Exception as error:
            status += f" (no screenshot: {error})"
        if report:
            traceback.print_exc()
    finally:
        session.close()
    return f"{case.__name__}: {status} [{time.monotonic() - started:.1f} s]", passed


def run_cases(cases, argv=None, settings=(), print_queues=False):
    """Runs every case on one Xvfb, prints one line per case and exits 0 only if every
    case passed. Arguments: PROGRAM.exe [--HELPER PATH]... [-k PART_OF_CASE_NAME]; the names
    in `settings` take a value that is no path (session.exes holds it as given).
    `print_queues`: the cases print, on the project's own queues (print_queues.py), which only
    root can run; for anyone else the script reports itself skipped."""
    options, only = parse_arguments(sys.argv[1:] if argv is None else argv)
    exes = {name: value if name in settings else Path(value).resolve()
            for name, value in options.items()}
    selected = [c for c in cases if only is None or only in c.__name__]
    if print_queues:
        from print_queues import PrintQueues
        if os.geteuid() != 0:
            skip("prints on a print scheduler of its own, which only root can run")
        with PrintQueues() as queues:
            queues.export()  # every Wine program of the cases sees the queues
            return _run_selected(selected, exes)
    return _run_selected(selected, exes)


def _run_selected(selected, exes):
    prefix = Path(os.environ.get("TOLVINARK_WINEPREFIX", DEFAULT_PREFIX))
    ensure_prefix(prefix)
    script = Path(sys.argv[0]).stem
    failures = 0
    with Display() as display:
        # A wineserver left from an earlier run would still serve a display that is gone.
        stop_wineserver(wine_env(display, prefix))
        for case in selected:
            line, passed = run_case(display, prefix, exes, case, script)
            failures += not passed
            print(line, flush=True)
        stop_wineserver(wine_env(display, prefix))
    print(f"{len(selected) - failures} of {len(selected)} cases passed", flush=True)
    return 1 if failures or not selected else 0
