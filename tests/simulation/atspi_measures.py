#!/usr/bin/python3
"""Reads the four measures from outside the program, as a screen reader does: through the
Linux accessibility bus (AT-SPI), with the program on a virtual X server, and the
histogram's description and how the median is computed. Then presses
"More Data" through the bus and hears the labels announce their new values.

Usage, inside a D-Bus session of its own:
    dbus-run-session -- /usr/bin/python3 atspi_measures.py CENTROVA_EXECUTABLE
Every wait is bounded; the program and the X server are ended in every case."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

SEED = "1234"
NAMES = {"Mean": "mean", "Trimmed Mean": "trimmed_mean", "Median": "median", "Mode": "mode"}
WAIT_S = 30


def fail(message):
    print("atspi_measures: " + message, file=sys.stderr)
    sys.exit(1)


def measures(exe, env, count):
    out = subprocess.run([exe, "--seed", SEED, "--count", str(count), "--print-measures"],
                         env=env, capture_output=True, text=True, timeout=WAIT_S, check=True)
    rows = {}
    for line in out.stdout.splitlines()[1:]:
        name, value = line.split(",")[:2]
        rows[name] = float(value)
    return rows


def start_xvfb():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=(write_fd,),
                            stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as pipe:
        number = pipe.readline().strip()
    if not number:
        xvfb.kill()
        fail("the X server did not start")
    return xvfb, ":" + number


def walk(node, depth=0, seen=None):
    """Every accessible below node, bounded in depth and in number."""
    seen = [] if seen is None else seen
    if node is None or depth > 12 or len(seen) > 2000:
        return seen
    seen.append(node)
    try:
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:  # an object that went away while we looked
        children = []
    for child in children:
        walk(child, depth + 1, seen)
    return seen


def find_labels():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None or "centrova" not in (app.name or "").lower():
            continue
        found = {}
        buttons = {}
        for node in walk(app):
            try:
                name = node.name
                role = node.getRoleName()
            except Exception:
                continue
            # The label's text is the shown value; the strips above the histogram carry
            # the measures' names too, with a description instead.
            if name in NAMES and role != "push button" and has_text(node):
                found[name] = node
            if role == "push button":
                buttons[name] = node
        if len(found) == 4:
            found["charts"] = [n for n in walk(app) if n.name in ("Histogram", "Strip chart")]
            return found, buttons
    return None, None


def has_text(node):
    try:
        node.queryText()
        return True
    except NotImplementedError:
        return False


def shown(node):
    text = node.queryText()
    return text.getText(0, -1)


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def main():
    if len(sys.argv) != 2:
        fail("usage: atspi_measures.py CENTROVA_EXECUTABLE")
    exe = sys.argv[1]
    runtime = tempfile.mkdtemp(prefix="centrova-atspi-")
    os.chmod(runtime, 0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, LANG="C", LC_ALL="C")
    env.pop("LANGUAGE", None)
    start = measures(exe, env, 30)
    more = measures(exe, env, 50)

    xvfb, display = start_xvfb()
    program = None
    try:
        env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1", NO_AT_BRIDGE="0")
        os.environ["DISPLAY"] = display
        program = subprocess.Popen([exe, "--seed", SEED], env=env)
        labels, buttons = None, None
        deadline = time.monotonic() + WAIT_S
        while labels is None and time.monotonic() < deadline:
            if program.poll() is not None:
                fail("the program ended early with code %d" % program.returncode)
            labels, buttons = find_labels()
            if labels is None:
                time.sleep(0.25)
        if labels is None:
            fail("the four measures did not show up on the accessibility bus")

        charts = {node.name: node for node in labels.pop("charts")}
        if charts.get("Histogram") is None or \
                charts["Histogram"].description != "Histogram of 30 values":
            fail("the histogram is not described: %r" % {n: c.description for n, c in charts.items()})
        for name, node in labels.items():
            want = "%.2f" % start[NAMES[name]]
            got = shown(node)
            if got != want:
                fail("%s shows %r, expected %r" % (name, got, want))
            value = node.queryValue().currentValue
            if abs(value - start[NAMES[name]]) > 1e-9:
                fail("%s has the value %r, expected %r" % (name, value, start[NAMES[name]]))
        print("read from outside: " + ", ".join(
            "%s %s" % (n, shown(labels[n])) for n in NAMES))
        median_said = "the 15th of the 30 values in order (with an even count, the lower of the " \
            "two middle values)"
        if labels["Median"].description != median_said:
            fail("the median's label is described as %r" % labels["Median"].description)

        # "More Data" pressed through the bus: the labels announce their new values.
        heard = []
        listener = lambda event: heard.append((event.source.name, event.source.queryText().getText(0, -1)))
        pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-value")
        press = buttons.get("More Data")
        if press is None:
            fail("no \"More Data\" button on the bus; buttons: %r" % sorted(buttons))
        action = press.queryAction()
        action.doAction(0)
        deadline = time.monotonic() + WAIT_S
        while time.monotonic() < deadline and shown(labels["Mean"]) != "%.2f" % more["mean"]:
            pump(0.2)
        pump(0.5)
        for name, node in labels.items():
            want = "%.2f" % more[NAMES[name]]
            if shown(node) != want:
                fail("after More Data %s shows %r, expected %r" % (name, shown(node), want))
        # The labels' descriptions follow the sample's size.
        deadline = time.monotonic() + WAIT_S
        while time.monotonic() < deadline and "50" not in labels["Mean"].description:
            pump(0.2)
        if labels["Mean"].description != "the sum of the 50 values divided by 50":
            fail("after More Data the mean's label is described as %r" % labels["Mean"].description)
        if not any(source == "Mean" for source, _ in heard):
            fail("no value change was announced for the mean; heard %r" % heard)
        print("announced: %r" % heard)
    finally:
        if program is not None and program.poll() is None:
            program.terminate()
            try:
                program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait(timeout=10)
        xvfb.terminate()
        try:
            xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            xvfb.kill()
    return 0


if __name__ == "__main__":
    sys.exit(main())
