#!/usr/bin/python3
"""Start-up without a window, against floors in the same run, interleaved:
the terminal back end until its full screen has arrived on a terminal of
100 x 40 cells, against a bare ncurses program; and the headless back end from
start to exit with input that ends at once, against /bin/true. Each pair
takes turns, run after run. Medians and ratios.
    bench/terminal_start.py [BUILD-FOLDER] [RUNS]"""
import fcntl
import os
import pty
import select
import signal
import statistics
import struct
import sys
import termios
import time

BUILD = sys.argv[1] if len(sys.argv) > 1 else "build/default"
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 15


def terminal_start(command, marker):
    """Milliseconds until `marker` has been written to the terminal."""
    pid, fd = pty.fork()
    if pid == 0:
        os.environ["TERM"] = "xterm-256color"
        os.environ["LC_ALL"] = "C.UTF-8"
        os.execv(command[0], command)
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", 40, 100, 0, 0))
    start = time.monotonic()
    seen = b""
    elapsed = None
    while time.monotonic() - start < 10:
        ready, _, _ = select.select([fd], [], [], 0.5)
        if not ready:
            continue
        try:
            seen += os.read(fd, 65536)
        except OSError:
            break
        if marker in seen:
            elapsed = (time.monotonic() - start) * 1000
            break
    os.kill(pid, signal.SIGKILL)
    os.waitpid(pid, 0)
    os.close(fd)
    return elapsed


DEVNULL = os.open(os.devnull, os.O_RDWR)


def run_to_exit(command):
    # posix_spawn, not subprocess: the harness's own cost is added to both
    # sides of the ratio, and a larger one would make the ratio look better.
    start = time.monotonic()
    pid = os.posix_spawn(command[0], command, os.environ, file_actions=[(os.POSIX_SPAWN_DUP2, DEVNULL, 0), (os.POSIX_SPAWN_DUP2, DEVNULL, 1)])
    os.waitpid(pid, 0)
    return (time.monotonic() - start) * 1000


def main():
    dotwise = os.path.join(BUILD, "dotwise")
    # Each pair takes turns on its own: a terminal program killed a moment
    # before would still be tearing down while the next one starts.
    pairs = [
        {
            "dotwise tui": lambda: terminal_start([dotwise, "--platform", "tui"], "欢迎把它推荐给需要的朋友".encode()),
            "bare ncurses": lambda: terminal_start([os.path.join(BUILD, "bench", "bare_ncurses")], b"bare ncurses ready"),
        },
        {
            "dotwise headless": lambda: run_to_exit([dotwise, "--platform", "headless"]),
            "/bin/true": lambda: run_to_exit(["/bin/true"]),
        },
    ]
    times = {}
    for cases in pairs:
        for measure in cases.values():
            measure()  # warm the caches
        times.update({name: [] for name in cases})
        for _ in range(RUNS):
            for name, measure in cases.items():
                value = measure()
                if value is not None:
                    times[name].append(value)
    medians = {name: statistics.median(values) if values else float("nan") for name, values in times.items()}
    print(f"{'program':<18} {'median (ms)':>12}")
    for name, value in medians.items():
        print(f"{name:<18} {value:>12.1f}")
    print(f"terminal start to full screen: dotwise / bare ncurses {medians['dotwise tui'] / medians['bare ncurses']:.2f}")
    print(f"headless start to exit: dotwise / /bin/true {medians['dotwise headless'] / medians['/bin/true']:.2f}")
    print(f"(medians of {RUNS} interleaved runs each)")


if __name__ == "__main__":
    main()
