"""The viewer, tolvinark.exe, used as a user uses it: started with or without a file,
its buttons, the list's scroll bar, wheel and highlight, its messages and the open dialog.

Rows are told apart by their pixels: the test files give every record its own date, time,
mode and concentration, so each record's row band looks different, and the same record
looks the same in whichever row it stands. Stepping down one line at a time teaches the
test every record's band; page moves, dragging and the wheel are then checked against it.
"""

import viewer_geometry as geo
from desktop import colours, count, wait_until
from viewer_page import NO_DST_TYPE, NO_FILE, SAMPLE, is_blank, write_file
from wine_env import unix_to_wine_path

LOOK_ICON_LENS = (0, 255, 255)  # colours of the button pictures, resources/icons
EXIT_ICON_ARROW = (0, 255, 0)


def client_outside_panes(window, face, rects):
    """Pixels of the client area outside `rects` that are not the button face colour."""
    left, top, width, height = window.geometry()
    client = window.grab()
    wrong = []
    for y in range(0, height, 2):
        for x in range(0, width, 2):
            if any(rx <= x < rx + rw and ry <= y < ry + rh for rx, ry, rw, rh in rects):
                continue
            if client.getpixel((x, y)) != face:
                wrong.append((x, y))
    return wrong


def test_no_file_shows_only_the_buttons_and_exit_ends_with_0(start_viewer):
    viewer = start_viewer()
    buttons = [geo.OPEN_BUTTON, geo.EXIT_BUTTON]

    def only_buttons():
        face = viewer.window.pixel(1, 1)
        open_button = viewer.window.grab(*geo.OPEN_BUTTON)
        exit_button = viewer.window.grab(*geo.EXIT_BUTTON)
        return (face != geo.BACKGROUND and not client_outside_panes(viewer.window, face, buttons)
                and count(open_button, LOOK_ICON_LENS) > 20
                and count(exit_button, EXIT_ICON_ARROW) > 20)
    wait_until(only_buttons, "only the Open and Exit buttons with their pictures on the "
               "button face")
    viewer.exit()


def test_the_sample_shows_the_panes_on_their_background(start_viewer):
    viewer = start_viewer(file=SAMPLE)
    w = viewer.window
    face = w.pixel(1, 1)
    assert face != geo.BACKGROUND, face
    panes = [geo.INFO_PANE, geo.HEADER_PANE, geo.LIST_PANE]
    for pane in panes:
        x, y, width, height = pane
        inner_width, inner_height = width - 2 * geo.EDGE, height - 2 * geo.EDGE
        if pane is geo.LIST_PANE:
            inner_width -= geo.SCROLL_BAR_WIDTH
        for px, py in ((0, 0), (inner_width - 1, inner_height - 1)):
            seen = w.pixel(*geo.pane_to_client(pane, px, py))
            assert seen == geo.BACKGROUND, (pane, (px, py), seen)
        # The sunken edge is drawn, the face colour is right outside it.
        assert w.pixel(x, y + height // 2) not in (face, geo.BACKGROUND), pane
        assert w.pixel(x - 1, y + height // 2) == face, pane
    wrong = client_outside_panes(w, face, panes + [geo.OPEN_BUTTON, geo.EXIT_BUTTON])
    assert not wrong, f"{len(wrong)} pixels outside the panes and buttons, first {wrong[:5]}"
    # Labels, column titles and the first rows are drawn; the rows are told apart.
    info, header = w.grab(*geo.INFO_PANE), w.grab(*geo.HEADER_PANE)
    assert len(colours(info)) > 3 and len(colours(header)) > 3
    rows = viewer.rows()
    filled = [r for r in rows if not is_blank(r)]
    assert filled and rows[:len(filled)] == filled, "rows without gaps from the top"
    assert len({r.tobytes() for r in filled}) > 1, "the rows show different records"


def test_scrolling_moves_the_rows_as_the_scroll_bar_and_wheel_ask(session, start_viewer):
    maximum = 60 - geo.VISIBLE_ROWS  # 24 visible rows of 60
    viewer = start_viewer(file=write_file(session, "sixty.dst", range(60)))
    rows = viewer.rows()
    assert not any(is_blank(r) for r in rows) and len({r.tobytes() for r in rows}) == len(rows), \
        "24 different records on the first page"
    band = {k: rows[k] for k in range(geo.VISIBLE_ROWS)}  # record number -> its row band

    def page(top):
        return [band[top + k] for k in range(geo.VISIBLE_ROWS)]

    def down_arrow():
        viewer.window.click(*geo.DOWN_ARROW)

    def up_arrow():
        viewer.window.click(*geo.UP_ARROW)

    # Line down, one row at a time, to the end: every step shifts the rows up by one and
    # brings one new record in at the bottom.
    for top in range(1, maximum + 1):
        before = rows
        down_arrow()
        wait_until(lambda: viewer.rows()[:-1] == before[1:] and viewer.rows() != before,
                   f"line down to top row {top}")
        rows = viewer.rows()
        assert rows[-1] not in band.values(), f"record {top + 23} looks new"
        band[top + geo.VISIBLE_ROWS - 1] = rows[-1]
    # At the end line down does nothing: the line up that follows lands one row higher.
    down_arrow()
    up_arrow()
    viewer.wait_rows(page(maximum - 1), "line up after line down at the end")
    down_arrow()
    viewer.wait_rows(page(maximum), "line down back to the end")

    # Wheel: one notch towards the user is one row down, one away one row up, wherever the
    # pointer is over the program (here beside the panes, so no row is highlighted).
    beside = (600, 300)
    viewer.window.wheel(*beside, 1)
    viewer.wait_rows(page(maximum - 1), "one wheel notch up")
    viewer.window.wheel(*beside, -1)
    viewer.wait_rows(page(maximum), "one wheel notch down")

    # Page up and down: clicks in the trough, above or below the scroll box.
    for top in (12, 0):
        viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
        viewer.wait_rows(page(top), f"page up to top row {top}")
    # At the top line up does nothing: the line down that follows lands on row 1.
    up_arrow()
    down_arrow()
    viewer.wait_rows(page(1), "line down after line up at the top")
    up_arrow()
    viewer.wait_rows(page(0), "line up back to the top")
    for top in (24, maximum):
        viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM)
        viewer.wait_rows(page(top), f"page down to top row {top}")

    # Dragging the scroll box: the rows follow while the button is held, and stay when it
    # is let go.
    pages = {tuple(r.tobytes() for r in page(top)): top for top in range(maximum + 1)}

    def shown_top():
        return pages.get(tuple(r.tobytes() for r in viewer.rows()))
    viewer.window.press(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM)  # the box stands at the bottom
    viewer.window.move(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM - 100)
    wait_until(lambda: (shown_top() or 0) in range(1, maximum),
               "the rows to follow the scroll box dragged half way up")
    viewer.window.move(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
    viewer.wait_rows(page(0), "the first rows with the scroll box dragged to the top")
    viewer.window.release(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
    # Letting go changes nothing: the wheel notch that follows lands on row 1.
    viewer.window.wheel(*beside, -1)
    viewer.wait_rows(page(1), "one wheel notch down after the drag was let go at the top")


def test_the_row_under_the_pointer_is_highlighted(session, start_viewer):
    viewer = start_viewer(file=write_file(session, "forty.dst", range(40)))

    plain = viewer.rows()
    assert viewer.highlighted_rows() == []
    for y, row in ((20, 1), (0, 0), (13, 0), (geo.row_top(10) + 7, 10)):
        viewer.window.move(*geo.list_to_client(200, y))
        wait_until(lambda: viewer.highlighted_rows() == [row], f"row {row} highlighted for y = {y}")
    rows = viewer.rows()
    band = rows[10]
    assert count(band, geo.HIGHLIGHT) > count(band, geo.BACKGROUND), "the whole band is lit"
    assert rows[:10] == plain[:10] and rows[11:] == plain[11:], "only row 10 changes"
    # Leaving the pane leaves the highlight; scrolling keeps it on the same screen row.
    viewer.window.move(600, 300)
    viewer.window.wheel(600, 300, -1)
    wait_until(lambda: viewer.rows()[0] == plain[1], "one wheel notch down")
    assert viewer.highlighted_rows() == [10]
    # The close box ends the program with exit code 0.
    viewer.window.close()
    assert viewer.program.wait_exit() == 0


def test_another_extension_is_refused_and_the_viewer_stays(session, start_viewer):
    viewer = start_viewer(unix_to_wine_path(session.temp_dir / "notes.txt"))
    viewer.dismiss_message(NO_DST_TYPE)
    # Still running and serving its buttons: the open dialog comes and can be cancelled.
    viewer.cancel_open_dialog()
    assert viewer.window.pixel(*geo.list_to_client(1, 0)) != geo.BACKGROUND, "no file shown"
    viewer.exit()


def test_a_missing_file_is_reported_then_the_viewer_ends_with_0(session, start_viewer):
    name = unix_to_wine_path(session.temp_dir / "missing.dst")
    viewer = start_viewer(name)
    viewer.dismiss_message(NO_FILE + name)
    assert viewer.program.wait_exit() == 0


def test_the_open_button_replaces_the_list_from_the_top(session, start_viewer):
    viewer = start_viewer(file=write_file(session, "sixty.dst", range(60)))
    first_page = viewer.rows()
    info_before = viewer.window.grab(*geo.INFO_PANE)
    viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM)
    wait_until(lambda: viewer.rows()[0] not in first_page, "page down")
    # The second file holds the first file's first five records, so its rows are known.
    second = write_file(session, "five.dst", range(5))
    viewer.open_by_dialog(unix_to_wine_path(second))

    def replaced():
        rows = viewer.rows()
        return rows[:5] == first_page[:5] and all(is_blank(r) for r in rows[5:])
    wait_until(replaced, "the five records of the second file from the top, blank rows below")
    assert viewer.window.grab(*geo.INFO_PANE) != info_before, "the info pane names the new file"
    # Five records fit: no scroll bar, the pane's background where it stood.
    assert viewer.window.pixel(*geo.DOWN_ARROW) == geo.BACKGROUND
    viewer.exit()

