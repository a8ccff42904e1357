"""The project's version, the viewer's title, and where it draws what, in client coordinates of
its main window, and its colours: for the end-to-end tests and scripts/run's screenshot.

The main window's children have fixed outer rectangles; each pane has a sunken client
edge of 2 pixels, so a pane's client area starts 2 pixels inside its outer rectangle. The
list pane's vertical scroll bar stands inside that edge at the right.
"""

import re
from pathlib import Path

# As CMakeLists.txt's project() gives it to the programs.
VERSION = re.search(r"project\(Tolvinark VERSION ([0-9.]+)",
                    (Path(__file__).resolve().parents[2] / "CMakeLists.txt").read_text()).group(1)
TITLE = f"Tolvinark v {VERSION} (print)  28.03.2019"

BACKGROUND = (252, 252, 240)  # 0x00F0FCFC
HIGHLIGHT = (254, 255, 151)  # 0x0097FFFE

EDGE = 2  # WS_EX_CLIENTEDGE
SCROLL_BAR_WIDTH = 17  # Wine 8's; its arrows are as high as the bar is wide

# Outer rectangles (x, y, width, height) in the main window's client area.
INFO_PANE = (6, 6, 528, 76)
HEADER_PANE = (6, 88, 528, 26)
LIST_PANE = (6, 114, 528, 344)
OPEN_BUTTON = (560, 20, 64, 42)
EXIT_BUTTON = (634, 20, 64, 42)

ROW_PITCH = 14
LIST_CLIENT_HEIGHT = LIST_PANE[3] - 2 * EDGE
VISIBLE_ROWS = LIST_CLIENT_HEIGHT // ROW_PITCH  # 24
LIST_TEXT_WIDTH = LIST_PANE[2] - 2 * EDGE - SCROLL_BAR_WIDTH  # client width beside the bar


def centre(rect):
    x, y, width, height = rect
    return x + width // 2, y + height // 2


def pane_to_client(pane, x, y):
    """A point of a pane's client area in the main window's client area."""
    return pane[0] + EDGE + x, pane[1] + EDGE + y


def list_to_client(x, y):
    return pane_to_client(LIST_PANE, x, y)


def row_top(k):
    """Top of visible row k in the list pane's client area."""
    return 2 + ROW_PITCH * k


# The list pane's scroll bar, in the main window's client area.
SCROLL_BAR_X = LIST_PANE[0] + EDGE + LIST_TEXT_WIDTH + SCROLL_BAR_WIDTH // 2
SCROLL_BAR_TOP = LIST_PANE[1] + EDGE
SCROLL_BAR_BOTTOM = SCROLL_BAR_TOP + LIST_CLIENT_HEIGHT  # one past the last pixel
UP_ARROW = (SCROLL_BAR_X, SCROLL_BAR_TOP + SCROLL_BAR_WIDTH // 2)
DOWN_ARROW = (SCROLL_BAR_X, SCROLL_BAR_BOTTOM - SCROLL_BAR_WIDTH // 2)
# The trough between the arrows: a click at its top pages up while the box is below it, one at
# its bottom pages down.
TROUGH_TOP = SCROLL_BAR_TOP + SCROLL_BAR_WIDTH + 2
TROUGH_BOTTOM = SCROLL_BAR_BOTTOM - SCROLL_BAR_WIDTH - 3
