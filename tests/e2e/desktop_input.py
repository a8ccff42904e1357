"""What a desktop hands a program besides keys and the pointer: files dropped on a window the way a
file manager drops them (an XDND drag of a text/uri-list from an X client of our own, which
Wine turns into WM_DROPFILES), and text in any script pasted from the clipboard: keys cannot
carry it, since Wine reads a character back from the key's virtual-key code, which a key
mapped for a character of another script does not have.

    drop_files(display_name, target_xid, (x, y), [path, ...])   # screen coordinates
    with ClipboardText(display_name, "D:\\Замеры\\测量.dst") as clipboard:
        clipboard.paste(press_the_paste_keys)
        ... until the program is done with it
"""

import threading
import time
from urllib.parse import quote

from Xlib import X, Xatom, display as xdisplay, protocol

XDND_VERSION = 5
# Wine's clipboard thread looks at a new clipboard owner; a paste at once may find nothing.
STORE_SECONDS = 0.5


def _uri_list(paths):
    return "".join("file://" + quote(str(p)) + "\r\n" for p in paths).encode("utf-8")


def _serve(d, request, kind, data):
    """Answers a request for the selection we own: `data` as the type atom `kind`, or the
    list of types. True when the data itself was taken."""
    prop = request.property or request.target
    targets = d.intern_atom("TARGETS")
    if request.target == kind:
        request.requestor.change_property(prop, kind, 8, data)
    elif request.target == targets:
        request.requestor.change_property(prop, Xatom.ATOM, 32, [kind, targets])
    else:
        prop = X.NONE
    request.requestor.send_event(protocol.event.SelectionNotify(
        time=request.time, requestor=request.requestor, selection=request.selection,
        target=request.target, property=prop), event_mask=0)
    d.flush()
    return request.target == kind


def drop_files(display_name, target, point, paths, timeout=20.0):
    """Drags `paths` onto the X window `target` at screen `point` and drops them; returns once
    the target said the drop is finished. Fails when the target refuses the drag."""
    d = xdisplay.Display(display_name)
    try:
        atom = {name: d.intern_atom(name) for name in (
            "XdndEnter", "XdndPosition", "XdndStatus", "XdndDrop", "XdndFinished", "XdndLeave",
            "XdndSelection", "XdndActionCopy", "text/uri-list")}
        root = d.screen().root
        source = root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent)
        target_window = d.create_resource_object("window", target)
        uris = _uri_list(paths)
        source.set_selection_owner(atom["XdndSelection"], X.CurrentTime)

        def send(kind, data):
            event = protocol.event.ClientMessage(window=target_window, client_type=atom[kind],
                                                 data=(32, list(data) + [0] * (5 - len(data))))
            target_window.send_event(event, event_mask=0)
            d.flush()

        def wait_for(kind, what):
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline:
                while d.pending_events():
                    event = d.next_event()
                    if event.type == X.SelectionRequest:
                        _serve(d, event, atom["text/uri-list"], uris)
                    elif event.type == X.ClientMessage and event.client_type == atom[kind]:
                        return event.data[1][1]
                time.sleep(0.02)
            raise AssertionError(f"no {what} from the drop target within {timeout:g} s")

        x, y = point
        send("XdndEnter", [source.id, XDND_VERSION << 24, atom["text/uri-list"]])
        send("XdndPosition", [source.id, 0, (x << 16) | y, X.CurrentTime,
                              atom["XdndActionCopy"]])
        if not wait_for("XdndStatus", "XdndStatus") & 1:
            send("XdndLeave", [source.id])
            raise AssertionError(f"the window under ({x}, {y}) refused the drop")
        send("XdndDrop", [source.id, 0, X.CurrentTime])
        wait_for("XdndFinished", "XdndFinished")
    finally:
        d.close()



class ClipboardText:
    """`text` on the X clipboard, as a desktop program's copy puts it there, served from a
    thread of its own until closed: Wine asks for it when it pastes, and later again."""

    def __init__(self, display_name, text):
        self._display = xdisplay.Display(display_name)
        self._data = text.encode("utf-8")
        self._stop = threading.Event()
        self.offered = threading.Event()  # Wine asked which forms there are
        self.taken = threading.Event()  # Wine took the text
        d = self._display
        self._utf8 = d.intern_atom("UTF8_STRING")
        owner = d.screen().root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent)
        owner.set_selection_owner(d.intern_atom("CLIPBOARD"), X.CurrentTime)
        d.flush()
        self._thread = threading.Thread(target=self._serve, daemon=True)
        self._thread.start()

    def _serve(self):
        d = self._display
        while not self._stop.is_set():
            while d.pending_events():
                request = d.next_event()
                if request.type == X.SelectionRequest:
                    taken = _serve(d, request, self._utf8, self._data)
                    (self.taken if taken else self.offered).set()
            time.sleep(0.02)

    def paste(self, keys, timeout=20.0):
        """Calls `keys()`, which paste, once Wine has seen the clipboard change hands (or
        after a while, should this Wine not look), and waits until the text is taken."""
        self.offered.wait(3.0)
        time.sleep(STORE_SECONDS)
        keys()
        if not self.taken.wait(timeout):
            raise AssertionError(f"the clipboard's text was not taken within {timeout:g} s")

    def close(self):
        self._stop.set()
        self._thread.join()
        self._display.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
