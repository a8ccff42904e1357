"""User actions on the viewer that several test scripts share: opening a file through the
Open dialog, answering message boxes, and a record of what a folder holds, to show that the
viewer wrote nothing it should not have."""

import hashlib
import os
import subprocess
import sys
import time
from pathlib import Path

import viewer_geometry as geo
from harness import ROOT, Timeout, wait_until

MESSAGE_BOX_CLASS = "#32770"
OPEN_DIALOG_TITLE = "Open"
OPEN_FAILED = "ошибка при открытии файла"
NO_DST_TYPE = "ошибка: тип файла не .dst"
NO_FILE = "Нет файла: "
MAKE_SAMPLE = ROOT / "tools" / "make_sample.py"
PARK_Y = geo.ROW_PITCH * geo.VISIBLE_ROWS + 2  # below the last whole row: highlights no row
ROW_CLICK_X = 3


def make_edge(folder, kind, name=None):
    """A hostile file of tools/make_sample.py's `edge` kind in `folder`."""
    path = Path(folder) / (name or f"{kind}.dst")
    subprocess.run([sys.executable, str(MAKE_SAMPLE), "edge", kind, "-o", str(path)],
                   check=True)
    return path


def make_records(folder, name, count, seed=1):
    """A file of `count` random valid records (tools/make_sample.py records) in `folder`."""
    path = Path(folder) / name
    subprocess.run([sys.executable, str(MAKE_SAMPLE), "records", str(count), "-o", str(path),
                    "--seed", str(seed)], check=True)
    return path


def park(viewer):
    """Moves the pointer into the list pane's strip below the last row, where it highlights
    no row, so that the rows can be compared."""
    viewer.window.move(*geo.list_to_client(200, PARK_Y))


def click_row(viewer, k, button=1):
    """Clicks visible row k of the list at its left end, which a detail window at its first
    place, screen (20, 100), leaves uncovered."""
    viewer.click_list(ROW_CLICK_X, geo.row_top(k) + geo.ROW_PITCH // 2, button)


def message_boxes(session):
    """The texts of the viewer's message boxes now shown: one list of child texts each."""
    windows = session.window_texts(geo.TITLE)
    boxes = []
    for i, box in enumerate(windows):
        if box["depth"] == 0 and box["class"] == MESSAGE_BOX_CLASS:
            children = []
            for child in windows[i + 1:]:
                if child["depth"] == 0:
                    break
                children.append(child)
            boxes.append(children)
    return boxes


def dismiss_message(viewer, text, timeout=20.0, ok="OK"):
    """Waits for the message box saying exactly `text`, presses its OK button (captioned `ok`
    in the language of Wine's system) and waits until it is gone."""
    box = viewer.wait_message_box(text, timeout)
    viewer.press_button_of(box, ok)
    wait_until(lambda: not message_boxes(viewer.session), f"the box {text!r} to close",
               timeout=10, interval=0.3)


def assert_no_message_box(viewer, seconds=1.5):
    """No message box comes up within `seconds`."""
    deadline = time.monotonic() + seconds
    while True:
        boxes = message_boxes(viewer.session)
        if boxes:
            texts = [[c["text"] for c in box] for box in boxes]
            raise AssertionError(f"unexpected message box: {texts}")
        if time.monotonic() >= deadline:
            return
        time.sleep(0.3)


def open_dialog_parts(viewer, title=OPEN_DIALOG_TITLE):
    """The open dialog's windows, once it shows its name field. `title`: the dialog's title in
    the language of Wine's system."""
    viewer.program.wait_window(title)

    def parts():
        found = viewer.session.window_texts(title)
        return found if any(p["class"].lower() == "edit" and p["visible"] for p in found) else None
    return wait_until(parts, "the open dialog's name field", timeout=20, interval=0.3)


def open_by_dialog(viewer, wine_name, type_text=None, title=OPEN_DIALOG_TITLE):
    """Presses Open, types `wine_name` into the dialog's name field (by `type_text(name)`
    when given, else by xdotool) and presses Return."""
    viewer.click_open()
    parts = open_dialog_parts(viewer, title)
    edit = next(p for p in parts if p["class"].lower() == "edit" and p["visible"])
    left, top, right, bottom = edit["rect"]
    display = viewer.session.display
    display.click((left + right) // 2, (top + bottom) // 2)
    display.key("End", "shift+Home", "BackSpace")
    if type_text:
        type_text(wine_name)
    else:
        display.xdotool("type", "--delay", 12, wine_name)
    display.key("Return")
    wait_until(lambda: not viewer.session.display.windows_named(title),
               "the open dialog to close", timeout=20)


def cancel_open_dialog(viewer):
    viewer.click_open()
    parts = open_dialog_parts(viewer)
    viewer.press_button_of(parts, "Cancel")
    wait_until(lambda: not viewer.session.display.windows_named(OPEN_DIALOG_TITLE),
               "the open dialog to close", timeout=20)


def list_shown(viewer):
    """True when the list pane is shown (its client area has the background colour)."""
    return viewer.window.pixel(*geo.list_to_client(1, 0)) == geo.BACKGROUND


def wait_list_hidden(viewer):
    wait_until(lambda: not list_shown(viewer), "the list pane to be hidden")


def wait_detail_built(session, replacing=None):
    """The new detail window once its picture is on the screen, which it is only after the
    build, buttons included, is over."""
    from detail_window_test import find_detail_window, wait_detail_window
    window = wait_detail_window(session, replacing=replacing)

    def painted():
        again = find_detail_window(session)
        if again is None or again.handle != window.handle:
            return None
        return again if bytes(geo.BACKGROUND) in again.grab().colours() else None
    return wait_until(painted, "the detail window's picture", interval=0.2)


def folder_state(folder):
    """Every file and folder below `folder`: relative path -> "dir", or the size and the
    SHA-256 of the content of a file (the size and modification time of one over 64 MB, which
    would take long to read)."""
    state = {}
    root = Path(folder)
    for path, dirs, files in os.walk(root):
        for name in dirs:
            state[str(Path(path, name).relative_to(root))] = "dir"
        for name in files:
            full = Path(path, name)
            status = full.stat()
            if status.st_size > 64 * 1024 * 1024:
                state[str(full.relative_to(root))] = (status.st_size, status.st_mtime_ns)
                continue
            digest = hashlib.sha256()
            with open(full, "rb") as content:
                for block in iter(lambda: content.read(1 << 20), b""):
                    digest.update(block)
            state[str(full.relative_to(root))] = (status.st_size, digest.hexdigest())
    return state


def assert_only_written(before, after, allowed=()):
    """Nothing in the folder changed between the two states except the names in `allowed`,
    which may have appeared or changed."""
    changed = sorted(name for name in set(before) | set(after)
                     if before.get(name) != after.get(name) and name not in allowed)
    if changed:
        detail = [(name, before.get(name, "absent"), after.get(name, "absent"))
                  for name in changed]
        raise AssertionError(f"the viewer changed the folder: {detail}")


def wait_running(viewer, seconds=1.0):
    """The viewer is still running after `seconds`."""
    try:
        code = viewer.program.wait_exit(timeout=seconds)
    except Timeout:
        return
    raise AssertionError(f"the viewer ended with code {code}")
