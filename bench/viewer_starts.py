#!/usr/bin/env python3
"""Starts the viewer many times in a row under full CPU load and counts the starts that failed,
by the step the viewer names in its debug output.

    /usr/bin/python3 bench/viewer_starts.py build/win32/tolvinark.exe [--starts 200] [--busy 2]
        [--cold | --fresh-prefix]

Each start opens the bundled sample on a virtual display, as the shell does with a file of the
viewer's type, while `--busy` processes (`yes > /dev/null`) keep the cores busy. With `--cold`
each start waits until Wine's server of the prefix has ended, so that every start brings it up
anew; with `--fresh-prefix` each start is the first program of a Wine prefix of its own, which
Wine makes as it starts, as a user's first program after installing Wine. A start counts
as good when the list shows the file; the viewer is then closed by its close box and must end
with exit code 0. A start that fails writes "tolvinark: start-up failed: STEP, error N" to the
debug output, which Wine 8 logs on its seh channel (WINEDEBUG=warn+seh). Prints one line per
failed start and the figures at the end.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from collections import Counter
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "scripts" / "lib"))  # a script of its own, run from anywhere

import viewer_geometry as geo  # noqa: E402
import wine_env  # noqa: E402
from desktop import Display  # noqa: E402

SAMPLE = ROOT / "resources" / "samples" / "demo.dst"
FAILED_LINE = "tolvinark: start-up failed: "
LIST_CORNER = geo.list_to_client(1, 0)  # the list pane's client area, a pixel in


def shows_file(display):
    for xid in display.windows_named(geo.TITLE):
        geometry = display.geometry(xid)
        if geometry and geometry[2] > LIST_CORNER[0] and geometry[3] > LIST_CORNER[1]:
            left, top = geometry[0] + LIST_CORNER[0], geometry[1] + LIST_CORNER[1]
            if display.grab(left, top, 1, 1).getpixel((0, 0)) == geo.BACKGROUND:
                return xid
    return None


def failure_step(log_path):
    """The step the viewer's debug output names, or None."""
    text = Path(log_path).read_text(errors="replace")
    start = text.find(FAILED_LINE)
    if start < 0:
        return None
    return text[start + len(FAILED_LINE):].split("\\n", 1)[0].split("\n", 1)[0]


def one_start(display, env, exe, folder, timeout):
    """(outcome, seconds to the shown file or to the failure, detail)."""
    log = tempfile.NamedTemporaryFile(prefix="viewer-start-", suffix=".log", delete=False)
    started = time.monotonic()
    viewer = subprocess.Popen([wine_env.WINE, str(exe), wine_env.unix_to_wine_path(SAMPLE)],
                              cwd=folder, env=env, stdin=subprocess.DEVNULL, stdout=log,
                              stderr=subprocess.STDOUT, start_new_session=True)
    log.close()
    try:
        while True:
            elapsed = time.monotonic() - started
            xid = shows_file(display)
            if xid:
                display.send_close(xid)
                try:
                    code = viewer.wait(timeout=timeout)
                except subprocess.TimeoutExpired:
                    return "did not end after its close box", elapsed, ""
                if code != 0:
                    return f"ended with exit code {code} after its close box", elapsed, ""
                return "shown", elapsed, ""
            step = failure_step(log.name)
            if step:
                return "start-up failed", elapsed, step
            if viewer.poll() is not None:
                return (f"ended with exit code {viewer.returncode} before showing the file",
                        elapsed, failure_step(log.name) or "")
            if elapsed > timeout:
                return "showed nothing in time", elapsed, ""
            time.sleep(0.05)
    finally:
        if viewer.poll() is None:
            os.killpg(viewer.pid, signal.SIGKILL)
            viewer.wait()
        os.unlink(log.name)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("viewer", type=Path)
    parser.add_argument("--starts", type=int, default=200)
    parser.add_argument("--busy", type=int, default=2, help="processes that keep a core busy")
    parser.add_argument("--timeout", type=float, default=90.0, help="seconds for one start")
    kind = parser.add_mutually_exclusive_group()
    kind.add_argument("--cold", action="store_true", help="a fresh Wine server for each start")
    kind.add_argument("--fresh-prefix", action="store_true", help="a new prefix for each start")
    args = parser.parse_args()

    prefix = Path(str(wine_env.PREFIX) + "-starts")
    if not args.fresh_prefix:
        wine_env.ensure_prefix(prefix)
    busy = [subprocess.Popen(["yes"], stdout=subprocess.DEVNULL) for _ in range(args.busy)]
    outcomes = Counter()
    steps = Counter()
    shown_times = []
    try:
        with Display() as display, tempfile.TemporaryDirectory() as folder:
            env = dict(wine_env.environment(display.env(), prefix), WINEDEBUG="-all,warn+seh")
            subprocess.run(["wineserver", "-w"], env=env)
            display.move(display.size[0] - 1, display.size[1] - 1)
            for n in range(1, args.starts + 1):
                if args.cold:
                    subprocess.run(["wineserver", "-w"], env=env)
                if args.fresh_prefix:
                    prefix = Path(folder) / f"prefix-{n}"
                    env = dict(wine_env.environment(display.env(), prefix),
                               WINEDEBUG="-all,warn+seh")
                outcome, seconds, detail = one_start(display, env, args.viewer.resolve(),
                                                     folder, args.timeout)
                if args.fresh_prefix:
                    subprocess.run(["wineserver", "-k"], env=env)
                    subprocess.run(["wineserver", "-w"], env=env)
                    shutil.rmtree(prefix, ignore_errors=True)
                outcomes[outcome] += 1
                if outcome == "shown":
                    shown_times.append(seconds)
                else:
                    steps[detail or "no step named"] += 1
                    print(f"start {n}: {outcome} after {seconds:.1f} s"
                          f"{': ' + detail if detail else ''}", flush=True)
            subprocess.run(["wineserver", "-k"], env=env)
    finally:
        for process in busy:
            process.kill()
            process.wait()

    failed = args.starts - outcomes["shown"]
    kind = "cold " if args.cold else "first-in-a-new-prefix " if args.fresh_prefix else ""
    print(f"{args.starts} {kind}starts with {args.busy} busy processes "
          f"on {os.cpu_count()} cores: "
          f"{outcomes['shown']} showed the file, {failed} failed")
    for outcome, number in sorted(outcomes.items()):
        if outcome != "shown":
            print(f"  {number:4}  {outcome}")
    for step, number in sorted(steps.items()):
        print(f"  {number:4}  at: {step}")
    if shown_times:
        ordered = sorted(shown_times)
        print(f"seconds from start to the shown file: median {statistics.median(ordered):.2f}, "
              f"90th percentile {ordered[int(0.9 * (len(ordered) - 1))]:.2f}, "
              f"most {ordered[-1]:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
