"""LibreOffice Calc as a real reader of what the programs give a spreadsheet: headless, with a
profile of its own in a given locale, converting a file to flat ODS whose cells say whether a
value arrived as a number."""

import os
import subprocess
import xml.etree.ElementTree as ET

NS = {"table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
      "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
      "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0"}
LOCALE_SETTINGS = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse">
<value>{0}</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooLocale" oor:op="fuse">
<value>{0}</value></prop></item>
</oor:items>
"""


def convert(path, locale, work, infilter=None):
    """The sheet of `path` as LibreOffice with a fresh profile of `locale` ("ru-RU") reads it:
    rows of (value type, value, text) cells. A text file needs a .csv name and `infilter`
    ("CSV:9,34,76,1,,1049": tab, double quote, UTF-8, from line 1, Russian)."""
    profile = os.path.join(work, "profile-" + locale)
    os.makedirs(os.path.join(profile, "user"), exist_ok=True)
    with open(os.path.join(profile, "user", "registrymodifications.xcu"), "w") as settings:
        settings.write(LOCALE_SETTINGS.format(locale))
    out_dir = os.path.join(work, "fods-" + locale)
    command = ["soffice", "-env:UserInstallation=file://" + profile, "--headless",
               "--convert-to", "fods", "--outdir", out_dir, path]
    if infilter:
        command[3:3] = ["--infilter=" + infilter]
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=240)
    if done.returncode != 0:
        raise AssertionError("soffice failed: " + done.stderr.decode(errors="replace"))
    name = os.path.splitext(os.path.basename(path))[0] + ".fods"
    rows = []
    for row in ET.parse(os.path.join(out_dir, name)).iter("{%s}table-row" % NS["table"]):
        cells = []
        for cell in row:
            repeat = int(cell.get("{%s}number-columns-repeated" % NS["table"], "1"))
            text = "\n".join("".join(p.itertext()) for p in cell.iter("{%s}p" % NS["text"]))
            kind = cell.get("{%s}value-type" % NS["office"])
            value = cell.get("{%s}value" % NS["office"])
            cells += [(kind, value, text)] * min(repeat, 64)
        rows.append(cells)
    return rows


def same_number(a, b):
    return abs(a - b) <= 1e-12 * max(abs(a), abs(b), 1e-300)
