#!/usr/bin/env python3
"""Writes measurement files (.dst) as the dust meter stores them: runs of 588-byte records.

  make_sample.py demo [-o FILE]                 the bundled sample, resources/samples/demo.dst
  make_sample.py records N -o FILE [--seed S]   N random valid records (1,000,000 in seconds)
  make_sample.py edge KIND -o FILE              a hostile file; `edge --help` lists the kinds

Every file is the same for the same arguments. The tests build their files with the same
functions: demo_records, random_records, EDGE_KINDS and numbered_record, written by write_chunks.
"""

import argparse
import math
import os
import random
import sys

import dst_format
from dst_format import (MODE_EXPRESS_30, MODE_EXPRESS_120, MODE_RANGE_2, MODE_TIMED,
                        RECORD_SIZE, SERIES_POINTS, pack_series)

POINT_SECONDS = 300  # one series point every 5 minutes
DEMO_SERIAL = 1703

MODE_UNKNOWN = 7
MODE_SECONDS = {MODE_EXPRESS_30: 30, MODE_EXPRESS_120: 120, MODE_RANGE_2: 60, MODE_UNKNOWN: 0}
DURATION_MAX = 32767  # the field is signed 16-bit


def encode_temperature(celsius):
    """The meter's sign encoding: -4 is stored as 251, +4 as 4."""
    return 255 - abs(celsius) if celsius < 0 else celsius


def pack_record(serial=DEMO_SERIAL, mode=MODE_EXPRESS_30, when=(2019, 3, 18, 9, 0, 0),
                duration=30, temperature=20, humidity=50, pressure=750, concentration=0.1,
                **rest):
    """One record, by default a plain 30-second measurement of the demo meter; the temperature
    in degrees Celsius."""
    return dst_format.pack(serial=serial, mode=mode, when=when, duration=duration,
                           temperature=encode_temperature(temperature) & 0xFFFF,
                           humidity=humidity, pressure=pressure, concentration=concentration,
                           **rest)


def clamp16(value):
    return max(-32768, min(32767, int(round(value))))


def smooth_series(rng, count, level, swing):
    """A slowly drifting concentration in hundredths of mg/m3, never below 0."""
    values = []
    value = level
    phase = rng.uniform(0, 2 * math.pi)
    for i in range(count):
        value += rng.gauss(0, swing * 0.15) + (level - value) * 0.1
        wave = swing * 0.5 * math.sin(phase + i * 2 * math.pi / 48)
        values.append(max(0, clamp16(value + wave)))
    return values


def companion_series(rng, ci, share):
    """The second series follows the first at a share of it, with its own noise."""
    return [max(0, clamp16(v * share + rng.gauss(0, 1 + v * 0.03))) for v in ci]


def timed_duration(points):
    return min(points * POINT_SECONDS, DURATION_MAX)


def advance(when, seconds):
    """Calendar arithmetic for the March days the samples live in (31-day month)."""
    year, month, day, hour, minute, second = when
    total = ((day - 1) * 24 + hour) * 3600 + minute * 60 + second + seconds
    day_index, rest = divmod(total, 86400)
    day = day_index + 1
    while day > 31:
        day -= 31
        month += 1
    return (year, month, day, rest // 3600, rest % 3600 // 60, rest % 60)


# ---------------------------------------------------------------------------------------------
# demo


def demo_records():
    """About 60 measurements over five days in March 2019 by the meter with serial 1703."""
    rng = random.Random(1703)
    # Concentrations that must appear: below, at and above the print threshold 0.0018, up to
    # tens of mg/m3.
    featured = [0.0, 0.0009, 0.0017, 0.0018, 0.0019, 0.002, 0.0254, 0.7, 12.5, 47.25, 83.1]
    # Timed measurements by day: their point counts.
    timed_points = {0: [128], 1: [36], 2: [5, 128], 3: [64], 4: [12]}
    records = []
    for day_number in range(5):
        when = (2019, 3, 18 + day_number, 8, rng.randrange(0, 30), rng.randrange(0, 60))
        outdoor = rng.randrange(-9, 6)  # a cold March morning, warming during the day
        express_count = rng.randrange(9, 13)
        for k in range(express_count):
            mode = rng.choice([MODE_EXPRESS_30, MODE_EXPRESS_30, MODE_EXPRESS_120, MODE_RANGE_2])
            if day_number == 3 and k == 4:
                mode = MODE_UNKNOWN
            if featured and rng.random() < 0.3:
                concentration = featured.pop(0)
            else:
                concentration = round(math.exp(rng.uniform(math.log(0.005), math.log(30))), 4)
            records.append(pack_record(
                mode=mode, when=when, duration=MODE_SECONDS[mode],
                temperature=min(outdoor + k, 14) if k % 3 else rng.randrange(18, 25),
                humidity=rng.randrange(20, 96), pressure=rng.randrange(730, 776),
                concentration=concentration))
            when = advance(when, rng.randrange(20, 75) * 60)
        for points in timed_points[day_number]:
            level = math.exp(rng.uniform(math.log(3), math.log(1500)))
            ci = smooth_series(rng, points, level, level * 0.4 + 2)
            cd = companion_series(rng, ci, rng.uniform(0.3, 0.8))
            records.append(pack_record(
                mode=MODE_TIMED, when=when, duration=timed_duration(points),
                temperature=outdoor + rng.randrange(-3, 4), humidity=rng.randrange(20, 96),
                pressure=rng.randrange(730, 776),
                concentration=round(sum(ci) / len(ci) / 100.0, 3),
                ci=pack_series(ci), cd=pack_series(cd), point_count=points))
            when = advance(when, timed_duration(points) + 600)
    # Whatever of the featured values the dice skipped still gets its measurement.
    for concentration in featured:
        records.append(pack_record(when=(2019, 3, 23, 10, len(records) % 60, 0),
                                   temperature=-4, humidity=88, pressure=741,
                                   concentration=concentration))
    return records


# ---------------------------------------------------------------------------------------------
# records


def random_records(count, seed):
    """Yields chunks of valid random records: a pool of series, fresh heads for every record."""
    rng = random.Random(seed)
    pool = []
    for _ in range(64):
        points = rng.choice([SERIES_POINTS, rng.randrange(1, SERIES_POINTS + 1)])
        level = math.exp(rng.uniform(0, math.log(3000)))
        ci = smooth_series(rng, points, level, level * 0.3 + 1)
        cd = companion_series(rng, ci, rng.uniform(0.2, 0.9))
        pool.append((points, pack_series(ci), pack_series(cd), sum(ci) / points / 100.0))
    serial = rng.randrange(1000, 10000)
    when = (2019, 1, 1, 0, 0, 0)
    chunk = []
    for n in range(count):
        mode = rng.randrange(4)
        common = dict(serial=serial, when=when, temperature=rng.randrange(-30, 41),
                      humidity=rng.randrange(20, 96), pressure=rng.randrange(730, 776))
        if mode == MODE_TIMED:
            points, ci, cd, mean = pool[rng.randrange(len(pool))]
            chunk.append(pack_record(mode=mode, duration=timed_duration(points), concentration=mean,
                                     ci=ci, cd=cd, point_count=points, **common))
        else:
            chunk.append(pack_record(mode=mode, duration=MODE_SECONDS[mode],
                                     concentration=rng.random() * rng.choice((0.01, 1, 50)),
                                     **common))
        when = advance_year(when, rng.randrange(1, 3600))
        if len(chunk) == 8192 or n == count - 1:
            yield b"".join(chunk)
            chunk = []


def advance_year(when, seconds):
    """Moves on through real calendar months, wrapping to the next year after December."""
    year, month, day, hour, minute, second = when
    total = hour * 3600 + minute * 60 + second + seconds
    extra_days, rest = divmod(total, 86400)
    day += extra_days
    while True:
        length = [31, 29 if year % 4 == 0 and (year % 100 or year % 400 == 0) else 28,
                  31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]
        if day <= length:
            break
        day -= length
        month += 1
        if month > 12:
            month, year = 1, year + 1
    return (year, month, day, rest // 3600, rest % 3600 // 60, rest % 60)


# ---------------------------------------------------------------------------------------------
# numbered


def numbered_record(number, serial=4711):
    """Record `number` of a run whose every record differs from its neighbours in date, time,
    mode and concentration, so that each looks different in a list."""
    mode = number % 4
    timed = mode == MODE_TIMED
    return dst_format.pack(
        serial=serial, mode=mode,
        when=(2019, 1 + number // 28 % 12, 1 + number % 28, number % 24, 7 * number % 60,
              13 * number % 60),
        duration=600 if timed else 0, temperature=21, humidity=45, pressure=750,
        concentration=0.125 + 0.37 * number,
        ci=[100 + 10 * i for i in range(12)] if timed else (),
        cd=[50 + 5 * i for i in range(12)] if timed else (), point_count=12 if timed else 0)


# ---------------------------------------------------------------------------------------------
# edge


def ordinary(n, **changes):
    """A plain record, the n-th of an edge file."""
    fields = dict(when=(2019, 3, 18, 9, n, 0), concentration=0.125 + n)
    fields.update(changes)
    return pack_record(**fields)


def timed(n, points_value, point_count):
    return ordinary(n, mode=MODE_TIMED, duration=timed_duration(min(point_count, 128)),
                    ci=pack_series([points_value] * SERIES_POINTS),
                    cd=pack_series([points_value] * SERIES_POINTS), point_count=point_count)


def ramp_timed(n, point_count):
    ci = [(i + 1) * 10 for i in range(SERIES_POINTS)]
    return ordinary(n, mode=MODE_TIMED, duration=DURATION_MAX, ci=pack_series(ci),
                    cd=pack_series([v // 2 for v in ci]), point_count=point_count)


EDGE_KINDS = {
    "empty": ("0 bytes", lambda: b""),
    "size-587": ("one byte short of a record", lambda: ordinary(0)[:RECORD_SIZE - 1]),
    "size-588": ("exactly one record", lambda: ordinary(0)),
    "size-3x588+100": ("three records and a 100-byte tail",
                       lambda: b"".join(ordinary(n) for n in range(4))[:3 * RECORD_SIZE + 100]),
    "all-ff": ("three records of 0xFF bytes only", lambda: b"\xff" * (3 * RECORD_SIZE)),
    "points-0": ("timed, point count 0", lambda: ramp_timed(0, 0)),
    "points-129": ("timed, point count 129", lambda: ramp_timed(0, 129)),
    "points-65535": ("timed, point count 65535", lambda: ramp_timed(0, 65535)),
    "series-max": ("timed, both series all 32767", lambda: timed(0, 32767, 128)),
    "series-min": ("timed, both series all -32768", lambda: timed(0, -32768, 128)),
    "conc-nan": ("concentrations: quiet NaN, negative NaN, signalling NaN",
                 lambda: b"".join(ordinary(n, concentration_bits=bits)
                                  for n, bits in enumerate((0x7FC00000, 0xFFC00000, 0x7F800001)))),
    "conc-inf": ("concentrations: +inf, -inf, largest float",
                 lambda: b"".join(ordinary(n, concentration=value) for n, value in
                                  enumerate((math.inf, -math.inf, 3.4028234663852886e38)))),
    "conc-negative": ("concentrations: -0.0, -0.0005, -1.5, -1e6, smallest denormal",
                      lambda: b"".join(ordinary(n, concentration=value) for n, value in
                                       enumerate((-0.0, -0.0005, -1.5, -1e6, 1.401298464324817e-45)))),
    "serials": ("serial numbers 1703, then 42, 4294967295 and 0 in later records",
                lambda: b"".join(ordinary(n, serial=s)
                                 for n, s in enumerate((1703, 42, 4294967295, 0)))),
}


# ---------------------------------------------------------------------------------------------


def write_chunks(path, chunks):
    """Writes the records' bytes, given in chunks, as the file `path`; gives back `path`."""
    folder = os.path.dirname(os.path.abspath(path))
    os.makedirs(folder, exist_ok=True)
    with open(path, "wb") as out:
        for chunk in chunks:
            out.write(chunk)
    return path


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)

    demo = commands.add_parser("demo", help="the bundled sample of some 60 measurements")
    demo.add_argument("-o", "--output",
                      default=os.path.join(root, "resources", "samples", "demo.dst"))

    records = commands.add_parser("records", help="N random valid records")
    records.add_argument("count", type=int)
    records.add_argument("-o", "--output", required=True)
    records.add_argument("--seed", type=int, default=1)

    edge = commands.add_parser(
        "edge", help="a hostile file", formatter_class=argparse.RawDescriptionHelpFormatter,
        epilog="kinds:\n" + "\n".join(f"  {k:16} {d}" for k, (d, _) in EDGE_KINDS.items()))
    edge.add_argument("kind", choices=EDGE_KINDS, metavar="KIND")
    edge.add_argument("-o", "--output", required=True)

    args = parser.parse_args(argv)
    if args.command == "demo":
        write_chunks(args.output, demo_records())
    elif args.command == "records":
        if args.count < 0:
            parser.error("N must not be negative")
        write_chunks(args.output, random_records(args.count, args.seed))
    else:
        write_chunks(args.output, [EDGE_KINDS[args.kind][1]()])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
