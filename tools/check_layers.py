#!/usr/bin/env python3
"""The layer check: no product file includes a header of a layer above its own.

    check_layers.py [SOURCE_DIR]

The layers, lowest first: data, views, output, then the front ends in app/: app/win32 (Win32
helpers) below app/viewer and app/cli, which stand side by side and never include each other.
A file may include headers of its own folder and of the layers below; tests/, tools/ and bench/
may include anything, and no product file includes one of theirs. The three portable layers
include no Windows header, but for data's Win32 file access. Prints every wrong include and
exits 1 if there is one.
"""

import pathlib
import re
import sys

# Folder and rank; folders of one rank may not include each other.
LAYERS = {"data": 0, "views": 1, "output": 2, "app/win32": 3, "app/viewer": 4, "app/cli": 4}
NOT_PRODUCT = ["tests", "tools", "bench"]  # above every layer
WINDOWS_HEADERS = {"windows.h", "windowsx.h", "commdlg.h", "winspool.h", "shellapi.h",
                   "oleacc.h", "ole2.h", "objbase.h", "oleauto.h"}
WIN32_FILES = {"data/file_access_win32.cpp"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(path):
    """The layer folder a product path lies in ("app/viewer/keys.h" -> "app/viewer"), the
    first folder of a non-product path, or None."""
    parts = path.split("/")
    for depth in (2, 1):
        folder = "/".join(parts[:depth])
        if folder in LAYERS:
            return folder
    return parts[0] if parts[0] in NOT_PRODUCT else None


def reason_against(own, other):
    """Why a file of folder `own` may not include a header of folder `other`, or None."""
    if other is None or other == own:
        return None
    if other in NOT_PRODUCT:
        return "a test or tool header"
    if LAYERS[other] > LAYERS[own]:
        return "a layer above"
    if LAYERS[other] == LAYERS[own]:
        return "a front end beside its own"
    return None


def wrong_includes(root):
    """(file, line number, text, reason) of every include that breaks the layers."""
    found = []
    for layer in LAYERS:
        for path in sorted((root / layer).glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            name = path.relative_to(root).as_posix()
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                quote, header = match.groups()
                if quote == '"':
                    reason = reason_against(layer, folder_of(header))
                    if reason:
                        found.append((name, number, line.strip(), reason))
                elif (header.lower() in WINDOWS_HEADERS and not layer.startswith("app/")
                      and name not in WIN32_FILES):
                    found.append((name, number, line.strip(), "a Windows header below app/"))
    return found


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    missing = [layer for layer in LAYERS if not (root / layer).is_dir()]
    if missing:
        print(f"check_layers: {root} lacks {', '.join(missing)}", file=sys.stderr)
        return 2
    stray = sorted(p.relative_to(root).as_posix() for p in (root / "app").glob("*")
                   if p.suffix in (".h", ".cpp"))
    if stray:
        print(f"check_layers: files in app/ outside a front end: {', '.join(stray)}",
              file=sys.stderr)
        return 1
    found = wrong_includes(root)
    for name, number, text, reason in found:
        print(f"{name}:{number}: {text}: includes {reason}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
