#!/usr/bin/env python3
"""Checks the built Tolvane.exe from the outside, without running it: a GUI
program for the expected processor, whose resources hold both dialog templates
as the program draws them, the manifest asking for common controls version 6,
the one 32 by 32, 16-colour icon, all under English (United States).

Usage: check_exe.py PATH/Tolvane.exe [--machine i386|amd64]"""

import argparse
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_MANIFEST = 3, 5, 14, 24
LANG_EN_US = 0x409
MACHINES = {"i386": 0x14C, "amd64": 0x8664}
SUBSYSTEM_WINDOWS_GUI = 2

WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CAPTION, WS_BORDER, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00800000, 0x00080000, 0x00040000
WS_VSCROLL, WS_HSCROLL = 0x00200000, 0x00100000
WS_GROUP, WS_TABSTOP, WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00020000, 0x00010000, 0x00020000, 0x00010000
DS_MODALFRAME, DS_SETFONT, DS_FIXEDSYS = 0x80, 0x40, 0x08
BS_PUSHBUTTON, BS_AUTOCHECKBOX = 0x0, 0x3
ES_LEFT, ES_MULTILINE, ES_AUTOVSCROLL, ES_AUTOHSCROLL = 0x0, 0x4, 0x40, 0x80
SS_CENTER = 0x1
CHILD = WS_CHILD | WS_VISIBLE
BUTTON = CHILD | WS_TABSTOP | BS_PUSHBUTTON
STATIC = CHILD | WS_GROUP | SS_CENTER

# Predefined window classes, as a template may name them by atom.
CLASS_ATOMS = {0x80: "Button", 0x81: "Edit", 0x82: "Static"}

MAIN = {
    "style": WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT,
    "ex_style": 0, "rect": (0, 0, 478, 266), "menu": None, "class": None,
    "title": "Thai language TIS-620 to Unicode Converter",
    "font": (8, 0, 0, 0, "MS Sans Serif"),
    "controls": [
        ("Button", 1002, BUTTON, (7, 7, 61, 14), "--> TIS-620"),
        ("Button", 1005, CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, (7, 25, 107, 10), "Smart Tone Mark Elevation"),
        ("Button", 1001, BUTTON, (87, 7, 61, 14), "--> Unicode"),
        ("Button", 1003, BUTTON, (167, 7, 61, 14), "--> UTF-8 Entities"),
        ("Button", 1006, BUTTON, (247, 7, 61, 14), "--> %A1"),
        ("Button", 1004, BUTTON, (327, 7, 61, 14), "%67&&#37; -->"),
        ("Edit", 1000, CHILD | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_LEFT | ES_MULTILINE
         | ES_AUTOVSCROLL | ES_AUTOHSCROLL, (7, 42, 464, 217), ""),
        ("Button", 2, BUTTON, (407, 7, 61, 14), "Exit"),
        ("Button", 4, BUTTON, (407, 24, 61, 14), "About/Help"),
    ],
}

FONT_NOTICE_START = "The font 'DB ThaiText' must be installed for this program to work correctly. Please visit "
FONT_NOTICE_END = " for more information."

ABOUT = {
    "style": WS_POPUP | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS,
    "ex_style": 0, "rect": (0, 0, 190, 94), "menu": None, "class": None, "title": "",
    "font": (8, 400, 0, 1, "MS Shell Dlg"),
    "controls": [
        ("Button", 2, BUTTON, (69, 73, 50, 14), "ok"),
        ("Static", -1, STATIC, (60, 11, 68, 11), "Tolvane v2.0"),
        ("Static", -1, STATIC, (7, 38, 176, 32), None),  # the font notice, checked apart
        ("Static", -1, STATIC, (29, 26, 130, 8), None),  # the rights notice, checked apart
    ],
}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def expect_equal(got, expected, what):
    check(got == expected, f"{what}: expected {expected!r}, got {got!r}")


# --- PE file and resource directory -----------------------------------------

class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        coff = pe + 4
        self.machine, sections, _, _, _, optional_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", data, coff)
        optional = coff + 20
        magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva, self.resource_size = struct.unpack_from("<II", data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, vsize, rva, raw_size, raw_pointer = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((rva, max(vsize, raw_size), raw_pointer))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def resources(self):
        """Every resource as {(type, name, language): bytes}; names are ints or strings."""
        base = self.offset(self.resource_rva)
        found = {}

        def name_of(entry_name):
            if entry_name & 0x80000000:
                at = base + (entry_name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", self.data, at)[0]
                return self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            return entry_name

        def walk(at, path):
            named, ids = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + ids):
                entry_name, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                key = path + (name_of(entry_name),)
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, key)
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    start = self.offset(rva)
                    found[key] = self.data[start:start + size]

        walk(0, ())
        return found


# --- Dialog templates -------------------------------------------------------

class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.at)
        self.at += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def string(self):
        end = self.at
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        text = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return text

    def name_or_ordinal(self):
        first = self.take("H")
        if first == 0:
            return None
        if first == 0xFFFF:
            return self.take("H")
        self.at -= 2
        return self.string()

    def align(self):
        self.at = (self.at + 3) & ~3


def parse_dialogex(data):
    r = Reader(data)
    version, signature = r.take("HH")
    if (version, signature) != (1, 0xFFFF):
        raise ValueError("not an extended dialog template")
    dialog = {}
    dialog["help_id"], dialog["ex_style"], dialog["style"], count = r.take("IIIH")
    dialog["rect"] = r.take("hhhh")
    dialog["menu"] = r.name_or_ordinal()
    dialog["class"] = r.name_or_ordinal()
    dialog["title"] = r.string()
    dialog["font"] = None
    if dialog["style"] & DS_SETFONT:
        points, weight, italic, charset = r.take("HHBB")
        dialog["font"] = (points, weight, italic, charset, r.string())
    dialog["controls"] = []
    for _ in range(count):
        r.align()
        help_id, ex_style, style = r.take("III")
        rect = r.take("hhhh")
        control_id = r.take("i")
        window_class = r.name_or_ordinal()
        window_class = CLASS_ATOMS.get(window_class, window_class)
        title = r.name_or_ordinal()
        extra = r.take("H")
        r.at += extra
        dialog["controls"].append({"help_id": help_id, "ex_style": ex_style, "style": style, "rect": rect,
                                   "id": control_id, "class": window_class, "title": title or ""})
    return dialog


def check_dialog(name, dialog, expected):
    for field in ("style", "ex_style", "rect", "menu", "class", "title", "font"):
        expect_equal(dialog[field], expected[field], f"{name} {field}")
    expect_equal(dialog["help_id"], 0, f"{name} help id")
    expect_equal(len(dialog["controls"]), len(expected["controls"]), f"{name} number of controls")
    for i, (control, (window_class, control_id, style, rect, title)) in enumerate(
            zip(dialog["controls"], expected["controls"])):
        what = f"{name} control {i + 1}"
        expect_equal(control["class"].lower() if isinstance(control["class"], str) else control["class"],
                     window_class.lower(), f"{what} class")
        expect_equal(control["id"], control_id, f"{what} id")
        expect_equal(control["style"], style, f"{what} style")
        expect_equal(control["rect"], rect, f"{what} position and size")
        expect_equal(control["ex_style"], 0, f"{what} extended style")
        expect_equal(control["help_id"], 0, f"{what} help id")
        if title is not None:
            expect_equal(control["title"], title, f"{what} text")


def check_about_texts(dialog):
    notice = dialog["controls"][2]["title"] if len(dialog["controls"]) > 2 else ""
    check(notice.startswith(FONT_NOTICE_START) and notice.endswith(FONT_NOTICE_END),
          f"About font notice: got {notice!r}")
    address = notice[len(FONT_NOTICE_START):-len(FONT_NOTICE_END)]
    check(address and " " not in address and "tolvane" in address.lower(),
          f"About font notice: the address {address!r} is not the project's own")
    rights = dialog["controls"][3]["title"] if len(dialog["controls"]) > 3 else ""
    check("Tolvane" in rights and "\n" not in rights, f"About rights notice: got {rights!r}")


# --- Manifest and icon ------------------------------------------------------

def check_manifest(data, machine):
    # The program's own processor; the x86 build keeps the upper-case X86 it always had.
    own_arch, comctl_arch = {"i386": ("x86", "X86"), "amd64": ("amd64", "amd64")}[machine]
    ns = "{urn:schemas-microsoft-com:asm.v1}"
    check(all(b < 0x80 for b in data), "manifest: not ASCII")
    text = data.decode("ascii", "replace")
    check("\n" not in text.strip() and "\r" not in text.strip(), "manifest: not a single line")
    check(not text.lstrip().startswith("<?xml"), "manifest: has an XML declaration")
    root = ElementTree.fromstring(data)
    expect_equal(root.tag, ns + "assembly", "manifest root")
    expect_equal(root.attrib, {"manifestVersion": "1.0"}, "manifest root attributes")
    children = [child.tag for child in root]
    expect_equal(children, [ns + "assemblyIdentity", ns + "description", ns + "dependency"], "manifest elements")
    own = root.find(ns + "assemblyIdentity")
    if own is not None:
        name = own.attrib.get("name", "")
        check("." in name, f"manifest: own name {name!r} is not dotted")
        expect_equal({k: v for k, v in own.attrib.items() if k != "name"},
                     {"version": "1.0.0.0", "processorArchitecture": own_arch, "type": "win32"},
                     "manifest own identity")
    description = root.find(ns + "description")
    expect_equal(description.text if description is not None else None,
                 "Tolvane requires comctl32 version 6", "manifest description")
    dependencies = root.findall(f"{ns}dependency/{ns}dependentAssembly/{ns}assemblyIdentity")
    expect_equal([d.attrib for d in dependencies], [{
        "type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
        "processorArchitecture": comctl_arch, "publicKeyToken": "6595b64144ccf1df", "language": "*"}],
        "manifest dependency")
    check(len(list(root.iter())) == 6, "manifest: holds more than the identity, description and dependency")


def check_icon(resources):
    groups = {k: v for k, v in resources.items() if k[0] == RT_GROUP_ICON}
    icons = {k: v for k, v in resources.items() if k[0] == RT_ICON}
    expect_equal(sorted(k[1] for k in groups), [102], "icon groups")
    expect_equal(sorted(k[1] for k in icons), [1], "icon images")
    if len(groups) != 1 or len(icons) != 1:
        return
    group = next(iter(groups.values()))
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    expect_equal((reserved, kind, count), (0, 1, 1), "icon group header")
    width, height, colours, _, planes, bits, size, image_id = struct.unpack_from("<BBBBHHIH", group, 6)
    expect_equal((width, height, colours, planes, bits, image_id), (32, 32, 16, 1, 4, 1), "icon group entry")
    image = next(iter(icons.values()))
    expect_equal(size, len(image), "icon image size in the group")
    header_size, bmp_width, bmp_height, bmp_planes, bmp_bits = struct.unpack_from("<IiiHH", image, 0)
    expect_equal((header_size, bmp_width, bmp_height, bmp_planes, bmp_bits), (40, 32, 64, 1, 4),
                 "icon bitmap: 32 by 32 (colour and mask), 1 plane, 4 bits per pixel")
    expect_equal(len(image), 40 + 16 * 4 + 32 * 16 + 32 * 4, "icon image length")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("--machine", choices=sorted(MACHINES), default="i386")
    args = parser.parse_args()
    with open(args.exe, "rb") as f:
        pe = Pe(f.read())

    expect_equal(pe.machine, MACHINES[args.machine], "machine")
    expect_equal(pe.subsystem, SUBSYSTEM_WINDOWS_GUI, "subsystem (2 is the Windows GUI)")
    resources = pe.resources()
    for key in resources:
        expect_equal(key[2], LANG_EN_US, f"language of resource type {key[0]} name {key[1]}")
    expect_equal(sorted({k[0] for k in resources}), [RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_MANIFEST],
                 "resource types")

    dialogs = {k[1]: v for k, v in resources.items() if k[0] == RT_DIALOG}
    expect_equal(sorted(dialogs), [101, 103], "dialog templates")
    if 101 in dialogs:
        check_dialog("IDD_MAIN", parse_dialogex(dialogs[101]), MAIN)
    if 103 in dialogs:
        about = parse_dialogex(dialogs[103])
        check_dialog("IDD_ABOUT", about, ABOUT)
        check_about_texts(about)

    manifests = {k[1]: v for k, v in resources.items() if k[0] == RT_MANIFEST}
    expect_equal(sorted(manifests), [1], "manifests")
    if 1 in manifests:
        check_manifest(manifests[1], args.machine)
    check_icon(resources)

    for failure in failures:
        print("FAIL", failure)
    print(f"{args.exe}: {'%d failures' % len(failures) if failures else 'resources as expected'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
