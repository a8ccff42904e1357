"""A virtual X display (Xvfb) with input, window search and screen reads, and the top-level
windows of Wine programs on it, addressed by client coordinates: what the end-to-end tests and
scripts/run's screenshot drive programs with. Everything waits for a state with a timeout;
nothing relies on a fixed sleep alone.

Facts about Wine on a bare Xvfb that shape it: there is no window manager, so a top-level
window's X window covers only its client area, and child windows are not X windows at all;
coordinates are therefore client coordinates of a top-level window, turned into screen
coordinates through the X window's position.
"""

import ctypes
import ctypes.util
import os
import re
import struct
import subprocess
import time
import zlib
from pathlib import Path

SCREEN = (1024, 768)


class Timeout(AssertionError):
    pass


def wait_until(condition, what, timeout=10.0, interval=0.05):
    """Polls `condition` until it gives a true value and returns that value; raises
    Timeout naming `what` when `timeout` seconds pass first."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Timeout(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


# ---------------------------------------------------------------- images

class Image:
    """An RGB picture, 3 bytes a pixel, rows top to bottom."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, bytes(rgb)

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"pixel ({x}, {y}) outside a {self.width} x {self.height} image")
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def region(self, x, y, width, height):
        rows = []
        for row in range(y, y + height):
            start = 3 * (row * self.width + x)
            rows.append(self.rgb[start:start + 3 * width])
        return Image(width, height, b"".join(rows))

    def colours(self):
        """The set of colours in the picture."""
        return {self.rgb[i:i + 3] for i in range(0, len(self.rgb), 3)}

    def count(self, colour):
        target = bytes(colour)
        return sum(1 for i in range(0, len(self.rgb), 3) if self.rgb[i:i + 3] == target)

    def __eq__(self, other):
        return (isinstance(other, Image) and (self.width, self.height, self.rgb) ==
                (other.width, other.height, other.rgb))

    def __hash__(self):
        return hash((self.width, self.height, self.rgb))

    def save_png(self, path):
        """Writes the picture as an 8-bit RGB PNG."""
        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
        stride = 3 * self.width
        raw = b"".join(b"\0" + self.rgb[y * stride:(y + 1) * stride] for y in range(self.height))
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        Path(path).parent.mkdir(parents=True, exist_ok=True)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                    chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------- Xlib through ctypes

class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [("xclient", _XClientMessageEvent), ("pad", ctypes.c_long * 24)]


class _XImageFuncs(ctypes.Structure):
    _fields_ = [("create_image", ctypes.c_void_p),
                ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p)),
                ("get_pixel", ctypes.c_void_p), ("put_pixel", ctypes.c_void_p),
                ("sub_image", ctypes.c_void_p), ("add_pixel", ctypes.c_void_p)]


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
                ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("f", _XImageFuncs)]


_X_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class _Xlib:
    """The few Xlib calls made directly: fast screen reads and the close box."""

    CLIENT_MESSAGE, NO_EVENT_MASK, Z_PIXMAP = 33, 0, 2

    def __init__(self, display_name):
        self.lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        lib = self.lib
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XDefaultRootWindow.restype = ctypes.c_ulong
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.POINTER(_XEvent)]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        lib.XGetImage.restype = ctypes.POINTER(_XImage)
        lib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # A window that vanished between finding and using it must not end the test run
        # through Xlib's default handler; the caller sees the outcome by waiting.
        self._ignore_errors = _X_ERROR_HANDLER(lambda display, event: 0)
        lib.XSetErrorHandler(self._ignore_errors)
        self.display = lib.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError(f"cannot open X display {display_name}")
        self.root = lib.XDefaultRootWindow(self.display)

    def close(self):
        if self.display:
            self.lib.XCloseDisplay(self.display)
            self.display = None

    def grab(self, x, y, width, height):
        image = self.lib.XGetImage(self.display, self.root, x, y, width, height,
                                   0xFFFFFFFF, self.Z_PIXMAP)
        if not image:
            raise RuntimeError(f"XGetImage failed for {width} x {height} at ({x}, {y})")
        try:
            im = image.contents
            if im.bits_per_pixel != 32 or im.red_mask != 0xFF0000 or im.blue_mask != 0xFF:
                raise RuntimeError("the screen must be 24-bit colour, 32 bits a pixel")
            data = ctypes.string_at(im.data, im.bytes_per_line * height)
            rows = [data[r * im.bytes_per_line:r * im.bytes_per_line + 4 * width]
                    for r in range(height)]
            bgrx = b"".join(rows)
            rgb = bytearray(3 * width * height)
            rgb[0::3], rgb[1::3], rgb[2::3] = bgrx[2::4], bgrx[1::4], bgrx[0::4]
            return Image(width, height, rgb)
        finally:
            image.contents.f.destroy_image(ctypes.cast(image, ctypes.c_void_p))

    def send_delete(self, window):
        """What a window manager sends when the user presses a window's close box."""
        event = _XEvent()
        event.xclient.type = self.CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self.lib.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = self.lib.XInternAtom(self.display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        self.lib.XSendEvent(self.display, window, 0, self.NO_EVENT_MASK, ctypes.byref(event))
        self.lib.XSync(self.display, 0)


# ---------------------------------------------------------------- the display

class Display:
    """An Xvfb on a free display number, with input, window search and screen reads."""

    def __init__(self, width=SCREEN[0], height=SCREEN[1]):
        self.size = (width, height)
        self.process = None
        self.name = None
        self.x = None

    def start(self, timeout=20.0):
        read_end, write_end = os.pipe()
        width, height = self.size
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + timeout
        os.set_blocking(read_end, False)
        while not number.endswith(b"\n"):
            if self.process.poll() is not None or time.monotonic() > deadline:
                os.close(read_end)
                self.stop()
                raise RuntimeError("Xvfb did not start")
            try:
                chunk = os.read(read_end, 16)
            except BlockingIOError:
                time.sleep(0.02)
                continue
            if not chunk:
                time.sleep(0.02)
            number += chunk
        os.close(read_end)
        self.name = ":" + number.decode().strip()
        self.x = _Xlib(self.name)
        return self

    def stop(self):
        if self.x:
            self.x.close()
            self.x = None
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    def env(self, base=None):
        env = dict(os.environ if base is None else base)
        env["DISPLAY"] = self.name
        env.pop("WAYLAND_DISPLAY", None)
        return env

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env(),
                                capture_output=True, text=True)
        return result.stdout

    # Screen reads. Coordinates are screen pixels.
    def screenshot(self):
        return self.x.grab(0, 0, *self.size)

    def grab(self, x, y, width, height):
        return self.x.grab(x, y, width, height)

    # Windows. An X window's geometry is that of the Win32 window's client area.
    def windows_named(self, title):
        """Ids of the visible X windows whose name is exactly `title`."""
        pattern = "^" + re.escape(title) + "$"
        out = self.xdotool("search", "--onlyvisible", "--name", pattern)
        return [int(line) for line in out.split()]

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen, or None if it is gone."""
        result = subprocess.run(["xwininfo", "-id", str(window)], env=self.env(),
                                capture_output=True, text=True)
        if result.returncode != 0:
            return None
        fields = dict(re.findall(r"^\s*([A-Za-z -]+):\s+(-?\d+)\s*$", result.stdout, re.M))
        if "Map State" in result.stdout and "IsViewable" not in result.stdout:
            return None
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def send_close(self, window):
        self.x.send_delete(window)

    # Input, in screen coordinates. Every pointer action moves there first and waits until
    # the server has moved the pointer.
    def pointer(self):
        out = self.xdotool("getmouselocation", "--shell")
        fields = dict(line.split("=", 1) for line in out.split())
        return int(fields["X"]), int(fields["Y"])

    def move(self, x, y):
        # xdotool's --sync waits for a motion that never comes when the pointer is already
        # there, so a move to the same place is skipped.
        if self.pointer() != (x, y):
            self.xdotool("mousemove", "--sync", x, y)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", button)

    def press(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("mousedown", button)

    def release(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("mouseup", button)

    def wheel(self, x, y, notches):
        """Turns the wheel: positive notches away from the user (up), negative towards."""
        self.move(x, y)
        self.xdotool("click", "--repeat", abs(notches), "--delay", 50, 4 if notches > 0 else 5)

    # Keys go to the window under the pointer: with no window manager the X input focus
    # stays on the pointer's root, so click into the field first.
    def key(self, *names):
        self.xdotool("key", "--delay", 30, *names)

    def type_text(self, text):
        self.xdotool("type", "--delay", 30, text)

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)


class Window:
    """A top-level Win32 window, addressed by client coordinates."""

    def __init__(self, display, xid, title):
        self.display, self.xid, self.title = display, xid, title
        self._geometry = None

    def __repr__(self):
        return f"Window({self.title!r}, 0x{self.xid:x})"

    def geometry(self, refresh=False):
        """(x, y, width, height) of the client area on the screen. Windows stay where they
        were made (nothing moves them on a bare display), so it is asked for once."""
        if self._geometry is None or refresh:
            self._geometry = self.display.geometry(self.xid)
            if self._geometry is None:
                raise AssertionError(f"{self!r} is gone")
        return self._geometry

    def exists(self):
        return self.xid in self.display.windows_named(self.title)

    def to_screen(self, x, y):
        left, top, _, _ = self.geometry()
        return left + x, top + y

    def grab(self, x=0, y=0, width=None, height=None):
        left, top, client_width, client_height = self.geometry()
        width = client_width - x if width is None else width
        height = client_height - y if height is None else height
        return self.display.grab(left + x, top + y, width, height)

    def pixel(self, x, y):
        return self.grab(x, y, 1, 1).pixel(0, 0)

    def wait_pixel(self, x, y, colour, timeout=10.0):
        """Waits until the client pixel (x, y) has exactly `colour`."""
        seen = []

        def matches():
            seen[:] = [self.pixel(x, y)]
            return seen[0] == tuple(colour)
        try:
            wait_until(matches, f"{tuple(colour)} at client ({x}, {y}) of {self!r}", timeout)
        except Timeout as error:
            raise Timeout(f"{error}; last seen {seen[0] if seen else None}") from None

    def move(self, x, y):
        self.display.move(*self.to_screen(x, y))

    def click(self, x, y, button=1):
        self.display.click(*self.to_screen(x, y), button)

    def press(self, x, y, button=1):
        self.display.press(*self.to_screen(x, y), button)

    def release(self, x, y, button=1):
        self.display.release(*self.to_screen(x, y), button)

    def wheel(self, x, y, notches):
        self.display.wheel(*self.to_screen(x, y), notches)

    def close(self):
        """Presses the close box: the window receives WM_CLOSE through Wine."""
        self.display.send_close(self.xid)

    def wait_gone(self, timeout=10.0):
        wait_until(lambda: not self.exists(), f"{self!r} to close", timeout)
