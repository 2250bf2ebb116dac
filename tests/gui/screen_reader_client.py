#!/usr/bin/python3
"""What a screen reader finds in Dotwise's window and hears from it, asked
through AT-SPI's own client library (pyatspi, as Orca uses it).

Run by screen_reader_session_test.sh with the window already up. Prints one
"ok:" line per check and exits 1 on the first failure.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

events = []


def fail(what):
    print(f"FAILED: {what}")
    print("heard:", events[-10:])
    sys.exit(1)


def expect(what, got, wanted):
    if got != wanted:
        fail(f"{what}: expected {wanted!r}, got {got!r}")
    print(f"ok: {what} = {got!r}")


def pump(seconds):
    """Lets the bus deliver events and answers for a while."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.01)


def eventually(what, read, wanted, seconds=5):
    got = None
    end = time.time() + seconds
    while time.time() < end:
        got = read()
        if got == wanted:
            break
        pump(0.1)
    expect(what, got, wanted)


def find(node, role, name=None):
    if node is None:
        return None
    if node.getRoleName() == role and (name is None or node.name == name):
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), role, name)
        if found is not None:
            return found
    return None


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "Dotwise":
                return app
        time.sleep(0.1)
    fail("no application named Dotwise on the accessibility bus")


def text_of(node):
    return node.queryText().getText(0, -1)


def heard(kind, name, detail=None):
    return any(t.startswith(kind) and n == name and (detail is None or d == detail) for t, n, d in events)


def hear(event):
    try:
        name = event.source.name if event.source else None
    except GLib.Error:  # the object is gone by the time its event is read
        name = None
    events.append((event.type, name, event.any_data))


def main():
    pyatspi.Registry.registerEventListener(
        hear,
        "object:state-changed:focused", "object:text-changed", "object:text-caret-moved", "object:children-changed")

    app = application()
    dialog = app.getChildAtIndex(0)
    expect("the dialog's role", dialog.getRoleName(), "dialog")
    expect("the dialog's caption", dialog.name.startswith("Dotwise"), True)
    expect("the dialog is active", "active" in states(dialog), True)

    ok = find(dialog, "push button", "确定")
    expect("确定 is the default button", {"is default", "focusable", "enabled"} <= states(ok), True)
    expect("a button's action", ok.queryAction().getName(0), "click")

    diagonal_name = "矩阵的对角线长度(Inch):"
    diagonal = find(dialog, "entry", diagonal_name)
    expect("the diagonal's text", text_of(diagonal), "4.5")
    label = [r.getTarget(0) for r in diagonal.getRelationSet() if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    expect("the diagonal is labelled by the text on its row", [(t.getRoleName(), t.name) for t in label], [("label", diagonal_name)])
    ppi = find(dialog, "entry", "当前屏幕的 PPI [图像的 DPI ](点/平方英寸):")
    expect("a result field is read-only", ("read only" in states(ppi), "editable" in states(ppi)), (True, False))
    expect("a result field is a polite live region", ppi.getAttributes().count("container-live:polite"), 1)
    expect("an input field is no live region", [a for a in diagonal.getAttributes() if "live" in a], [])

    # The keyboard's way in: the focus moves to the X field, and typing is heard letter by letter.
    x = find(dialog, "entry", "矩阵的 X 方向像素(Pixel):")
    window = subprocess.run(["xdotool", "search", "--name", "^Dotwise"], capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False)
    x.queryComponent().grabFocus()
    eventually("the X field has the focus", lambda: "focused" in states(x), True)
    eventually("the focus was announced", lambda: heard("object:state-changed:focused", x.name), True)
    subprocess.run(["xdotool", "type", "--delay", "50", "19"], check=True)
    eventually("the X field's text after typing", lambda: text_of(x), "19")
    eventually("the typed 9 was heard", lambda: heard("object:text-changed:insert", x.name, "9"), True)
    eventually("the caret's moves were heard", lambda: heard("object:text-caret-moved", x.name), True)
    eventually("the density follows", lambda: text_of(ppi) != "0", True)

    # Keys reach the screen readers before the program, as a GTK program's do: a reader hears each
    # key, and one it keeps for itself (as Orca keeps its own commands) never reaches the field.
    keys = []

    def listen(event):
        keys.append((event.type, event.event_string))
        return event.event_string == "7"  # taken: the reader's own

    pyatspi.Registry.registerKeystrokeListener(listen, kind=(pyatspi.KEY_PRESSED_EVENT, pyatspi.KEY_RELEASED_EVENT),
                                               mask=pyatspi.allModifiers(), synchronous=True, preemptive=True)
    # The program waits for the reader's answer on each key, so the keys are typed while the bus is served.
    typing = subprocess.Popen(["xdotool", "type", "--delay", "50", "57"])
    while typing.poll() is None:
        pump(0.05)
    eventually("a key the reader only heard reaches the field", lambda: text_of(x), "195")
    # The last release comes to the reader after the field has the key that went before it.
    eventually("the reader heard both keys pressed and let go",
               lambda: [k for k in keys if k[1] in ("5", "7")],
               [(pyatspi.KEY_PRESSED_EVENT, "5"), (pyatspi.KEY_RELEASED_EVENT, "5"), (pyatspi.KEY_PRESSED_EVENT, "7"), (pyatspi.KEY_RELEASED_EVENT, "7")])
    pyatspi.Registry.deregisterKeystrokeListener(listen, kind=(pyatspi.KEY_PRESSED_EVENT, pyatspi.KEY_RELEASED_EVENT), mask=pyatspi.allModifiers())
    pump(0.2)
    typing = subprocess.Popen(["xdotool", "key", "BackSpace"])
    while typing.poll() is None:
        pump(0.05)
    eventually("with no reader listening, keys reach the field at once", lambda: text_of(x), "19")

    # A caller's word is checked, never trusted: a length past the text's end, an
    # offset at the end of the integers, and a range as long as they go.
    editable = x.queryEditableText()
    editable.insertText(0, "1", 1048576)
    editable.insertText(2147483647, "2", 1)
    eventually("X after insertions with a length and an offset past the text", lambda: text_of(x), "1192")
    field = x.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    first = x.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
    whole = x.queryText().getRangeExtents(0, 2147483647, pyatspi.DESKTOP_COORDS)
    expect("the first character lies in the field", (field.x <= first[0] < field.x + field.width, first[2] > 0), (True, True))
    expect("the whole text starts where its first character does", (whole[0], whole[2] > 3 * first[2]), (first[0], True))
    expect("the offset at the first character's middle",
           x.queryText().getOffsetAtPoint(first[0] + first[2] // 2, first[1] + first[3] // 2, pyatspi.DESKTOP_COORDS), 0)
    # A result is read-only to the reader as to the keyboard.
    ppi_before = text_of(ppi)
    ppi.queryEditableText().setTextContents("99999")
    ppi.queryEditableText().deleteText(0, -1)
    expect("the PPI after a reader tried to change it", text_of(diagonal) == "4.5" and text_of(ppi), ppi_before)

    # What a screen reader's user types through the reader reaches the field as the keyboard's would.
    diagonal.queryEditableText().setTextContents("5.5")
    eventually("the diagonal after its text was set", lambda: text_of(diagonal), "5.5")
    eventually("its change was heard", lambda: heard("object:text-changed:insert", diagonal_name, "5"), True)

    # The badges' action does what a click does: the message box comes, as an alert.
    badge = find(dialog, "image")
    expect("a badge has a click action", badge.queryAction().getName(0), "click")
    badge.queryAction().doAction(0)
    eventually("the badge's message box", lambda: app.childCount == 2 and app.getChildAtIndex(1).getRoleName(), "alert")
    alert = app.getChildAtIndex(1)
    expect("the alert is the active window", "active" in states(alert), True)
    # The dialog under the box is disabled: no action reaches it, as no click does.
    # The bridge says yes before the action runs; what counts is what happens after.
    cancel = find(dialog, "push button", "取消")
    other = [dialog.getChildAtIndex(i) for i in range(dialog.childCount) if dialog.getChildAtIndex(i).getRoleName() == "image"][1]
    expect("the other badge is not enabled under the box", "enabled" in states(other), False)
    cancel.queryAction().doAction(0)
    other.queryAction().doAction(0)
    find(alert, "push button", "确定").queryAction().doAction(0)
    # Actions run in the order they came: a box stacked by the other badge would be open now.
    eventually("the alert went, and no other box came", lambda: app.childCount, 1)
    expect("the dialog is still there, with what was typed", (dialog.getRoleName(), text_of(x)), ("dialog", "1192"))
    # Events come in their own time: what the program answered may be ahead of them.
    eventually("its coming and going were heard",
               lambda: heard("object:children-changed:add", "Dotwise") and heard("object:children-changed:remove", "Dotwise"), True)


if __name__ == "__main__":
    main()
