"""Drives a real Quillbrook window as a screen reader would: finds the pattern field and the
status line in the accessibility tree, types a pattern, presses Return, reads the count, then
starts a second instance with a folder and sees the first window take it while the second
exits, and opens an item with a stand-in application that records the startup id it got."""

import os
import re
import subprocess
import sys
import time

import pyatspi

BINARY = os.environ["QB_E2E_BINARY"]
WORK = os.environ["QB_E2E_WORK"]


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def poll(what, fn, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            value = fn()
        except Exception:  # the tree changes under us while the window updates
            value = None
        if value:
            return value
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def find(root, predicate):
    for node in walk(root):
        try:
            if predicate(node):
                return node
        except Exception:
            continue
    return None


def frame():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == "Quillbrook":
                return window
    return None


def text_of(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return node.name


def status(window):
    label = find(window, lambda n: n.getRoleName() == "label" and " searched" in n.name)
    return label.name if label else None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for name in ("Press", "ShowMenu"):
        if name in names:
            action.doAction(names.index(name))
            return
    action.doAction(0)


def stand_in_application(env):
    """A default application for text files that writes down the environment it was given."""
    record = os.path.join(WORK, "opened-env")
    script = os.path.join(WORK, "stand-in")
    with open(script, "w") as f:
        f.write("#!/bin/sh\nenv > %s.part && mv %s.part %s\n" % (record, record, record))
    os.chmod(script, 0o755)
    apps = os.path.join(env["XDG_DATA_HOME"], "applications")
    os.makedirs(apps)
    with open(os.path.join(apps, "qb-stand-in.desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Stand-in\nExec=%s %%f\n"
                "MimeType=text/plain;\nStartupNotify=true\n" % script)
    os.makedirs(env["XDG_CONFIG_HOME"])
    with open(os.path.join(env["XDG_CONFIG_HOME"], "mimeapps.list"), "w") as f:
        f.write("[Default Applications]\ntext/plain=qb-stand-in.desktop\n")
    return record


def main():
    tree = os.path.join(WORK, "tree")
    os.makedirs(os.path.join(tree, "sub"))
    for name in ["a_target.txt", "b_target.txt", "sub/c_target.txt", "other.md"]:
        open(os.path.join(tree, name), "w").close()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", HOME=WORK,
               XDG_CONFIG_HOME=os.path.join(WORK, "config"),
               XDG_DATA_HOME=os.path.join(WORK, "data"))
    record = stand_in_application(env)
    first = subprocess.Popen([BINARY, "--folder", tree], env=env)
    try:
        # A loaded machine with sanitizer builds can take a while to show the window.
        window = poll("the window in the accessibility tree",
                      lambda: frame() or (first.poll() is not None and fail(
                          "the program exited with %s" % first.returncode)), timeout=60)
        field = poll("the pattern field", lambda: find(
            window, lambda n: n.name == "Regular expression"))
        wid = poll("the X window", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Quillbrook$"],
            capture_output=True, text=True).stdout.split())[0]
        subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True)
        poll("the pattern field's focus",
             lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
        subprocess.run(["xdotool", "type", "--delay", "20", "target"], check=True)
        poll("the typed pattern", lambda: text_of(field) == "target")
        subprocess.run(["xdotool", "key", "Return"], check=True)
        text = poll("the result count", lambda: (status(window) or "").startswith("3 matches")
                    and status(window))
        print("status:", text)

        # The pattern reference takes the keyboard while open, and Escape closes it.
        press(poll("the reference button", lambda: find(
            window, lambda n: n.getRoleName() == "push button" and n.name == "Regex reference")))
        poll("the pattern reference", lambda: find(
            window, lambda n: n.name == "Pattern Reference" and n.getRoleName() != "label"))
        subprocess.run(["xdotool", "key", "Escape"], check=True)
        poll("the reference to close on Escape", lambda: not find(
            window, lambda n: n.name == "Pattern Reference" and n.getRoleName() != "label"))
        poll("the keyboard back in the pattern field",
             lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
        print("the pattern reference closed on Escape")

        sub = os.path.join(tree, "sub")
        # As a launcher starts it: the startup id goes along to the first window.
        second = subprocess.run([BINARY, "--folder", sub], timeout=20, env=dict(
            env, DESKTOP_STARTUP_ID="launcher/quillbrook/1-0-host_TIME1234"))
        if second.returncode != 0:
            fail("the second start exited with %d" % second.returncode)
        poll("the first window to show the new folder", lambda: find(
            window, lambda n: n.name == "sub" and n.getRoleName() != "label"))
        poll("the results to be cleared", lambda: status(window) is None)
        if first.poll() is not None:
            fail("the first instance exited")
        print("second start handed over and exited")

        # An item opened from the results gets a startup id of its own carrying the time of
        # the user's last key, not the one the hand-over brought.
        subprocess.run(["xdotool", "key", "Return"], check=True)
        poll("the result count", lambda: (status(window) or "").startswith("1 match"))
        table = poll("the results table", lambda: find(window, lambda n: n.getRoleName() == "table"))
        table.queryTable().addRowSelection(0)
        press(poll("the Open command", lambda: find(
            window, lambda n: n.getRoleName() == "menu item" and n.name == "Open"
            and n.getState().contains(pyatspi.STATE_ENABLED))))
        opened = poll("the stand-in application's environment",
                      lambda: os.path.exists(record) and open(record).read(), timeout=30)
        if "launcher/quillbrook/1-0-host_TIME1234" in opened:
            fail("the opened application inherited the hand-over's startup id")
        ids = re.findall(r"^DESKTOP_STARTUP_ID=(.*)$", opened, re.M)
        if not ids or not re.fullmatch(r"quillbrook-\d+-.+_TIME[1-9]\d*", ids[0]):
            fail("the opened application's startup id: %s" % ids)
        print("the opened application got the startup id", ids[0])
    finally:
        first.terminate()
        first.wait(10)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
