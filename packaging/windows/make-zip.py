#!/usr/bin/env python3
"""Writes the Windows download as a reproducible zip archive.

    make-zip.py ARCHIVE FOLDER NAME...

Stores FOLDER/NAME for each NAME, in the order given, compressed with deflate. Nothing of the
machine or the moment of the build goes in: every entry has the time SOURCE_DATE_EPOCH (in UTC,
the zip format's times having no zone; the last commit's time, see scripts/lib.sh), the same
attributes (a plain file, read-only for all but its owner; the .exe executable too), no owner
and no extra fields; the archive has no comment. Names that are not ASCII are stored in UTF-8
and marked so (general purpose flag bit 11), which Windows' own unzipping honours.
"""

import os
import pathlib
import sys
import time
import zipfile

# The zip format cannot store a time before 1980.
ZIP_EPOCH = 315532800


def main():
    if len(sys.argv) < 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    archive, folder, names = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), sys.argv[3:]
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        print("make-zip.py: SOURCE_DATE_EPOCH is not set", file=sys.stderr)
        return 2
    stamp = time.gmtime(max(int(epoch), ZIP_EPOCH))[:6]
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as zipped:
        for name in names:
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3  # Unix: the attributes below are its file modes
            mode = 0o755 if name.lower().endswith(".exe") else 0o644
            entry.external_attr = (0o100000 | mode) << 16
            zipped.writestr(entry, (folder / name).read_bytes(), zipfile.ZIP_DEFLATED, 9)
    return 0


if __name__ == "__main__":
    sys.exit(main())
