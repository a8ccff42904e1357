"""Measurement files for the end-to-end tests: runs of 588-byte records whose fields differ
from record to record, so that every list row looks different from its neighbours."""

import struct

RECORD_SIZE = 588


def record(number, serial=4711):
    """Record `number` of a test file: date, time, mode and concentration vary with it."""
    data = bytearray(RECORD_SIZE)
    mode = number % 4
    struct.pack_into("<I", data, 4, serial)
    struct.pack_into("<7H", data, 16, mode, 2019, 1 + number // 28 % 12, 1 + number % 28,
                     number % 24, 7 * number % 60, 13 * number % 60)
    struct.pack_into("<h", data, 30, 600 if mode == 2 else 0)
    struct.pack_into("<hhH", data, 36, 21, 45, 750)
    struct.pack_into("<f", data, 64, 0.125 + 0.37 * number)
    if mode == 2:
        points = 12
        struct.pack_into(f"<{points}h", data, 68, *(100 + 10 * i for i in range(points)))
        struct.pack_into(f"<{points}h", data, 324, *(50 + 5 * i for i in range(points)))
        struct.pack_into("<H", data, 580, points)
    return bytes(data)


def write(path, numbers, serial=4711):
    """Writes the records with the given numbers, in that order."""
    with open(path, "wb") as f:
        for number in numbers:
            f.write(record(number, serial))
    return path
