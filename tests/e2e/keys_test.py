"""The viewer without a mouse: the list's keys in the main window and in the detail window,
Enter, Escape and Ctrl+O, typed as a user types them.

The rows are told apart by their pixels, as in viewer_test: the scroll bar's page steps show
every record's band once, and each step of the table is then checked as the top row (which
records the other rows show) and the highlighted row (the one drawn in the highlight colour).
While a detail window covers the list only the highlighted row is checked, at the list's left
edge, which the window leaves uncovered.
"""

import viewer_geometry as geo
from desktop import wait_until
from viewer_page import BESIDE_PANES, DEFAULT_CORNER, EXCEL_BUTTON, write_file

COUNT = 60  # 24 visible rows: scroll maximum 36
MAXIMUM = COUNT - geo.VISIBLE_ROWS

# One run through the table. Each step: what the user does (key names, or an action
# below), then the top row (None while a detail window covers the rows), the highlighted
# visible row (None: no row highlighted) and the record the detail window shows (None: no
# detail window).
# The pointer starts in the strip below the last row, which highlights nothing.
STEPS = [
    (["Down"], 0, 0, None),  # without a highlight Down highlights the top row
    (["Down"], 0, 1, None),
    (["Up", "Up"], 0, 0, None),  # the first record: the second Up does nothing
    (["End"], MAXIMUM, 23, None),
    (["Down"], MAXIMUM, 23, None),  # the last record: nothing moves
    (["Prior"], MAXIMUM - 24, 23, None),  # the scroll bar's page step; the highlight stays
    (["Home"], 0, 0, None),
    (["Next"], 24, 0, None),
    (["Down"] * 23, 24, 23, None),
    (["Down"], 25, 23, None),  # at the bottom row the rows scroll a line, the highlight stays
    (["Next"], MAXIMUM, 23, None),  # the page step stops at the end
    (["Up"] * 24, MAXIMUM - 1, 0, None),
    ("point at row 10", MAXIMUM - 1, 10, None),  # the pointer sets the highlight ...
    (["Down"], MAXIMUM - 1, 11, None),  # ... and a key moves it from there
    (["Home", "Down"], 0, 1, None),
    (["Return"], None, 1, 1),  # Enter opens the highlighted record
    (["Down"], None, 2, 1),  # keys in the detail window move the list
    (["End"], None, 23, 1),
    (["Escape"], MAXIMUM, 23, None),  # Escape closes the detail window ...
    (["Escape"], MAXIMUM, 23, None),  # ... and with none open does nothing
    (["Home", "Return"], None, 0, 0),
    ("click row 1", None, 1, 1),  # the click opens what Enter opened for the same record
    (["Escape"], 0, 1, None),
    (["ctrl+o"], 0, 1, None),  # Ctrl+O brings the open dialog; cancelled, the keys go on
    (["Down"], 0, 2, None),
    ("press Open", 0, 2, None),  # the Open button leaves the keys to the main window
    (["Down"], 0, 3, None),
    (["Up", "Return"], None, 2, 2),  # a timed measurement, with its buttons
    ("press Excel", None, 2, 2),  # nor does a button of the detail window keep the keys
    (["Down"], None, 3, 2),
    (["Escape"], 0, 3, None),
]


class KeyedViewer:
    """The viewer showing the test file, with every record's band learned."""

    def __init__(self, session, start_viewer):
        self.session = session
        self.viewer = start_viewer(file=write_file(session, "sixty.dst", range(COUNT)))
        self.viewer.park()
        self.band = {}
        # The trough below and above the scroll box: page steps to 24, the end, then back.
        self.learn_page(0)
        for top in (24, MAXIMUM):
            before = self.viewer.rows()
            self.viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM)
            wait_until(lambda: self.viewer.rows() != before, f"page down to {top}")
            self.learn_page(top)
        assert len({b.tobytes() for b in self.band.values()}) == COUNT, \
            "every record looks different"
        for top in (MAXIMUM - 24, 0):
            self.viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
            wait_until(lambda: self.state(True) == (top, None), f"page up to {top}")
        # Wine on a bare display gives the keyboard to no window until one is activated,
        # as a window manager does with a program's first window.
        session.display.focus(self.viewer.window.xid)

    def learn_page(self, top):
        for k, band in enumerate(self.viewer.rows()):
            self.band[top + k] = band

    def highlighted_row(self):
        highlighted = self.viewer.highlighted_rows()
        return (highlighted[0] if len(highlighted) == 1 else
                ("several", highlighted) if highlighted else None)

    def top_row(self):
        """The top row whose records the other rows show, or None when none fits."""
        rows = self.viewer.rows()
        highlight = self.highlighted_row()
        for top in range(MAXIMUM + 1):
            if all(rows[k] == self.band[top + k]
                   for k in range(geo.VISIBLE_ROWS) if k != highlight):
                return top
        return None

    def state(self, rows_visible):
        return (self.top_row() if rows_visible else None), self.highlighted_row()

    def do(self, action):
        display = self.session.display
        if isinstance(action, list):
            display.key(*action)
        elif action == "point at row 10":
            self.viewer.window.move(*geo.list_to_client(200, geo.row_top(10) + 5))
        elif action == "click row 1":
            self.viewer.click_row(1)
        elif action == "press Open":
            self.viewer.click_open()
            self.cancel_open_dialog()
        elif action == "press Excel":
            export = self.session.temp_dir / "Temp.dif"
            self.viewer.detail().click_button(EXCEL_BUTTON)
            wait_until(export.exists, "the export of the shown series")
            # Away from the button, which the list's rows are under: once Escape closes the
            # window they would take the pointer as a hover and highlight the row under it.
            self.viewer.window.move(*BESIDE_PANES)
        if action == ["ctrl+o"]:
            self.cancel_open_dialog()

    def cancel_open_dialog(self):
        # By its key: the pointer stays where it was, and so does the highlight.
        self.viewer.open_dialog_parts()
        self.session.display.key("Escape")
        self.viewer.wait_open_dialog_gone()


def test_the_keys_move_the_list_and_open_and_close_records(session, start_viewer):
    keyed = KeyedViewer(session, start_viewer)
    pictures = {}  # record -> its detail window's picture
    shown = None  # the detail window open now
    for n, (action, top, highlight, record) in enumerate(STEPS):
        what = f"step {n}, {action}"
        keyed.do(action)
        if record is None:
            if shown is not None:
                keyed.viewer.wait_no_detail(f"{what}: the detail window to close")
            shown = None
        elif shown is None or "Return" in action or action == "click row 1":
            shown = keyed.viewer.wait_detail_built(replacing=shown)
            picture = shown.grab()
            assert shown.corner == DEFAULT_CORNER, f"{what}: the window at {shown.corner}"
            assert pictures.setdefault(record, picture) == picture, \
                f"{what}: record {record} shows as it did before"
        wait_until(lambda: keyed.state(top is not None) == (top, highlight),
                   f"{what}: top row {top}, row {highlight} highlighted", timeout=10)
        if shown is not None:
            assert keyed.viewer.detail().handle == shown.handle, f"{what}: kept open"
    assert pictures[0] != pictures[1], "the two records' windows differ"
    keyed.viewer.exit()

