"""Measurement files for the end-to-end tests: runs of records whose fields differ from record
to record, so that every list row looks different from its neighbours, and a file of a million
records."""

import subprocess
import sys
from pathlib import Path

MAKE_SAMPLE = Path(__file__).resolve().parents[2] / "tools" / "make_sample.py"
sys.path.insert(0, str(MAKE_SAMPLE.parent))

import dst_format  # noqa: E402
from dst_format import RECORD_SIZE  # noqa: E402


def record(number, serial=4711):
    """Record `number` of a test file: date, time, mode and concentration vary with it."""
    mode = number % 4
    timed = mode == dst_format.MODE_TIMED
    return dst_format.pack(
        serial=serial, mode=mode,
        when=(2019, 1 + number // 28 % 12, 1 + number % 28, number % 24, 7 * number % 60,
              13 * number % 60),
        duration=600 if timed else 0, temperature=21, humidity=45, pressure=750,
        concentration=0.125 + 0.37 * number,
        ci=[100 + 10 * i for i in range(12)] if timed else (),
        cd=[50 + 5 * i for i in range(12)] if timed else (), point_count=12 if timed else 0)


def write(path, numbers, serial=4711):
    """Writes the records with the given numbers, in that order."""
    with open(path, "wb") as f:
        for number in numbers:
            f.write(record(number, serial))
    return path


MILLION = 1_000_000
LARGE_FILE = MAKE_SAMPLE.parents[1] / "build" / "large-files" / f"records-{MILLION}.dst"


def million_records():
    """A file of a million random valid records (588 MB), made on first use (some ten seconds)
    and kept in build/large-files/."""
    if not LARGE_FILE.exists() or LARGE_FILE.stat().st_size != MILLION * RECORD_SIZE:
        LARGE_FILE.parent.mkdir(parents=True, exist_ok=True)
        partial = LARGE_FILE.with_name(LARGE_FILE.name + ".part")
        subprocess.run([sys.executable, str(MAKE_SAMPLE), "records", str(MILLION), "-o",
                        str(partial)], check=True)
        partial.rename(LARGE_FILE)
    return LARGE_FILE


def copy_records(source, first, count, target):
    """Records first .. first + count - 1 of `source` as a file of their own."""
    with open(source, "rb") as f:
        f.seek(first * RECORD_SIZE)
        data = f.read(count * RECORD_SIZE)
    assert len(data) == count * RECORD_SIZE
    Path(target).write_bytes(data)
    return Path(target)
