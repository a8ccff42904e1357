"""The end-to-end fixtures against a probe program (fixtures/probe.cpp): windows are found,
pixels read at client coordinates, pointer and keys arrive, texts are read from inside Wine,
the close box and exit codes work, and a failing test leaves its screenshot."""

import os
import subprocess
import sys

import pytest
from PIL import Image

from conftest import FAILURES_DIR, ROOT
from desktop import SCREEN

TITLE = "Tolvinark probe"
BACKGROUND = (252, 252, 240)
STATUS = (35, 35)  # inside the status square, client coordinates
GREY = (128, 128, 128)


@pytest.fixture
def probe(session):
    program = session.start(session.programs["probe"])
    window = program.wait_window(TITLE)
    window.wait_pixel(150, 150, BACKGROUND)
    window.wait_pixel(*STATUS, GREY)
    return program, window


@pytest.mark.parametrize("act, colour", [
    (lambda w: w.click(*STATUS, 1), (255, 0, 0)),
    (lambda w: w.click(*STATUS, 3), (0, 0, 255)),
    (lambda w: w.wheel(*STATUS, 1), (0, 255, 0)),
    (lambda w: w.wheel(*STATUS, -1), (255, 255, 0)),
], ids=["left click", "right click", "wheel up", "wheel down"])
def test_pointer_input_reaches_the_program(probe, act, colour):
    _, window = probe
    act(window)
    window.wait_pixel(*STATUS, colour)


def test_typed_keys_reach_the_program_and_set_its_exit_code(session, probe):
    program, window = probe
    window.click(130, 22)  # into the edit box
    session.display.type_text("4")
    session.display.key("2")
    window.click(112, 65)  # the OK button
    assert program.wait_exit() == 42


def test_the_close_box_sends_wm_close(session, probe):
    program, window = probe
    session.settle(TITLE)  # a running program answers; one that ended does not
    window.close()
    assert program.wait_exit() == 3
    with pytest.raises(AssertionError, match="answers"):
        session.settle(TITLE)


def test_a_message_box_is_found_read_and_dismissed(session):
    program = session.start(session.programs["probe"], "message")
    box = program.wait_window("Tolvinark probe message")
    windows = session.window_texts("Tolvinark probe message")
    assert "probe message" in [w["text"] for w in windows if w["depth"] == 1], windows
    session.click_child(windows, "Button", "OK")
    box.wait_gone()
    program.wait_window(TITLE).close()
    assert program.wait_exit() == 3


FAILING_MODULE = '''
import pytest
from desktop import Display

@pytest.fixture
def display():
    with Display() as screen:
        yield screen

def test_meant_to_fail(display):
    assert False
'''


def test_a_failing_test_leaves_a_screenshot(tmp_path):
    module = tmp_path / "failing_probe_test.py"
    module.write_text(FAILING_MODULE)
    shot = FAILURES_DIR / "failing_probe_test-test_meant_to_fail.png"
    shot.unlink(missing_ok=True)
    # The fixtures' hooks as a plugin, since the module lies outside tests/e2e; plugins are
    # loaded before pytest.ini's paths apply.
    env = dict(os.environ, PYTHONPATH=os.pathsep.join(sys.path))
    result = subprocess.run([sys.executable, "-m", "pytest", "-c", str(ROOT / "pytest.ini"),
                             "-p", "conftest", "-q", str(module)], capture_output=True,
                            text=True, cwd=ROOT, env=env, timeout=120)
    assert result.returncode == 1, result.stdout
    with Image.open(shot) as picture:
        assert picture.size == SCREEN
    shot.unlink()
