#!/usr/bin/python3
"""Times questions a screen reader asks, over the accessibility bus, of
running programs named on the command line (by their AT-SPI application
names), in interleaved batches, and prints each program's median round trip
in milliseconds on one line: "NAME MEDIAN". The question is the window's
state set and extents, which the client library does not cache, so each is
a message to the program and its answer. The questions are spaced as a
screen reader's are, which asks when an event comes: each finds the program
asleep, as a question back to back with the last would not."""
import statistics
import sys
import time

import pyatspi

ROUNDS, CALLS = 7, 100


def window_of(name, deadline):
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name and app.childCount > 0:
                return app[0]
        time.sleep(0.1)
    sys.exit(f"atspi_round_trip: no application named {name!r} on the bus")


def main():
    names = sys.argv[1:]
    deadline = time.monotonic() + 30
    windows = {name: window_of(name, deadline) for name in names}
    times = {name: [] for name in names}
    for _ in range(ROUNDS):
        for name, window in windows.items():
            component = window.queryComponent()
            for _ in range(CALLS):
                time.sleep(0.005)
                begun = time.perf_counter()
                component.getExtents(pyatspi.DESKTOP_COORDS)
                times[name].append((time.perf_counter() - begun) * 1000)
    for name in names:
        print(f"{name} {statistics.median(times[name]):.3f}")


main()
