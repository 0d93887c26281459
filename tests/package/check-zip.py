#!/usr/bin/env python3
"""Checks the Windows download as Windows and its users meet it, read with Python's zipfile:

  - exactly vestora.exe, 说明.txt, LICENSE.txt and the fonts' licences, and vestora.exe is
    build-win32/vestora.exe;
  - 说明.txt's name is marked UTF-8 (general purpose flag bit 11), as Windows reads a name as
    UTF-8 only then;
  - every text is UTF-8 with a byte order mark and CR LF line ends, for Notepad; 说明.txt names
    vestora.exe, the version and LICENSE.txt; each licence is its source's text;
  - reproducible entries: the last commit's time (zip times are in 2-second steps, here UTC) and
    fixed Unix attributes, 0644 and 0755 for vestora.exe.

Usage: check-zip.py <zip> <source folder> <version> <SOURCE_DATE_EPOCH>
"""

import sys
import time
import zipfile
from pathlib import Path

UTF8_NAME = 0x800
UNIX = 3


def main() -> int:
    zip_path, root, version, epoch = sys.argv[1], Path(sys.argv[2]), sys.argv[3], int(sys.argv[4])
    failures = []

    def fail(message: str) -> None:
        failures.append(message)
        print(f"FAIL: {message}", file=sys.stderr)

    # Each text of the zip and the file it is made from.
    licences = {"LICENSE.txt": root / "LICENSE"}
    for font_licence in sorted((root / "assets" / "fonts").glob("LICENSE-*.txt")):
        licences[font_licence.name] = font_licence
    expected = {"vestora.exe", "说明.txt", *licences}
    stamp = time.gmtime(epoch // 2 * 2)[:6]

    with zipfile.ZipFile(zip_path) as archive:
        bad = archive.testzip()
        if bad:
            fail(f"{bad}: its CRC does not match")
        names = {entry.filename for entry in archive.infolist()}
        if names != expected:
            fail(f"entries {sorted(names)}, expected {sorted(expected)}")
        for entry in archive.infolist():
            mode = 0o100755 if entry.filename == "vestora.exe" else 0o100644
            if entry.create_system != UNIX or entry.external_attr >> 16 != mode:
                fail(f"{entry.filename}: attributes {entry.external_attr >> 16:o} from system "
                     f"{entry.create_system}, expected {mode:o} from Unix")
            if entry.date_time != stamp:
                fail(f"{entry.filename}: time {entry.date_time}, expected {stamp} (SOURCE_DATE_EPOCH)")
            if not entry.filename.isascii() and not entry.flag_bits & UTF8_NAME:
                fail(f"{entry.filename}: its name is not marked UTF-8")
        contents = {name: archive.read(name) for name in names & expected}

    if contents.get("vestora.exe") != (root / "build-win32" / "vestora.exe").read_bytes():
        fail("the zip's vestora.exe is not build-win32/vestora.exe")
    texts = {}
    for name, data in contents.items():
        if not name.endswith(".txt"):
            continue
        if not data.startswith(b"\xef\xbb\xbf"):
            fail(f"{name} has no UTF-8 byte order mark")
        lines = data[3:].split(b"\r\n")
        # Every line ends in CR LF, the last one too, and no line holds a lone CR or LF.
        if lines[-1] != b"" or any(b"\r" in line or b"\n" in line for line in lines):
            fail(f"{name} has a line not ending in CR LF")
        try:
            texts[name] = data[3:].decode("utf-8").replace("\r\n", "\n")
        except UnicodeDecodeError as error:
            fail(f"{name} is not UTF-8: {error}")
    readme = texts.get("说明.txt", "")
    for needed in ("vestora.exe", version, "LICENSE.txt"):
        if needed not in readme:
            fail(f"说明.txt does not name {needed}")
    for name, source in licences.items():
        if name in texts and texts[name] != source.read_text(encoding="utf-8"):
            fail(f"the zip's {name} is not {source.relative_to(root)}")

    if failures:
        return 1
    print(f"   {len(names)} entries, as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
