"""What the viewer holds off while one of its message boxes is up: the detail window stays
usable under "Нет файла" from the main window, but what would open or close a window there
does nothing until the box is answered.

The box comes from a row click on a file deleted after it was opened. It is owned by the list
pane, so it disables the main window alone; the detail window takes the keys and clicks below.
"""

import pytest

from printouts import dialog_windows
from viewer_page import NO_FILE, OPEN_DIALOG_TITLE, write_file

HELD_OFF = {
    "Enter": lambda viewer, detail: viewer.type_in_detail(detail, "Return"),
    "Ctrl+O": lambda viewer, detail: viewer.type_in_detail(detail, "ctrl+o"),
    "Escape": lambda viewer, detail: viewer.type_in_detail(detail, "Escape"),
    "its close box": lambda viewer, detail: viewer.close_detail(detail),
    "a right click": lambda viewer, detail: viewer.right_click_detail(detail),
}


@pytest.mark.parametrize("action", list(HELD_OFF))
def test_the_detail_window_opens_and_closes_nothing_under_a_message_box(
        session, start_viewer, action):
    path = write_file(session, "ten.dst", range(10))
    viewer = start_viewer(file=path)
    viewer.click_row(0)
    detail = viewer.wait_detail_built()
    path.unlink()
    viewer.click_row(1)
    missing = NO_FILE + viewer.wine_name
    viewer.wait_message_box(missing)

    HELD_OFF[action](viewer, detail)
    viewer.settle()
    boxes = [[c["text"] for c in box] for box in viewer.message_boxes()]
    assert len(boxes) == 1 and missing in boxes[0], f"after {action}: message boxes {boxes}"
    assert not session.display.windows_named(OPEN_DIALOG_TITLE), f"the open dialog after {action}"
    assert not dialog_windows(session.display), f"a print dialog after {action}"
    shown = viewer.detail()
    assert shown and shown.handle == detail.handle, f"the detail window changed after {action}"

    # Answered, the box lets the click go on: the detail window of the missing file closes.
    viewer.dismiss_message(missing)
    viewer.wait_no_detail("the detail window to close after the box")
