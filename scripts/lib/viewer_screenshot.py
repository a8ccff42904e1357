#!/usr/bin/env python3
"""Shows the viewer on a virtual display where there is no real one, as scripts/run does:

    viewer_screenshot.py VIEWER.exe WINDOWS_FILE_NAME SCREENSHOT.png

Starts an Xvfb, opens the file in the viewer under the project's Wine prefix, waits until
the viewer shows the file (its list pane drawn), saves a screenshot, prints its path and
ends the viewer through its close box. Exit code 0 when the file was shown; 1 when the
viewer showed something else instead (a message box, say), whose screenshot is kept too.
"""

import os
import signal
import subprocess
import sys
from pathlib import Path

import viewer_geometry as geo
import wine_env
from desktop import Display, Timeout, Window, colours, wait_until

LIST_CORNER = geo.list_to_client(1, 0)  # the list pane's client area, a pixel in
FIRST_ROW = (*geo.list_to_client(0, geo.row_top(0)), geo.LIST_TEXT_WIDTH, geo.ROW_PITCH)


def shows_file(window):
    """The list pane is on screen with its first row drawn: the pane's background colour
    at its top edge and dark text pixels in the first row band."""
    try:
        top = window.pixel(*LIST_CORNER)
        band = window.grab(*FIRST_ROW)
    except (AssertionError, RuntimeError):
        return False
    return top == geo.BACKGROUND and any(max(c) < 96 for c in colours(band))


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
        viewer = subprocess.Popen([wine_env.WINE, exe, file_name], cwd=wine_env.ROOT, env=env,
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            xid = wait_until(lambda: display.windows_named(geo.TITLE), "the viewer's window",
                             timeout=60)[0]
            window = Window(display, xid, geo.TITLE)

            def settled():
                # The file shown, a message box (it has the program's title too), or the end.
                return (shows_file(window) or len(display.windows_named(geo.TITLE)) > 1
                        or viewer.poll() is not None)
            wait_until(settled, "the viewer to show the file or a message", timeout=60)
            shown = shows_file(window)
            picture = window.grab() if shown else display.screenshot()
            screenshot.parent.mkdir(parents=True, exist_ok=True)
            picture.save(screenshot)
            print(screenshot)
            if not shown:
                print("run: the viewer did not show the file; the screenshot shows what it "
                      "showed instead", file=sys.stderr)
            else:
                window.close()  # as the close box does
                try:
                    viewer.wait(timeout=15)
                except subprocess.TimeoutExpired:
                    pass
        except Timeout as error:
            print(f"run: {error}", file=sys.stderr)
            shown = False
        finally:
            if viewer.poll() is None:
                os.killpg(viewer.pid, signal.SIGKILL)
            subprocess.run(["wineserver", "-w"], env=env)
    return 0 if shown else 1


if __name__ == "__main__":
    sys.exit(main())
