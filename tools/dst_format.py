"""The record layout of a measurement file (.dst) as the dust meter writes it: runs of
588-byte little-endian records. The one place the field offsets are written down; the sample
maker and every test that writes or reads records go through it.
"""

import struct
from pathlib import Path

RECORD_SIZE = 588
SERIES_POINTS = 128

# Field offsets.
SERIAL = 4  # uint32
MODE = 16  # uint16, followed by year, month, day, hour, minute and second, each uint16
DURATION = 30  # int16, seconds
CLIMATE = 36  # temperature (the meter's sign encoding), humidity, pressure: 3 x uint16
CONCENTRATION = 64  # float32, mg/m3
CI = 68  # 128 x int16, hundredths of mg/m3
CD = 324
POINT_COUNT = 580  # uint16

MODE_EXPRESS_30, MODE_EXPRESS_120, MODE_TIMED, MODE_RANGE_2 = 0, 1, 2, 3

_MODE_AND_TIME = struct.Struct("<7Hh")  # mode, the date and time, the duration
_CLIMATE = struct.Struct("<3H")
_SERIES = struct.Struct(f"<{SERIES_POINTS}h")


def pack_series(points):
    """A series as its record bytes, 128 points; the points past those given are 0."""
    values = list(points)[:SERIES_POINTS]
    return _SERIES.pack(*values, *[0] * (SERIES_POINTS - len(values)))


def pack(serial=0, mode=0, when=(2019, 3, 5, 9, 5, 0), duration=0, temperature=0, humidity=0,
         pressure=0, concentration=0.0, ci=(), cd=(), point_count=0, concentration_bits=None,
         filler=0):
    """One record. Series are point values or packed bytes; bytes no field covers, and series
    points not given, hold `filler`. The concentration may be given as its exact 32 bits
    instead (NaN payloads survive only so)."""
    record = bytearray([filler]) * RECORD_SIZE
    struct.pack_into("<I", record, SERIAL, serial)
    _MODE_AND_TIME.pack_into(record, MODE, mode, *when, duration)
    _CLIMATE.pack_into(record, CLIMATE, temperature, humidity, pressure)
    if concentration_bits is None:
        struct.pack_into("<f", record, CONCENTRATION, concentration)
    else:
        struct.pack_into("<I", record, CONCENTRATION, concentration_bits)
    for offset, series in ((CI, ci), (CD, cd)):
        if not isinstance(series, (bytes, bytearray)):
            series = struct.pack(f"<{len(series)}h", *series[:SERIES_POINTS])
        record[offset:offset + len(series)] = series
    struct.pack_into("<H", record, POINT_COUNT, point_count)
    return bytes(record)


def fields(record):
    """The fields of one record, by name; the series whole, all 128 points."""
    mode, year, month, day, hour, minute, second, duration = \
        _MODE_AND_TIME.unpack_from(record, MODE)
    temperature, humidity, pressure = _CLIMATE.unpack_from(record, CLIMATE)
    return dict(serial=struct.unpack_from("<I", record, SERIAL)[0], mode=mode, year=year,
                month=month, day=day, hour=hour, minute=minute, second=second,
                duration=duration, temperature=temperature, humidity=humidity,
                pressure=pressure,
                concentration=struct.unpack_from("<f", record, CONCENTRATION)[0],
                ci=_SERIES.unpack_from(record, CI), cd=_SERIES.unpack_from(record, CD),
                points=struct.unpack_from("<H", record, POINT_COUNT)[0])


def split(data):
    """The whole records of a file's bytes; a shorter tail is no record."""
    return [data[k:k + RECORD_SIZE] for k in range(0, len(data) - RECORD_SIZE + 1, RECORD_SIZE)]


def read(path):
    """The fields of every whole record of a file."""
    return [fields(record) for record in split(Path(path).read_bytes())]
