"""The Windows packages as a user meets them: built with cpack, the installer run silently in a
fresh Wine prefix of the module's own, a .dst file opened the way the shell opens it, and the
uninstaller run; then the installer's pages as a user goes through them, read from inside Wine.
The tests run in order and build on each other.

Wine 8 does not merge the user's classes into HKEY_CLASSES_ROOT, so its ShellExecute cannot
open a file through a per-user association: the test runs the registered open command with
"%1" replaced by the file's path, as the shell does.
"""

import os
import re
import shutil
import subprocess
import time
import zipfile

import pytest

import row_pictures
import viewer_geometry as geo
import wine_env
from desktop import wait_until
from viewer_page import ROOT, make_records, russian_system

PACKAGE_FILES = ["README.txt", "demo.dst", "tolvinark-cli.exe", "tolvinark.exe"]
CLASSES = r"HKCU\Software\Classes"
PROGID = "Tolvinark.Measurements"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvinark"
MACHINE_DST = r"HKLM\Software\Classes\.dst"
DEFAULT = "(Default)"
PREFIX = ROOT / "build" / f"wine-prefix-package-{wine_env.ARCH}"
WINDRES = shutil.which("x86_64-w64-mingw32-windres") or shutil.which("i686-w64-mingw32-windres")
installed = {}  # what the install test found: the folder's Windows and Unix paths


@pytest.fixture(scope="session")
def wine_prefix():
    """A fresh prefix, in which nothing was installed before."""
    shutil.rmtree(PREFIX, ignore_errors=True)
    return PREFIX


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


def install(session):
    result = subprocess.run([wine_env.WINE, str(session.programs["installer"]), "/S"],
                            env=quiet_env(session), capture_output=True, timeout=300)
    assert result.returncode == 0, f"the installer ended with {result.returncode}"


def uninstall(session, folder):
    # The uninstaller copies itself away and returns at once; its last step drops its key.
    subprocess.run([wine_env.WINE, f"{folder}\\uninstall.exe", "/S"], env=quiet_env(session),
                   capture_output=True, timeout=120)
    wait_until(lambda: reg_values(session, UNINSTALL_KEY) is None, "the uninstaller to end",
               timeout=120, interval=1.0)


def test_the_packages_build_and_the_zip_holds_the_portable_folder(session):
    started = time.time()
    result = subprocess.run(["cmake", "--build", str(session.programs["build_dir"]), "--target",
                             "package"], capture_output=True, timeout=900)
    assert result.returncode == 0, result.stdout.decode("utf-8", "replace")[-2000:]
    for package in (session.programs["installer"], session.programs["zip"]):
        assert package.stat().st_mtime >= started - 2, f"{package} was not made anew"
        print(f"{package.name}: {package.stat().st_size} bytes")
    with zipfile.ZipFile(session.programs["zip"]) as archive:
        entries = archive.infolist()
    for entry in entries:
        print(f"  {entry.file_size:>9}  {entry.filename}")
    top = session.programs["zip"].stem
    assert sorted(e.filename for e in entries) == [f"{top}/{name}" for name in PACKAGE_FILES]


def test_a_silent_install_gives_the_user_the_programs_a_shortcut_and_the_association(session):
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
    # The folder's size in KB, as the uninstall list shows it.
    files = [f for f in installed["unix"].iterdir() if f.is_file()]
    size = sum(f.stat().st_size for f in files)
    estimated = int(uninstall_entry["EstimatedSize"], 16)
    assert size // 1024 - len(files) <= estimated <= size // 1024 + len(files), (estimated, size)


def test_a_dst_file_opened_as_the_shell_opens_it_shows_its_rows(session, start_viewer):
    folder = session.temp_dir / "Замеры цеха 3"
    folder.mkdir()
    path = make_records(folder, "проба от 1 мая.dst", 30)
    twin = make_records(session.temp_dir, "twin.dst", 30)  # the same records, a plain name
    command = reg_values(session, rf"{CLASSES}\{PROGID}\shell\open\command")[DEFAULT]
    line = command.replace("%1", wine_env.unix_to_wine_path(path))
    program, *arguments = [quoted or bare for quoted, bare in re.findall(r'"([^"]*)"|(\S+)', line)]
    session.programs = dict(session.programs, **{"tolvinark-cli": installed["unix"] /
                                                 "tolvinark-cli.exe"})
    # A Russian system, whose ANSI code page holds the Cyrillic letters.
    viewer = start_viewer(*arguments, program=program, env=russian_system(session))
    expected = row_pictures.row_pictures(session, row_pictures.cli_list(session, twin))
    viewer.wait_list(expected[:geo.VISIBLE_ROWS], "the rows of the file opened by the shell")
    viewer.exit()


def test_the_installed_programs_carry_the_project_version_and_ask_for_no_elevation(session):
    version = geo.VERSION
    assert session.programs["installer"].name.startswith(f"Tolvinark-{version}-")
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


def test_a_silent_uninstall_leaves_none_of_it(session):
    uninstall(session, installed["windows"])
    assert not installed["unix"].exists(), sorted(os.listdir(installed["unix"]))
    assert not shortcuts()
    for key in (CLASSES + r"\.dst", rf"{CLASSES}\{PROGID}"):
        assert reg_values(session, key) is None, key


def test_another_programs_machine_association_stays_through_a_silent_install(session):
    subprocess.run([wine_env.WINE, "reg", "add", MACHINE_DST, "/ve", "/d", "Other.Dust", "/f"],
                   env=session.env, capture_output=True, check=True, timeout=60)
    install(session)
    assert DEFAULT not in reg_values(session, CLASSES + r"\.dst")
    assert PROGID in reg_values(session, CLASSES + r"\.dst\OpenWithProgids")
    uninstall(session, installed["windows"])
    assert reg_values(session, CLASSES + r"\.dst") is None
    assert reg_values(session, MACHINE_DST)[DEFAULT] == "Other.Dust"



# ---------------------------------------------------------------- the installer's pages

USER_DST = CLASSES + r"\.dst"
OTHER_CLASS = "OtherApp.dst"
NEXT, INSTALL, CANCEL, FINISH = "Далее >", "Установить", "Отмена", "Готово"
TAKE_OVER_BOX = "Открывать файлы .dst в Tolvinark"
RUN_BOX = "Открыть пример, demo.dst"


def reg(session, *args):
    subprocess.run([wine_env.WINE, "reg", *args, "/f"], env=session.env, capture_output=True,
                   timeout=60)


def give_dst_to(session, classes, values):
    """Only the class OtherApp.dst, under `classes` (the user's or the machine's), has .dst;
    `values` are its values ("" the default). With `values` None, no class has it."""
    for root in (CLASSES, r"HKLM\Software\Classes"):
        reg(session, "delete", rf"{root}\.dst")
        reg(session, "delete", rf"{root}\{OTHER_CLASS}")
    if values is None:
        return
    reg(session, "add", rf"{classes}\.dst", "/ve", "/d", OTHER_CLASS)
    reg(session, "add", rf"{classes}\{OTHER_CLASS}")
    for name, data in values.items():
        reg(session, "add", rf"{classes}\{OTHER_CLASS}", *(["/v", name] if name else ["/ve"]),
            "/d", data)


class Installer:
    """The installer run as a user runs it, page by page, read from inside Wine."""

    def __init__(self, session):
        self.session = session
        self.caption = f"Установка Tolvinark {geo.VERSION}"
        # An English system: the name read from a file is its English one.
        self.program = session.start(session.programs["installer"],
                                     env=dict(quiet_env(session), LC_ALL="C.UTF-8"))

    def title(self):
        """The installer's title now: the modern interface's pages add a blank to it."""
        for title in (self.caption, self.caption + " "):
            if self.session.display.windows_named(title):
                return title
        return None

    def page_showing(self, text):
        """The windows of the installer once one of them shows `text` ("&" ignored)."""
        def find():
            title = self.title()
            windows = self.session.window_texts(title) if title else []
            return windows if any(w["visible"] and text in w["text"].replace("&", "")
                                  for w in windows) else None
        return wait_until(find, f"the installer's page with {text!r}", timeout=120,
                          interval=0.5)

    @staticmethod
    def buttons(windows):
        return {w["text"].replace("&", "") for w in windows
                if w["class"] == "Button" and w["visible"]}

    def press(self, windows, caption):
        self.session.click_child(windows, "Button", caption)

    def to_the_folder_page(self):
        self.press(self.page_showing(NEXT), NEXT)
        return self.page_showing("Обзор")


# Another program's class, the name the page gives it (the FriendlyTypeName before the default
# value, the class's own name when it has neither) and what the user does on the page: cancel,
# or install with the box as it stands.
@pytest.mark.parametrize("classes, values, shown, then", [
    (CLASSES, {"FriendlyTypeName": "Замеры прибора ДП-1", "": "Other.Default"},
     "Замеры прибора ДП-1", CANCEL),
    # An indirect name, read from the file it names: Wine's shell32 has "Type" as string 9.
    (CLASSES, {"FriendlyTypeName": "@shell32.dll,-9", "": "Other.Default"}, "Type", CANCEL),
    (r"HKLM\Software\Classes", {"": "Файл другой программы"}, "Файл другой программы", CANCEL),
    (CLASSES, {}, OTHER_CLASS, INSTALL),
])
def test_the_page_about_dst_names_the_other_program_and_its_box_is_unticked(
        session, classes, values, shown, then):
    give_dst_to(session, classes, values)
    installer = Installer(session)
    folder_page = installer.to_the_folder_page()
    assert NEXT in installer.buttons(folder_page), installer.buttons(folder_page)
    installer.press(folder_page, NEXT)
    page = installer.page_showing(TAKE_OVER_BOX)
    assert INSTALL in installer.buttons(page), installer.buttons(page)
    assert any(f"другая программа: {shown}." in w["text"] for w in page), \
        [w["text"] for w in page]
    installer.press(page, then)
    if then == CANCEL:
        installer.program.wait_exit(timeout=60)
        assert reg_values(session, UNINSTALL_KEY) is None, "installed after Cancel"
        return
    # Installed as the page stood: the box was unticked, so .dst stays the other program's.
    finish = installer.page_showing(FINISH)
    installer.press(finish, RUN_BOX)  # no viewer started at the end
    installer.press(finish, FINISH)
    installer.program.wait_exit(timeout=60)
    assert reg_values(session, USER_DST)[DEFAULT] == OTHER_CLASS
    assert PROGID in reg_values(session, USER_DST + r"\OpenWithProgids")
    uninstall(session, reg_values(session, UNINSTALL_KEY)["InstallLocation"])
    assert reg_values(session, USER_DST)[DEFAULT] == OTHER_CLASS


def test_the_folder_page_installs_when_no_other_program_has_dst(session):
    give_dst_to(session, None, None)
    installer = Installer(session)
    folder_page = installer.to_the_folder_page()
    assert INSTALL in installer.buttons(folder_page), installer.buttons(folder_page)
    installer.press(folder_page, CANCEL)
    installer.program.wait_exit(timeout=60)
