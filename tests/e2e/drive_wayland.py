"""Drives a real Quillbrook window on a Wayland compositor as a screen reader would: the window
is native (it speaks Wayland and names itself after its desktop file), a search runs (typed with
real keys where mutter offers them) without the active window asking to be activated, a later
start hands over with an activation token, an item opened afterwards gets neither start's token
but one of its own from the compositor, the preview and settings windows are announced as
windows, the pattern reference opens inside the window, and the Results menu, opened with no
input event at all, is a popup of the window that lists all its entries."""

import os
import re
import subprocess
import time

import pyatspi

from drive import (BINARY, WORK, fail, find, frame, poll, press, stand_in_application, status,
                   text_of, walk)

TOKENS = ["first-start-token", "second-start-token"]


def find_all(root, predicate):
    found = []
    for node in walk(root):
        try:
            if predicate(node):
                found.append(node)
        except Exception:
            continue
    return found


def top_window(name):
    for app in pyatspi.Registry.getDesktop(0):
        for window in app or []:
            if window is not None and window.name == name:
                return window
    return None


def shell_surfaces(protocol):
    """How many windows and popups the program has asked the compositor for."""
    log = open(protocol, errors="replace").read()
    return len(re.findall(r"-> xdg_surface@\d+\.get_(toplevel|popup)", log))


def check_fresh_token(opened, protocol):
    """The opened application got a token the compositor issued for this launch, both where
    Qt's toolkits and GTK's look for it."""
    log = open(protocol, errors="replace").read()
    if not re.search(r'global\(\d+, "xdg_activation_v1"', log):
        print("the compositor issues no activation tokens: none expected")
        return
    given = dict(line.split("=", 1) for line in opened.splitlines() if "=" in line)
    token = given.get("XDG_ACTIVATION_TOKEN", "")
    if not token:
        fail("the opened application got no activation token")
    if '.done("%s")' % token not in log:
        fail("the opened application's token %r is not one the compositor issued" % token)
    if given.get("DESKTOP_STARTUP_ID") != token:
        fail("the startup id %r is not the token" % given.get("DESKTOP_STARTUP_ID"))
    print("the opened application got a token of its own from the compositor")


def check_menu_placement(protocol, before):
    """The menu that just opened is a popup of the search window placed against it, not a
    window of its own, which Qt 6.4 makes of a popup opened before any input event."""
    def opened():
        log = open(protocol, errors="replace").read()
        fresh = log[before:]
        return re.search(r"xdg_popup@\d+\.configure|get_toplevel", fresh) and (log, fresh)
    log, fresh = poll("the menu's surface", opened)
    if "get_toplevel" in fresh:
        fail("the menu opened as a window of its own")
    popup, parent = re.search(
        r"get_popup\(new id xdg_popup@(\d+), xdg_surface@(\d+)", fresh).groups()
    toplevel = re.search(r'xdg_toplevel@(\d+)\.set_title\("Quillbrook"\)', log).group(1)
    if ("xdg_surface@%s.get_toplevel(new id xdg_toplevel@%s)" % (parent, toplevel)) not in log:
        fail("the menu's parent is not the search window")
    width, height = map(int, re.findall(
        r"xdg_surface@%s\.set_window_geometry\(0, 0, (\d+), (\d+)\)" % parent, log)[-1])
    x, y, w, h = map(int, poll("the menu's placement", lambda: re.search(
        r"xdg_popup@%s\.configure\((-?\d+), (-?\d+), (\d+), (\d+)\)" % popup,
        open(protocol, errors="replace").read()[before:])).groups())
    if not (0 <= x < width and 0 <= y < height):
        fail("the menu is placed at %d,%d outside the %dx%d window" % (x, y, width, height))
    print("the menu is a popup of the window at %d,%d, %dx%d" % (x, y, w, h))


def activation_requests(protocol):
    """How many times the program has asked the compositor to activate one of its windows, or
    None where the compositor offers no activation."""
    log = open(protocol, errors="replace").read()
    if not re.search(r'global\(\d+, "xdg_activation_v1"', log):
        return None
    return len(re.findall(r"-> xdg_activation_v1@\d+\.activate\(", log))


def real_keyboard():
    """Taps keys through mutter's remote desktop, which gives the seat a keyboard: Qt asks for
    activations only with an input device to take a serial from. None on other compositors."""
    try:
        import dbus
        bus = dbus.SessionBus()
        remote = bus.get_object("org.gnome.Mutter.RemoteDesktop",
                                "/org/gnome/Mutter/RemoteDesktop")
        path = remote.CreateSession(dbus_interface="org.gnome.Mutter.RemoteDesktop")
        session = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", path),
                                 "org.gnome.Mutter.RemoteDesktop.Session")
        session.Start()
    except Exception:
        return None

    def tap(*keysyms):
        for key in keysyms:
            session.NotifyKeyboardKeysym(dbus.UInt32(key), True)
        for key in reversed(keysyms):
            session.NotifyKeyboardKeysym(dbus.UInt32(key), False)
        time.sleep(0.2)
    return tap


def search(window, pattern):
    field = poll("the pattern field", lambda: find(window, lambda n: n.name == "Regular expression"))
    field.queryEditableText().setTextContents(pattern)
    poll("the typed pattern", lambda: text_of(field) == pattern)
    button = poll("the search button", lambda: find(
        window, lambda n: n.getRoleName() == "push button" and n.name == "Search"))
    press(button)


def main():
    tree = os.path.join(WORK, "tree")
    os.makedirs(os.path.join(tree, "sub"))
    for name in ["a_target.txt", "b_target.txt", "sub/c_target.txt", "other.md"]:
        open(os.path.join(tree, name), "w").close()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", HOME=WORK,
               XDG_CONFIG_HOME=os.path.join(WORK, "config"),
               XDG_DATA_HOME=os.path.join(WORK, "data"),
               # What a GNOME Wayland session sets, with XWayland's display beside it.
               XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="GNOME",
               XDG_ACTIVATION_TOKEN=TOKENS[0], WAYLAND_DEBUG="client")
    env.pop("QT_QPA_PLATFORM", None)
    record = stand_in_application(env)
    protocol = os.path.join(WORK, "wayland-protocol.log")
    first = subprocess.Popen([BINARY, "--folder", tree], env=env,
                             stderr=open(protocol, "w"))
    try:
        window = poll("the window in the accessibility tree",
                      lambda: frame() or (first.poll() is not None and fail(
                          "the program exited with %s" % first.returncode)), timeout=60)
        # Native: the window is a Wayland toplevel named after the desktop file.
        poll("a Wayland toplevel with the desktop file's app id",
             lambda: 'set_app_id("com.local.tarnwick")' in open(protocol, errors="replace").read())
        print("native Wayland window with app id com.local.tarnwick")

        # The active window with the keyboard in the pattern field asks for no activation: not
        # for typing and Return, Ctrl+F, or a hand-over that puts the keyboard where it is.
        activations = activation_requests(protocol)
        tap = None
        if activations is not None:
            poll("the window to be active",
                 lambda: window.getState().contains(pyatspi.STATE_ACTIVE))
            poll("the keyboard in the pattern field", lambda: find(
                window, lambda n: n.name == "Regular expression"
                and n.getState().contains(pyatspi.STATE_FOCUSED)))
            tap = real_keyboard()
        if tap:
            for key in "target":
                tap(ord(key))
            tap(0xff0d)  # Return
        else:
            search(window, "target")
        text = poll("the result count", lambda: (status(window) or "").startswith("3 matches")
                    and status(window))
        print("status:", text)
        if tap:
            tap(0xffe3, ord("f"))  # Ctrl+F: Find, with the keyboard in the field already

        sub = os.path.join(tree, "sub")
        second = subprocess.run([BINARY, "--folder", sub], timeout=20, stderr=subprocess.DEVNULL,
                                env=dict(env, XDG_ACTIVATION_TOKEN=TOKENS[1],
                                         WAYLAND_DEBUG=""))
        if second.returncode != 0:
            fail("the second start exited with %d" % second.returncode)
        poll("the first window to show the new folder", lambda: find(
            window, lambda n: n.name == "sub" and n.getRoleName() != "label"))
        print("second start handed over and exited")
        if activations is not None:
            # Qt sends its requests a round trip after the focus moves.
            time.sleep(1)
            extra = activation_requests(protocol) - activations
            if extra:
                fail("the active window asked %d time(s) to be activated" % extra)
            print("the active window asked for no activation (%s)"
                  % ("real keys" if tap else "no keyboard on this compositor"))
        else:
            print("the compositor activates no windows on request: no activation check")

        # Open the one match with the stand-in, as "Open" in the Results menu does.
        search(window, "target")
        poll("the result count", lambda: (status(window) or "").startswith("1 match"))
        table = poll("the results table", lambda: find(window, lambda n: n.getRoleName() == "table"))
        table.queryTable().addRowSelection(0)
        opener = poll("the Open command", lambda: find(
            window, lambda n: n.getRoleName() == "menu item" and n.name == "Open"
            and n.getState().contains(pyatspi.STATE_ENABLED)))
        press(opener)
        opened = poll("the stand-in application's environment",
                      lambda: os.path.exists(record) and open(record).read(), timeout=30)
        leaked = [t for t in TOKENS if t in opened]
        if leaked:
            fail("an opened application inherited the activation token(s) %s" % leaked)
        print("the opened application got no used activation token")
        check_fresh_token(opened, protocol)

        # Screen readers announce the settings and preview windows as windows.
        for command, title, roles in [("Quick Look", "c_target.txt", ("frame",)),
                                      ("Settings…", "Quillbrook Settings", ("dialog",))]:
            press(poll(command, lambda: find(
                window, lambda n: n.getRoleName() == "menu item" and n.name == command)))
            other = poll("the window " + title, lambda: top_window(title))
            if other.getRoleName() not in roles:
                fail("%s is announced as a %s" % (title, other.getRoleName()))
            print("%s is announced as a %s" % (title, other.getRoleName()))

        # The pattern reference opens inside the window: no surface of its own, which on
        # Wayland would need a recent input serial and, without one, opens detached.
        surfaces = shell_surfaces(protocol)
        press(poll("the reference button", lambda: find(
            window, lambda n: n.getRoleName() == "push button" and n.name == "Regex reference")))
        reference = poll("the pattern reference in the window", lambda: find(
            window, lambda n: n.name == "Pattern Reference" and n.getRoleName() != "label"))
        if shell_surfaces(protocol) != surfaces:
            fail("the pattern reference opened a surface of its own")
        press(poll("its close button", lambda: find(
            reference, lambda n: n.getRoleName() == "push button" and n.name == "Close reference")))
        poll("the reference to close", lambda: not find(
            window, lambda n: n.name == "Pattern Reference" and n.getRoleName() != "label"))
        print("the pattern reference opened inside the window")

        # With no input event at all, as a screen reader opens it.
        before = len(open(protocol, errors="replace").read())
        bar = poll("the menu bar", lambda: find(window, lambda n: n.getRoleName() == "menu bar"))
        bar_item = poll("the Results menu", lambda: find(
            bar, lambda n: n.name.replace("&", "") == "Results"))
        press(bar_item)
        expected = ["Open", "Quick Look", "Copy Paths", "Get Info", "Open With", "Duplicate",
                    "Move to Trash"]

        def entries():
            names = [n.name for n in find_all(bar_item, lambda n: n.getRoleName() in (
                "menu item", "menu", "check menu item")) if n is not bar_item]
            return all(any(n.startswith(e) for n in names) for e in expected) and names
        names = poll("every entry of the Results menu", entries)
        print("Results menu:", ", ".join(n for n in names if n))
        check_menu_placement(protocol, before)
        if first.poll() is not None:
            fail("the first instance exited")
    finally:
        first.terminate()
        first.wait(10)
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
