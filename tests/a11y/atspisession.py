"""A desktop of a test's own for looking at the program through the
accessibility bus: a private session bus, an X server (Xvfb) with openbox,
the bus launcher of AT-SPI started at once, and temporary HOME and XDG
folders. The programs started in it have Qt's accessibility switched on.

Everything here waits for a condition with a time limit, never for a fixed
time: the machine may be busy.
"""

import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Exit code of a test that cannot run here (CTest's SKIP_RETURN_CODE).
SKIPPED = 77
BUS_MARK = "ZANPEL_A11Y_PRIVATE_BUS"
BUS_FOLDER = "ZANPEL_A11Y_BUS_FOLDER"
PR_SET_PDEATHSIG = 1


def run_on_private_bus():
    """Starts this script again inside dbus-run-session unless it runs there.

    The accessibility bus of a real session must never be touched."""
    if os.environ.get(BUS_MARK) == "1":
        return
    launcher = shutil.which("dbus-run-session")
    if launcher is None:
        print("dbus-run-session is not installed", file=sys.stderr)
        sys.exit(SKIPPED)
    env = dict(os.environ)
    env[BUS_MARK] = "1"
    # The bus starts AT-SPI's launcher by itself, in this environment, and
    # the launcher puts its socket in the runtime folder, else in ~/.cache:
    # a folder of this session's own keeps tests run side by side apart.
    env["XDG_RUNTIME_DIR"] = env[BUS_FOLDER] = tempfile.mkdtemp(prefix="zanpel-a11y-bus-")
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS"):
        env.pop(name, None)
    os.execve(launcher, [launcher, "--", sys.executable] + sys.argv, env)


def end_with_parent():
    """Makes the calling process end when the one that started it does.

    The accessibility library aborts the test when it loses its bus: a
    program left behind would hold the test's output open until its time
    limit."""
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def wait_for(condition, seconds, pump=None):
    """condition() until it gives something true, at most seconds long."""
    end = time.monotonic() + seconds
    while True:
        if pump:
            pump()
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            return value
        time.sleep(0.05)


class Desktop:
    """The X server, window manager and accessibility bus of one test."""

    def __init__(self):
        self.processes = []
        self.folder = tempfile.mkdtemp(prefix="zanpel-a11y-")
        self.home = self.path("home")
        self.runtime = self.path("runtime")
        os.chmod(self.runtime, 0o700)
        self.display = None

    def path(self, name):
        folder = os.path.join(self.folder, name)
        os.makedirs(folder, exist_ok=True)
        return folder

    def env(self, extra=None):
        """The environment of a program on this desktop."""
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"],
            "DISPLAY": self.display,
            "HOME": self.home,
            "XDG_RUNTIME_DIR": self.runtime,
            "XDG_STATE_HOME": self.path("state"),
            "XDG_CONFIG_HOME": self.path("config"),
            "XDG_DATA_HOME": self.path("share"),
            "XDG_CACHE_HOME": self.path("cache"),
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            "TZ": "Asia/Tokyo",
            "LC_ALL": "C.UTF-8",
            "ASAN_OPTIONS": "detect_leaks=0",
        }
        env.update(extra or {})
        return env

    def start(self):
        """False when a program the desktop needs is not installed."""
        launcher = "/usr/libexec/at-spi-bus-launcher"
        needed = [shutil.which("Xvfb"), shutil.which("openbox"), shutil.which("dbus-send")]
        if None in needed or not os.access(launcher, os.X_OK):
            return False
        read, write = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24",
                    "-nolisten", "tcp"], pass_fds=(write,))
        os.close(write)
        number = b""
        with os.fdopen(read, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode()
        os.environ["DISPLAY"] = self.display
        self.spawn(["openbox", "--sm-disable"], env=self.env())
        self.spawn([launcher, "--launch-immediately"], env=self.env())
        if not wait_for(self.bus_answers, 20):
            raise RuntimeError("the accessibility bus did not start")
        return True

    @staticmethod
    def bus_answers():
        return subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL).returncode == 0

    def spawn(self, argv, env=None, pass_fds=(), stdout=subprocess.DEVNULL):
        process = subprocess.Popen(argv, env=env, pass_fds=pass_fds, stdout=stdout,
                                   stderr=subprocess.DEVNULL if stdout is subprocess.DEVNULL
                                   else None, preexec_fn=end_with_parent)
        self.processes.append(process)
        return process

    @staticmethod
    def stop(process):
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(20)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def close(self):
        for process in reversed(self.processes):
            self.stop(process)
        shutil.rmtree(self.folder, ignore_errors=True)
        # The session's runtime folder, made by run_on_private_bus; the bus
        # ends after this script, and its launcher's socket with it.
        if BUS_FOLDER in os.environ:
            shutil.rmtree(os.environ[BUS_FOLDER], ignore_errors=True)
