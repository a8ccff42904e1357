"""The Wine environment of the project's Windows programs: the loader, the prefix and the
variables, for TOLVINARK_WINE_ARCH (win32 unless set). The prefix is the work tree's own, made
quietly on first use with Arial and Microsoft Sans Serif mapped to fonts that exist;
TOLVINARK_WINEPREFIX names another.

The programs are 32-bit and run under Wine's 32-bit loader. A kernel that starts no 32-bit
programs (ia32_emulation off) cannot start that loader; there the tests run the 64-bit build of
the same code under the 64-bit loader, with a prefix of its own.

    wine_env.py PROGRAM.exe [ARGS...]    (scripts/wine-run) runs one program under the prefix
"""

import fcntl
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
ARCH = os.environ.get("TOLVINARK_WINE_ARCH", "win32")
if ARCH not in ("win32", "win64"):
    sys.exit(f"TOLVINARK_WINE_ARCH is win32 or win64, not {ARCH}")
WINE = "wine" if ARCH == "win32" else "/usr/lib/wine/wine64"
PREFIX = ROOT / "build" / ("wine-prefix" if ARCH == "win32" else "wine-prefix64")
VARIABLES = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=", "WINEARCH": ARCH,
             **({"WINELOADER": WINE} if ARCH == "win64" else {})}
# oleacc's proxy for IAccessible, without which a screen reader's process cannot reach the
# viewer's accessible objects (LresultFromObject gives E_NOINTERFACE).
ACCESSIBILITY_PROXY = re.compile(
    rb"(?i)Interface\\\\\{618736E0-3C3D-11CF-810C-00AA00389B71\}\\\\ProxyStubClsid32\]")


def environment(base, prefix):
    """`base` with the Wine variables and the prefix `prefix`."""
    return dict(base, **VARIABLES, WINEPREFIX=str(prefix), TOLVINARK_WINEPREFIX=str(prefix))


def ensure_prefix(prefix):
    """Makes the prefix once; a prefix made without the accessibility proxy gets it."""
    env = environment(os.environ, prefix)
    env.pop("DISPLAY", None)

    def wine(*args):
        subprocess.run([WINE, *args], env=env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=env)
    prefix.parent.mkdir(parents=True, exist_ok=True)
    with open(f"{prefix}.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not (prefix / ".tolvinark-ready").exists():
            shutil.rmtree(prefix, ignore_errors=True)
            wine("wineboot", "-i")
            for font in ("Arial", "Microsoft Sans Serif"):
                wine("reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", font, "/d",
                     "Liberation Sans", "/f")
            (prefix / ".tolvinark-ready").touch()
        if not ACCESSIBILITY_PROXY.search((prefix / "system.reg").read_bytes()):
            wine("regsvr32", "/s", "oleacc.dll")


def locale_env(env, locale):
    """`env` for a Wine system in `locale` (a UTF-8 locale such as "ru_RU.UTF-8"): the
    machine's (scripts/setup makes them), else one of the build's own in build/locale/ (made
    once with localedef; glibc needs it to read the Unix side's names as UTF-8)."""
    installed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
    if locale.lower().replace("-", "") in installed.lower().split():
        return dict(env, LANG=locale, LC_ALL=locale)
    folder = ROOT / "build" / "locale"
    if not (folder / locale).is_dir():
        folder.mkdir(parents=True, exist_ok=True)
        subprocess.run(["localedef", "-i", locale.split(".")[0], "-f", "UTF-8",
                        str(folder / locale)], check=True, capture_output=True)
    return dict(env, LOCPATH=str(folder), LANG=locale, LC_ALL=locale)


def unix_to_wine_path(path):
    """Wine maps the Unix root to drive Z:."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


if __name__ == "__main__":
    prefix = Path(os.environ.get("TOLVINARK_WINEPREFIX", PREFIX))
    ensure_prefix(prefix)
    os.execvpe(WINE, [WINE, *sys.argv[1:]], environment(os.environ, prefix))
