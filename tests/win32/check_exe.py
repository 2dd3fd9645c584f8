#!/usr/bin/env python3
"""Checks a built program from the outside, without running it, for what only
the built file can tell: the processor and subsystem it was linked for, its
resource types and their language (English, United States), the manifest made
for this build's architecture, the fonts and character sets of the dialog
templates (windres writes a wrong character set unless the FONT line spells it
out), and the version information, whose numbers come from the build.

Usage: check_exe.py FILE --kind window|console --machine i386|amd64
                    --version X.Y[.Z] [--manifest-arch x86|amd64]"""

import argparse
import os
import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 14, 16, 24
LANG_EN_US = 0x409
CODE_PAGE_UTF16 = 1200
MACHINES = {"i386": 0x14C, "amd64": 0x8664}
SUBSYSTEMS = {"window": 2, "console": 3}
VFT_APP, VOS_NT_WINDOWS32 = 1, 0x40004
DS_SETFONT = 0x40

# What each kind of program carries.
RESOURCE_TYPES = {
    "window": [RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST],
    "console": [RT_VERSION],
}

# Each dialog's font as (points, weight, italic, charset, face). The main
# window's face is drawn in the ANSI character set (0); the About box asks for
# the default one (1), as DS_FIXEDSYS templates do.
DIALOG_FONTS = {
    101: (8, 0, 0, 0, "MS Sans Serif"),
    103: (8, 400, 0, 1, "MS Shell Dlg"),
}
ABOUT_DIALOG, ABOUT_RIGHTS_CONTROL = 103, 3

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
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, coff)
        optional = coff + 20
        magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva, _ = struct.unpack_from("<II", data, directories + 2 * 8)
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
        if self.resource_rva == 0:
            return {}
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


def utf16z_at(data, at):
    """The NUL-ended UTF-16 string at `at`, and the offset just past its NUL."""
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def align4(at):
    return (at + 3) & ~3


# --- Dialog templates: the font and the control texts -----------------------

def skip_name_or_ordinal(data, at):
    first = struct.unpack_from("<H", data, at)[0]
    if first == 0:
        return at + 2
    if first == 0xFFFF:
        return at + 4
    return utf16z_at(data, at)[1]


def name_or_ordinal(data, at):
    first = struct.unpack_from("<H", data, at)[0]
    if first == 0:
        return "", at + 2
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, at + 2)[0], at + 4
    return utf16z_at(data, at)


def parse_dialogex(data):
    """The font of an extended dialog template and its controls' texts."""
    version, signature, _, _, style, count = struct.unpack_from("<HHIIIH", data, 0)
    if (version, signature) != (1, 0xFFFF):
        raise ValueError("not an extended dialog template")
    at = 26  # past the header and the rectangle
    at = skip_name_or_ordinal(data, at)  # menu
    at = skip_name_or_ordinal(data, at)  # class
    _, at = utf16z_at(data, at)  # title
    font = None
    if style & DS_SETFONT:
        points, weight, italic, charset = struct.unpack_from("<HHBB", data, at)
        face, at = utf16z_at(data, at + 6)
        font = (points, weight, italic, charset, face)
    texts = []
    for _ in range(count):
        at = align4(at) + 24  # help id, styles, rectangle, id
        at = skip_name_or_ordinal(data, at)  # class
        title, at = name_or_ordinal(data, at)
        extra = struct.unpack_from("<H", data, at)[0]
        at += 2 + extra
        texts.append(title)
    return font, texts


# --- Manifest ---------------------------------------------------------------

def check_manifest(data, architecture):
    ns = "{urn:schemas-microsoft-com:asm.v1}"
    root = ElementTree.fromstring(data)
    expect_equal(root.tag, ns + "assembly", "manifest root")
    own = root.find(ns + "assemblyIdentity")
    expect_equal(own.attrib.get("processorArchitecture", "").lower() if own is not None else None,
                 architecture, "manifest: the program's processor architecture")
    dependencies = root.findall(f"{ns}dependency/{ns}dependentAssembly/{ns}assemblyIdentity")
    expect_equal([(d.attrib.get("name"), d.attrib.get("version"), d.attrib.get("processorArchitecture", "").lower())
                  for d in dependencies],
                 [("Microsoft.Windows.Common-Controls", "6.0.0.0", architecture)],
                 "manifest: common controls version 6 for the same architecture")


# --- Version information ----------------------------------------------------

def parse_version_node(data, at):
    """One node of a VS_VERSIONINFO tree: (key, value bytes, is text, children), end."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, at)
    end = at + length
    key, cursor = utf16z_at(data, at + 6)
    cursor = align4(cursor)
    value_size = value_length * 2 if is_text else value_length
    value = data[cursor:cursor + value_size]
    cursor = align4(cursor + value_size)
    children = []
    while cursor < end:
        child, child_end = parse_version_node(data, cursor)
        children.append(child)
        cursor = align4(child_end)
    return (key, value, is_text, children), end


def parse_version(data):
    """(fixed file info fields, {block: {name: text}}, translations)."""
    (key, value, _, children), _ = parse_version_node(data, 0)
    if key != "VS_VERSION_INFO":
        raise ValueError(f"version resource: key {key!r}")
    fields = struct.unpack_from("<13I", value, 0)
    fixed = {
        "signature": fields[0],
        "file_version": (fields[2] >> 16, fields[2] & 0xFFFF, fields[3] >> 16, fields[3] & 0xFFFF),
        "product_version": (fields[4] >> 16, fields[4] & 0xFFFF, fields[5] >> 16, fields[5] & 0xFFFF),
        "file_os": fields[8],
        "file_type": fields[9],
    }
    strings, translations = {}, []
    for child_key, _, _, grandchildren in children:
        if child_key == "StringFileInfo":
            for block, _, _, values in grandchildren:
                strings[block] = {name: text.decode("utf-16-le").rstrip("\0") for name, text, _, _ in values}
        elif child_key == "VarFileInfo":
            for name, value, _, _ in grandchildren:
                if name == "Translation":
                    translations += [struct.unpack_from("<HH", value, i) for i in range(0, len(value), 4)]
    return fixed, strings, translations


def check_version(data, exe_name, version, about_rights):
    fixed, strings, translations = parse_version(data)
    numbers = tuple(int(n) for n in version.split(".")) + (0, 0, 0)
    expect_equal(fixed["signature"], 0xFEEF04BD, "version: fixed information signature")
    expect_equal(fixed["file_version"], numbers[:4], "version: file version numbers")
    expect_equal(fixed["product_version"], numbers[:4], "version: product version numbers")
    expect_equal((fixed["file_os"], fixed["file_type"]), (VOS_NT_WINDOWS32, VFT_APP), "version: OS and file type")
    expect_equal(translations, [(LANG_EN_US, CODE_PAGE_UTF16)], "version: translations")
    expect_equal(sorted(strings), ["040904B0"], "version: string blocks")
    table = strings.get("040904B0", {})
    expect_equal(table.get("ProductName"), "Tolvane", "version: ProductName")
    expect_equal(table.get("FileVersion"), version, "version: FileVersion")
    expect_equal(table.get("ProductVersion"), version, "version: ProductVersion")
    expect_equal(table.get("OriginalFilename"), exe_name, "version: OriginalFilename")
    check(table.get("FileDescription", "").startswith("Tolvane"),
          f"version: FileDescription {table.get('FileDescription')!r}")
    rights = table.get("LegalCopyright", "")
    check(rights.startswith("©") and rights.endswith("the Tolvane developers"),
          f"version: LegalCopyright {rights!r} is not the project's notice")
    if about_rights is not None:
        expect_equal(rights, about_rights, "version: LegalCopyright against the About box")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("--kind", choices=sorted(SUBSYSTEMS), required=True)
    parser.add_argument("--machine", choices=sorted(MACHINES), required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--manifest-arch", choices=["x86", "amd64"])
    args = parser.parse_args()
    if args.kind == "window" and args.manifest_arch is None:
        parser.error("--kind window needs --manifest-arch")
    with open(args.exe, "rb") as f:
        pe = Pe(f.read())

    expect_equal(pe.machine, MACHINES[args.machine], "machine")
    expect_equal(pe.subsystem, SUBSYSTEMS[args.kind], "subsystem (2 is the Windows GUI, 3 the console)")
    resources = pe.resources()
    for key in resources:
        expect_equal(key[2], LANG_EN_US, f"language of resource type {key[0]} name {key[1]}")
    expect_equal(sorted({k[0] for k in resources}), RESOURCE_TYPES[args.kind], "resource types")

    about_rights = None
    if args.kind == "window":
        dialogs = {k[1]: v for k, v in resources.items() if k[0] == RT_DIALOG}
        expect_equal(sorted(dialogs), sorted(DIALOG_FONTS), "dialog templates")
        for name, expected in DIALOG_FONTS.items():
            if name in dialogs:
                font, texts = parse_dialogex(dialogs[name])
                expect_equal(font, expected, f"dialog {name} font (points, weight, italic, charset, face)")
                if name == ABOUT_DIALOG and len(texts) > ABOUT_RIGHTS_CONTROL:
                    about_rights = texts[ABOUT_RIGHTS_CONTROL]
        manifests = [v for k, v in resources.items() if k[0] == RT_MANIFEST]
        expect_equal(len(manifests), 1, "manifests")
        if manifests:
            check_manifest(manifests[0], args.manifest_arch)

    versions = [v for k, v in resources.items() if k[0] == RT_VERSION]
    expect_equal(len(versions), 1, "version resources")
    if versions:
        check_version(versions[0], os.path.basename(args.exe), args.version, about_rights)

    for failure in failures:
        print("FAIL", failure)
    print(f"{args.exe}: {'%d failures' % len(failures) if failures else 'as expected'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
