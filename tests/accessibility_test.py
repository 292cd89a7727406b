#!/usr/bin/python3
"""The worksheet as a screen reader meets it.

Runs the program on a private X server (xvfb-run) with a window manager, a
private D-Bus session (dbus-run-session) and accessibility bus, listens on
the bus as a screen reader does (which changes how Qt delivers keys), works
the window with real keys and checks what the bus says: a keyboard pick
counts once, the summary figures read with their numbers and announce their
changes, every list is named by its row whatever it shows, and typed text
says it is not counted.

    accessibility_test.py PROGRAM

Exits 77 (skipped) where the X server or the buses cannot be started.
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(SKIP)


# Started again inside its own X server and session bus, which end with it.
if not os.environ.get("ACCESSIBILITY_TEST_DESKTOP"):
    for tool in ("xvfb-run", "Xvfb", "xauth", "xdotool", "dbus-run-session", "/usr/libexec/at-spi-bus-launcher",
                 "/usr/lib/python3/dist-packages/pyatspi"):
        if not shutil.which(tool) and not os.path.exists(tool):
            skip(tool + " is not installed")
    for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DISPLAY"):
        os.environ.pop(name, None)
    os.environ["ACCESSIBILITY_TEST_DESKTOP"] = "1"
    os.execvp("dbus-run-session", ["dbus-run-session", "--", "xvfb-run", "-a", "-s", "-screen 0 1280x1024x24",
                                   sys.executable, os.path.abspath(__file__)] + sys.argv[1:])

# The accessibility client is imported once the private buses are up: it
# finds its bus when it is first imported.
pyatspi = None

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


class Session:
    """The accessibility bus and the window manager on the private desktop,
    and what else the test starts there."""

    def __init__(self, folder):
        self.processes = []
        self.env = dict(os.environ, HOME=folder, XDG_RUNTIME_DIR=folder, XDG_CONFIG_HOME=folder)
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], self.env)
        if shutil.which("openbox"):
            self.start(["openbox"], self.env)
        os.environ.update(self.env)

    def start(self, command, env, output=subprocess.DEVNULL, **options):
        process = subprocess.Popen(command, env=env, stdout=output, stderr=subprocess.STDOUT, **options)
        self.processes.append(process)
        return process

    def close(self):
        for process in reversed(self.processes):
            process.terminate()
        for process in self.processes:
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()


def pump(seconds):
    """Lets the bus deliver its events (which keep the client's copy of the
    tree up to date) for a while."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def wait_for(condition, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump(0.1)
        value = condition()
        if value:
            return value
    return condition()


# The keys and text go to the X server in order and the program takes them
# in order: what a step waits for is its effect, with wait_for.
def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(names), check=True)
    pump(0.05)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)
    pump(0.05)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def main():
    # Stopped by a timeout, what the test started is taken down all the same.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    program = os.path.abspath(sys.argv[1])
    folder = tempfile.mkdtemp(prefix="accessibility-")
    session = None
    try:
        session = Session(folder)
        run(program, session)
    finally:
        if session:
            session.close()
        shutil.rmtree(folder, ignore_errors=True)
    if failures:
        print("%d check(s) failed" % len(failures))
        sys.exit(1)


def listen(log):
    """A screen reader's ears, in a process of their own: writes each event
    heard to log, a line each."""
    import pyatspi
    out = open(log, "w", buffering=1)

    def heard(event):
        try:
            out.write("%s\t%d\t%s\t%s\n" % (event.type, event.detail1, event.source.getRoleName(),
                                             event.source.name))
        except Exception:  # an object gone before it could be asked
            pass

    for kind in ("object:state-changed:focused", "object:property-change:accessible-name",
                 "object:text-changed", "focus:"):
        pyatspi.Registry.registerEventListener(heard, kind)
    out.write("listening\n")
    pyatspi.Registry.start()


class Heard:
    """What the listener has written so far."""

    def __init__(self, log):
        self.log = log
        self.mark = 0

    def events(self):
        with open(self.log) as f:
            return [line.rstrip("\n").split("\t") for line in f if "\t" in line]

    def focused(self):
        return [(e[2], e[3]) for e in self.events() if e[0] == "object:state-changed:focused" and e[1] == "1"]

    def renamed_since_mark(self):
        return [e[3] for e in self.events()[self.mark:] if e[0] == "object:property-change:accessible-name"]

    def set_mark(self):
        self.mark = len(self.events())


def run(program, session):
    global pyatspi
    # Listeners as a screen reader registers them; with them Qt hands every
    # key to the bus before the window sees it.
    log = os.path.join(session.env["HOME"], "heard.log")
    session.start([sys.executable, os.path.abspath(__file__), "--listen", log], session.env)
    if not wait_for(lambda: os.path.exists(log) and "listening" in open(log).read(), 10):
        skip("the listener could not reach the accessibility bus")
    # Once the listener has shown that the accessibility bus answers: a
    # client that finds it still starting goes without it for good.
    import pyatspi
    heard = Heard(log)

    def focused_name():
        return (heard.focused() or [("", "")])[-1][1]

    app_env = dict(session.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    # In the sanitized build: libxkbcommon-x11, reading the X server's
    # keymap, hands strndup a name that is not ended within its buffer.
    app_env["ASAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("ASAN_OPTIONS"), "intercept_strndup=0"]))
    app_log = os.path.join(session.env["HOME"], "program.log")
    session.start([program], app_env, output=open(app_log, "w"))

    def find_app():
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "Combat Worksheet" and app.childCount:
                return app
        return None

    app = wait_for(find_app, 30)
    if not app:
        sys.exit("the program's window never reached the accessibility bus; it said: " + open(app_log).read())
    # The window manager gives the new window the focus; where it has not,
    # the window is activated.
    if not wait_for(focused_name, 5):
        subprocess.run(["xdotool", "search", "--name", "Combat Worksheet", "windowactivate"],
                       timeout=20, capture_output=True)
        wait_for(focused_name, 5)

    def named(name):
        return next((n for n in walk(app) if n.name == name), None)

    def figure(start):
        return next((n.name for n in walk(app) if n.getRoleName() == "label" and n.name.startswith(start + ":")), "")

    def tab_to(name, limit=30):
        for _ in range(limit):
            if focused_name() == name:
                return True
            moves = len(heard.focused())
            keys("Tab")
            wait_for(lambda: len(heard.focused()) > moves, 5)
        return focused_name() == name

    def lists_named_by_row(when):
        pattern = re.compile(r"^(Mission type|Close air support details are given on mission|"
                             r"Combat supplies, kind|[A-Za-z ]+, row \d+, kind)$")
        lists = [n for n in walk(app) if n.getRoleName() == "combo box"]
        wrong = ["%r showing %r" % (n.name, text_of(n)) for n in lists if not pattern.match(n.name)]
        check(len(lists) == 43 and not wrong, "%s, every list is named by its row (%d lists) %s" %
              (when, len(lists), "; ".join(wrong)))

    lists_named_by_row("at start-up")
    groups = {(n.name, n.parent.name, n.parent.getRoleName()) for n in walk(app)
              if n.name in ("Trucks, row 1, kind", "You can carry: 0 squads", "Mission type") and n.parent.name != n.name}
    check(groups == {("Trucks, row 1, kind", "Trucks", "panel"), ("You can carry: 0 squads", "Summary", "panel"),
                     ("Mission type", "", "filler")}, "the sections and the summary are named groups: %s" % groups)

    # Mission type from the keyboard: open, move, choose.
    check(tab_to("Mission type"), "Tab reaches the mission type")
    keys("alt+Down", "Down", "Return")
    check(wait_for(lambda: text_of(named("Mission type")) == "Recon", 5), "Recon is chosen from the keyboard")

    # Two ZIL Medium Trucks: 4 squads and 10000 pounds, counted once.
    keys("Tab")
    type_text("2")
    keys("Tab")
    check(wait_for(lambda: heard.focused()[-1] == ("combo box", "Trucks, row 1, kind"), 5),
          "the truck list is announced by its row: %s" % (heard.focused()[-1],))
    heard.set_mark()
    keys("alt+Down", "Down", "Return")
    wait_for(lambda: figure("You can carry") != "You can carry: 0 squads", 5)
    wait_for(lambda: "You can carry: 4 squads" in heard.renamed_since_mark(), 5)
    check(figure("You can carry") == "You can carry: 4 squads", "one keyboard pick counts once: " +
          figure("You can carry"))
    check(figure("Or") == "Or: 10000 pounds of cargo", "the cargo reads with its number: " + figure("Or"))
    check("You can carry: 4 squads" in heard.renamed_since_mark(), "the squads' change is announced")
    trucks = named("Trucks, row 1, kind")
    check(trucks is not None and text_of(trucks) == "ZIL Medium Truck", "the list's text is the kind it shows")
    check(trucks.getState().contains(pyatspi.STATE_EDITABLE), "the list says that it can be typed in")
    # The figures the pick changed are told where the focus is, and a count
    # box's text is one run, read whole ("2", not nothing).
    field = next((n for n in walk(app) if n.getRoleName() == "text" and n.name == "Trucks, row 1, kind"), None)
    told = field.description if field else ""
    check("You can carry: 4 squads; Or: 10000 pounds of cargo" in told, "the pick's changes are told: %r" % told)
    run = named("Trucks, row 1, count").queryText().getAttributeRun(0, False)
    check(tuple(run[1:]) == (0, 1), "a count box's text is one run: %s" % (run,))
    lists_named_by_row("after a pick")

    # Typed over the kind, text says that it is not counted, and the list
    # keeps its name.
    keys("ctrl+a")
    type_text("Mortar")
    check(wait_for(lambda: "not counted" in trucks.description, 5),
          "typed text is described as not counted: %r" % trucks.description)
    check(trucks.name == "Trucks, row 1, kind" and text_of(trucks) == "Mortar", "typed text is the list's text")

    # The Trucks Clear, pressed through the bus, blanks the rows; the lists
    # keep their names.
    clear = named("Trucks, clear")
    clear.queryAction().doAction(0)
    check(wait_for(lambda: figure("You can carry") == "You can carry: 0 squads", 5),
          "the Clear takes the squads back: " + figure("You can carry"))
    lists_named_by_row("after a Clear")

    # The summary can be reached from the keyboard: Shift+Tab from the first
    # control goes round to the last figure.
    named("Attack from").queryComponent().grabFocus()
    wait_for(lambda: focused_name() == "Attack from", 5)
    keys("shift+Tab")
    check(wait_for(lambda: focused_name().startswith("Of those:"), 5),
          "Shift+Tab from the header reaches the summary: " + focused_name())


if __name__ == "__main__":
    if sys.argv[1] == "--listen":
        listen(sys.argv[2])
    else:
        main()
