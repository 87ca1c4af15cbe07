#!/usr/bin/env python3
"""Writes a large, valid and realistic quilbar case into a directory.

    bench/generate_case.py PRESET DIR [--seed N] [--stations N] [--events N]
                           [--std-form annotated|plain] [--percent-basis series|block]
                           [--report]

Presets:
  ts-map  time-series mode, 200 stations, 8760 hourly input events, map output,
          a 300 x 200 depth grid
  ts-dun  the same data with the Dunelot output and an existing *.dun file
          (NX 400, DX 25)
  ss-dun  steady-state mode, 200 stations, 400 input events, 12 periods,
          87600 output steps of one hour (ten years), random order, Dunelot
          output with DX -1 and a *.shdx file of 400 cell widths

The same preset, seed and overrides always give the same files, byte for byte
(the standard library's random generator, seeded, drives every draw). Besides
the inputs the directory receives case.txt: the case's counts, its input files
and the bytes of the run's tables (what the peak memory is measured against).

The coast: the wave grid (40 m cells, origin 500000 / 4000000, rotated by 30
degrees) holds a smooth coast line crossing it along i; the stations lie a few
cells offshore of it, spread along the coast. The shoreline grid starts at the
wave grid origin with azimuth 60 degrees, so it runs along the wave grid's i
axis and every station projects into one of its 400 cells. Heights follow a
seasonal cycle with storms (a slow autoregressive process), periods follow the
heights, directions swing slowly about the mean swell direction; each station
scales and turns them smoothly along the coast, plus a little noise per value.
"""

import argparse
import math
import os
import random
import struct
import sys

PRESETS = {
    "ts-map": dict(mode="ts", output="map", stations=200, events=8760),
    "ts-dun": dict(mode="ts", output="dun", stations=200, events=8760),
    "ss-dun": dict(mode="ss", output="dun", stations=200, events=400),
}

GRID_NI, GRID_NJ, CELL = 300, 200, 40.0
ORIGIN_X, ORIGIN_Y, WAVE_AZIMUTH = 500000.0, 4000000.0, 30.0
SHORE_NX, SHORE_DX = 400, 25.0
SHORE_AZIMUTH = 90.0 - WAVE_AZIMUTH  # along the wave grid's i axis
SS_PERIODS, SS_STEP_HOURS, SS_SERIES_HOURS = 12, 1.0, 87600.0
START = "20120101000000"
CASE = "bench"


def f32(x):
    """x rounded to the nearest 4-byte real."""
    return struct.unpack("<f", struct.pack("<f", x))[0]


def write_lines(path, lines):
    # The wave model's files are plain text with LF line ends.
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines))
        out.write("\n")


def coast_row(i):
    """Row j of the coast line at column i (real), smooth along the coast."""
    t = i / GRID_NI
    return GRID_NJ * (0.58 + 0.10 * math.sin(2.0 * math.pi * 1.3 * t)
                      + 0.03 * math.sin(2.0 * math.pi * 4.1 * t + 0.7))


def station_cells(count):
    """(i, j) of each station: spread along the coast, 3 to 9 cells offshore."""
    cells = []
    first, last = 8, 240  # inside the 10 km of the shoreline grid
    for s in range(count):
        t = (s + 0.5) / count
        i = first + int(round(t * (last - first)))
        j = int(math.floor(coast_row(i))) - (3 + (s * 5) % 7)
        cells.append((min(max(i, 1), GRID_NI), min(max(j, 1), GRID_NJ)))
    return cells


def depth_rows(rng):
    """Depth rows in file order (j = nj down to 1): water offshore of the coast
    (j below the coast line), land above it as negative depths."""
    rows = []
    for j in range(GRID_NJ, 0, -1):
        row = []
        for i in range(1, GRID_NI + 1):
            d = (coast_row(i) - j) * CELL  # distance offshore, m
            if d > 0:
                depth = 1.5 + 0.012 * d + 4.0 * (1.0 - math.exp(-d / 300.0))
            else:
                depth = max(0.004 * d, -12.0) - 0.5
            depth += 0.15 * math.sin(0.37 * i + 0.21 * j) + rng.uniform(-0.02, 0.02)
            row.append(depth)
        rows.append(row)
    return rows


def write_dep(path, rng):
    lines = ["%d %d %.1f %.1f" % (GRID_NI, GRID_NJ, CELL, CELL)]
    for row in depth_rows(rng):
        for k in range(0, len(row), 5):
            lines.append("".join("%13.6f" % v for v in row[k:k + 5]))
    write_lines(path, lines)


def write_std(path, cells, form):
    if form == "annotated":
        lines = [
            "! KRV-Wave observation stations, %s coast" % CASE,
            "! written for the quilbar benchmark",
            "%8d !kout  number of output stations" % len(cells),
        ]
    else:
        # Plain form: the count is the fifth value of the file.
        lines = ["1 0 1 0 %d" % len(cells)]
    lines += ["%6d%6d" % (i, j) for i, j in cells]
    write_lines(path, lines)


def write_sim(path):
    write_lines(path, [
        "%s %.1f %.1f %.1f" % (CASE, ORIGIN_X, ORIGIN_Y, WAVE_AZIMUTH),
        "! KRV-Wave simulation: grid %d x %d, cell %.1f m" % (GRID_NI, GRID_NJ, CELL),
        "spectral 36 directions, 24 frequencies",
    ])


class StationShape:
    """How each station scales and turns the offshore wave climate."""

    def __init__(self, cells):
        self.height = []
        self.turn = []
        for s, (i, _) in enumerate(cells):
            t = i / GRID_NI
            self.height.append(0.75 + 0.25 * math.sin(2.0 * math.pi * 2.2 * t) + 0.04 * (s % 3))
            self.turn.append(14.0 * math.sin(2.0 * math.pi * 1.7 * t + 0.4))


def station_record(out, index, cell, height, period, direction):
    # Fixed columns as the wave model writes them: three I6, three F10.
    out.append("%6d%6d%6d%10.4f%10.4f%10.3f" % (index, cell[0], cell[1], height, period, direction))


def write_time_series(path, cells, events, rng):
    """Hourly events: seasonal cycle, storms and slowly swinging directions."""
    shape = StationShape(cells)
    storm = 0.0
    swing = 0.0
    swell = 0.0
    with open(path, "w", newline="\n") as out:
        for e in range(events):
            storm = 0.996 * storm + 0.06 * rng.gauss(0.0, 1.0)
            swing = 0.998 * swing + 0.8 * rng.gauss(0.0, 1.0)
            swell = 0.99 * swell + 0.1 * rng.gauss(0.0, 1.0)
            season = 0.35 * math.cos(2.0 * math.pi * e / 8760.0)
            offshore = math.exp(0.1 + season + 0.9 * storm)
            base_dir = 255.0 + max(min(swing, 60.0), -60.0)
            lines = []
            for s, cell in enumerate(cells):
                h = offshore * shape.height[s] * (1.0 + 0.03 * rng.gauss(0.0, 1.0))
                h = min(max(h, 0.05), 9.5)
                p = 3.8 + 2.9 * math.sqrt(h) + 0.8 * swell + 0.1 * rng.gauss(0.0, 1.0)
                p = min(max(p, 2.0), 20.0)
                d = base_dir + shape.turn[s] + 2.0 * rng.gauss(0.0, 1.0)
                d = d - 360.0 if d >= 360.0 else (d + 360.0 if d < 0.0 else d)
                station_record(lines, s + 1, cell, h, p, d)
            out.write("\n".join(lines))
            out.write("\n")


def representative_events(events, rng):
    """Representative conditions: height classes crossed with direction classes."""
    classes = []
    directions = 10
    heights = max(1, (events + directions - 1) // directions)
    for e in range(events):
        hk, dk = divmod(e, directions)
        h = 0.25 + 4.5 * (hk + 0.5) / heights
        d = 205.0 + 100.0 * (dk + 0.5) / directions
        p = 3.8 + 2.9 * math.sqrt(h) + 0.3 * rng.gauss(0.0, 1.0)
        classes.append((h, p, d))
    return classes


def write_steady_state(path, cells, classes, rng):
    shape = StationShape(cells)
    with open(path, "w", newline="\n") as out:
        for h0, p0, d0 in classes:
            lines = []
            for s, cell in enumerate(cells):
                h = min(max(h0 * shape.height[s] * (1.0 + 0.02 * rng.gauss(0.0, 1.0)), 0.05), 9.5)
                p = min(max(p0 + 0.05 * rng.gauss(0.0, 1.0), 2.0), 20.0)
                d = d0 + shape.turn[s] + rng.gauss(0.0, 1.0)
                station_record(lines, s + 1, cell, h, p, d)
            out.write("\n".join(lines))
            out.write("\n")


def repeats_of(percent_text, output_events):
    """The repetitions the program derives from a written percentage: percent
    / 100 and the product with the number of output steps, in 4-byte reals,
    rounded half away from zero."""
    fraction = f32(f32(float(percent_text)) / f32(100.0))
    product = f32(fraction * f32(float(output_events)))
    return int(math.floor(abs(product) + 0.5)) * (1 if product >= 0 else -1)


def block_counts(classes, period, block, rng):
    """Time steps of each event in one period: a seasonal wave climate (more
    high and westerly seas in winter), whole counts that add up to the block."""
    winter = 0.5 + 0.5 * math.cos(2.0 * math.pi * (period + 0.5) / SS_PERIODS)
    weights = []
    for h, _, d in classes:
        w = math.exp(-h / (0.7 + 0.9 * winter)) * (1.0 + 0.5 * winter * (d - 205.0) / 100.0)
        weights.append(w * rng.uniform(0.6, 1.4))
    total = sum(weights)
    exact = [block * w / total for w in weights]
    counts = [int(math.floor(x)) for x in exact]
    rest = block - sum(counts)
    by_remainder = sorted(range(len(exact)), key=lambda k: (counts[k] - exact[k], k))
    for k in by_remainder[:rest]:
        counts[k] += 1
    return counts


def write_frequency(path, classes, output_events, basis, rng):
    """One record per input event, one percentage per period.

    The program repeats an event fraction x output_event_count times within a
    period, so with basis "series" the percentages are shares of the whole
    series: every period's column adds up to 100 / period_count and its
    repetitions fill the period's block exactly. With basis "block" each column
    adds up to 100: every period then runs on over the later blocks (which
    overwrite it) and the last one past the end of the series."""
    block = output_events // SS_PERIODS
    columns = [block_counts(classes, p, block, rng) for p in range(SS_PERIODS)]
    scale = block if basis == "block" else output_events
    multiple = output_events // block if basis == "block" else 1
    lines = []
    for e in range(len(classes)):
        fields = []
        for p in range(SS_PERIODS):
            count = columns[p][e]
            for digits in range(8, 14):
                text = "%.*f" % (digits, 100.0 * count / scale)
                if repeats_of(text, output_events) == count * multiple:
                    break
            else:
                raise RuntimeError("no percentage text gives %d repetitions" % count)
            fields.append("%13s" % text)
        lines.append("".join(fields))
    write_lines(path, lines)


def write_dun(path, stations, events, dx, shdx_name):
    lines = [
        "! Dunelot control file: benchmark coast",
        "* shoreline grid along the KRV-Wave grid's i axis",
        "TITLE: quilbar benchmark coast",
        "RUNMODE: 1",
        "X0: %.1f" % ORIGIN_X,
        "Y0: %.1f" % ORIGIN_Y,
        "AZIMUTH: %.1f" % SHORE_AZIMUTH,
        "NX: %d" % SHORE_NX,
        "DX: %g" % dx,
    ]
    if shdx_name:
        lines.append("DXF: %s" % shdx_name)
    lines += [
        "! time stepping",
        "TIMESTEP: 1.0",
        "STARTDATE: %s" % START[:8],
        "BERM: 1.5",
        "CLOSURE: 8.0",
        "D50: 0.25",
        "K1: 0.5",
        "K2: 0.25",
        "! wave input (rewritten by quilbar)",
        "NUMWAVES: 1",
        "WAVEID: 12 6.5 %d oldgauge01.wave" % events,
        "! boundary conditions",
        "LBC: PINNED",
        "RBC: GATED",
        "OUTPUTSTEP: 24",
        "END",
    ]
    write_lines(path, lines)


def write_shdx(path, rng):
    """Four header records, then the cell widths ten per record; the widths
    swing about 25 m and add up to at least the 10 km the stations need."""
    widths = []
    for k in range(SHORE_NX):
        t = k / SHORE_NX
        widths.append(25.0 + 5.0 * math.sin(2.0 * math.pi * 3.0 * t) + rng.uniform(-0.5, 0.5))
    lines = [
        "Dunelot cell widths: quilbar benchmark coast",
        "NX %d" % SHORE_NX,
        "units m",
        "cell1-first",
    ]
    for k in range(0, SHORE_NX, 10):
        lines.append(" ".join("%8.3f" % w for w in widths[k:k + 10]))
    write_lines(path, lines)


def write_ctrl(path, preset, cfg):
    lines = ["! quilbar control file: benchmark case %s" % preset,
             "SIM %s.sim" % CASE,
             "STD %s.std" % CASE,
             "SEL selhts.out",
             "DEP %s.dep" % CASE]
    if cfg["mode"] == "ss":
        lines += ["FRE %s.fre" % CASE,
                  "KRV 0",
                  "RAN 1",
                  "NTI %d" % SS_PERIODS,
                  "TIM %.1f" % SS_STEP_HOURS,
                  "TSO %.1f" % SS_SERIES_HOURS]
    else:
        lines += ["KRV 1", "RAN 0", "TIM 1.0", "TSO %.1f" % float(cfg["events"])]
    lines.append("STA %s" % START)
    if cfg["output"] == "map":
        lines += ["FOR TGM_Map_Wave_File", "MAP %s.map" % CASE]
    else:
        lines += ["FOR Dunelot_Wave_File",
                  "DUN %s.dun" % CASE,
                  "# the *.dun file's grid records override these",
                  "X0: 0.0", "Y0: 0.0", "NX: 1", "DX: 1.0"]
    if cfg.get("report"):
        lines.append("REPORT %s_report.html" % CASE)
    write_lines(path, lines)


def table_bytes(stations, in_events, out_events, periods):
    """Bytes of the run's tables at their element sizes."""
    per_input = stations * in_events * (4 + 4 + 8 + 8 + 8 + 8)  # wave and direction tables
    per_output = stations * out_events * (4 + 4 + 4)  # output series
    per_step = out_events * (14 + 22 + 4 * 4)  # stamps, labels, four index tables
    frequency = in_events * periods * (4 + 4 + 4) + periods * 4
    grid = GRID_NI * GRID_NJ * 4 + (GRID_NI + GRID_NJ) * 4
    station = stations * (4 + 4 + 8 * 4 + 4)
    widths = SHORE_NX * 4
    return per_input + per_output + per_step + frequency + grid + station + widths


def main(argv):
    parser = argparse.ArgumentParser(description="Write a large quilbar case.")
    parser.add_argument("preset", choices=sorted(PRESETS))
    parser.add_argument("directory")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--stations", type=int)
    parser.add_argument("--events", type=int, help="input events")
    parser.add_argument("--std-form", choices=["annotated", "plain"], default="annotated")
    parser.add_argument("--percent-basis", choices=["series", "block"], default="series")
    parser.add_argument("--report", action="store_true",
                        help="ask for the run report (REPORT bench_report.html)")
    args = parser.parse_args(argv)

    cfg = dict(PRESETS[args.preset])
    if args.stations is not None:
        cfg["stations"] = args.stations
    if args.events is not None:
        cfg["events"] = args.events
    if not 1 <= cfg["stations"] <= 999:
        parser.error("--stations must lie in 1..999 (three-digit wave file names)")
    if cfg["events"] < 1:
        parser.error("--events must be at least 1")
    cfg["report"] = args.report

    os.makedirs(args.directory, exist_ok=True)
    d = args.directory
    # One generator per file, so that an override of one count leaves the
    # other files as they were.
    seed = args.seed
    cells = station_cells(cfg["stations"])
    write_ctrl(os.path.join(d, "quilbar.ctrl"), args.preset, cfg)
    write_std(os.path.join(d, CASE + ".std"), cells, args.std_form)
    write_sim(os.path.join(d, CASE + ".sim"))
    write_dep(os.path.join(d, CASE + ".dep"), random.Random(seed * 1000 + 1))
    station_rng = random.Random(seed * 1000 + 2)
    if cfg["mode"] == "ts":
        write_time_series(os.path.join(d, "selhts.out"), cells, cfg["events"], station_rng)
        out_events, periods = cfg["events"], 1
    else:
        classes = representative_events(cfg["events"], random.Random(seed * 1000 + 3))
        write_steady_state(os.path.join(d, "selhts.out"), cells, classes, station_rng)
        out_events = int(math.floor(SS_SERIES_HOURS / SS_STEP_HOURS + 0.5))
        periods = SS_PERIODS
        write_frequency(os.path.join(d, CASE + ".fre"), classes, out_events,
                        args.percent_basis, random.Random(seed * 1000 + 4))
    if cfg["output"] == "dun":
        if cfg["mode"] == "ss":
            write_dun(os.path.join(d, CASE + ".dun"), cfg["stations"], out_events, -1,
                      CASE + ".shdx")
            write_shdx(os.path.join(d, CASE + ".shdx"), random.Random(seed * 1000 + 5))
        else:
            write_dun(os.path.join(d, CASE + ".dun"), cfg["stations"], out_events, SHORE_DX,
                      None)

    inputs = ["quilbar.ctrl", CASE + ".sim", CASE + ".std", "selhts.out", CASE + ".dep"]
    if cfg["mode"] == "ss":
        inputs.append(CASE + ".fre")
    if cfg["output"] == "dun":
        inputs.append(CASE + ".dun")
        if cfg["mode"] == "ss":
            inputs.append(CASE + ".shdx")
    write_lines(os.path.join(d, "case.txt"), [
        "preset=%s" % args.preset,
        "seed=%d" % seed,
        "stations=%d" % cfg["stations"],
        "input_events=%d" % cfg["events"],
        "output_events=%d" % out_events,
        "periods=%d" % periods,
        "table_bytes=%d" % table_bytes(cfg["stations"], cfg["events"], out_events, periods),
        "inputs=%s" % " ".join(inputs),
    ])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
