"""Measurement files named in any script open in the viewer, on an English and on a Russian
system, by each road a name takes: the command line (quoted by Wine where it holds blanks,
as Explorer quotes it), typed into the Open dialog, and dropped from the desktop (an XDND
drop, which Wine turns into WM_DROPFILES). Each file lists its records as tolvinark-cli, given
the same name, prints them; the list printed from the command-line road names the file, read
back from the PDF.
"""

import unicodedata

import row_pictures
import viewer_geometry as geo
from conftest import ENGLISH, RUSSIAN
from desktop_input import ClipboardText, drop_files
from printouts import layout_to_points, read_pdf
from viewer_page import NO_DST_TYPE, make_records
from wine_env import locale_env, unix_to_wine_path as wine

# Wine's own texts, in its system's language.
OPEN_DIALOG_TITLES = {ENGLISH: "Open", RUSSIAN: "Открыть"}
OK_BUTTONS = {ENGLISH: "OK", RUSSIAN: "ОК"}
PDF600 = "tolvinark-pdf600"
FILE_NAME_X = 1280  # the list printout's file name, in layout units

# Below the test's own folder; each file holds other records.
NAMES = [
    "замеры.dst",
    "μετρήσεις.dst",
    "测量数据.dst",
    "a name  with blanks .dst",
    "Замеры 2019/цех 3/участок 1.dst",
]


def make_files(session):
    paths = []
    for k, name in enumerate(NAMES):
        (session.temp_dir / name).parent.mkdir(parents=True, exist_ok=True)
        paths.append(make_records(session.temp_dir, name, 3 + k, seed=10 + k))
    return paths


def expected_rows(session, path):
    """The rows of the file as tolvinark-cli lists it, asked by the same name."""
    return row_pictures.row_pictures(session, row_pictures.cli_list(session, path))


def printable(name):
    """The test's fonts have Latin, Cyrillic and Greek glyphs, no Chinese ones."""
    return not any(unicodedata.name(c, "").startswith("CJK") for c in name)


def test_names_open_from_the_command_line(session, start_viewer, system):
    for path in make_files(session):
        viewer = start_viewer(file=path)
        viewer.wait_list(expected_rows(session, path)[:geo.VISIBLE_ROWS], f"the rows of {path}")
        viewer.exit()


def test_the_list_printed_names_the_file(session, start_viewer, print_queues):
    """On the English system, whose print dialog the tests answer; the name on paper does not
    depend on the system's language."""
    session.env = locale_env(session.env, ENGLISH)
    for path in make_files(session):
        viewer = start_viewer(file=path)
        before = print_queues.snapshot()
        viewer.right_click_list()
        viewer.confirm_print(PDF600)
        page = read_pdf(print_queues.wait_for_pdf(PDF600, before))[0]
        if printable(viewer.wine_name):
            # The font draws the Greek mu with the micro sign's glyph and the hyphen with the
            # soft hyphen's, which read back so.
            for word in page.words:
                word.text = unicodedata.normalize("NFKC", word.text.replace("\u00ad", "-"))
            name = page.find(unicodedata.normalize("NFKC", viewer.wine_name))
            label = page.find("Файл:")
            assert abs(name.x_min - layout_to_points(FILE_NAME_X)) <= 1.0, name
            assert abs(name.y_min - label.y_min) <= 1.0, (name, label)
        viewer.exit()


def test_names_open_from_the_open_dialog(session, start_viewer, system):
    paths = make_files(session)
    viewer = start_viewer()
    for path in paths:
        # Keys type no Cyrillic, Greek or Chinese into Wine: the name is pasted.
        with ClipboardText(session.display.name, wine(path)) as clipboard:
            viewer.open_by_dialog(wine(path),
                                  lambda _: clipboard.paste(lambda: session.display.key("ctrl+v")),
                                  OPEN_DIALOG_TITLES[system])
        viewer.wait_list(expected_rows(session, path)[:geo.VISIBLE_ROWS], f"the rows of {path}")
    viewer.assert_no_message_box()


def test_names_open_when_dropped(session, start_viewer, system):
    paths = make_files(session)
    other = make_records(session.temp_dir, "notes.txt", 2)
    viewer = start_viewer()
    drop_at = viewer.window.to_screen(*geo.list_to_client(200, 100))

    def drop(*files):
        drop_files(session.display.name, viewer.window.xid, drop_at, files)

    for k, path in enumerate(paths):
        # Of several files dropped at once the first opens.
        drop(path, *paths[:k])
        viewer.wait_list(expected_rows(session, path)[:geo.VISIBLE_ROWS], f"the rows of {path}")
    # A file of another type is refused as the Open dialog's would be; the list stays.
    kept = viewer.rows()
    drop(other, paths[0])
    viewer.dismiss_message(NO_DST_TYPE, ok=OK_BUTTONS[system])
    viewer.wait_rows(kept, "the last file's rows to stay")

