"""The viewer, tolvinark.exe, meeting hostile measurement files as a user meets them: from a
device, a USB stick or an e-mail, with any bytes in them, cut short, too large for their index,
deleted or locked while the list shows them, with names too long, in Cyrillic letters or
naming a folder.

Every case checks the documented message or view, that the viewer keeps serving the user
afterwards (a later action still works) and that nothing in its working folder changed but
Temp.dif, where the Excel button was pressed: the files are made there with
tools/make_sample.py and the folder is compared before and after.
Rows are compared pixel for pixel with the texts tolvinark-cli prints for the same records,
drawn with the viewer's own canvas (row_pictures.py).
"""

from pathlib import Path

import pytest

import dst_format
import row_pictures
import viewer_geometry as geo
import viewer_page as page
import wine_env
from desktop import wait_until
from desktop_input import drop_files
from viewer_page import (EXCEL_BUTTON, EXPORT, OTHER_SIZE, TIMED_SIZE, make_edge, make_records,
                         russian_system)

wine = wine_env.unix_to_wine_path


def long_path(folder, length):
    """A path below `folder` whose Windows name has exactly `length` characters, made of
    folders of 150 characters because Linux takes at most 255 bytes a name."""
    folder = Path(folder)
    remaining = length - len(wine(folder)) - 1
    while remaining > 200:
        folder = folder / ("d" * 149 + str(len(folder.parts) % 10))
        remaining -= 151
    folder.mkdir(parents=True, exist_ok=True)
    name = "n" * (remaining - 4) + ".dst"
    path = folder / name
    assert len(wine(path)) == length, (len(wine(path)), length)
    return path


def test_a_file_without_a_whole_record_is_refused_and_the_viewer_stays(
        session, start_viewer, watched_folder):
    short = make_edge(session.temp_dir, "size-587")
    one = make_edge(session.temp_dir, "size-588")
    assert short.stat().st_size == 587 and one.stat().st_size == 588
    watched_folder.start()

    viewer = start_viewer(wine(short))
    expected = row_pictures.row_pictures(session, row_pictures.cli_list(session, one))
    assert len(expected) == 1
    viewer.dismiss_message(page.OPEN_FAILED)
    viewer.assert_running()
    assert not viewer.list_shown(), "no rows for a file without a whole record"
    # A click and a wheel turn where the list would stand reach no record.
    viewer.click_row(0)
    viewer.window.wheel(*geo.list_to_client(200, 50), -1)
    viewer.assert_no_message_box()
    assert viewer.detail() is None
    # A later open works: the file of exactly one record lists that record, and a click below
    # it reads nothing.
    viewer.open_by_dialog(wine(one))
    viewer.wait_list(expected, "one row for a file of exactly 588 bytes")
    viewer.click_row(5)
    viewer.assert_no_message_box()
    assert viewer.detail() is None, "a blank row opens nothing"
    viewer.wait_list(expected, "the row after a click below it")
    viewer.click_row(0)
    assert viewer.wait_detail().size == OTHER_SIZE
    viewer.exit()


def test_a_short_file_after_a_loaded_one_drops_the_list_and_the_viewer_stays(
        session, start_viewer, watched_folder):
    three = make_edge(session.temp_dir, "size-3x588+100")
    short = make_edge(session.temp_dir, "size-587")
    assert three.stat().st_size == 3 * dst_format.RECORD_SIZE + 100
    watched_folder.start()

    viewer = start_viewer(wine(three))
    lines = row_pictures.cli_list(session, three)
    assert len(lines) == 3, "the 100-byte tail is no record"
    expected = row_pictures.row_pictures(session, lines)
    viewer.wait_list(expected, "three rows and blank rows below, the tail ignored")
    viewer.open_by_dialog(wine(short))
    viewer.dismiss_message(page.OPEN_FAILED)
    viewer.wait_list_hidden()
    # Nothing reads the released index: clicks where the rows stood, the wheel, then the
    # file again.
    for k in (0, 2):
        viewer.click_row(k)
    viewer.window.wheel(600, 300, -1)
    viewer.assert_no_message_box()
    assert viewer.detail() is None
    viewer.open_by_dialog(wine(three))
    viewer.wait_list(expected, "the three rows again")
    viewer.window.close()
    assert viewer.program.wait_exit() == 0


# Files of hostile records, each opened in turn: the first from the command line, the others
# through the Open dialog.
HOSTILE_FILES = {
    "all-ff.dst": ["all-ff"],
    "series.dst": ["points-0", "points-129", "points-65535", "series-max", "series-min"],
    "concentrations.dst": ["conc-nan", "conc-inf", "conc-negative"],
}
# The file whose every record is opened in the detail window; of the others only the first
# (all-ff.dst holds three equal records).
# Under Wine without a window manager every replaced detail window costs 2 s: the X driver
# waits that long for a manager to withdraw the old one.
CLICK_EVERY_RECORD = {"series.dst"}


def test_hostile_records_list_as_the_cli_prints_them(session, start_viewer, watched_folder):
    files = {}
    for name, kinds in HOSTILE_FILES.items():
        parts = [make_edge(session.temp_dir, kind, f"part-{kind}.dst") for kind in kinds]
        files[name] = session.temp_dir / name
        files[name].write_bytes(b"".join(part.read_bytes() for part in parts))
        for part in parts:
            part.unlink()
    watched_folder.start()
    names = list(HOSTILE_FILES)
    viewer = start_viewer(wine(files[names[0]]))

    # The texts of these concentrations (NaNs, infinities, negative values): record_texts_test.
    lines = {name: row_pictures.cli_list(session, path) for name, path in files.items()}
    pictures = row_pictures.row_pictures(session, [f for name in names for f in lines[name]])
    expected, start = {}, 0
    for name in names:
        expected[name] = pictures[start:start + len(lines[name])]
        start += len(lines[name])

    window = None
    for number, name in enumerate(names):
        if number > 0:
            viewer.open_by_dialog(wine(files[name]))
            viewer.wait_no_detail("the open to close the detail window")
            window = None
        viewer.wait_list(expected[name], f"the rows of {name}")
        records = dst_format.read(files[name])
        for k in range(len(expected[name]) if name in CLICK_EVERY_RECORD else 1):
            # Each record is read back by a click and shown in the detail window of its
            # mode's size; a timed one exports each series as tolvinark-cli does.
            viewer.click_row(k)
            window = viewer.wait_detail_built(replacing=window)
            timed = records[k]["mode"] == dst_format.MODE_TIMED
            assert window.size == (TIMED_SIZE if timed else OTHER_SIZE), (name, k, window.size)
            assert len(window.buttons()) == (2 if timed else 0), (name, k, window.buttons())
            if timed:
                window = export_both_series(viewer, window, files[name], k)
        viewer.assert_running()
    viewer.assert_no_message_box()
    viewer.exit()
    watched_folder.allow(EXPORT)


def export_both_series(viewer, window, path, number):
    """Presses Excel, the series toggle, Excel again; each Temp.dif must hold what
    tolvinark-cli exports for the record and series. Gives back the rebuilt window."""
    session = viewer.session
    export = session.temp_dir / EXPORT
    for series in ("ci", "cd"):
        if series == "cd":
            window = viewer.toggle_series(window)
        expected = session.cli("export", path, number, "--series", series, binary=True)
        if export.exists():
            export.unlink()
        window.click_button(EXCEL_BUTTON)
        wait_until(lambda: export.exists() and export.read_bytes() == expected,
                   f"{EXPORT} to hold the {series} export of record {number} of {path.name}")
    return window


def test_a_file_too_large_for_its_index_is_refused_and_the_viewer_stays(
        session, start_viewer, watched_folder):
    # Without a byte on the disk. For the 32-bit viewer 60 GB: 109 million records, whose
    # 28-byte entries (3 GB) no 32-bit process can hold. The 64-bit build could hold those, so
    # it gets one record more than a 32-bit record count can count (2.3 TB).
    huge = session.temp_dir / "huge.dst"
    with open(huge, "wb") as f:
        f.truncate(60 * 1024 ** 3 if wine_env.ARCH == "win32"
                   else (2 ** 32 + 1) * dst_format.RECORD_SIZE)
    three = make_edge(session.temp_dir, "size-3x588+100")
    watched_folder.start()
    viewer = start_viewer(wine(three))
    expected = row_pictures.row_pictures(session, row_pictures.cli_list(session, three))
    viewer.wait_list(expected, "the three rows")
    viewer.open_by_dialog(wine(huge))
    viewer.dismiss_message(page.OPEN_FAILED)
    viewer.wait_list_hidden()
    viewer.click_row(1)
    viewer.assert_no_message_box()
    assert viewer.detail() is None
    viewer.open_by_dialog(wine(three))
    viewer.wait_list(expected, "the three rows again")
    viewer.exit()


def test_a_file_deleted_after_it_was_opened_is_reported_on_a_click(
        session, start_viewer, watched_folder):
    path = make_records(session.temp_dir, "deleted.dst", 40)
    viewer = start_viewer(wine(path))
    viewer.wait_file_shown()
    viewer.park()
    first_page = viewer.rows()
    viewer.click_row(1)
    viewer.wait_detail()
    path.unlink()
    watched_folder.start()

    viewer.click_row(2)
    viewer.dismiss_message(page.NO_FILE + wine(path))
    viewer.wait_no_detail("the detail window to close after the message")
    viewer.assert_running()
    # The list works from memory: the wheel still scrolls it.
    viewer.window.wheel(600, 300, -1)
    viewer.park()
    wait_until(lambda: viewer.rows()[:-1] == first_page[1:], "one wheel notch down")
    viewer.click_row(0)
    viewer.dismiss_message(page.NO_FILE + wine(path))
    viewer.exit()


def test_a_file_locked_after_it_was_opened_is_reported_then_read_when_freed(
        session, start_viewer, watched_folder):
    path = make_records(session.temp_dir, "locked.dst", 40)
    watched_folder.start()
    viewer = start_viewer(wine(path))
    viewer.wait_file_shown()
    viewer.click_row(1)
    first = viewer.wait_detail()
    locker = session.start(session.programs["lock_file"], wine(path), cwd=session.temp_dir)
    wait_until(lambda: locker.output().startswith("locked"),
               "the other program to hold the file", timeout=20)

    viewer.click_row(3)
    viewer.dismiss_message(page.NO_FILE + wine(path))
    viewer.wait_no_detail("the detail window to close after the message")
    viewer.assert_running()
    locker.stop()
    locker.process.wait()
    # Freed again: a click reads the record without a message.
    wait_until(lambda: not locker.running(), "the other program to end")
    viewer.click_row(3)
    viewer.wait_detail(replacing=first)
    viewer.assert_no_message_box()
    viewer.exit()


def test_a_name_of_259_characters_opens_and_reads(session, start_viewer, watched_folder):
    path = long_path(session.temp_dir, 259)
    path.write_bytes(Path(make_records(session.temp_dir, "source.dst", 30)).read_bytes())
    watched_folder.start()
    viewer = start_viewer(wine(path))
    expected = row_pictures.row_pictures(session, row_pictures.cli_list(session, path))
    viewer.wait_list(expected[:geo.VISIBLE_ROWS], "the rows of the file with the long name")
    viewer.click_row(4)
    viewer.wait_detail()
    viewer.assert_no_message_box()
    viewer.exit()


def test_a_cyrillic_name_on_a_russian_system_opens_shows_and_reads(
        session, start_viewer, watched_folder):
    path = make_records(session.temp_dir, "замеры_2019.dst", 30)
    twin = make_records(session.temp_dir, "twin.dst", 30)  # the same records, a plain name
    watched_folder.start()
    viewer = start_viewer(wine(path), env=russian_system(session))
    expected = row_pictures.row_pictures(session, row_pictures.cli_list(session, twin))
    viewer.wait_list(expected[:geo.VISIBLE_ROWS], "the rows of the file with a Cyrillic name")
    # The info pane names the file in Cyrillic letters.
    name_line = row_pictures.texts_picture(
        session, [(10, 0, "Файл:"), (84, 0, " " * 256), (84, 0, wine(path))],
        row_pictures.INFO_LINE_WIDTH, geo.ROW_PITCH)
    x, y = geo.pane_to_client(geo.INFO_PANE, 0, 6)
    wait_until(lambda: viewer.window.grab(x, y, row_pictures.INFO_LINE_WIDTH,
                                          geo.ROW_PITCH) == name_line,
               "the info pane to show the Cyrillic name")
    viewer.click_row(2)
    viewer.wait_detail_built()
    viewer.exit()


@pytest.mark.parametrize("road", ["command line", "drop"])
def test_a_name_of_300_characters_is_refused_whole(session, start_viewer, watched_folder, road):
    """The command line and a drop give the same message with the whole name; the viewer then
    ends as after any file that cannot be opened. Wine's own Open dialog passes on no name of
    260 characters or more (it finds no such file, and a longer name overflows it), so the
    dialog's road is file_opening_test's, with a stand-in dialog."""
    path = long_path(session.temp_dir, 300)
    path.write_bytes(Path(make_records(session.temp_dir, "source.dst", 3)).read_bytes())
    watched_folder.start()
    if road == "command line":
        viewer = start_viewer(wine(path))
    else:
        viewer = start_viewer()
        drop_files(session.display.name, viewer.window.xid,
                   viewer.window.to_screen(*geo.centre(geo.LIST_PANE)), [path])
    viewer.dismiss_message(page.NO_FILE + wine(path))
    assert viewer.program.wait_exit() == 0


def test_a_folder_named_like_a_measurement_file_is_no_file(session, start_viewer, watched_folder):
    (session.temp_dir / "x.dst").mkdir()
    watched_folder.start()
    viewer = start_viewer("x.dst")
    viewer.dismiss_message(page.NO_FILE + "x.dst")
    assert viewer.program.wait_exit() == 0
