#!/usr/bin/python3
"""What a screen reader sees of mousecfg-sim, over AT-SPI.

Starts a private X screen (Xvfb), a private D-Bus session bus with its own
accessibility bus (at-spi-bus-launcher), and mousecfg-sim from a private copy
of the application directory with accessibility forced on. Then, as a screen
reader would, it finds the "DPI" tab by name and page-tab role, activates it
through its accessible action, and expects it to report itself selected and
the other tabs not.

Run with the system interpreter (/usr/bin/python3), which has pyatspi once
scripts/install-deps.sh ran. Exit code 0: passed, 1: failed, 77: skipped
(a tool is missing).
"""

import argparse
import importlib.util
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
# Whole run, well under the CTest timeout; a hung call cannot keep it longer.
WATCHDOG_S = 45
APP_WINDOW_S = 20
ACTION_RESULT_S = 5
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


class Failure(Exception):
    pass


class Watchdog(Exception):
    pass


def log(message):
    print(message, flush=True)


def tail(path, lines=20):
    try:
        with open(path, errors="replace") as f:
            return "".join(f.readlines()[-lines:])
    except OSError:
        return "(no log at %s)" % path


def descendants(pid):
    """The processes below pid, found through /proc, by level, the deepest first."""
    parent_of = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
        except OSError:
            continue
        # The command name in parentheses may hold spaces; the parent follows the state.
        parent_of[int(entry)] = int(stat[stat.rfind(")") + 2:].split()[1])
    levels = []
    frontier = {pid}
    while frontier:
        frontier = {child for child, parent in parent_of.items() if parent in frontier}
        if frontier:
            levels.append(frontier)
    return list(reversed(levels))


def end(pids, timeout_s=1.0):
    """Asks the processes to end and gives their parents time to collect them."""
    for pid in pids:
        try:
            os.kill(pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    deadline = time.monotonic() + timeout_s
    while time.monotonic() < deadline and any(os.path.exists("/proc/%d" % pid) for pid in pids):
        time.sleep(0.05)


class Session:
    """The private screen, buses and application, ended in reverse order."""

    def __init__(self, output_dir):
        self.output_dir = output_dir
        self.tmp = tempfile.mkdtemp(prefix="mousecfg-atspi-")
        # Private runtime and home: the single-instance lock, the bus sockets
        # and any settings the tools write stay in here.
        self.runtime = os.path.join(self.tmp, "runtime")
        self.home = os.path.join(self.tmp, "home")
        os.mkdir(self.runtime, 0o700)
        os.mkdir(self.home, 0o700)
        self.procs = []
        self.display = None
        self.bus_address = None
        self.env = dict(os.environ)
        for name in ("QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                     "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "MOUSECFG_SIM_SCREENSHOT", "AT_SPI_BUS_ADDRESS"):
            self.env.pop(name, None)
        self.env.update({
            "XDG_RUNTIME_DIR": self.runtime,
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            # No dconf: the bus launcher reads its settings from memory.
            "GSETTINGS_BACKEND": "memory",
        })

    def spawn(self, args, log_name, **kwargs):
        log_path = os.path.join(self.output_dir, log_name + ".log")
        log_file = open(log_path, "w")
        proc = subprocess.Popen(args, env=self.env, stderr=log_file,
                                stdout=kwargs.pop("stdout", log_file), **kwargs)
        log_file.close()
        self.procs.append(proc)
        return proc, log_path

    @staticmethod
    def read_line(proc, timeout_s):
        """First line a starting server writes to its stdout pipe."""
        deadline = time.monotonic() + timeout_s
        data = b""
        fd = proc.stdout.fileno()
        os.set_blocking(fd, False)
        while b"\n" not in data and time.monotonic() < deadline and proc.poll() is None:
            try:
                chunk = os.read(fd, 256)
            except BlockingIOError:
                chunk = None
            if chunk:
                data += chunk
            else:
                time.sleep(0.05)
        return data.split(b"\n")[0].decode().strip()

    def start_screen(self):
        # -displayfd: Xvfb picks a free display and names it once it accepts
        # connections, so runs side by side never collide.
        proc, log_path = self.spawn(["Xvfb", "-displayfd", "1", "-screen", "0", "1920x1080x24", "-dpi", "96",
                                     "-nolisten", "tcp", "-noreset"], "atspi-xvfb", stdout=subprocess.PIPE)
        number = self.read_line(proc, 10)
        if not number.isdigit():
            raise Failure("Xvfb gave no display number:\n" + tail(log_path))
        self.display = ":" + number
        self.env["DISPLAY"] = self.display

    def start_buses(self):
        # A session bus with no service activation: only what this run starts
        # answers on it, nothing is launched behind its back.
        socket = os.path.join(self.runtime, "session-bus")
        config = os.path.join(self.tmp, "session.conf")
        with open(config, "w") as f:
            f.write("""<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=%s</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
""" % socket)
        proc, log_path = self.spawn(["dbus-daemon", "--config-file=" + config, "--nofork", "--nopidfile",
                                     "--print-address=1"], "atspi-session-bus", stdout=subprocess.PIPE)
        address = self.read_line(proc, 10)
        if not address.startswith("unix:"):
            raise Failure("the session bus gave no address:\n" + tail(log_path))
        self.bus_address = address
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

        # The accessibility bus and its registry, as a desktop session has them.
        launcher, launcher_log = self.spawn([LAUNCHER, "--launch-immediately"], "atspi-bus-launcher")
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            if launcher.poll() is not None:
                raise Failure("at-spi-bus-launcher ended:\n" + tail(launcher_log))
            answer = subprocess.run(["dbus-send", "--session", "--print-reply", "--reply-timeout=1000",
                                     "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                                    env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=5)
            if answer.returncode == 0 and b"unix:" in answer.stdout:
                return
            time.sleep(0.1)
        raise Failure("the accessibility bus did not come up within 10 s:\n" + tail(launcher_log))

    def start_app(self, app_dir):
        copy = os.path.join(self.tmp, "app")
        # The program keeps its Configs/ beside the executable: a private copy.
        shutil.copytree(app_dir, copy, symlinks=True)
        self.env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_XCB_GL_INTEGRATION": "none",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        proc, log_path = self.spawn([os.path.join(copy, "mousecfg-sim")], "atspi-app", cwd=copy,
                                    stdout=subprocess.DEVNULL)
        return proc, log_path

    def close(self):
        # Newest first, by process id only. What a process started (the
        # accessibility bus below the launcher) ends before it, while its
        # parent is there to collect it; the registry, which that bus starts
        # detached, ends with the bus.
        for proc in reversed(self.procs):
            if proc.poll() is not None:
                continue
            for level in descendants(proc.pid):
                end(level)
            proc.terminate()
            try:
                proc.wait(3)
            except subprocess.TimeoutExpired:
                proc.kill()
                proc.wait(3)
        for proc in self.procs:
            if proc.stdout:
                proc.stdout.close()
        shutil.rmtree(self.tmp, ignore_errors=True)


def describe(acc):
    return "%r (%s)" % (acc.name, acc.getRoleName())


def find_all(root, predicate, limit=4000):
    """Every descendant matching, breadth first, over a bounded walk."""
    found = []
    queue = [root]
    seen = 0
    while queue and seen < limit:
        acc = queue.pop(0)
        seen += 1
        try:
            if predicate(acc):
                found.append(acc)
            queue.extend(child for child in acc if child is not None)
        except Exception:  # an object that went away while walking
            continue
    return found


def pid_of(acc):
    try:
        return acc.get_process_id() if acc is not None else None
    except Exception:  # an application that left the bus
        return None


def is_selected(pyatspi, acc):
    # Asked afresh: a cached state set would hide the change.
    acc.clearCache()
    return acc.getState().contains(pyatspi.STATE_SELECTED)


def run(args, session):
    session.start_screen()
    session.start_buses()
    os.environ.update({"DISPLAY": session.display, "DBUS_SESSION_BUS_ADDRESS": session.bus_address})
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    import pyatspi  # reads the bus addresses above when first used
    from gi.repository import Atspi
    Atspi.set_timeout(2000, 10000)

    app, app_log = session.start_app(args.appdir)

    # The application, once its main window and tabs are on the bus.
    deadline = time.monotonic() + APP_WINDOW_S
    app_acc = None
    dpi = []
    while time.monotonic() < deadline:
        if app.poll() is not None:
            raise Failure("mousecfg-sim ended with exit code %d:\n%s" % (app.returncode, tail(app_log)))
        desktop = pyatspi.Registry.getDesktop(0)
        app_acc = next((a for a in desktop if pid_of(a) == app.pid), None)
        if app_acc is not None:
            dpi = find_all(app_acc, lambda a: a.name == "DPI")
            if dpi:
                break
        time.sleep(0.25)
    if app_acc is None:
        raise Failure("mousecfg-sim did not appear on the accessibility bus within %d s:\n%s"
                      % (APP_WINDOW_S, tail(app_log)))
    tabs = [a for a in dpi if a.getRole() == pyatspi.ROLE_PAGE_TAB]
    if len(tabs) != 1:
        raise Failure("expected one page tab named \"DPI\"; objects named \"DPI\": %s (the main window sets "
                      "TarnPushButton::Kind::Tab on its tab buttons)" % ([describe(a) for a in dpi] or "none"))
    tab = tabs[0]
    log("found %s" % describe(tab))
    if is_selected(pyatspi, tab):
        raise Failure("the DPI tab reports selected before it was activated; the check would prove nothing")

    action = tab.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise Failure("the DPI tab offers no Press action; actions: %s" % names)
    log("actions: %s" % names)
    if not action.doAction(names.index("Press")):
        raise Failure("the Press action of the DPI tab was refused")

    deadline = time.monotonic() + ACTION_RESULT_S
    while not is_selected(pyatspi, tab):
        if time.monotonic() > deadline:
            raise Failure("the DPI tab does not report selected %d s after its Press action" % ACTION_RESULT_S)
        time.sleep(0.1)
    # The choice moved: no other tab of the window still reports selected.
    window = tab
    while window.parent is not None and window.parent.getRole() != pyatspi.ROLE_APPLICATION:
        window = window.parent
    others = [a for a in find_all(window, lambda a: a.getRole() == pyatspi.ROLE_PAGE_TAB) if a.name != "DPI"]
    still = [describe(a) for a in others if is_selected(pyatspi, a)]
    if still:
        raise Failure("after choosing DPI these tabs still report selected: %s" % still)
    log("DPI selected through its accessible action; %d other tabs unselected" % len(others))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--appdir", required=True, help="assembled application directory with mousecfg-sim")
    parser.add_argument("--output", required=True, help="folder for the logs")
    args = parser.parse_args()

    missing = [tool for tool in ("Xvfb", "dbus-daemon", "dbus-send") if shutil.which(tool) is None]
    if not os.access(LAUNCHER, os.X_OK):
        missing.append(LAUNCHER)
    # Only looked for: imported once the private buses run.
    if importlib.util.find_spec("pyatspi") is None:
        missing.append("pyatspi for " + sys.executable)
    if missing:
        log("SKIP: missing %s (scripts/install-deps.sh installs them; run with /usr/bin/python3)"
            % ", ".join(missing))
        return SKIP
    if not os.access(os.path.join(args.appdir, "mousecfg-sim"), os.X_OK):
        log("FAIL: no mousecfg-sim in " + args.appdir)
        return 1
    os.makedirs(args.output, exist_ok=True)

    def on_alarm(signum, frame):
        raise Watchdog()

    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(WATCHDOG_S)
    session = Session(args.output)
    started = time.monotonic()
    try:
        run(args, session)
        result = 0
        log("PASS in %.1f s" % (time.monotonic() - started))
    except Failure as failure:
        log("FAIL: %s" % failure)
        result = 1
    except Watchdog:
        log("FAIL: not finished within %d s" % WATCHDOG_S)
        result = 1
    finally:
        signal.alarm(0)
        session.close()
    return result


if __name__ == "__main__":
    sys.exit(main())
