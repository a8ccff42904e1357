"""Wine's print dialog (PrintDlgA), answered as a user would, from the end-to-end tests.

    ... right click that makes the program call PrintDlgA ...
    confirm_print_dialog(session.display, "tolvinark-pdf600")   # choose the printer, press OK

What this relies on, seen with Wine 8 on a bare Xvfb (no window manager):
- The dialog is a top-level X window named "Print", 432 x 279: at (48, 48) without an owner,
  centred on its owner's top-level window otherwise. It shows 0.1 to 0.3 s after PrintDlgA is
  called in a running program (a program's first dialog some 2 s after Wine starts it);
  allow 30 s.
- It opens with the keyboard focus in the printer name combo box ("Name:"), showing the
  printer of the DEVNAMES handed in (the one chosen last when the program hands back what the
  previous dialog returned), else the default printer (tolvinark-pdf300). The combo box lists
  the printers in the order of print_queues.QUEUES (alphabetical). Home selects the first,
  each Down the next one; Return presses OK; Escape presses Cancel.
- Keys reach a Wine window only through the X input focus: with no window manager the focus
  is wherever the pointer is, so the dialog is given the focus first (XSetInputFocus).
- Never type letters into the dialog: the combo box does not take them, so each acts as a
  shortcut (p opens the printer's "Properties" sheet, n jumps to "All", and so on).
  alt+n does not reach the combo box either: it lands on the "All" button.
"""

from desktop import Timeout, wait_until
from print_queues import QUEUES

DIALOG_TITLE = "Print"


def dialog_windows(display):
    """The visible print dialogs on the display (a desktop.Display), as X window ids."""
    return display.windows_named(DIALOG_TITLE)


def wait_print_dialog(display, timeout=30.0, besides=(), alive=None):
    """The X window of a print dialog that is not among `besides`, once it is visible.
    `alive`, if given, is called while waiting: a false answer (the program ended) fails at
    once."""
    def fresh():
        found = [w for w in dialog_windows(display) if w not in besides]
        if not found and alive is not None and not alive():
            raise AssertionError("the program ended before its print dialog showed")
        return found[0] if found else None
    return wait_until(fresh, f"a {DIALOG_TITLE!r} dialog", timeout)


def wait_dialog_gone(display, window, timeout=10.0):
    wait_until(lambda: window not in dialog_windows(display),
               f"the {DIALOG_TITLE!r} dialog to close", timeout)


def _focus(display, window):
    display.focus(window)


def printer_keys(printer, queues=QUEUES):
    """The keys that select `printer` in the dialog's combo box, which has the focus."""
    if printer not in queues:
        raise ValueError(f"{printer!r} is not one of {queues}")
    return ["Home"] + ["Down"] * queues.index(printer)


def shown_printer(session):
    """The printer the print dialog shows, read from inside Wine with the
    window_texts helper (session: the session fixture); None without a dialog. The combo box's
    own text cannot be read from another process, so it is taken from the "Where:" line below
    it, which reads "CUPS:" and the queue's name."""
    for window in session.window_texts(DIALOG_TITLE):
        text = window["text"]
        if window["class"].lower() == "static" and window["visible"] and text.startswith("CUPS:"):
            return text[len("CUPS:"):]
    return None


def confirm_print_dialog(display, printer, window=None, timeout=30.0, alive=None, shown=None):
    """Chooses `printer` in the print dialog (None: keeps the one it shows) and presses OK;
    waits until the dialog is gone. Waits for the dialog first unless its X `window` is given.
    `shown`, if given, tells which printer the dialog shows (e.g. shown_printer): OK is then
    pressed only once it shows `printer`. Returns the window id."""
    if window is None:
        window = wait_print_dialog(display, timeout, alive=alive)
    _focus(display, window)
    if printer is not None:
        display.key(*printer_keys(printer))
        if shown is not None:
            seen = []
            try:
                wait_until(lambda: seen.append(shown()) or seen[-1] == printer,
                           f"the print dialog to show {printer!r}", interval=0.1)
            except Timeout as error:
                raise AssertionError(f"{error}; it shows {seen[-1]!r}") from None
    display.key("Return")
    wait_dialog_gone(display, window)
    return window


def cancel_print_dialog(display, window=None, timeout=30.0, alive=None):
    """Presses Cancel (Escape) in the print dialog; waits until it is gone."""
    if window is None:
        window = wait_print_dialog(display, timeout, alive=alive)
    _focus(display, window)
    display.key("Escape")
    wait_dialog_gone(display, window)
    return window
