"""End-to-end harness: runs vorbel.exe under Wine on an X display, drives it
with xdotool and reads its windows with probe.exe.

Set by CTest (tests/e2e/CMakeLists.txt), or by hand:
    VORBEL_EXE          the built vorbel.exe
    VORBEL_PROBE        the built probe.exe
    VORBEL_SOURCE_DIR   the repository (for scripts/wine-run.sh)
    VORBEL_STANDIN_DIR  folder of the stand-in server's ports.json and log
    VORBEL_E2E_WORK     where each test's program folder is made
Without DISPLAY an Xvfb of 1920x1080 is started for the whole run.

A test derives from ProgramTestCase and calls start_program(); everything
the program left running is stopped in tearDown. Texts read from the
program come back as Python str (the probe speaks UTF-8); files the program
writes are code page 936 and are decoded with "gbk".
"""

import datetime
import json
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import unittest
import urllib.request

SCREEN_WIDTH = 1920
SCREEN_HEIGHT = 1080
MAIN_TITLE = "Vorbel1.0"
MESSAGE_BOX_TITLE = "信息："
TEST_TIMEOUT_SECONDS = 240

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_DIR = os.environ.get("VORBEL_SOURCE_DIR", os.path.dirname(os.path.dirname(HERE)))
WINE_RUN = os.path.join(SOURCE_DIR, "scripts", "wine-run.sh")


def _required(name):
    value = os.environ.get(name)
    if not value:
        raise unittest.SkipTest(f"{name} is not set; run through ctest")
    return value


# ---------------------------------------------------------------------------
# Display

_xvfb = None
_wine_idle = False


def wait_for_idle_wine(seconds=60):
    """Waits, once per run, for Wine processes of an earlier session to end:
    a Wine server still tied to an X display that has gone would hang the
    program's first start."""
    global _wine_idle
    if _wine_idle:
        return
    _wine_idle = True
    script = f'source "{os.path.join(SOURCE_DIR, "scripts", "wine-env.sh")}" && wineserver -w'
    try:
        subprocess.run(["bash", "-c", script], timeout=seconds, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except subprocess.TimeoutExpired:
        pass


def ensure_display():
    """Starts an Xvfb of the expected size when no display is given."""
    global _xvfb
    if os.environ.get("DISPLAY") or _xvfb:
        return
    for number in range(90, 140):
        if os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        _xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-nolisten", "tcp"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        if _xvfb.poll() is None:
            os.environ["DISPLAY"] = f":{number}"
            return
        _xvfb = None
    raise RuntimeError("no free X display for Xvfb")


def _environment(extra=None):
    env = dict(os.environ)
    # Arguments and output carry Chinese names: UTF-8 on the Unix side.
    env["LC_ALL"] = "C.UTF-8"
    env["LANG"] = "C.UTF-8"
    if extra:
        env.update(extra)
    return env


def windows_path(path):
    """The path as Wine's Z: drive shows it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# ---------------------------------------------------------------------------
# Probe

def probe(*args, timeout=30):
    """Runs probe.exe; returns (exit status, parsed JSON or None)."""
    command = [WINE_RUN, _required("VORBEL_PROBE"), *args]
    try:
        done = subprocess.run(command, capture_output=True, timeout=timeout, env=_environment())
    except subprocess.TimeoutExpired:
        # Wine's first start on a display now and then stalls; once more.
        done = subprocess.run(command, capture_output=True, timeout=timeout, env=_environment())
    text = done.stdout.decode("utf-8", errors="replace").strip()
    try:
        parsed = json.loads(text) if text else None
    except json.JSONDecodeError:
        parsed = None
    return done.returncode, parsed


def windows():
    """The program's top-level windows: {name: {title, class, visible, rect}}."""
    _, listed = probe("windows")
    return {w["name"]: w for w in (listed or [])}


def controls(window):
    """The controls of a window (name or title): {name: {kind, text, visible,
    enabled, checked, screen, client}}; empty when the window is missing."""
    _, listed = probe("controls", window)
    return {c["name"]: c for c in (listed or [])}


def wait_window(title, seconds=30):
    """True once a visible window has this title."""
    status, _ = probe("wait-window", title, str(seconds), timeout=seconds + 30)
    return status == 0


def wait_until(condition, seconds=15, pause=0.3):
    """Polls `condition` until it gives a true value; returns that value or
    the last false one."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(pause)


def message_box_text(seconds=15):
    """The text of the open "信息：" box, waiting for one; None when none came."""
    def read():
        status, box = probe("message-box")
        return box["text"] if status == 0 and box else None
    return wait_until(read, seconds)


def close_message_box():
    status, _ = probe("close-message-box")
    return status == 0


def press(window, control):
    """Clicks a button through its own message, without the mouse."""
    status, _ = probe("press", window, control)
    return status == 0


def close_window(window):
    status, _ = probe("close", window)
    return status == 0


def screenshot(path):
    """Saves the screen as a BMP file; returns its bytes."""
    status, _ = probe("screenshot", windows_path(path))
    if status != 0:
        raise RuntimeError("screenshot failed")
    with open(path, "rb") as f:
        return f.read()


def attributes(path):
    """GetFileAttributesW of a file: {value, hidden, readonly, ...} or None."""
    _, result = probe("attributes", windows_path(path))
    return result


# ---------------------------------------------------------------------------
# Mouse and keyboard (xdotool)

def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, env=_environment(), timeout=30)


def move(x, y):
    xdotool("mousemove", "--sync", x, y)


def click(x, y):
    xdotool("mousemove", "--sync", x, y)
    time.sleep(0.2)
    xdotool("mousedown", 1)
    time.sleep(0.1)
    xdotool("mouseup", 1)
    time.sleep(0.1)


def drag(x1, y1, x2, y2, steps=8):
    """Left-button drag in screen pixels, moving through a few points."""
    xdotool("mousemove", "--sync", x1, y1)
    time.sleep(0.2)
    xdotool("mousedown", 1)
    for i in range(1, steps + 1):
        time.sleep(0.05)
        xdotool("mousemove", x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
    time.sleep(0.1)
    xdotool("mouseup", 1)


def key(name):
    """A key press by its X name: "f", "Escape", "shift+f". Without a window
    manager keys go to the window that has the X focus, or the one under
    the pointer: click a window of the program first."""
    xdotool("key", "--delay", "100", name)


def centre_of(rect):
    return rect["left"] + rect["width"] // 2, rect["top"] + rect["height"] // 2


def click_control(window, control):
    """Clicks the middle of a control with the mouse."""
    found = controls(window).get(control)
    if not found:
        raise AssertionError(f"no control {control} in {window}")
    click(*centre_of(found["screen"]))


# ---------------------------------------------------------------------------
# BMP images

def bmp_pixel(image, x, y):
    """(r, g, b) of pixel x, y (row 0 on top) of a 24-bit BMP file image."""
    offset, = struct.unpack_from("<I", image, 10)
    width, height = struct.unpack_from("<ii", image, 18)
    stride = (width * 3 + 3) // 4 * 4
    row = height - 1 - y if height > 0 else y
    at = offset + row * stride + x * 3
    b, g, r = image[at:at + 3]
    return r, g, b


def bmp_size(image):
    width, height = struct.unpack_from("<ii", image, 18)
    return width, abs(height)


# ---------------------------------------------------------------------------
# Stand-in server

class Standin:
    """The stand-in server started by the ctest fixture "standin"."""

    def __init__(self, directory):
        self.directory = directory
        with open(os.path.join(directory, "ports.json")) as f:
            self.ports = json.load(f)

    @staticmethod
    def find():
        directory = os.environ.get("VORBEL_STANDIN_DIR")
        if directory and os.path.exists(os.path.join(directory, "ports.json")):
            return Standin(directory)
        return None

    def url(self, path="/", scheme="http"):
        return f"{scheme}://localhost:{self.ports[scheme]}{path}"

    def reset(self):
        urllib.request.urlopen(self.url("/_control/reset"), timeout=10).read()

    def configure(self, **settings):
        request = urllib.request.Request(self.url("/_control/config"), data=json.dumps(settings).encode("utf-8"),
                                         headers={"Content-Type": "application/json"}, method="POST")
        urllib.request.urlopen(request, timeout=10).read()

    def requests(self):
        """Every request logged since the last reset, oldest first."""
        path = os.path.join(self.directory, "requests.jsonl")
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8") as f:
            return [json.loads(line) for line in f if line.strip()]

    def program_environment(self):
        return {
            "VORBEL_OCR_HOST": f"localhost:{self.ports['https']}",
            "VORBEL_TRANSLATE_HOST": f"localhost:{self.ports['https']}",
            "VORBEL_UPDATE_PAGE": self.url("/update.html"),
            "VORBEL_COUNTER_PAGE": self.url("/"),
        }


# Where requests go when no stand-in runs: a closed local port, so they fail
# at once instead of leaving the machine.
UNREACHABLE_ENVIRONMENT = {
    "VORBEL_OCR_HOST": "127.0.0.1:9",
    "VORBEL_TRANSLATE_HOST": "127.0.0.1:9",
    "VORBEL_UPDATE_PAGE": "http://127.0.0.1:9/update.html",
    "VORBEL_COUNTER_PAGE": "http://127.0.0.1:9/",
}


# ---------------------------------------------------------------------------
# Settings file

def today_text():
    today = datetime.date.today()
    return f"{today.year}年{today.month}月{today.day}日"


def write_settings(folder, lines):
    """Writes config.ini as the program would: code page 936, CRLF."""
    with open(os.path.join(folder, "config.ini"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("gbk"))


def read_settings_lines(folder):
    """The lines of config.ini, decoded from code page 936; None when missing."""
    path = os.path.join(folder, "config.ini")
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        data = f.read()
    return [line for line in data.decode("gbk").splitlines() if line.strip()]


# ---------------------------------------------------------------------------
# The program

class Program:
    """vorbel.exe running from a folder of its own."""

    def __init__(self, folder, env):
        self.folder = folder
        exe = os.path.join(folder, "vorbel.exe")
        shutil.copy(_required("VORBEL_EXE"), exe)
        self.process = subprocess.Popen([WINE_RUN, exe], cwd=folder, env=_environment(env),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, seconds=20):
        """The exit status, or None when it is still running after `seconds`."""
        try:
            return self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        """Closes the program: message boxes, then main_window's close box,
        then a kill of its own processes."""
        if not self.running():
            return
        while close_message_box():
            time.sleep(0.3)
        close_window("main_window")
        if self.wait_exit(15) is None:
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait(timeout=10)


class ProgramTestCase(unittest.TestCase):
    """Gives each test a fresh folder, the stand-in (reset) when it runs,
    and stops whatever program the test started."""

    def setUp(self):
        ensure_display()
        wait_for_idle_wine()
        work = os.environ.get("VORBEL_E2E_WORK") or tempfile.gettempdir()
        os.makedirs(work, exist_ok=True)
        self.folder = tempfile.mkdtemp(prefix="e2e-", dir=work)
        self.standin = Standin.find()
        if self.standin:
            self.standin.reset()
        self.programs = []
        signal.signal(signal.SIGALRM, self._timed_out)
        signal.alarm(TEST_TIMEOUT_SECONDS)

    def tearDown(self):
        signal.alarm(0)
        for program in self.programs:
            program.stop()
        if not self._failed():
            shutil.rmtree(self.folder, ignore_errors=True)

    def _failed(self):
        outcome = getattr(self, "_outcome", None)
        result = getattr(outcome, "result", None)
        return bool(result and (result.failures or result.errors))

    def _timed_out(self, signum, frame):
        raise TimeoutError(f"test ran longer than {TEST_TIMEOUT_SECONDS} s")

    def program_environment(self, **extra):
        env = dict(self.standin.program_environment() if self.standin else UNREACHABLE_ENVIRONMENT)
        env.update(extra)
        return env

    def start_program(self, wait_for_main=True, **env):
        """Starts vorbel.exe in this test's folder; waits for main_window."""
        program = Program(self.folder, self.program_environment(**env))
        self.programs.append(program)
        if wait_for_main:
            self.assertTrue(wait_window(MAIN_TITLE, 40), "main_window did not show")
        return program
