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

import viewer_geometry as geo
import wine_env
from desktop import Display, Program, colours, wait_until


def shows_file(window):
    """The list pane's background colour at its top edge and dark text in its first row."""
    try:
        band = window.grab(*geo.list_to_client(0, geo.row_top(0)), geo.LIST_TEXT_WIDTH,
                           geo.ROW_PITCH)
        return (window.pixel(*geo.list_to_client(1, 0)) == geo.BACKGROUND and
                any(max(c) < 96 for c in colours(band)))
    except (AssertionError, RuntimeError):
        return False


def main():
    exe, file_name, screenshot = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    prefix = Path(os.environ.get("TOLVINARK_WINEPREFIX", wine_env.PREFIX))
    wine_env.ensure_prefix(prefix)
    with Display() as display:
        env = wine_env.environment(display.env(), prefix)
        # A wineserver of this prefix that runs without a display would keep the viewer
        # invisible; let any such one end first.
        subprocess.run(["wineserver", "-w"], env=env)
        display.move(display.size[0] - 1, display.size[1] - 1)  # where it highlights no row
        viewer = Program(display, exe, [file_name], wine_env.ROOT, env)
        shown = False
        try:
            window = viewer.wait_window(geo.TITLE, timeout=60)
            # The file shown, a message box (it has the program's title too), or the end.
            wait_until(lambda: shows_file(window) or len(display.windows_named(geo.TITLE)) > 1
                       or not viewer.running(), "the viewer to show the file or a message", 60)
            shown = shows_file(window)
            screenshot.parent.mkdir(parents=True, exist_ok=True)
            (window.grab() if shown else display.screenshot()).save(screenshot)
            print(screenshot)
            if shown:
                window.close()  # as the close box does
                viewer.process.wait(timeout=15)
            else:
                print("run: the viewer did not show the file; the screenshot shows what it "
                      "showed instead", file=sys.stderr)
        except (AssertionError, subprocess.TimeoutExpired) as error:
            print(f"run: {error}", file=sys.stderr)
        finally:
            viewer.stop()
            subprocess.run(["wineserver", "-w"], env=env)
    return 0 if shown else 1


if __name__ == "__main__":
    sys.exit(main())
