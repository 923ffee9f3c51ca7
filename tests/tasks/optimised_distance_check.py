#!/usr/bin/env python3
"""The optimised task distance against an independent computation.

Each task goes into a fresh database file through `import-task-file` (which stores
the distances); the reference is a plain coordinate descent on the WGS 84
ellipsoid with Python's geographiclib: every cylinder point in turn moves
along its circle (golden-section search on the bearing from the centre) to
shorten its two legs, until the route stops getting shorter.
Usage: optimised_distance_check.py CLI TEMPLATE_DIR
"""
import json
import math
import os
import sqlite3
import subprocess
import sys
import tempfile

from geographiclib.geodesic import Geodesic

EARTH = Geodesic.WGS84
TOLERANCE_M = 1.0


def leg(a, b):
    return EARTH.Inverse(a[0], a[1], b[0], b[1], Geodesic.DISTANCE)["s12"]


def on_circle(centre, radius, bearing):
    g = EARTH.Direct(centre[0], centre[1], bearing, radius, Geodesic.LATITUDE | Geodesic.LONGITUDE)
    return (g["lat2"], g["lon2"])


def first_reached(a, b, centre, radius, point):
    """Where the line a-b, which passes through the circle near `point`, enters it."""
    line = EARTH.InverseLine(a[0], a[1], b[0], b[1])
    at = lambda s: (lambda p: (p["lat2"], p["lon2"]))(line.Position(s))
    outside = lambda s: leg(at(s), centre) - radius
    along = leg(a, point)
    inside = next((s for step in (10.0 ** k for k in range(-3, 5)) for s in (along - step, along + step)
                   if 0 <= s <= line.s13 and outside(s) <= 0), None)
    if inside is None:
        return point
    lo, step = inside, 1e-3
    while outside(lo) <= 0:
        if lo == 0:
            return point
        lo, step = max(0.0, inside - step), step * 10
    hi = inside
    for _ in range(60):
        mid = (lo + hi) / 2
        lo, hi = (lo, mid) if outside(mid) <= 0 else (mid, hi)
    return at(hi)


def golden(f, lo, hi, steps):
    ratio = (math.sqrt(5) - 1) / 2
    a, b = hi - ratio * (hi - lo), lo + ratio * (hi - lo)
    fa, fb = f(a), f(b)
    for _ in range(steps):
        if fa < fb:
            hi, b, fb = b, a, fa
            a = hi - ratio * (hi - lo)
            fa = f(a)
        else:
            lo, a, fa = a, b, fb
            b = lo + ratio * (hi - lo)
            fb = f(b)
    return (a + b) / 2


def reference(points, goal_line):
    """Route length and the speed-section length (start and end indices)."""
    centres = [(p[0], p[1]) for p in points]
    radii = [0.0] + [p[2] for p in points[1:]]
    if goal_line:
        radii[-1] = 0.0
    # Start every point on its circle facing the previous centre.
    bearings = [0.0] * len(points)
    route = list(centres)
    for i in range(1, len(points)):
        if radii[i] > 0:
            bearings[i] = EARTH.Inverse(centres[i][0], centres[i][1], centres[i - 1][0], centres[i - 1][1])["azi1"]
            route[i] = on_circle(centres[i], radii[i], bearings[i])
    total = sum(leg(route[i - 1], route[i]) for i in range(1, len(route)))
    width = 180.0
    for _sweep in range(200):
        for i in range(1, len(points)):
            if radii[i] <= 0:
                continue

            def cost(bearing, i=i):
                x = on_circle(centres[i], radii[i], bearing)
                s = leg(route[i - 1], x)
                return s + (leg(x, route[i + 1]) if i + 1 < len(route) else 0.0)

            if width >= 180.0:  # first sweep: the best of a coarse ring, then refine
                start = min((bearings[i] + k * 15.0 for k in range(24)), key=cost)
                bearings[i] = golden(cost, start - 15.0, start + 15.0, 36)
            else:
                bearings[i] = golden(cost, bearings[i] - width, bearings[i] + width, 30)
            route[i] = on_circle(centres[i], radii[i], bearings[i])
        new_total = sum(leg(route[i - 1], route[i]) for i in range(1, len(route)))
        width = 5.0
        if total - new_total < 1e-4:
            total = new_total
            break
        total = new_total
    # Where the straight route passes through a cylinder, any point of the
    # passage is as short: the route touches it where it first reaches it.
    # Each such point moves along the line to its neighbour: repeat to settle.
    for i in list(range(1, len(route) - 1)) * 8:
        if radii[i] > 0 and leg(route[i - 1], centres[i]) > radii[i] and \
                leg(route[i - 1], route[i]) + leg(route[i], route[i + 1]) - leg(route[i - 1], route[i + 1]) < 1e-2:
            route[i] = first_reached(route[i - 1], route[i + 1], centres[i], radii[i], route[i])
    totals = [0.0]
    for i in range(1, len(route)):
        totals.append(totals[-1] + leg(route[i - 1], route[i]))
    return totals


def xctsk(number, points, gates, goal_line):
    turnpoints = []
    for i, (lat, lon, radius) in enumerate(points):
        entry = {"radius": radius, "waypoint": {"name": "T%d-%d" % (number, i + 1), "lat": lat, "lon": lon,
                                                 "altSmoothed": 0}}
        kind = {"TO": "TAKEOFF", "SS": "SSS", "ES": "ESS"}.get(gates[i])
        if kind:
            entry["type"] = kind
        turnpoints.append(entry)
    return {"taskType": "CLASSIC", "version": 1, "turnpoints": turnpoints,
            "sss": {"type": "RACE", "direction": "EXIT", "timeGates": ["12:00:00Z"]},
            "goal": {"type": "LINE" if goal_line else "CYLINDER", "deadline": "17:00:00Z"}}


def gates_for(count):
    gates = ["TO"] + ["TP"] * (count - 2) + ["GOAL"]
    if count >= 4:
        gates[1], gates[-2] = "SS", "ES"
    return gates


# (turnpoints as (lat, lon, radius m), goal line)
TASKS = [
    ([(46.0, 7.0, 400), (46.3, 7.4, 2000)], False),
    # A turnpoint inside the previous cylinder, cylinders of 50 m and 50 km.
    ([(46.68, 7.86, 400), (46.70, 7.90, 20000), (46.72, 7.95, 50), (46.40, 7.60, 50000), (46.90, 8.20, 1000)], False),
    # Overlapping cylinders in a row, goal line.
    ([(45.90, 6.90, 400), (45.95, 7.00, 8000), (46.00, 7.10, 8000), (46.05, 7.20, 8000), (46.30, 7.00, 3000)], True),
    ([(-33.9, 18.4, 400), (-33.7, 18.9, 5000), (-34.1, 19.3, 1500), (-33.8, 19.8, 400), (-33.5, 19.2, 10000),
      (-33.6, 18.8, 2000), (-33.9, 18.5, 1000)], False),
    # Ten turnpoints over a few hundred kilometres, radii 50 m to 50 km (two
    # more make the reference's descent crawl for seconds).
    ([(47.0 + 0.35 * math.sin(k), 8.0 + 0.4 * k, r) for k, r in
      enumerate([400, 50000, 50, 3000, 12000, 400, 25000, 1000, 50, 7000])], False),
    ([(64.0 + 0.2 * (k % 3), -20.0 + 0.15 * k, 400 + 900 * k) for k in range(12)], False),
]


def main():
    cli, template = sys.argv[1], sys.argv[2]
    worst = 0.0
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        db = os.path.join(scratch, "tasks.mdb")
        subprocess.run([cli, "create", db, "--template-dir", template], check=True, stdout=subprocess.DEVNULL)
        expected = []
        for number, (points, goal_line) in enumerate(TASKS, start=1):
            gates = gates_for(len(points))
            path = os.path.join(scratch, "task%d.xctsk" % number)
            with open(path, "w") as f:
                json.dump(xctsk(number, points, gates, goal_line), f)
            subprocess.run([cli, "-q", "import-task-file", db, path], check=True, stdout=subprocess.DEVNULL)
            totals = reference(points, goal_line)
            start = gates.index("SS") if "SS" in gates else 0
            end = gates.index("ES") if "ES" in gates else len(gates) - 1
            expected.append((number, totals, totals[end] - totals[start]))
        con = sqlite3.connect(db)
        for number, totals, speed_section in expected:
            stored = [row[0] * 1000 for row in con.execute(
                "SELECT ttpDistanceTotal FROM tblTaskTurnpoint WHERE tasPk=? ORDER BY ttpNr", (number,))]
            distance, ss = [v * 1000 for v in con.execute(
                "SELECT tasDistance, tasSSDistance FROM tblTask WHERE tasPk=?", (number,)).fetchone()]
            pairs = list(zip(stored, totals)) + [(distance, totals[-1]), (ss, speed_section)]
            difference = max(abs(a - b) for a, b in pairs)
            worst = max(worst, difference)
            print("task %d: %d turnpoints, %.3f km, reference %.3f km, largest difference %.4f m"
                  % (number, len(totals), distance / 1000, totals[-1] / 1000, difference))
            if len(stored) != len(totals) or difference > TOLERANCE_M:
                failures.append(number)
    print("largest difference over all tasks: %.4f m" % worst)
    if failures:
        print("FAILED: tasks %s differ by more than %.1f m" % (failures, TOLERANCE_M))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
