#!/usr/bin/env python3
"""Shows the viewer on a virtual display where there is no real one, as scripts/run does:

    viewer_screenshot.py VIEWER.exe WINDOWS_FILE_NAME SCREENSHOT.png

Starts an Xvfb, opens the file in the viewer under the project's Wine prefix, waits until
the viewer shows the file (its list pane drawn), saves a screenshot, prints its path and
ends the viewer through its close box. Exit code 0 when the file was shown; 1 when the
viewer showed something else instead (a message box, say), whose screenshot is kept too.
"""

import os
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

import harness  # noqa: E402
import viewer_geometry as geo  # noqa: E402


def shows_file(window):
    """The list pane is on screen with its first row drawn: the pane's background colour
    at its top edge and dark text pixels in the first row band."""
    try:
        top = window.pixel(*geo.list_to_client(1, 0))
        band = window.grab(*geo.list_to_client(0, geo.row_top(0)), geo.LIST_TEXT_WIDTH,
                           geo.ROW_PITCH)
    except (AssertionError, RuntimeError):
        return False
    return top == geo.BACKGROUND and any(max(c) < 96 for c in band.colours())


def main():
    exe, file_name, screenshot = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    own_prefix = "wine-prefix64" if harness.WINE_ARCH == "win64" else "wine-prefix"
    prefix = Path(os.environ.get("TOLVINARK_WINEPREFIX", ROOT / "build" / own_prefix))
    harness.ensure_prefix(prefix)
    with harness.Display() as display:
        env = harness.wine_env(display, prefix)
        # A wineserver of this prefix that runs without a display would keep the viewer
        # invisible; let any such one end first.
        subprocess.run(["wineserver", "-w"], env=env)
        session = harness.Session(display, prefix, {})
        try:
            viewer = session.start(exe, file_name, cwd=ROOT)
            window = viewer.wait_window(geo.TITLE, timeout=60)

            def settled():
                # The file shown, a message box (it has the program's title too), or the end.
                return (shows_file(window) or len(display.windows_named(geo.TITLE)) > 1
                        or not viewer.running())
            harness.wait_until(settled, "the viewer to show the file or a message", timeout=60)
            shown = shows_file(window)
            picture = window.grab() if shown else display.screenshot()
            screenshot.parent.mkdir(parents=True, exist_ok=True)
            picture.save_png(screenshot)
            print(screenshot)
            if not shown:
                print("run: the viewer did not show the file; the screenshot shows what it "
                      "showed instead", file=sys.stderr)
            if shown:
                window.close()  # as the close box does
                try:
                    viewer.wait_exit(timeout=15)
                except harness.Timeout:
                    pass
        finally:
            session.close()
            subprocess.run(["wineserver", "-w"], env=env)
    return 0 if shown else 1


if __name__ == "__main__":
    sys.exit(main())
