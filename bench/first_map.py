#!/usr/bin/python3
"""Starts a program and reports, in one line, the milliseconds until the X
server maps its window (named by a regular expression) and its peak memory
(VmHWM, KiB) half a second later. Listens for the map event instead of
polling, so the measuring costs the machine nothing while the program starts."""
import re
import subprocess
import sys
import time

from Xlib import X, display


def window_name(win):
    try:
        name = win.get_wm_name()
        if isinstance(name, bytes):
            name = name.decode("utf-8", "replace")
        if not name:
            prop = win.get_full_property(win.display.intern_atom("_NET_WM_NAME"), X.AnyPropertyType)
            name = prop.value.decode("utf-8", "replace") if prop else ""
        return name or ""
    except Exception:
        return ""


def main():
    pattern = re.compile(sys.argv[1])
    command = sys.argv[2:]
    d = display.Display()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    start = time.monotonic()
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = None
    deadline = start + 20
    while elapsed is None and time.monotonic() < deadline:
        while d.pending_events():
            event = d.next_event()
            if event.type == X.MapNotify and pattern.search(window_name(event.window)):
                elapsed = (time.monotonic() - start) * 1000
                break
        if elapsed is None:
            time.sleep(0.0005)
    time.sleep(0.5)
    peak = ""
    try:
        with open(f"/proc/{process.pid}/status") as status:
            peak = next(line.split()[1] for line in status if line.startswith("VmHWM"))
    except (OSError, StopIteration):
        pass
    process.kill()
    process.wait()
    if elapsed is None or not peak:
        print("failed", file=sys.stderr)
        return 1
    print(f"{elapsed:.0f} {peak}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
