"""A virtual X display (Xvfb) driven through python-xlib: pointer and keys by XTest, the screen
read by GetImage into PIL pictures, windows found by their name and class properties. What the
end-to-end tests and scripts/run's screenshot drive Wine programs with. Everything waits for a
state with a timeout; nothing relies on a fixed sleep alone.

Wine on a bare Xvfb has no window manager: a top-level window's X window covers only its client
area, and child windows are no X windows at all. Coordinates are therefore client coordinates
of a top-level window, turned into screen coordinates through its X window's position.
"""

import os
import select
import signal
import subprocess
import tempfile
import time
from pathlib import Path

from PIL import Image
from Xlib import X, XK, Xatom, display as xlib_display, error as xlib_error, protocol
from Xlib.ext import xtest

import wine_env

SCREEN = (1024, 768)
KEY_DELAY = 0.03  # between two keys, as a typist's
MODIFIERS = {"ctrl": "Control_L", "shift": "Shift_L", "alt": "Alt_L"}


class Timeout(AssertionError):
    pass


def wait_until(condition, what, timeout=10.0, interval=0.05):
    """Polls `condition` until it gives a true value and returns that value; raises Timeout
    naming `what` when `timeout` seconds pass first."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Timeout(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def colours(picture):
    """The set of (r, g, b) colours of an RGB picture."""
    return {colour for _, colour in picture.getcolors(picture.width * picture.height)}


def count(picture, colour):
    """How many pixels of the picture have `colour`."""
    return sum(n for n, c in picture.getcolors(picture.width * picture.height)
               if c == tuple(colour))


class Display:
    """An Xvfb on a free display number, with input, window search and screen reads."""

    def __init__(self, size=SCREEN):
        self.size = size
        self.process = self.name = self.x = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{self.size[0]}x{self.size[1]}x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as numbers:
            ready = select.select([numbers], [], [], 20.0)[0]
            number = numbers.readline().strip() if ready else b""
        if not number:
            self.__exit__()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number.decode()
        self.x = xlib_display.Display(self.name)
        # A window that vanished between finding and using it must not end the run; the caller
        # sees the outcome by waiting.
        self.x.set_error_handler(lambda *_: None)
        self.root = self.x.screen().root
        self.atoms = {name: self.x.intern_atom(name) for name in (
            "_NET_WM_NAME", "UTF8_STRING", "WM_PROTOCOLS", "WM_DELETE_WINDOW")}
        return self

    def __exit__(self, *exc):
        if self.x:
            self.x.close()
            self.x = None
        if self.process and self.process.poll() is None:
            self.process.terminate()
            self.process.wait(timeout=10)

    def env(self, base=None):
        env = dict(os.environ if base is None else base, DISPLAY=self.name)
        env.pop("WAYLAND_DISPLAY", None)
        return env

    # -- the screen, in screen pixels
    def grab(self, x, y, width, height):
        """The screen rectangle as an RGB picture."""
        reply = self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
        return Image.frombytes("RGB", (width, height), reply.data, "raw", "BGRX")

    def screenshot(self):
        return self.grab(0, 0, *self.size)

    # -- windows: X window ids of the visible windows
    def _visible(self, window=None):
        for child in (window or self.root).query_tree().children:
            try:
                if child.get_attributes().map_state == X.IsViewable:
                    yield child
                    yield from self._visible(child)
            except xlib_error.XError:
                continue  # gone meanwhile

    def _name(self, window):
        value = window.get_full_property(self.atoms["_NET_WM_NAME"], self.atoms["UTF8_STRING"])
        if value is not None:
            return value.value.decode("utf-8", "replace")
        value = window.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
        return value.value.decode("latin-1") if value is not None else None

    def windows_named(self, title):
        """Ids of the visible X windows whose name is exactly `title`."""
        return [w.id for w in self._visible() if self._safe(self._name, w) == title]

    def windows_of_class(self, name):
        """Ids of the visible X windows of the class `name` (Wine: the executable's name)."""
        return [w.id for w in self._visible()
                if name in (self._safe(lambda w: w.get_wm_class(), w) or ())]

    @staticmethod
    def _safe(read, window):
        try:
            return read(window)
        except xlib_error.XError:
            return None

    def geometry(self, xid):
        """(x, y, width, height) of a visible window on the screen, or None if it is gone."""
        window = self.x.create_resource_object("window", xid)
        try:
            if window.get_attributes().map_state != X.IsViewable:
                return None
            size = window.get_geometry()
            origin = self.root.translate_coords(window, 0, 0)
        except xlib_error.XError:
            return None
        return origin.x, origin.y, size.width, size.height

    def send_close(self, xid):
        """What a window manager sends when the user presses a window's close box."""
        window = self.x.create_resource_object("window", xid)
        event = protocol.event.ClientMessage(
            window=window, client_type=self.atoms["WM_PROTOCOLS"],
            data=(32, [self.atoms["WM_DELETE_WINDOW"], X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=0)
        self.x.sync()

    def focus(self, xid):
        """Gives `xid` the keyboard, as a window manager does when it activates a window."""
        self.x.create_resource_object("window", xid).set_input_focus(X.RevertToParent,
                                                                     X.CurrentTime)
        self.x.sync()

    # -- input, in screen coordinates: each request is done when the server has done it
    def pointer(self):
        reply = self.root.query_pointer()
        return reply.root_x, reply.root_y

    def move(self, x, y):
        xtest.fake_input(self.x, X.MotionNotify, x=x, y=y)
        self.x.sync()

    def _button(self, kind, button):
        xtest.fake_input(self.x, kind, button)
        self.x.sync()

    def press(self, x, y, button=1):
        self.move(x, y)
        self._button(X.ButtonPress, button)

    def release(self, x, y, button=1):
        self.move(x, y)
        self._button(X.ButtonRelease, button)

    def click(self, x, y, button=1, repeat=1, delay=0.05):
        self.move(x, y)
        for n in range(repeat):
            if n:
                time.sleep(delay)
            self._button(X.ButtonPress, button)
            time.sleep(0.01)
            self._button(X.ButtonRelease, button)

    def wheel(self, x, y, notches):
        """Turns the wheel: positive notches away from the user (up), negative towards."""
        self.click(x, y, 4 if notches > 0 else 5, repeat=abs(notches))

    # Keys go to the window under the pointer: with no window manager the X input focus stays
    # on the pointer's root until focus() gives it to a window.
    def _keycode(self, keysym):
        for keycode, index in self.x.keysym_to_keycodes(keysym):
            if index in (0, 1):
                return keycode, index == 1
        raise ValueError(f"no key for keysym 0x{keysym:x} on this keyboard")

    def _tap(self, keycodes):
        for keycode in keycodes:
            xtest.fake_input(self.x, X.KeyPress, keycode)
        for keycode in reversed(keycodes):
            xtest.fake_input(self.x, X.KeyRelease, keycode)
        self.x.sync()
        time.sleep(KEY_DELAY)

    def key(self, *names):
        """Presses keys by their X names, modifiers joined by "+": "Down", "ctrl+o"."""
        for name in names:
            *modifiers, last = name.split("+")
            keysyms = [XK.string_to_keysym(MODIFIERS[m]) for m in modifiers]
            keysyms.append(XK.string_to_keysym(last))
            if 0 in keysyms:
                raise ValueError(f"unknown key {name!r}")
            self._tap([self._keycode(keysym)[0] for keysym in keysyms])

    def type_text(self, text):
        """Types Latin-1 text (whose keysyms are its code points) key by key."""
        shift = self._keycode(XK.string_to_keysym("Shift_L"))[0]
        for character in text:
            keycode, shifted = self._keycode(ord(character))
            self._tap([shift, keycode] if shifted else [keycode])


class Window:
    """A top-level Win32 window, addressed by client coordinates."""

    def __init__(self, display, xid, title):
        self.display, self.xid, self.title = display, xid, title
        self._geometry = None

    def __repr__(self):
        return f"Window({self.title!r}, 0x{self.xid:x})"

    def geometry(self):
        """(x, y, width, height) of the client area on the screen. Windows stay where they were
        made (nothing moves them on a bare display), so it is asked for once."""
        if self._geometry is None:
            self._geometry = self.display.geometry(self.xid)
            if self._geometry is None:
                raise AssertionError(f"{self!r} is gone")
        return self._geometry

    def to_screen(self, x, y):
        left, top, _, _ = self.geometry()
        return left + x, top + y

    def grab(self, x=0, y=0, width=None, height=None):
        left, top, client_width, client_height = self.geometry()
        width = client_width - x if width is None else width
        height = client_height - y if height is None else height
        return self.display.grab(left + x, top + y, width, height)

    def pixel(self, x, y):
        return self.grab(x, y, 1, 1).getpixel((0, 0))

    def wait_pixel(self, x, y, colour, timeout=10.0):
        """Waits until the client pixel (x, y) has exactly `colour`."""
        seen = []
        try:
            wait_until(lambda: seen.append(self.pixel(x, y)) or seen[-1] == tuple(colour),
                       f"{tuple(colour)} at client ({x}, {y}) of {self!r}", timeout)
        except Timeout as error:
            raise Timeout(f"{error}; last seen {seen[-1] if seen else None}") from None

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
        wait_until(lambda: self.xid not in self.display.windows_named(self.title),
                   f"{self!r} to close", timeout)


class Program:
    """One Windows program started under Wine on `display`; its output goes to a log file."""

    def __init__(self, display, exe, args, cwd, env):
        self.display, self.exe = display, Path(exe)
        log = tempfile.NamedTemporaryFile(prefix="e2e-wine-", suffix=".log", delete=False)
        self.log_path = Path(log.name)
        self.process = subprocess.Popen(
            [wine_env.WINE, str(self.exe), *map(str, args)], cwd=str(cwd or self.exe.parent),
            env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
            start_new_session=True)
        log.close()
        self.exit_seen = False  # the test saw it end (wait_exit)

    def wait_window(self, title, timeout=20.0, besides=()):
        """The first visible top-level window called `title` that is not among `besides`."""
        def find():
            if self.process.poll() is not None:
                raise AssertionError(f"{self.exe.name} ended with code "
                                     f"{self.process.returncode} before showing {title!r}")
            fresh = [w for w in self.display.windows_named(title) if w not in besides]
            return fresh[0] if fresh else None
        return Window(self.display, wait_until(find, f"a window {title!r}", timeout), title)

    def running(self):
        return self.process.poll() is None

    def output(self):
        return self.log_path.read_text(encoding="utf-8", errors="replace")

    def memory(self):
        """(resident, peak resident) bytes of the process, from /proc."""
        status = Path(f"/proc/{self.process.pid}/status").read_text()
        fields = dict(line.split(":", 1) for line in status.splitlines())
        return tuple(int(fields[name].split()[0]) * 1024 for name in ("VmRSS", "VmHWM"))

    def wait_exit(self, timeout=15.0):
        """The process exit code, once it has ended."""
        code = self.process.wait(timeout=timeout)
        self.exit_seen = True
        return code

    def stop(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
            self.exit_seen = True
        self.log_path.unlink(missing_ok=True)
