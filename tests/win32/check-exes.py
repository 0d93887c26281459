#!/usr/bin/env python3
"""Checks the Windows programs that scripts/build-windows made, without running them.

    tests/win32/check-exes.py [ROOT]

For build-win32 (32-bit x86, the one that ships) and build-win64 (x86-64), every .exe must be a
GUI program for its machine that loads no DLL outside the Windows system set, since nothing else
is installed with it; that carries the hardening flags that Windows' own linkers set (ASLR with
its relocations, high-entropy ASLR on x86-64, DEP, Terminal Server awareness); and that has no
time stamp, so that the same sources give the same bytes. vestora.exe must also carry, byte for byte, the icon group and its images,
the version record in Chinese, the manifest, and every picture and font under the name the
program looks it up by.
"""

import pathlib
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

ROOT = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2])
ASSETS = ROOT / "assets"

BUILDS = {
    # folder: (machine, optional header magic, what the magic is called)
    "build-win32": (0x014C, 0x010B, "PE32"),
    "build-win64": (0x8664, 0x020B, "PE32+"),
}

# IMAGE_DLLCHARACTERISTICS_* in the optional header, and the ones each build must have.
DLL_CHARACTERISTICS = {
    0x0020: "HIGH_ENTROPY_VA", 0x0040: "DYNAMIC_BASE", 0x0080: "FORCE_INTEGRITY",
    0x0100: "NX_COMPAT", 0x0200: "NO_ISOLATION", 0x0400: "NO_SEH", 0x0800: "NO_BIND",
    0x1000: "APPCONTAINER", 0x2000: "WDM_DRIVER", 0x4000: "GUARD_CF",
    0x8000: "TERMINAL_SERVER_AWARE",
}
REQUIRED_FLAGS = {
    "build-win32": {"DYNAMIC_BASE", "NX_COMPAT", "TERMINAL_SERVER_AWARE"},
    "build-win64": {"DYNAMIC_BASE", "HIGH_ENTROPY_VA", "NX_COMPAT", "TERMINAL_SERVER_AWARE"},
}
IMAGE_FILE_RELOCS_STRIPPED = 0x0001
IMAGE_DIRECTORY_ENTRY_BASERELOC = 5
SUBSYSTEM_VERSION = (6, 1)

PROGRAMS = ["vestora.exe", "tests/win32/recorder.exe", "bench/win32/bench_empty_window.exe"]

# DLLs that every supported Windows has in its system folder. shcore.dll is left out on purpose:
# Windows 7 lacks it, so its DPI calls must be looked up at run time instead.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll",
    "comctl32.dll", "shell32.dll", "advapi32.dll", "uxtheme.dll", "shlwapi.dll", "comdlg32.dll",
}

IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
RT_ICON, RT_RCDATA, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 10, 14, 16, 24
LANG_NEUTRAL, LANG_CHINESE_SIMPLIFIED = 0x0000, 0x0804
ICON_GROUP, FIRST_ICON, ICON_COUNT = 1, 30001, 9


class PeFile:
    def __init__(self, path):
        self.data = path.read_bytes()
        if self.data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = self.u32(0x3C)
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, self.time_stamp, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", self.data, pe + 4)
        optional = pe + 24
        self.magic = self.u16(optional)
        self.subsystem_version = (self.u16(optional + 48), self.u16(optional + 50))
        self.subsystem = self.u16(optional + 68)
        self.dll_characteristics = self.u16(optional + 70)
        directories = optional + (96 if self.magic == 0x010B else 112)
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i)
                            for i in range(self.u32(directories - 4))]
        self.sections = []
        for i in range(sections):
            at = optional + optional_size + 40 * i
            virtual_size, rva, raw_size, raw_at = struct.unpack_from("<IIII", self.data, at + 8)
            self.sections.append((rva, max(virtual_size, raw_size), raw_at))

    def flags(self):
        """The names of the DllCharacteristics flags set."""
        return {name for bit, name in DLL_CHARACTERISTICS.items() if self.dll_characteristics & bit}

    def u16(self, at):
        return struct.unpack_from("<H", self.data, at)[0]

    def u32(self, at):
        return struct.unpack_from("<I", self.data, at)[0]

    def offset(self, rva):
        for start, size, raw_at in self.sections:
            if start <= rva < start + size:
                return raw_at + rva - start
        raise ValueError(f"address {rva:#x} is in no section")

    def c_string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def imported_dlls(self):
        """Names of the DLLs loaded at start and of those loaded on first call (delay-load)."""
        names = []
        for index, entry_size, name_field in ((1, 20, 12), (13, 32, 4)):
            rva, size = self.directories[index] if index < len(self.directories) else (0, 0)
            if not size:
                continue
            at = self.offset(rva)
            while any(self.data[at:at + entry_size]):
                names.append(self.c_string(self.u32(at + name_field)))
                at += entry_size
        return names

    def resources(self):
        """{(type, name, language): bytes}; string types and names as str, ordinals as int."""
        rva, size = self.directories[2]
        if not size:
            return {}
        base = self.offset(rva)
        found = {}

        def walk(directory, path):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                if key & 0x80000000:
                    at = base + (key & 0x7FFFFFFF)
                    key = self.data[at + 2:at + 2 + 2 * self.u16(at)].decode("utf-16-le")
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, path + (key,))
                else:
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + target)
                    at = self.offset(data_rva)
                    found[path + (key,)] = self.data[at:at + data_size]

        walk(0, ())
        return found


def embedded_files(list_file):
    """The files that an assets/*/files.cmake lists, relative to assets/."""
    return re.findall(r"\b((?:pictures|fonts)/[^\s)]+)", list_file.read_text())


def check_resources(resources, fail):
    by_type = {}
    for (kind, name, language), data in resources.items():
        by_type.setdefault(kind, {}).setdefault(name, {})[language] = data

    def one(kind, name, language, what):
        data = by_type.get(kind, {}).get(name, {}).get(language)
        if data is None:
            fail(f"no {what} (type {kind}, id {name}, language {language:#06x}); "
                 f"has {sorted(by_type.get(kind, {}).get(name, {}))}")
        return data

    # The icon group and its images, as assets/vestora.rc names them.
    group = one(RT_GROUP_ICON, ICON_GROUP, LANG_NEUTRAL, "icon group")
    if group is not None:
        if group != (ASSETS / "icon/vestora-group.bin").read_bytes():
            fail("the icon group differs from assets/icon/vestora-group.bin")
        reserved, kind, count = struct.unpack_from("<HHH", group)
        ids = [struct.unpack_from("<H", group, 6 + 14 * i + 12)[0] for i in range(count)]
        if (reserved, kind) != (0, 1) or ids != list(range(FIRST_ICON, FIRST_ICON + ICON_COUNT)):
            fail(f"the icon group lists images {ids}, not {FIRST_ICON} to "
                 f"{FIRST_ICON + ICON_COUNT - 1}")
    for icon in range(FIRST_ICON, FIRST_ICON + ICON_COUNT):
        image = one(RT_ICON, icon, LANG_NEUTRAL, f"icon image {icon}")
        if image is not None and image != (ASSETS / f"icon/vestora-{icon}.bin").read_bytes():
            fail(f"icon image {icon} differs from assets/icon/vestora-{icon}.bin")

    # The version record: VS_VERSIONINFO with its fixed part and the Chinese string table.
    version = one(RT_VERSION, 1, LANG_CHINESE_SIMPLIFIED, "version record")
    if version is not None:
        key = "VS_VERSION_INFO".encode("utf-16-le")
        if version[6:6 + len(key)] != key or struct.unpack_from("<I", version, 40)[0] != 0xFEEF04BD:
            fail("the version record does not open with VS_VERSION_INFO and its fixed part")
        for text in ("080404B0", "Vestora 工作室"):
            if text.encode("utf-16-le") not in version:
                fail(f"the version record lacks {text!r}")

    # The manifest: the file as it is, and what Windows reads from it.
    manifest = one(RT_MANIFEST, 1, LANG_NEUTRAL, "manifest")
    if manifest is not None:
        if manifest != (ASSETS / "windows/vestora.manifest").read_bytes():
            fail("the manifest differs from assets/windows/vestora.manifest")
        try:
            root = ElementTree.fromstring(manifest)
        except ElementTree.ParseError as error:
            fail(f"the manifest is not well-formed XML ({error}): Windows would not start the "
                 f"program")
            root = ElementTree.Element("none")
        texts = {element.tag.split("}")[-1]: (element.text or "").strip()
                 for element in root.iter()}
        controls = [element.get("name") for element in root.iter()
                    if element.tag.endswith("assemblyIdentity") and element.get("version")
                    == "6.0.0.0"]
        if controls != ["Microsoft.Windows.Common-Controls"]:
            fail("the manifest does not ask for version 6 of the common controls")
        if (texts.get("dpiAware"), texts.get("dpiAwareness")) != ("true/pm",
                                                                  "PerMonitorV2,PerMonitor"):
            fail("the manifest does not declare per-monitor DPI awareness")
        if not any(element.tag.endswith("supportedOS") for element in root.iter()):
            fail("the manifest names no supported Windows")
        if "服饰图鉴" not in texts.get("description", ""):
            fail("the manifest lacks the Chinese description")

    # Every picture and font, named by its file name in upper case.
    files = embedded_files(ASSETS / "pictures/files.cmake") + embedded_files(
        ASSETS / "fonts/files.cmake")
    expected = {pathlib.PurePath(file).name.upper(): file for file in files}
    stored = by_type.get(RT_RCDATA, {})
    for name in sorted(set(expected) - set(stored)):
        fail(f"{expected[name]} is not stored as RCDATA {name}")
    for name in sorted(set(stored) - set(expected)):
        fail(f"RCDATA {name} stands for no listed file")
    for name in sorted(set(expected) & set(stored)):
        languages = stored[name]
        if len(languages) != 1 or next(iter(languages.values())) != (
                ASSETS / expected[name]).read_bytes():
            fail(f"RCDATA {name} is not {expected[name]} exactly once")
    pictures = sum(1 for name in expected if expected[name].startswith("pictures/"))
    return pictures, len(expected) - pictures


def main():
    failures = []
    for build, (machine, magic, magic_name) in BUILDS.items():
        for program in PROGRAMS:
            path = ROOT / build / program
            shown = f"{build}/{program}"

            def fail(message, shown=shown):
                failures.append(f"{shown}: {message}")

            if not path.is_file():
                fail("missing; run scripts/build-windows first")
                continue
            try:
                pe = PeFile(path)
                if (pe.machine, pe.magic) != (machine, magic):
                    fail(f"machine {pe.machine:#06x} and magic {pe.magic:#05x}, not "
                         f"{machine:#06x} and {magic_name}")
                if pe.subsystem != IMAGE_SUBSYSTEM_WINDOWS_GUI:
                    fail(f"subsystem {pe.subsystem}, not the Windows GUI")
                # Windows 7, as the manifest's supportedOS says: older versions make Windows
                # treat the program as one written before DPI scaling and themes.
                if pe.subsystem_version != SUBSYSTEM_VERSION:
                    fail("subsystem version {}.{}, not {}.{}".format(*pe.subsystem_version,
                                                                     *SUBSYSTEM_VERSION))
                dlls = pe.imported_dlls()
                for dll in dlls:
                    if dll.lower() not in SYSTEM_DLLS:
                        fail(f"loads {dll}, which Windows does not provide")
                flags = pe.flags()
                for flag in sorted(REQUIRED_FLAGS[build] - flags):
                    fail(f"lacks the PE flag {flag} (DllCharacteristics {pe.dll_characteristics:#06x})")
                # ASLR moves only an image that keeps its relocations.
                relocations = (pe.directories[IMAGE_DIRECTORY_ENTRY_BASERELOC][1]
                               if len(pe.directories) > IMAGE_DIRECTORY_ENTRY_BASERELOC else 0)
                if pe.characteristics & IMAGE_FILE_RELOCS_STRIPPED or not relocations:
                    fail("has no base relocations: DYNAMIC_BASE cannot move it")
                if pe.time_stamp != 0:
                    fail(f"has the time stamp {pe.time_stamp} in its PE header, not 0: two builds "
                         f"of the same sources would differ")
                shown_flags = " ".join(name for _, name in sorted(
                    (bit, name) for bit, name in DLL_CHARACTERISTICS.items() if name in flags))
                summary = (f"{magic_name}, GUI {pe.subsystem_version[0]}.{pe.subsystem_version[1]}, "
                           f"DllCharacteristics {pe.dll_characteristics:#06x} "
                           f"({shown_flags}), loads {', '.join(dlls)}")
                if program == "vestora.exe":
                    pictures, fonts = check_resources(pe.resources(), fail)
                    summary += f"; {pictures} pictures, {fonts} fonts"
                print(f"{shown} ({path.stat().st_size} bytes): {summary}")
            except (ValueError, struct.error, IndexError) as error:
                fail(f"unreadable as a PE file: {error}")
    for failure in failures:
        print(f"FAIL: {failure}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
