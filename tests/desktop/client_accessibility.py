#!/usr/bin/python3
"""The built client as a screen reader meets it: over the accessibility bus, find the sidebar's
"Login" button in the main window, press it, and see the login window open; then press the
"Close" button of its skinned caption and see it close.

Run on its own X server and accessibility bus:
    scripts/with-xvfb scripts/with-accessibility-bus /usr/bin/python3 client_accessibility.py build/bin/vellomar
Debian's own python3 is meant: pyatspi is installed for it alone.
"""
import os
import subprocess
import sys
import time

def wait_for(what, probe, seconds):
    """Calls probe until it returns something true, for at most `seconds`."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.25)
    sys.exit(f"FAIL: {what} (waited {seconds} s)")


def accessibility_bus_up():
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"],
        capture_output=True, text=True)
    return reply.returncode == 0 and "unix:" in reply.stdout


def children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:  # the object went away while we looked
        return []


def find(node, match, depth=12):
    """The first object below node (breadth first) that match accepts."""
    level = [node]
    for _ in range(depth):
        below = []
        for parent in level:
            for child in children(parent):
                if child is None:
                    continue
                try:
                    if match(child):
                        return child
                except Exception:
                    continue
                below.append(child)
        level = below
    return None


def press(node, what):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Press" not in names:
        sys.exit(f"FAIL: {what} offers no press action, only {names}")
    actions.doAction(names.index("Press"))


def login_window_on_screen():
    shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Vellomar Login$"],
                           capture_output=True, text=True, timeout=20)
    return bool(shown.stdout.strip())


def main():
    client_path = os.path.abspath(sys.argv[1])
    wait_for("the accessibility bus is up", accessibility_bus_up, 20)
    import pyatspi  # connects to the bus on import

    client = subprocess.Popen([client_path], stdout=subprocess.DEVNULL,
                              env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("the client shows on the accessibility bus as \"Vellomar Chat\"",
                       lambda: find(desktop, lambda n: n.name == "Vellomar Chat", depth=1), 60)
        main_window = wait_for(
            'the window "Vellomar manager" is on the bus',
            lambda: find(app, lambda n: n.name == "Vellomar manager"
                         and n.getState().contains(pyatspi.STATE_SHOWING), depth=1), 60)
        login = wait_for(
            'the sidebar\'s "Login" button is on the bus',
            lambda: find(main_window, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                         and n.name == "Login"), 30)
        bar = login.parent.parent
        if bar.getRole() != pyatspi.ROLE_TOOL_BAR:
            sys.exit(f"FAIL: the Login button is not in the sidebar but in a {bar.getRoleName()}")
        if find(app, lambda n: n.name == "Vellomar Login"
                and n.getState().contains(pyatspi.STATE_SHOWING), depth=1):
            sys.exit("FAIL: the login window shows before the button is pressed")
        press(login, "the Login button")

        login_window = wait_for('the window "Vellomar Login" opens',
                                lambda: find(app, lambda n: n.name == "Vellomar Login"
                                             and n.getState().contains(pyatspi.STATE_SHOWING), depth=1), 20)
        if not login_window_on_screen():
            sys.exit("FAIL: the login window is on the bus but not on the screen")
        print("PASS: the sidebar's Login button, pressed over the accessibility bus, opened the login window")

        close = wait_for('the login window\'s caption button "Close" is on the bus',
                         lambda: find(login_window, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                      and n.name == "Close", depth=1), 20)
        press(close, "the Close caption button")
        wait_for("the login window closes", lambda: not login_window_on_screen(), 20)
        print("PASS: the skinned caption's Close button, pressed over the accessibility bus, closed the login window")
    finally:
        client.terminate()
        try:
            client.wait(10)
        except subprocess.TimeoutExpired:
            client.kill()


if __name__ == "__main__":
    main()
