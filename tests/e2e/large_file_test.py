"""The viewer, tolvinark.exe, with a file of 1,000,000 records (588 MB): it opens, lists,
scrolls by wheel, page and drag to its last record, and keeps only its 28-byte index entry
per record in memory; and with a file over 4 GB, which it counts and lists to its end.

The file is made once by tools/make_sample.py into build/large-files/ and kept there.
TOLVINARK_E2E_LARGE=0 skips the module (exit code 77, which CTest reports as skipped).

Rows are compared pixel for pixel with the texts tolvinark-cli prints for the same records
(row_pictures.py); the first and last records are copied into small files for that, so the
command-line program lists 49 records, not a million. Figures (open time, memory) are printed.
"""

import os
import time

import pytest

import row_pictures
import viewer_geometry as geo
from desktop import wait_until
from dst_format import RECORD_SIZE
from viewer_page import BESIDE_PANES, MILLION as RECORDS, copy_records, million_records
from wine_env import unix_to_wine_path

pytestmark = pytest.mark.skipif(os.environ.get("TOLVINARK_E2E_LARGE", "1") == "0",
                                reason="TOLVINARK_E2E_LARGE=0")

ENTRY_SIZE = 28
# What the viewer may hold besides its index entries after the open: its read block and what
# the heap keeps around.
MEMORY_MARGIN = 8 * 1024 * 1024


def mb(size):
    return f"{size / 1e6:.1f} MB"


def test_a_million_records_open_list_and_scroll_to_the_last(session, start_viewer):
    big = million_records()
    head = copy_records(big, 0, 49, session.temp_dir / "head.dst")
    tail = copy_records(big, RECORDS - 48, 48, session.temp_dir / "tail.dst")
    maximum = RECORDS - geo.VISIBLE_ROWS

    viewer = start_viewer()
    head_rows = row_pictures.row_pictures(session, row_pictures.cli_list(session, head))
    tail_rows = row_pictures.row_pictures(session, row_pictures.cli_list(session, tail))
    info = row_pictures.cli_info(session, big)
    assert info["Записей:"].strip() == str(RECORDS), info
    records_line = row_pictures.records_line_picture(session, info["Записей:"])

    def wait_page(rows, what):
        viewer.park()
        viewer.wait_rows(rows, what, timeout=20)

    # The Open dialog first opens a small file, so that what the dialog itself loads counts
    # before the large file's open is measured, and the time of the road without the file.
    started = time.monotonic()
    viewer.open_by_dialog(unix_to_wine_path(tail))
    wait_page(tail_rows[:24], "the first 24 of the last 48 records, from a small file")
    small_seconds = time.monotonic() - started
    resident_before, _ = viewer.program.memory()

    started = time.monotonic()
    viewer.open_by_dialog(unix_to_wine_path(big))
    wait_page(head_rows[:24], "the first page of the million records")
    open_seconds = time.monotonic() - started
    resident_after, peak = viewer.program.memory()
    growth = resident_after - resident_before
    print(f"  {RECORDS} records ({mb(RECORDS * RECORD_SIZE)}): shown {open_seconds:.2f} s after "
          f"pressing Open (48 records: {small_seconds:.2f} s); resident {mb(resident_before)} -> {mb(resident_after)} "
          f"(+{mb(growth)}, index {mb(RECORDS * ENTRY_SIZE)}), peak {mb(peak)}", flush=True)
    assert growth <= RECORDS * ENTRY_SIZE + MEMORY_MARGIN, \
        f"the open grew the viewer by {mb(growth)}"
    wait_until(lambda: row_pictures.records_line(viewer) == records_line,
               "the info pane to show Записей: 1000000")

    # Page down, then a wheel notch each way, from the top.
    viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM)
    wait_page(head_rows[24:48], "page down to top row 24")
    viewer.window.wheel(*BESIDE_PANES, -1)
    wait_page(head_rows[25:49], "one wheel notch down to top row 25")
    viewer.window.wheel(*BESIDE_PANES, 1)
    wait_page(head_rows[24:48], "one wheel notch up to top row 24")

    # Dragging the scroll box: half way the rows follow, at the bottom they are the last 24.
    def key(rows):
        return tuple(r.tobytes() for r in rows)
    first_pages = {key(head_rows[k:k + 24]) for k in range(26)}
    viewer.window.press(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
    viewer.window.move(geo.SCROLL_BAR_X, (geo.TROUGH_TOP + geo.TROUGH_BOTTOM) // 2)

    def middle_of_the_file():
        rows = viewer.rows()
        return (key(rows) not in first_pages and rows != tail_rows[24:48] and
                len(set(key(rows))) == geo.VISIBLE_ROWS)
    wait_until(middle_of_the_file, "24 different rows from the middle of the file")
    viewer.window.move(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM + geo.SCROLL_BAR_WIDTH)
    viewer.window.release(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM + geo.SCROLL_BAR_WIDTH)
    wait_page(tail_rows[24:48], f"the last 24 records (top row {maximum}) after the drag")

    # At the end line down does nothing: the wheel notch up that follows lands one row higher.
    viewer.window.click(*geo.DOWN_ARROW)
    viewer.window.wheel(*BESIDE_PANES, 1)
    wait_page(tail_rows[23:47], f"one wheel notch up to top row {maximum - 1}")
    viewer.window.wheel(*BESIDE_PANES, -1)
    wait_page(tail_rows[24:48], "one wheel notch down to the end")
    viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
    wait_page(tail_rows[0:24], f"page up to top row {maximum - 24}")
    viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM)
    wait_page(tail_rows[24:48], "page down to the end")

    # The last row opens the last record: its detail window shows what the same record's does
    # from the small file. (Its printouts: printing_test.)
    viewer.click_row(geo.VISIBLE_ROWS - 1)
    last = viewer.wait_detail_built().grab()
    viewer.assert_no_message_box()
    viewer.open_by_dialog(unix_to_wine_path(tail))
    wait_page(tail_rows[:24], "the small file's first rows")
    small_records_line = row_pictures.records_line_picture(
        session, row_pictures.cli_info(session, tail)["Записей:"])
    wait_until(lambda: row_pictures.records_line(viewer) == small_records_line,
               "the info pane to show Записей: 48 with no digit of 1000000 left")
    viewer.window.click(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM)
    wait_page(tail_rows[24:48], "the small file's last rows")
    viewer.click_row(geo.VISIBLE_ROWS - 1)
    assert viewer.wait_detail_built().grab() == last, "the last record's detail window"
    viewer.exit()


def test_a_file_over_4_gb_is_counted_whole_and_its_last_records_listed(session, start_viewer):
    # Sparse: 4 GiB of zero records without a byte on the disk, then 24 real ones.
    tail = copy_records(million_records(), RECORDS - 24, 24, session.temp_dir / "tail.dst")
    zero_records = (4 << 30) // RECORD_SIZE + 1
    count = zero_records + 24
    over = session.temp_dir / "over-4-gb.dst"
    with open(over, "wb") as f:
        f.seek(zero_records * RECORD_SIZE)
        f.write(tail.read_bytes())
    assert over.stat().st_size > 1 << 32

    viewer = start_viewer(unix_to_wine_path(over))
    tail_rows = row_pictures.row_pictures(session, row_pictures.cli_list(session, tail))
    info = row_pictures.cli_info(session, over)
    assert info["Записей:"].strip() == str(count), info
    records_line = row_pictures.records_line_picture(session, info["Записей:"])
    wait_until(lambda: row_pictures.records_line(viewer) == records_line,
               f"the info pane to show Записей: {count}", timeout=60)
    viewer.window.press(geo.SCROLL_BAR_X, geo.TROUGH_TOP)
    viewer.window.move(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM + geo.SCROLL_BAR_WIDTH)
    viewer.window.release(geo.SCROLL_BAR_X, geo.TROUGH_BOTTOM + geo.SCROLL_BAR_WIDTH)
    viewer.park()
    viewer.wait_rows(tail_rows, "the 24 records after the first 4 GiB", timeout=20)
    # The last record is read from beyond 4 GiB: its detail window is the small file's.
    viewer.click_row(geo.VISIBLE_ROWS - 1)
    last = viewer.wait_detail_built().grab()
    viewer.assert_no_message_box()
    viewer.open_by_dialog(unix_to_wine_path(tail))
    viewer.park()
    viewer.wait_rows(tail_rows, "the small file's rows")
    viewer.click_row(geo.VISIBLE_ROWS - 1)
    assert viewer.wait_detail_built().grab() == last, "the last record's detail window"
    viewer.exit()

