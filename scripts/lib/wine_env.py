"""The Wine environment of the project's Windows programs for Python, from the definition the
shell scripts read too (wine.env beside this file; see wine-env.sh)."""

import os
import subprocess
from pathlib import Path

LIB = Path(__file__).resolve().parent
ROOT = LIB.parents[1]
ARCH = os.environ.get("TOLVINARK_WINE_ARCH", "win32")


def settings(arch=ARCH):
    """wine.env for `arch`: the exported variables, and "wine" and "prefix"."""
    found = {}
    for line in (LIB / "wine.env").read_text().splitlines():
        if not line or line.startswith("#"):
            continue
        key, _, value = line.partition("=")
        name, _, which = key.rpartition("_")
        if which in ("win32", "win64"):
            if which != arch:
                continue
            key = name
        found[key] = value
    return found


_SETTINGS = settings()
WINE = _SETTINGS["wine"]
PREFIX = ROOT / _SETTINGS["prefix"]


def environment(base, prefix):
    """`base` with the variables of wine.env and the prefix `prefix`."""
    env = dict(base, **{k: v for k, v in _SETTINGS.items() if k.isupper()})
    env["WINEPREFIX"] = env["TOLVINARK_WINEPREFIX"] = str(prefix)
    return env


def ensure_prefix(prefix):
    """Makes the prefix the way wine-env.sh does, once."""
    env = dict(os.environ, TOLVINARK_WINEPREFIX=str(prefix))
    env.pop("DISPLAY", None)
    subprocess.run(["bash", "-c", 'source "$1" && ensure_wine_prefix', "ensure",
                    str(LIB / "wine-env.sh")], env=env, check=True)


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
