#!/usr/bin/env python3
"""The harness against its probe program: windows are found, pixels read at client
coordinates, input arrives, texts are read from inside Wine, the close box and exit codes
work, and a failing case keeps its screenshot.

    harness_selftest.py probe.exe --window-texts window_texts.exe
"""

import sys
from pathlib import Path

import harness

TITLE = "Tolvinark probe"
BACKGROUND = (252, 252, 240)
STATUS = (35, 35)  # inside the status square, client coordinates
GREY, RED, BLUE = (128, 128, 128), (255, 0, 0), (0, 0, 255)
GREEN, YELLOW = (0, 255, 0), (255, 255, 0)


def input_reaches_the_program_and_sets_the_exit_code(session):
    probe = session.start(session.exes["program"])
    window = probe.wait_window(TITLE)
    window.wait_pixel(150, 150, BACKGROUND)
    window.wait_pixel(*STATUS, GREY)
    for act, colour in ((lambda: window.click(*STATUS, 1), RED),
                        (lambda: window.click(*STATUS, 3), BLUE),
                        (lambda: window.wheel(*STATUS, 1), GREEN),
                        (lambda: window.wheel(*STATUS, -1), YELLOW)):
        act()
        window.wait_pixel(*STATUS, colour)
    window.click(130, 22)  # into the edit box
    session.display.type_text("42")
    window.click(112, 65)  # the OK button
    assert probe.wait_exit() == 42


def close_box_sends_wm_close(session):
    probe = session.start(session.exes["program"])
    window = probe.wait_window(TITLE)
    window.wait_pixel(150, 150, BACKGROUND)
    session.settle(TITLE)  # a running program answers; one that ended does not
    window.close()
    assert probe.wait_exit() == 3
    try:
        session.settle(TITLE)
    except AssertionError:
        pass
    else:
        raise AssertionError("settle found an ended program")


def message_box_is_found_read_and_dismissed(session):
    probe = session.start(session.exes["program"], "message")
    box = probe.wait_window("Tolvinark probe message")
    texts = [w["text"] for w in session.window_texts("Tolvinark probe message") if w["depth"] == 1]
    assert "probe message" in texts, texts
    session.click_child(session.window_texts("Tolvinark probe message"), "Button", "OK")
    box.wait_gone()
    probe.wait_window(TITLE).close()
    assert probe.wait_exit() == 3


def a_failing_case_keeps_a_screenshot(session):
    def failing_case(_):
        raise AssertionError("meant to fail")
    shot = harness.FAILURES_DIR / "harness_selftest-failing_case.png"
    shot.unlink(missing_ok=True)
    line, passed = harness.run_case(session.display, session.prefix, session.exes, failing_case,
                                    "harness_selftest", report=False)
    assert not passed and "FAILED" in line, line
    data = shot.read_bytes()
    width, height = int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")
    assert data[:8] == b"\x89PNG\r\n\x1a\n" and (width, height) == harness.SCREEN
    shot.unlink()


if __name__ == "__main__":
    sys.path.insert(0, str(Path(__file__).parent))
    sys.exit(harness.run_cases([input_reaches_the_program_and_sets_the_exit_code,
                                close_box_sends_wm_close,
                                message_box_is_found_read_and_dismissed,
                                a_failing_case_keeps_a_screenshot]))
