#!/usr/bin/python3
"""Starts a program and reports, in one line, the milliseconds until its
window (named by a regular expression) is mapped and painted, and its peak
memory (VmHWM, KiB) half a second later. Painted is the first change of the
window's contents after it was mapped (XDamage): a program that maps its
window before drawing it is not done at the map. Listens for the events
instead of polling, so the measuring costs the machine nothing while the
program starts."""
import re
import subprocess
import sys
import time

from Xlib import X, Xatom, display
from Xlib.ext import damage


def window_name(win):
    """The window's title: _NET_WM_NAME (UTF-8), else WM_NAME in whatever
    type it has (Latin-1, UTF-8, or compound text, whose ASCII reads as is)."""
    for atom in (win.display.get_atom("_NET_WM_NAME"), Xatom.WM_NAME):
        try:
            prop = win.get_full_property(atom, X.AnyPropertyType)
        except Exception:
            continue
        if prop is not None and prop.format == 8 and prop.value:
            value = prop.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
    return ""


def main():
    pattern = re.compile(sys.argv[1])
    command = sys.argv[2:]
    d = display.Display()
    # Windows that cannot be watched (input-only ones) answer with an error that does not matter here.
    d.set_error_handler(lambda *args: None)
    d.damage_query_version()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    start = time.monotonic()
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = None
    mapped = None  # the program's window, once mapped
    deadline = start + 20
    while elapsed is None and time.monotonic() < deadline:
        while d.pending_events():
            event = d.next_event()
            if event.type == X.CreateNotify:
                # Every new top-level window is watched; drawing shows as damage once it is mapped.
                try:
                    event.window.damage_create(damage.DamageReportNonEmpty)
                except Exception:
                    pass
            elif event.type == X.MapNotify and mapped is None and pattern.search(window_name(event.window)):
                mapped = event.window.id
            elif type(event).__name__ == "DamageNotify" and mapped is not None and event.drawable.id == mapped:
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
