"""The measurement records the command-line tests write (as tools/dst_format.py's pack
arguments): every mode and the edges the texts, the tables and the export have."""

# Records of every mode and of the edges that the texts and the export have.
EDGE_RECORDS = [
    dict(serial=12345678, mode=0, temperature=23, humidity=45, pressure=752, concentration=0.123),
    dict(when=(2020, 12, 31, 23, 59, 59), serial=999, mode=1, temperature=251,
         humidity=100, pressure=760, concentration=12.5),
    dict(mode=2, duration=3725, concentration=0.123, point_count=128,
         ci=[i * 7 for i in range(128)], cd=[32767 - i * 300 for i in range(128)]),
    dict(when=(2019, 3, 5, 0, 0, 0), mode=3, concentration=1.234, temperature=128),
    dict(when=(19, 3, 5, 9, 5, 0), mode=7, concentration=0.001),
    dict(when=(19, 3, 5, 9, 5, 0), mode=2, duration=754, concentration=0.7, point_count=0,
         ci=[1, 2, 3], filler=0x55),
    dict(when=(20190, 3, 5, 9, 5, 0), mode=2, duration=3599, concentration=999999.9,
         point_count=300, temperature=65531,
         ci=[5, 12345, 5, -5, -32768, 0, 99, 100] + [32767] * 120, cd=[-1] * 128),
    dict(mode=259, concentration=1000000.0, point_count=3, ci=[1, 2, 3]),
    dict(mode=2, concentration=float("inf"), point_count=3, ci=[1, 2, 3], cd=[-7, 8, -9]),
]

# Records for the tables: values that are no numbers, clocks that no calendar has, negative
# series, point counts past the room the series have.
DATA_RECORDS = [
    dict(when=(2019, 13, 300, 99, 60, 255), mode=2, duration=-5, temperature=255,
         humidity=300, pressure=65535, concentration=float("nan"), point_count=129,
         ci=[-i for i in range(128)], cd=[-32768, 32767, -1, 420] + [7] * 124),
    dict(when=(0, 0, 0, 9, 5, 0), mode=3, concentration=float("inf"), temperature=251),
    dict(mode=2, concentration=0.0009, duration=32767, point_count=0, temperature=128),
    dict(when=(65535, 1, 1, 9, 5, 0), mode=3, concentration=12.5),
    dict(when=(19, 3, 5, 9, 5, 0), mode=259, concentration=1e6),
    dict(mode=0, concentration=3e-20, humidity=45),
    dict(mode=0, concentration=-float("inf")),
    dict(when=(2019, 3, 5, 23, 59, 59), mode=0, concentration=3.4e38),
    dict(mode=2, concentration=0.7, duration=754, point_count=3, ci=[5, -5, 12345],
         cd=[0, 99, 100]),
]
