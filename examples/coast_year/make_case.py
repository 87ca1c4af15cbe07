#!/usr/bin/env python3
"""Writes the coast_year example: a straight coast at an angle to north, a
year of hourly wave events at its stations, the Dunelot output and the run
report.

    examples/coast_year/make_case.py [DIR]     (default: this script's folder)

The files are the same on every run (a seeded generator draws every value),
so they are kept in the repository; run this only to change the case.

The coast runs at a bearing of 20 degrees (north-north-east), the sea to its
west-north-west. The KRV-Wave grid (120 x 60 cells of 50 m) has its i axis
along the coast and its j axis out to sea; the depth follows an equilibrium
profile (0.1 x^(2/3) at x metres from the waterline) with a headland that
pushes the coast 400 m seaward around i = 35 and a shoal of 5 m in front of
i = 80. Sixteen stations stand where the water is about 8 m deep, spread
along the coast. Offshore waves follow a seasonal cycle with winter storms,
come mostly from the west (an oblique approach), and each station turns them
toward its local shore normal, more behind the headland. The Dunelot grid
runs along the waterline in 120 uniform cells of 50 m.
"""

import math
import os
import random
import sys

NI, NJ, CELL = 120, 60, 50.0
ORIGIN_X, ORIGIN_Y = 400000.0, 6200000.0
COAST_BEARING = 20.0                   # the coast's compass bearing
GRID_AZIMUTH = 90.0 - COAST_BEARING    # the wave grid's i axis, from east anticlockwise
STATIONS = 16
EVENTS = 8760
START = "20230101000000"
SEED = 20230101


def write_lines(path, lines):
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines))
        out.write("\n")


def waterline(i):
    """Cross-shore distance (m from the grid's i axis) of the waterline at
    column i (real): straight, with a headland around i = 35."""
    return 300.0 + 400.0 * math.exp(-((i - 35.0) / 9.0) ** 2)


def depth_at(i, j):
    """Depth (m) at the centre of cell (i, j), from 1; land below 0."""
    across = (j - 0.5) * CELL - waterline(i - 0.5)
    if across <= 0.0:
        return max(-0.01 * -across - 0.5, -6.0)
    depth = 0.1 * across ** (2.0 / 3.0) + 0.3
    depth -= 5.0 * math.exp(-(((i - 80.0) / 6.0) ** 2 + ((j - 30.0) / 5.0) ** 2))
    return depth


def write_dep(path):
    lines = ["%d %d %.1f %.1f" % (NI, NJ, CELL, CELL)]
    for j in range(NJ, 0, -1):
        row = [depth_at(i, j) for i in range(1, NI + 1)]
        for k in range(0, NI, 5):
            lines.append("".join("%13.6f" % v for v in row[k:k + 5]))
    write_lines(path, lines)


def station_cells():
    cells = []
    for s in range(STATIONS):
        i = 6 + int(round(s * (NI - 12) / (STATIONS - 1)))
        j = next(j for j in range(1, NJ + 1) if depth_at(i, j) >= 8.0)
        cells.append((i, j))
    return cells


def write_std(path, cells):
    lines = ["! KRV-Wave station list: coast_year, %d stations at about 8 m depth" % len(cells),
             "%8d              !kout   number of output stations" % len(cells)]
    lines += ["%4d%4d   station %d" % (i, j, s + 1) for s, (i, j) in enumerate(cells)]
    write_lines(path, lines)


def normal_turn(i):
    """How far (degrees) the shore normal at column i turns from the straight
    coast's: the headland's flanks face away from its tip."""
    slope = (waterline(i + 0.5) - waterline(i - 0.5)) / CELL
    return math.degrees(math.atan(slope))


def write_station_output(path, cells, rng):
    """One record per event and station: number, i, j, Hs, Tp, direction in
    the wave model's convention (degrees anticlockwise from the grid's i
    axis, where the waves travel)."""
    normal_from = (COAST_BEARING - 90.0) % 360.0  # waves from here travel straight onshore
    storm, swing, lines, record = 0.0, 0.0, [], 0
    for e in range(EVENTS):
        season = math.cos(2.0 * math.pi * (e / EVENTS))  # +1 in January
        storm = 0.995 * storm + 0.07 * rng.gauss(0.0, 1.0)
        swing = 0.997 * swing + 0.9 * rng.gauss(0.0, 1.0)
        offshore_hs = math.exp(-0.15 + 0.4 * season + 0.6 * storm)
        offshore_from = 265.0 + max(min(swing, 50.0), -50.0) + 10.0 * season
        for s, (i, j) in enumerate(cells):
            shelter = 1.0 - 0.35 * math.exp(-((i - 45.0) / 8.0) ** 2)  # in the headland's lee
            hs = min(max(offshore_hs * 0.8 * shelter * (1 + 0.04 * rng.gauss(0.0, 1.0)), 0.05), 6.0)
            tp = min(max(4.0 + 2.8 * math.sqrt(hs) + 0.3 * rng.gauss(0.0, 1.0), 2.5), 18.0)
            # Refraction turns the waves halfway toward the local normal.
            local_normal = normal_from - normal_turn(i)
            off = (offshore_from - local_normal + 180.0) % 360.0 - 180.0
            came_from = local_normal + 0.5 * off + 1.5 * rng.gauss(0.0, 1.0)
            travels = (90.0 - (came_from + 180.0)) % 360.0      # compass to anticlockwise from east
            direction = (travels - GRID_AZIMUTH) % 360.0        # from the grid's i axis
            record += 1
            lines.append("%d %d %d %.2f %.1f %.0f" % (record, i, j, hs, tp, direction))
    write_lines(path, lines)


def shore_origin():
    """The waterline's start: the grid's origin moved out to the waterline."""
    a = math.radians(GRID_AZIMUTH)
    across = waterline(0.0)
    return ORIGIN_X - across * math.sin(a), ORIGIN_Y + across * math.cos(a)


def main(argv):
    d = argv[1] if len(argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(d, exist_ok=True)
    rng = random.Random(SEED)
    cells = station_cells()
    write_lines(os.path.join(d, "coast.sim"), [
        "coast_year %.1f %.1f %.1f" % (ORIGIN_X, ORIGIN_Y, GRID_AZIMUTH),
        "! KRV-Wave simulation: origin Easting, Northing, grid azimuth"])
    write_std(os.path.join(d, "coast.std"), cells)
    write_dep(os.path.join(d, "coast.dep"))
    write_station_output(os.path.join(d, "selhts.out"), cells, rng)
    x0, y0 = shore_origin()
    write_lines(os.path.join(d, "coast.dun"), [
        "! Dunelot control file: coast_year, a straight coast in 120 cells of 50 m",
        "TITLE: coast_year, one year of hourly waves",
        "X0: %.1f" % x0,
        "Y0: %.1f" % y0,
        "AZIMUTH: %.1f" % COAST_BEARING,
        "NX: %d" % NI,
        "DX: %.1f" % CELL,
        "DT: 1.0",
        "BERM: 2.0",
        "CLOSURE: 8.0",
        "NUMWAVES: 1",
        "WAVEID: 1 8.0 1 OutputStationKRV_wave001.wave",
        "END"])
    write_lines(os.path.join(d, "quilbar.ctrl"), [
        "! quilbar control file: coast_year, a year of hourly waves for Dunelot, with the run report",
        "SIM coast.sim            ! KRV-Wave simulation file",
        "STD coast.std            ! KRV-Wave station list",
        "SEL selhts.out           ! KRV-Wave station output",
        "DEP coast.dep            ! KRV-Wave depth grid",
        "TIM 1.0                  ! output time step, hours",
        "TSO 8760.0               ! length of the output series, hours",
        "STA %s       ! start date and time, yyyymmddHHMMSS" % START,
        "KRV 1                    ! time-series mode: one output step per wave event",
        "FOR Dunelot_Wave_File    ! coast_new.dun and one *.wave file per station",
        "DUN coast.dun            ! existing Dunelot control file with the shoreline grid",
        "REPORT coast_report.html ! the run report: open it in a browser"])


if __name__ == "__main__":
    main(sys.argv)
