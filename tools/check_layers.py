#!/usr/bin/env python3
"""The layer check: no product file includes a header of a layer above its own.

    check_layers.py [SOURCE_DIR]

The layers, lowest first: data, views, output, app (the front ends). A file of a layer may
include headers of its own layer and of the layers below; tests/, tools/ and bench/ may include
anything, and no product file includes one of theirs. The three portable layers include no
Windows header, but for data's Win32 file access. Prints every wrong include and exits 1 if
there is one.
"""

import pathlib
import re
import sys

LAYERS = ["data", "views", "output", "app"]
NOT_PRODUCT = ["tests", "tools", "bench"]  # above every layer
WINDOWS_HEADERS = {"windows.h", "windowsx.h", "commdlg.h", "winspool.h", "shellapi.h"}
WIN32_FILES = {"data/file_access_win32.cpp"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def rank(folder):
    if folder in LAYERS:
        return LAYERS.index(folder)
    if folder in NOT_PRODUCT:
        return len(LAYERS)
    return None


def wrong_includes(root):
    """(file, line number, text, reason) of every include that breaks the layers."""
    found = []
    for layer in LAYERS:
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            name = path.relative_to(root).as_posix()
            own = rank(layer)
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                quote, header = match.groups()
                if quote == '"':
                    other = rank(header.split("/")[0])
                    if other is not None and other > own:
                        found.append((name, number, line.strip(), "a layer above"))
                elif (header.lower() in WINDOWS_HEADERS and layer != "app"
                      and name not in WIN32_FILES):
                    found.append((name, number, line.strip(), "a Windows header below app/"))
    return found


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    if not all((root / layer).is_dir() for layer in LAYERS):
        print(f"check_layers: {root} lacks one of {', '.join(LAYERS)}", file=sys.stderr)
        return 2
    found = wrong_includes(root)
    for name, number, text, reason in found:
        print(f"{name}:{number}: {text}: includes {reason}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
