#!/usr/bin/python3
"""What a typed key costs a program, as the person typing sees it: starts the
program on the X display in DISPLAY, waits for its window, sends the setup
keys, then types digits and erases them again with BackSpace, one key every
KEY_GAP seconds through XTEST. Reports, per key: the program's CPU time (all
its threads, from /proc/PID/task/*/schedstat, in nanoseconds), how many
rectangles it pushed to the screen (XDamage raw rectangles on its window)
and their area against the window's. One line of JSON.
    bench/keystrokes.py PATTERN SETUP-KEYS KEYS -- COMMAND...
PATTERN is a regular expression for the window's name; SETUP-KEYS is a
space-separated list of keysym names typed before measuring."""
import glob
import json
import re
import subprocess
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import damage, xtest

from first_map import window_name

KEY_GAP = 0.06


def cpu_ns(pid):
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError):
            pass
    return total


def find_window(d, pattern):
    def walk(win):
        try:
            name = window_name(win)
            attrs = win.get_attributes()
            if pattern.search(name) and attrs.map_state == X.IsViewable:
                return win
            for child in win.query_tree().children:
                found = walk(child)
                if found:
                    return found
        except Exception:
            return None
        return None
    return walk(d.screen().root)


def press(d, keysym_name):
    code = d.keysym_to_keycode(XK.string_to_keysym(keysym_name))
    xtest.fake_input(d, X.KeyPress, code)
    xtest.fake_input(d, X.KeyRelease, code)
    d.sync()


def main():
    split = sys.argv.index("--")
    pattern, setup, keys = re.compile(sys.argv[1]), sys.argv[2].split(), sys.argv[3].split()
    command = sys.argv[split + 1:]
    d = display.Display()
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = None
        deadline = time.monotonic() + 20
        while window is None and time.monotonic() < deadline:
            time.sleep(0.1)
            window = find_window(d, pattern)
        if window is None:
            print("no window", file=sys.stderr)
            return 1
        time.sleep(1.0)
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        d.sync()
        time.sleep(0.3)
        for key in setup:
            press(d, key)
            time.sleep(KEY_GAP)
        time.sleep(0.5)
        geometry = window.get_geometry()
        d.damage_query_version()
        watch = window.damage_create(damage.DamageReportRawRectangles)
        d.sync()
        while d.pending_events():
            d.next_event()
        cpu0 = cpu_ns(process.pid)
        rects = area = 0
        for key in keys:
            press(d, key)
            end = time.monotonic() + KEY_GAP
            while time.monotonic() < end:
                while d.pending_events():
                    event = d.next_event()
                    if type(event).__name__ == "DamageNotify":
                        rects += 1
                        area += event.area.width * event.area.height
                time.sleep(0.002)
        time.sleep(0.3)
        while d.pending_events():
            event = d.next_event()
            if type(event).__name__ == "DamageNotify":
                rects += 1
                area += event.area.width * event.area.height
        cpu1 = cpu_ns(process.pid)
        d.damage_destroy(watch)
        n = len(keys)
        print(json.dumps({"cpu_ms_per_key": (cpu1 - cpu0) / 1e6 / n, "rects_per_key": rects / n,
                          "damaged_share_per_key": area / n / (geometry.width * geometry.height)}))
        return 0
    finally:
        process.kill()
        process.wait()


if __name__ == "__main__":
    sys.exit(main())
