"""What the viewer should show for known texts, drawn by fixtures/text_picture.exe through
the viewer's own canvas and screen font, so that a test compares the screen with texts it
knows pixel for pixel. The texts of a file's list rows come from tolvinark-cli, which composes
them with the same core as the viewer: a row on the screen equals its picture exactly when
the viewer shows that record's date, time, mode name and concentration pair.

Wine starts its services anew for a program that runs while no other program of the prefix
does, which takes seconds: ask tolvinark-cli while the viewer runs.

    lines = cli_list(session, path)            # the fields of every record
    bands = row_pictures(session, lines)       # one 14-pixel band per line, as a list row
"""

import tempfile
from pathlib import Path

import viewer_geometry as geo
from desktop import SCREEN, colours, wait_until
from wine_env import unix_to_wine_path

PICTURE_TITLE = "Tolvinark text picture"
LIST_COLUMNS_X = (7, 86, 144, 340)  # date, time, mode name, concentration pair
BLANK_LINE = " " * 264  # what the viewer draws over a whole row before its texts
RECORDS_LABEL_Y = 30  # the info pane's "Записей:" line
RECORDS_LABEL_X = 10
RECORD_COUNT_X = 74
# Pictures stand below the viewer's main window, which ends above y 500 on the screen.
PICTURE_HEIGHT = SCREEN[1] - 500
ROWS_PER_PICTURE = PICTURE_HEIGHT // 14
INFO_LINE_WIDTH = 300  # the record-count line as compared: label, count and blanks after it


def cli_list(session, path):
    """The list rows tolvinark-cli prints for the file at the Unix `path`: one tuple of
    fields (date, time, mode name, concentration pair) per record."""
    return [tuple(line.split("\t")) for line in session.cli("list", path).splitlines()]


def cli_info(session, path):
    """What tolvinark-cli info prints for the file: label -> text, e.g. "Записей:" ->
    the record count text as the info pane shows it."""
    return dict(line.split("\t", 1) for line in session.cli("info", path).splitlines()
                if "\t" in line)


def texts_picture(session, placed, width, height):
    """A picture of width x height pixels with each (x, y, text) of `placed` drawn as the
    viewer draws its texts, on the viewer's background colour. The picture window opens at the
    screen's bottom-left corner, below the viewer's main window, and is closed again."""
    if height > PICTURE_HEIGHT:
        raise ValueError(f"a picture is at most {PICTURE_HEIGHT} pixels high")
    with tempfile.TemporaryDirectory(prefix="tolvinark-e2e-texts-") as folder:
        listing = Path(folder) / "texts.txt"
        listing.write_text("".join(f"{x}\t{y}\t{text}\n" for x, y, text in placed),
                           encoding="utf-8")
        program = session.start(session.programs["text_picture"], 0, SCREEN[1] - height, width,
                                height, unix_to_wine_path(listing), cwd=folder)
        try:
            window = program.wait_window(PICTURE_TITLE)
            # The window paints once it is shown: wait until it shows the background colour
            # and two grabs agree.
            seen = [None]

            def settled():
                seen[:] = [window.grab(), seen[0]]
                return seen[0] == seen[1] and geo.BACKGROUND in colours(seen[0]) and seen[0]
            return wait_until(settled, "the text picture to be painted", timeout=20,
                              interval=0.2)
        finally:
            program.stop()
            # Its window can outlive it a moment; the next picture must not find it.
            wait_until(lambda: not session.display.windows_named(PICTURE_TITLE),
                       "the text picture's window to go")


def row_pictures(session, lines):
    """The list-row band (LIST_TEXT_WIDTH x 14 pixels) of each line of fields, in order."""
    bands = []
    for start in range(0, len(lines), ROWS_PER_PICTURE):
        chunk = lines[start:start + ROWS_PER_PICTURE]
        placed = []
        for k, fields in enumerate(chunk):
            y = geo.ROW_PITCH * k
            placed.append((0, y, BLANK_LINE))
            placed.extend((x, y, text) for x, text in zip(LIST_COLUMNS_X, fields))
        picture = texts_picture(session, placed, geo.LIST_TEXT_WIDTH, geo.ROW_PITCH * len(chunk))
        bands.extend(picture.crop((0, geo.ROW_PITCH * k, geo.LIST_TEXT_WIDTH,
                                   geo.ROW_PITCH * (k + 1))) for k in range(len(chunk)))
    return bands


def records_line_picture(session, count_text):
    """The info pane's record-count line ("Записей:" and the count) as the band the viewer
    draws there: INFO_LINE_WIDTH x 14 pixels of the info pane's client area from y 30."""
    placed = [(RECORDS_LABEL_X, 0, "Записей:"), (RECORD_COUNT_X, 0, " " * 256),
              (RECORD_COUNT_X, 0, count_text)]
    return texts_picture(session, placed, INFO_LINE_WIDTH, geo.ROW_PITCH)


def records_line(viewer):
    """The viewer's record-count line, the same band as records_line_picture."""
    x, y = geo.pane_to_client(geo.INFO_PANE, 0, RECORDS_LABEL_Y)
    return viewer.window.grab(x, y, INFO_LINE_WIDTH, geo.ROW_PITCH)
