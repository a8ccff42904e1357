"""Fixtures of the command-line contract tests: the program under test, run natively or under
Wine (--runner scripts/wine-run), each test in a folder of its own."""

import subprocess
import tempfile
from pathlib import Path

import pytest


def pytest_addoption(parser):
    parser.addoption("--cli", type=Path, help="the tolvinark-cli program to test")
    parser.addoption("--runner", type=Path, help="what runs it (scripts/wine-run for Windows)")


@pytest.fixture(scope="session")
def runner(request):
    """The program that runs tolvinark-cli (Wine for the Windows build), or None."""
    return request.config.getoption("--runner")


@pytest.fixture
def cli(request, runner, tmp_path):
    """cli(*args, cwd=the test's folder, env=None): exit status, standard output and standard
    error of one run."""
    program = request.config.getoption("--cli")
    if program is None:
        pytest.fail("no --cli PROGRAM: run the tests through CTest, or name tolvinark-cli")

    def run(*args, cwd=tmp_path, env=None):
        command = [*([runner] if runner else []), program.resolve(), *args]
        # Files rather than pipes: a Wine server started by the run inherits them and outlives
        # it, and a pipe would not end before the server does.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run(command, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=err, timeout=120, env=env)
            out.seek(0)
            err.seek(0)
            return done.returncode, out.read(), err.read()
    return run
