#!/usr/bin/python3
"""What a screen reader sees of mousecfg-sim, over AT-SPI.

Starts a private X screen (Xvfb), a private D-Bus session bus with its own
accessibility bus (at-spi-bus-launcher), and mousecfg-sim from a private copy
of the application directory with accessibility forced on. Then, as a screen
reader would, it finds the "DPI" tab by name and page-tab role, activates it
through its accessible action, and expects it to report itself selected and
the other tabs not; then it presses "Apply" the same way and expects the
simulated mouse to receive every table (the copy starts as after a failed
send, so Apply sends them all).

Run with the system interpreter (/usr/bin/python3), which has pyatspi once
scripts/install-deps.sh ran. Exit code 0: passed, 1: failed, 77: skipped
(a tool is missing).
"""

import argparse
import ctypes
import os
import pkgutil
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
# Whole run, well under the CTest timeout; a hung call cannot keep it longer.
WATCHDOG_S = 45
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
PR_SET_CHILD_SUBREAPER = 36
# Settings of the caller that would reach another accessibility bus, end the
# program early (a screenshot run) or write outside the private home.
DROPPED_ENV = ("AT_SPI_BUS_ADDRESS", "MOUSECFG_SIM_SCREENSHOT", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME")
# A session bus with no service activation: only what this run starts answers
# on it, nothing is launched behind its back.
SESSION_BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>unix:path=%s</listen><auth>EXTERNAL</auth>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
  </policy></busconfig>
"""


class Failure(Exception):
    pass


class Timeout(BaseException):
    """The watchdog; not an Exception, so the walk below cannot swallow it."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(probe, timeout_s, message):
    """probe()'s first true answer, asked every 0.1 s."""
    deadline = time.monotonic() + timeout_s
    while True:
        answer = probe()
        if answer:
            return answer
        check(time.monotonic() < deadline, message)
        time.sleep(0.1)


class Session:
    """The private screen, buses and application, ended newest first."""

    def __init__(self, output_dir):
        self.output_dir = output_dir
        self.tmp = tempfile.mkdtemp(prefix="mousecfg-atspi-")
        # Private runtime dir and home: the single-instance lock, the bus
        # sockets and whatever the tools write stay in here.
        self.runtime = os.path.join(self.tmp, "runtime")
        home = os.path.join(self.tmp, "home")
        os.mkdir(self.runtime, 0o700)
        os.mkdir(home, 0o700)
        self.procs = []
        self.env = {name: value for name, value in os.environ.items() if name not in DROPPED_ENV}
        # No dconf: the bus launcher reads its settings from memory.
        self.env.update(XDG_RUNTIME_DIR=self.runtime, HOME=home, GSETTINGS_BACKEND="memory")

    def spawn(self, args, log_name, **kwargs):
        with open(os.path.join(self.output_dir, log_name + ".log"), "w") as log:
            kwargs.setdefault("stdout", log)
            proc = subprocess.Popen(args, env=self.env, stderr=log, **kwargs)
        self.procs.append(proc)
        return proc

    def first_line(self, args, log_name):
        """Starts a server; the first line it writes to stdout, "" if none within 10 s."""
        proc = self.spawn(args, log_name, stdout=subprocess.PIPE)
        return proc.stdout.readline().decode().strip() if select.select([proc.stdout], [], [], 10)[0] else ""

    def start_servers(self):
        # -displayfd: Xvfb picks a free display and names it once it accepts
        # connections, so runs side by side never collide.
        display = self.first_line(["Xvfb", "-displayfd", "1", "-screen", "0", "1920x1080x24", "-dpi", "96",
                                   "-nolisten", "tcp", "-noreset"], "atspi-xvfb")
        check(display.isdigit(), "Xvfb gave no display number (see atspi-xvfb.log)")
        self.env["DISPLAY"] = ":" + display

        config = os.path.join(self.tmp, "session.conf")
        with open(config, "w") as f:
            f.write(SESSION_BUS_CONFIG % os.path.join(self.runtime, "session-bus"))
        address = self.first_line(["dbus-daemon", "--config-file=" + config, "--nofork", "--nopidfile",
                                   "--print-address=1"], "atspi-session-bus")
        check(address.startswith("unix:"), "the session bus gave no address (see atspi-session-bus.log)")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

        # The accessibility bus and its registry, as a desktop session has them.
        launcher = self.spawn([LAUNCHER, "--launch-immediately"], "atspi-bus-launcher")

        def accessibility_bus_up():
            check(launcher.poll() is None, "at-spi-bus-launcher ended (see atspi-bus-launcher.log)")
            answer = subprocess.run(["dbus-send", "--session", "--print-reply", "--reply-timeout=1000",
                                     "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                                    env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=5)
            return answer.returncode == 0 and b"unix:" in answer.stdout

        wait_for(accessibility_bus_up, 10, "the accessibility bus did not come up within 10 s")

    def start_app(self, app_dir):
        # The program keeps its Configs/ beside the executable: a private copy.
        copy = os.path.join(self.tmp, "app")
        shutil.copytree(app_dir, copy, symlinks=True)
        # As after a failed send: the next Apply sends every table, and the
        # simulated mouse lists the tables it saw closed in a file.
        config = os.path.join(copy, "Configs", "Config.ini")
        with open(config) as f:
            text = f.read()
        with open(config, "w") as f:
            f.write(re.sub(r"(?m)^Diff=.*$", "Diff=1", text))
        self.trace = os.path.join(self.tmp, "tables.txt")
        self.env.update(QT_QPA_PLATFORM="xcb", QT_XCB_GL_INTEGRATION="none", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        MOUSECFG_SIM_TRACE=self.trace)
        return self.spawn([os.path.join(copy, "mousecfg-sim")], "atspi-app", cwd=copy)

    def close(self):
        # Newest first, by process id. What they started and left behind (the
        # accessibility bus, the registry it started detached) comes to this
        # process, the subreaper, and is collected once it ends with its bus.
        for proc in reversed(self.procs):
            proc.terminate()
            try:
                proc.wait(3)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait(3)
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline:
            try:
                if os.waitpid(-1, os.WNOHANG)[0] == 0:
                    time.sleep(0.05)
            except ChildProcessError:
                break
        shutil.rmtree(self.tmp, ignore_errors=True)


def describe(acc):
    return "%r (%s)" % (acc.name, acc.getRoleName())


def find_all(root, predicate):
    """Every descendant matching, breadth first; objects that go away meanwhile are passed over."""
    found, queue = [], [root]
    while queue:
        acc = queue.pop(0)
        try:
            if predicate(acc):
                found.append(acc)
            queue.extend(child for child in acc if child is not None)
        except Exception:
            continue
    return found


def run(args, session):
    session.start_servers()
    os.environ.update(DISPLAY=session.env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=session.env["DBUS_SESSION_BUS_ADDRESS"])
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    import pyatspi  # reads the bus addresses above when first used
    from gi.repository import Atspi
    Atspi.set_timeout(2000, 10000)
    app = session.start_app(args.appdir)

    def selected(acc):
        acc.clearCache()  # a cached state set would hide the change
        return acc.getState().contains(pyatspi.STATE_SELECTED)

    def objects_named_dpi():
        check(app.poll() is None, "mousecfg-sim ended with exit code %s (see atspi-app.log)" % app.returncode)
        ours = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.get_process_id() == app.pid]
        return ours and find_all(ours[0], lambda a: a.name == "DPI")

    dpi = wait_for(objects_named_dpi, 20, "mousecfg-sim showed nothing named \"DPI\" on the bus within 20 s")
    tabs = [a for a in dpi if a.getRole() == pyatspi.ROLE_PAGE_TAB]
    check(len(tabs) == 1, "expected one page tab named \"DPI\"; objects named \"DPI\": %s" % [describe(a) for a in dpi])
    tab = tabs[0]
    check(not selected(tab), "the DPI tab reports selected before it was activated; the check would prove nothing")

    action = tab.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Press" in names and action.doAction(names.index("Press")),
          "the DPI tab offers no Press action or refused it; actions: %s" % names)
    wait_for(lambda: selected(tab), 5, "the DPI tab does not report selected 5 s after its Press action")

    # The choice moved: no other tab of the window still reports selected.
    window = tab
    while window.parent is not None and window.parent.getRole() != pyatspi.ROLE_APPLICATION:
        window = window.parent
    others = [a for a in find_all(window, lambda a: a.getRole() == pyatspi.ROLE_PAGE_TAB) if a.name != "DPI"]
    check(others, "the window has no page tab besides DPI")
    still = [describe(a) for a in others if selected(a)]
    check(not still, "after choosing DPI these tabs still report selected: %s" % still)
    print("DPI selected through its accessible action; %d other tabs unselected" % len(others))

    # "Apply", pressed the same way, reaches the mouse.
    buttons = find_all(window, lambda a: a.name == "Apply" and a.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    check(len(buttons) == 1, "expected one push button named \"Apply\"; found %d" % len(buttons))
    action = buttons[0].queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Press" in names and action.doAction(names.index("Press")),
          "Apply offers no Press action or refused it; actions: %s" % names)

    def tables_sent():
        if not os.path.exists(session.trace):
            return False
        with open(session.trace) as f:
            seen = set(f.read().split("\n"))
        return {"table 1", "table 2", "table 3", "table 4"} <= seen

    wait_for(tables_sent, 15, "the simulated mouse did not receive all four tables within 15 s of Apply's Press")
    print("Apply sent all four tables through its accessible action")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--appdir", required=True, help="assembled application directory with mousecfg-sim")
    parser.add_argument("--output", required=True, help="folder for the logs")
    args = parser.parse_args()

    missing = [tool for tool in ("Xvfb", "dbus-daemon", "dbus-send") if shutil.which(tool) is None]
    if not os.access(LAUNCHER, os.X_OK):
        missing.append(LAUNCHER)
    # Only looked for: imported once the private buses run.
    if not any(module.name == "pyatspi" for module in pkgutil.iter_modules()):
        missing.append("pyatspi for " + sys.executable)
    if missing:
        print("SKIP: missing %s (scripts/install-deps.sh installs them; run with /usr/bin/python3)"
              % ", ".join(missing))
        return SKIP
    os.makedirs(args.output, exist_ok=True)
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)

    def on_alarm(signum, frame):
        raise Timeout("not finished within %d s" % WATCHDOG_S)

    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(WATCHDOG_S)
    session = Session(args.output)
    try:
        run(args, session)
        print("PASS")
        return 0
    except (Failure, Timeout) as failure:
        print("FAIL: %s" % failure)
        return 1
    finally:
        signal.alarm(0)
        session.close()


if __name__ == "__main__":
    sys.exit(main())
