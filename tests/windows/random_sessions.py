#!/usr/bin/env python3
"""Random driver sessions, the same on two builds, compared answer by answer.

Each session is a seeded, random list of driver commands: typing, keys,
clicks, drags, context menus, and what other programs do to the fields and
the clipboard, with questions about the dialog in between. Every session
runs on each build from a fresh start, and the answers must agree, except
where tests/windows/known_wine_differences.txt lists a difference with its
reason: a session by its name ("session-SEED-N"), or a key ("key Ctrl+A")
that the sessions then leave out.

    random_sessions.py [--seed N] [--count N] [--jobs N] [--keep DIR]
                       --first PROGRAM... --second PROGRAM...

Prints the counts of sessions, commands and differences, the first
differing answer of each session that differs, and exits 1 on any
difference not listed.
"""

import argparse
import concurrent.futures
import os
import random
import subprocess
import sys
import threading

FIELDS = [1000, 1001, 1004, 1016]
READ_ONLY = [1005, 1006, 1010]
DISABLED = [1002, 1003, 1007, 1014]
CONTROLS = FIELDS + READ_ONLY + DISABLED + [1, 2]
BADGES = [1017, 1018, 1019]
CHARACTERS = "0123456789.,-+ eE" + "0123456789" * 2
KEYS = [
    "Left", "Right", "Home", "End", "Backspace", "Delete", "Tab", "Shift+Tab",
    "Shift+Left", "Shift+Right", "Shift+Home", "Shift+End", "Ctrl+A", "Ctrl+C",
    "Ctrl+V", "Ctrl+X", "Ctrl+Z", "Shift+Delete", "Shift+Insert", "Ctrl+Insert",
    "Up", "Down", "Shift+3", "Ctrl+Left", "Ctrl+Right",
]
EDIT_MENU = ["撤消", "剪切", "复制", "粘贴", "删除", "全选"]
# Colours are asked of enabled controls: a disabled one's grey is the system's colour scheme.
QUESTIONS = ["text {f}", "sel {f}", "state", "caret {f}", "shown {f}", "clipboard", "color {c}"]


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def random_text(rng, longest=8):
    return "".join(rng.choice(CHARACTERS) for _ in range(rng.randint(1, longest)))


# Each action with the share of sessions' actions it takes, in that order.
ACTIONS = [
    (0.22, lambda rng, f, keys: [f"type {quoted(random_text(rng))}"]),
    (0.23, lambda rng, f, keys: [f"key {rng.choice(keys)}"]),
    (0.10, lambda rng, f, keys: [f"focus {f}"]),
    (0.10, lambda rng, f, keys: [f"click {rng.choice(CONTROLS)} {rng.randint(0, 12)}"]),
    (0.04, lambda rng, f, keys: [f"dblclick {f} {rng.randint(0, 10)}"]),
    (0.04, lambda rng, f, keys: [f"drag {f} {rng.randint(0, 8)} {rng.choice([str(rng.randint(0, 12)), 'outside'])}"]),
    (0.06, lambda rng, f, keys: [f"rclick {f}", f"menu {rng.choice(EDIT_MENU)}"]),
    (0.06, lambda rng, f, keys: [f"settext {f} {quoted(random_text(rng, 12))}"]),
    (0.05, lambda rng, f, keys: [f"setsel {f} {rng.randint(-3, 12)} {rng.randint(-3, 12)}"]),
    (0.04, lambda rng, f, keys: [f"setclipboard {quoted(random_text(rng))}"]),
    (0.02, lambda rng, f, keys: [f"click {rng.choice(BADGES)}"]),
    (1.00, lambda rng, f, keys: [f"cursor {rng.choice(BADGES + FIELDS)}"]),
]


def random_command(rng, keys):
    """One user action or outside write, then maybe a question."""
    f = rng.choice(FIELDS)
    roll = rng.random()
    bound = 0.0
    for share, make in ACTIONS:
        bound = round(bound + share, 2)
        if roll < bound:
            action = make(rng, f, keys)
            break
    if rng.random() < 0.5:
        action.append(rng.choice(QUESTIONS).format(f=rng.choice(FIELDS), c=rng.choice(FIELDS + READ_ONLY)))
    return action


def session(seed, index, length, keys=KEYS):
    rng = random.Random(f"{seed}-{index}")
    commands = []
    while len(commands) < length:
        commands += random_command(rng, keys)
    # The clipboard is the system's and outlives a session: each starts with the same text on it.
    # What the session left behind: every field, the focus and the clipboard.
    return ["setclipboard \"0\""] + commands + ["state", "clipboard"]


def run(program, commands, env, timeout):
    """The answers; a session that does not end in time answers "(timed out)" last."""
    try:
        # Standard error is not read: under Wine, helper processes that outlive the program keep it open.
        result = subprocess.run(program, input="\n".join(commands) + "\n", stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                text=True, encoding="utf-8", errors="replace", timeout=timeout, env=env)
        return result.stdout.replace("\r", "").splitlines()
    except subprocess.TimeoutExpired as expired:
        output = expired.stdout or b""
        text = output.decode("utf-8", "replace") if isinstance(output, bytes) else output
        return text.replace("\r", "").splitlines() + ["(timed out)"]


def known_differences(path):
    """The sessions listed by name, and the keys listed as "key NAME"."""
    sessions, keys = {}, set()
    if os.path.exists(path):
        with open(path, encoding="utf-8") as listing:
            for line in listing:
                name, _, reason = line.partition(": ")
                if name.startswith("session-"):
                    sessions[name.strip()] = reason.strip()
                elif name.startswith("key "):
                    keys.add(name[4:].strip())
    return sessions, keys


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--length", type=int, default=14)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--timeout", type=float, default=30, help="seconds a session may take")
    parser.add_argument("--keep", help="write each differing session and both answers into this folder")
    parser.add_argument("rest", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    rest = args.rest
    if "--first" not in rest or "--second" not in rest:
        parser.error("give --first PROGRAM... --second PROGRAM...")
    split = rest.index("--second")
    first, second = rest[rest.index("--first") + 1:split], rest[split + 1:]
    env = dict(os.environ)
    known, left_out = known_differences(os.path.join(os.path.dirname(os.path.abspath(__file__)), "known_wine_differences.txt"))
    keys = [key for key in KEYS if key not in left_out]
    sessions = [session(args.seed, i, args.length, keys) for i in range(args.count)]

    # The second program runs one session at a time: under Wine every session
    # shares one desktop, whose foreground window takes the input.
    second_lock = threading.Lock()

    # A program that answers nothing at all did not start (Wine, now and then, under load):
    # that session runs once more before it counts.
    def run_started(program, commands):
        answers = run(program, commands, env, args.timeout)
        return answers if answers else run(program, commands, env, args.timeout)

    def compare(index):
        commands = sessions[index]
        a = run_started(first, commands)
        with second_lock:
            b = run_started(second, commands)
        return index, a, b

    differing, unlisted = 0, 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for index, a, b in sorted(pool.map(compare, range(len(sessions)))):
            if a == b:
                continue
            differing += 1
            name = f"session-{args.seed}-{index}"
            at = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
            listed = name in known
            unlisted += 0 if listed else 1
            print(f"{'listed' if listed else 'DIFFERS'}: {name}, answer {at + 1}: "
                  f"{a[at] if at < len(a) else '(none)'!r} against {b[at] if at < len(b) else '(none)'!r}")
            if args.keep:
                os.makedirs(args.keep, exist_ok=True)
                for suffix, lines in (("txt", sessions[index]), ("first", a), ("second", b)):
                    with open(os.path.join(args.keep, f"{name}.{suffix}"), "w", encoding="utf-8") as out:
                        out.write("\n".join(lines) + "\n")
    commands = sum(len(s) for s in sessions)
    print(f"random sessions: {len(sessions)} sessions, {commands} commands, seed {args.seed}: "
          f"{differing} differ, {unlisted} of them not listed")
    return 1 if unlisted else 0


if __name__ == "__main__":
    sys.exit(main())
