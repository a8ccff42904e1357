#!/usr/bin/env python3
"""The Windows packages as a user meets them: built with cpack, the installer run silently in a
fresh Wine prefix of the test's own, a .dst file opened the way the shell opens it, and the
uninstaller run. The cases run in order and build on each other.

    package_test.py tolvinark.exe --window-texts window_texts.exe --text-picture text_picture.exe
        --build-dir BUILD --installer BUILD/Tolvinark-V-winNN.exe --zip BUILD/Tolvinark-V-winNN.zip

Wine 8 does not merge the user's classes into HKEY_CLASSES_ROOT, so its ShellExecute cannot
open a file through a per-user association: the case runs the registered open command with
"%1" replaced by the file's path, as the shell does.
"""

import os
import re
import shutil
import subprocess
import sys
import time
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))

import harness  # noqa: E402
import row_pictures  # noqa: E402
import viewer_geometry as geo  # noqa: E402
from harness import wait_until  # noqa: E402
from legacy_viewer_page import Viewer, make_records, russian_system  # noqa: E402

PACKAGE_FILES = ["README.txt", "demo.dst", "tolvinark-cli.exe", "tolvinark.exe"]
CLASSES = r"HKCU\Software\Classes"
PROGID = "Tolvinark.Measurements"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvinark"
MACHINE_DST = r"HKLM\Software\Classes\.dst"
DEFAULT = "(Default)"
PREFIX = harness.ROOT / "build" / f"wine-prefix-package-{harness.WINE_ARCH}"
WINDRES = shutil.which("x86_64-w64-mingw32-windres") or shutil.which("i686-w64-mingw32-windres")
installed = {}  # what the install case found: the folder's Windows and Unix paths


def quiet_env(session):
    """Shortcuts made in the prefix stay out of the Unix desktop's menus."""
    return dict(session.env, WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")


def reg_values(session, key):
    """The values of a registry key (name -> data as text), or None when there is no key."""
    result = session.run("reg", "query", key, timeout=60)
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        match = re.match(r"    (.+?)    (REG_\w+)    ?(.*)$", line.rstrip("\r"))
        if match:
            values[match.group(1)] = match.group(3)
    return values


def unix_path(windows_path):
    drive, rest = windows_path.split(":\\", 1)
    assert drive.upper() == "C", windows_path
    return PREFIX / "drive_c" / rest.replace("\\", "/")


def shortcuts():
    return list(PREFIX.glob("drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start Menu/"
                            "Programs/Tolvinark.lnk"))


def project_version(session):
    match = re.fullmatch(r"Tolvinark-(.+)-win(32|64)", session.exes["installer"].stem)
    assert match, session.exes["installer"].name
    return match.group(1)


def install(session):
    result = subprocess.run([harness.WINE, str(session.exes["installer"]), "/S"],
                            env=quiet_env(session), capture_output=True, timeout=300)
    assert result.returncode == 0, f"the installer ended with {result.returncode}"


def uninstall(session, folder):
    # The uninstaller copies itself away and returns at once; its last step drops its key.
    subprocess.run([harness.WINE, f"{folder}\\uninstall.exe", "/S"], env=quiet_env(session),
                   capture_output=True, timeout=120)
    wait_until(lambda: reg_values(session, UNINSTALL_KEY) is None, "the uninstaller to end",
               timeout=120, interval=1.0)


# ---------------------------------------------------------------- cases

def the_packages_build_and_the_zip_holds_the_portable_folder(session):
    started = time.time()
    result = subprocess.run(["cmake", "--build", str(session.exes["build_dir"]), "--target",
                             "package"], capture_output=True, timeout=900)
    assert result.returncode == 0, result.stdout.decode("utf-8", "replace")[-2000:]
    for package in (session.exes["installer"], session.exes["zip"]):
        assert package.stat().st_mtime >= started - 2, f"{package} was not made anew"
        print(f"{package.name}: {package.stat().st_size} bytes")
    with zipfile.ZipFile(session.exes["zip"]) as archive:
        entries = archive.infolist()
    for entry in entries:
        print(f"  {entry.file_size:>9}  {entry.filename}")
    top = session.exes["zip"].stem
    assert sorted(e.filename for e in entries) == [f"{top}/{name}" for name in PACKAGE_FILES]


def a_silent_install_gives_the_user_the_programs_a_shortcut_and_the_association(session):
    install(session)
    uninstall_entry = reg_values(session, UNINSTALL_KEY)
    assert uninstall_entry, "no uninstall entry for the user"
    folder = uninstall_entry["InstallLocation"]
    assert folder.endswith(r"\AppData\Local\Programs\Tolvinark"), folder
    installed.update(windows=folder, unix=unix_path(folder))
    assert sorted(os.listdir(installed["unix"])) == sorted(PACKAGE_FILES + ["uninstall.exe"])
    assert uninstall_entry["UninstallString"] == f'"{folder}\\uninstall.exe"'
    viewer = f"{folder}\\tolvinark.exe"
    links = shortcuts()
    assert len(links) == 1 and viewer.encode() in links[0].read_bytes(), links
    assert reg_values(session, CLASSES + r"\.dst")[DEFAULT] == PROGID
    assert reg_values(session, rf"{CLASSES}\{PROGID}\DefaultIcon")[DEFAULT] == f"{viewer},0"
    command = reg_values(session, rf"{CLASSES}\{PROGID}\shell\open\command")[DEFAULT]
    assert command == f'"{viewer}" "%1"', command


def a_dst_file_opened_as_the_shell_opens_it_shows_its_rows(session):
    folder = session.temp_dir / "Замеры цеха 3"
    folder.mkdir()
    path = make_records(folder, "проба от 1 мая.dst", 30)
    twin = make_records(session.temp_dir, "twin.dst", 30)  # the same records, a plain name
    command = reg_values(session, rf"{CLASSES}\{PROGID}\shell\open\command")[DEFAULT]
    line = command.replace("%1", harness.unix_to_wine_path(path))
    program, *arguments = [quoted or bare for quoted, bare in re.findall(r'"([^"]*)"|(\S+)', line)]
    session.exes.update(program=program, cli=installed["unix"] / "tolvinark-cli.exe")
    # A Russian system, whose ANSI code page holds the Cyrillic letters.
    viewer = Viewer(session, *arguments, env=russian_system(session))
    expected = row_pictures.row_pictures(session, row_pictures.cli_list(session, twin))
    viewer.wait_list(expected[:geo.VISIBLE_ROWS], "the rows of the file opened by the shell")
    viewer.exit()


def the_installed_programs_carry_the_project_version_and_ask_for_no_elevation(session):
    version = project_version(session)
    numbers = (version.split(".") + ["0"] * 4)[:4]
    for name in ("tolvinark.exe", "tolvinark-cli.exe"):
        exe = installed["unix"] / name
        resources = subprocess.run([WINDRES, "-i", str(exe), "-O", "rc"], capture_output=True,
                                   check=True).stdout.decode("ascii", "replace")
        assert f" FILEVERSION {', '.join(numbers)}\n" in resources, name
        assert f'VALUE "ProductVersion", "{version}"' in resources, name
        assert 'VALUE "ProductName", "Tolvinark"' in resources, name
        manifest = re.search(rb"<assembly.*</assembly>", exe.read_bytes(), re.S).group(0)
        assert b'level="asInvoker"' in manifest, name
        # Classic controls and no DPI awareness: the layout stays as the pixels were placed.
        assert b"Common-Controls" not in manifest and b"dpiAware" not in manifest, name


def a_silent_uninstall_leaves_none_of_it(session):
    uninstall(session, installed["windows"])
    assert not installed["unix"].exists(), sorted(os.listdir(installed["unix"]))
    assert not shortcuts()
    for key in (CLASSES + r"\.dst", rf"{CLASSES}\{PROGID}"):
        assert reg_values(session, key) is None, key


def another_programs_machine_association_stays_through_a_silent_install(session):
    subprocess.run([harness.WINE, "reg", "add", MACHINE_DST, "/ve", "/d", "Other.Dust", "/f"],
                   env=session.env, capture_output=True, check=True, timeout=60)
    install(session)
    assert DEFAULT not in reg_values(session, CLASSES + r"\.dst")
    assert PROGID in reg_values(session, CLASSES + r"\.dst\OpenWithProgids")
    uninstall(session, installed["windows"])
    assert reg_values(session, CLASSES + r"\.dst") is None
    assert reg_values(session, MACHINE_DST)[DEFAULT] == "Other.Dust"


CASES = [
    the_packages_build_and_the_zip_holds_the_portable_folder,
    a_silent_install_gives_the_user_the_programs_a_shortcut_and_the_association,
    a_dst_file_opened_as_the_shell_opens_it_shows_its_rows,
    the_installed_programs_carry_the_project_version_and_ask_for_no_elevation,
    a_silent_uninstall_leaves_none_of_it,
    another_programs_machine_association_stays_through_a_silent_install,
]

if __name__ == "__main__":
    shutil.rmtree(PREFIX, ignore_errors=True)
    os.environ["TOLVINARK_WINEPREFIX"] = str(PREFIX)
    sys.exit(harness.run_cases(CASES))
