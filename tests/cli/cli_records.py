"""The measurement records the command-line tests write, through tools/dst_format.py."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import dst_format  # noqa: E402

fields, split = dst_format.fields, dst_format.split


def make_record(date=(2019, 3, 5), time=(9, 5, 0), points=0, **rest):
    return dst_format.pack(when=(*date, *time), point_count=points, **rest)


# Records of every mode and of the edges that the texts and the export have.
EDGE_RECORDS = [
    dict(serial=12345678, mode=0, temperature=23, humidity=45, pressure=752, concentration=0.123),
    dict(serial=999, mode=1, date=(2020, 12, 31), time=(23, 59, 59), temperature=251,
         humidity=100, pressure=760, concentration=12.5),
    dict(mode=2, duration=3725, concentration=0.123, points=128,
         ci=[i * 7 for i in range(128)], cd=[32767 - i * 300 for i in range(128)]),
    dict(mode=3, concentration=1.234, temperature=128, time=(0, 0, 0)),
    dict(mode=7, concentration=0.001, date=(19, 3, 5)),
    dict(mode=2, duration=754, concentration=0.7, points=0, ci=[1, 2, 3], filler=0x55,
         date=(19, 3, 5)),
    dict(mode=2, duration=3599, concentration=999999.9, points=300, temperature=65531,
         date=(20190, 3, 5),
         ci=[5, 12345, 5, -5, -32768, 0, 99, 100] + [32767] * 120, cd=[-1] * 128),
    dict(mode=259, concentration=1000000.0, points=3, ci=[1, 2, 3]),
    dict(mode=2, concentration=float("inf"), points=3, ci=[1, 2, 3], cd=[-7, 8, -9]),
]


# Records for the tables: values that are no numbers, clocks that no calendar has, negative
# series, point counts past the room the series have.
DATA_RECORDS = [
    dict(mode=2, date=(2019, 13, 300), time=(99, 60, 255), duration=-5, temperature=255,
         humidity=300, pressure=65535, concentration=float("nan"), points=129,
         ci=[-i for i in range(128)], cd=[-32768, 32767, -1, 420] + [7] * 124),
    dict(mode=3, date=(0, 0, 0), concentration=float("inf"), temperature=251),
    dict(mode=2, concentration=0.0009, duration=32767, points=0, temperature=128),
    dict(mode=3, concentration=12.5, date=(65535, 1, 1)),
    dict(mode=259, concentration=1e6, date=(19, 3, 5)),
    dict(mode=0, concentration=3e-20, humidity=45),
    dict(mode=0, concentration=-float("inf")),
    dict(mode=0, concentration=3.4e38, time=(23, 59, 59)),
    dict(mode=2, concentration=0.7, duration=754, points=3, ci=[5, -5, 12345], cd=[0, 99, 100]),
]
