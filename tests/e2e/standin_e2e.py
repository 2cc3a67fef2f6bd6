"""Helpers for end-to-end tests that follow the program's requests at the
stand-in server and compare what it sent with what the screen showed.

A test paints a known picture on the screen with ScreenPattern before the
program starts, so that an image the program cuts out of its screenshot can
be told apart from one cut at the wrong place.
"""

import base64
import hashlib
import os
import struct
import subprocess
import sys
import time
import urllib.parse

from vorbel_e2e import SOURCE_DIR, ProgramTestCase, bmp_pixel, bmp_size, wait_until

GENERAL_CLIENT_ID = "Hq8sN2vLm5XcT9bRw3ZkF6yD"
ACCURATE_CLIENT_ID = "Rk3mZ8qTw2LpVx9dNc4HbJ7s"
GENERAL_TOKEN = "24.tok-general"
ACCURATE_TOKEN = "24.tok-accurate"
TRANSLATE_APPID = "73950264118830472"
TRANSLATE_KEY = "Jd7QmX2kRw9TzV4nLp8S"
PAGE_READER_AGENT = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"


# ---------------------------------------------------------------------------
# Wine

def use_own_wine_prefix(seconds=300):
    """Runs the programs of this build in a Wine prefix of the build's own.
    One Wine server serves every program of a prefix, whatever its display,
    so programs of another test run would show among this run's windows and
    keep the server busy. Does nothing when VORBEL_WINEPREFIX is set."""
    work = os.environ.get("VORBEL_E2E_WORK")
    if os.environ.get("VORBEL_WINEPREFIX") or not work:
        return
    os.environ["VORBEL_WINEPREFIX"] = os.path.join(os.path.dirname(os.path.abspath(work)), "wineprefix")
    script = f'source "{os.path.join(SOURCE_DIR, "scripts", "wine-env.sh")}" && vorbel_wine_prefix'
    subprocess.run(["bash", "-c", script], timeout=seconds, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class StandinTestCase(ProgramTestCase):
    """A program test that talks to the stand-in server, in this build's own
    Wine prefix."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        use_own_wine_prefix()

    def setUp(self):
        super().setUp()
        if not self.standin:
            self.skipTest("the stand-in server is not running")


# ---------------------------------------------------------------------------
# The stand-in's request log

def of_service(entries, service):
    return [e for e in entries if e.get("service") == service]


def client_id(entry):
    """The client_id of a token request."""
    query = urllib.parse.urlsplit(entry["path"]).query
    return urllib.parse.parse_qs(query).get("client_id", [""])[0]


def wait_for_requests(standin, service, count=1, seconds=30):
    """The log's requests of one service once at least `count` are in; the
    shorter list when the time runs out."""
    wait_until(lambda: len(of_service(standin.requests(), service)) >= count, seconds)
    return of_service(standin.requests(), service)


def raw_query(entry):
    """The query of a logged request as (name, raw value) pairs, in order,
    values left percent-encoded as sent."""
    query = urllib.parse.urlsplit(entry["path"]).query
    return [tuple(pair.partition("=")[::2]) for pair in query.split("&")] if query else []


def percent_all(data):
    """Every byte as "%" and two upper-case hexadecimal digits."""
    return "".join("%%%02X" % b for b in data)


def recognition_body(image):
    """The form body that carries `image` (BMP file bytes)."""
    return b"image=" + percent_all(base64.b64encode(image)).encode("ascii")


def body_matches(entry, body):
    """True when the logged request carried exactly `body`."""
    return entry["body_length"] == len(body) and entry["body_sha256"] == hashlib.sha256(body).hexdigest()


def translation_sign(text_bytes, salt):
    data = TRANSLATE_APPID.encode() + text_bytes + salt.encode() + TRANSLATE_KEY.encode()
    return hashlib.md5(data).hexdigest()


# ---------------------------------------------------------------------------
# BMP file images

def bmp_header(image):
    """(file size field, pixel offset, width, height, bits per pixel)."""
    size, = struct.unpack_from("<I", image, 2)
    offset, = struct.unpack_from("<I", image, 10)
    width, height = struct.unpack_from("<ii", image, 18)
    bits, = struct.unpack_from("<H", image, 28)
    return size, offset, width, height, bits


def region_mismatches(image, screen, left, top, limit=5):
    """Pixels where `image` differs from the rectangle of `screen` (both BMP
    file images) whose top-left corner is (left, top): a few
    ((x, y), image pixel, screen pixel), empty when they are equal."""
    width, height = bmp_size(image)
    found = []
    for y in range(height):
        for x in range(width):
            got, want = bmp_pixel(image, x, y), bmp_pixel(screen, left + x, top + y)
            if got != want:
                found.append(((x, y), got, want))
                if len(found) >= limit:
                    return found
    return found


# ---------------------------------------------------------------------------
# A known picture on the screen

def pattern_colour(x, y):
    """The colour ScreenPattern shows at screen pixel (x, y): every pixel of
    its area differs from every other, so a shifted cut shows."""
    return x & 0xFF, y & 0xFF, 0x40 | (x >> 8) << 4 | (y >> 8)


_PAINTER = r"""
import sys, tkinter
width, height = int(sys.argv[1]), int(sys.argv[2])
root = tkinter.Tk()
root.overrideredirect(True)
root.geometry("%dx%d+0+0" % (width, height))
picture = tkinter.PhotoImage(width=width, height=height)
rows = []
for y in range(height):
    rows.append("{" + " ".join("#%02x%02x%02x" % (x & 0xFF, y & 0xFF, 0x40 | (x >> 8) << 4 | (y >> 8))
                               for x in range(width)) + "}")
picture.put(" ".join(rows))
tkinter.Label(root, image=picture, borderwidth=0, highlightthickness=0).place(x=0, y=0)
root.update()
print("ready", flush=True)
root.mainloop()
"""


class ScreenPattern:
    """A borderless X window at the screen's top-left corner that shows
    pattern_colour(). Start it before the program, so the program's windows
    lie above it."""

    def __init__(self, width=420, height=320):
        self.width, self.height = width, height
        self.process = None

    def start(self, seconds=30):
        """True once the pattern shows; False when no Tk is at hand."""
        self.process = subprocess.Popen([sys.executable, "-c", _PAINTER, str(self.width), str(self.height)],
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        deadline = time.monotonic() + seconds
        line = ""
        while time.monotonic() < deadline and self.process.poll() is None:
            line = self.process.stdout.readline()
            if line.strip() == "ready":
                return True
        self.stop()
        return False

    def covers(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)
        if self.process:
            self.process.stdout.close()
        self.process = None


def pattern_mismatches(image, left, top, limit=5):
    """Pixels where `image` differs from the pattern's rectangle whose
    top-left corner is screen pixel (left, top)."""
    width, height = bmp_size(image)
    found = []
    for y in range(height):
        for x in range(width):
            got, want = bmp_pixel(image, x, y), pattern_colour(left + x, top + y)
            if got != want:
                found.append(((x, y), got, want))
                if len(found) >= limit:
                    return found
    return found


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()
