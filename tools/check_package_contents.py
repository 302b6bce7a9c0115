#!/usr/bin/env python3
"""Checks what the package holds, for tools/check_package.sh: exactly
Scribbit.dll and two texts, in the one folder Scribbit-<version>/; every
name as the Windows of a Japanese user reads it (a name that is not ASCII in
code page 932, without the UTF-8 flag, with a Unicode path field naming it);
the texts in code page 932 with CR LF line ends; the DLL the one the tests
ran; and the version of the project in the package's name and in the guide's
revision history.

    check_package_contents.py PACKAGE.zip SHA256-OF-TESTED-DLL ScribbitVersion.h

Prints every fault it finds and ends non-zero when there is one.
"""

import hashlib
import os
import re
import struct
import sys
import zipfile
import zlib

GUIDE = "はじめにお読みください.txt"
LICENCE = "LICENSE.txt"
DLL = "Scribbit.dll"
UTF8_FLAG = 0x0800
UNICODE_PATH_FIELD = 0x7075


def version_header(path):
    with open(path, encoding="utf-8") as header:
        return dict(re.findall(r'^#define (\w+) "?(.*?)"?$', header.read(), re.M))


def raw_name(info):
    """The name's bytes as the archive holds them: zipfile reads a name
    without the UTF-8 flag as code page 437, which gives every byte back."""
    return info.orig_filename.encode("utf-8" if info.flag_bits & UTF8_FLAG else "cp437")


def entry_name(info):
    """The name as Windows shows it: a name without the UTF-8 flag in code page 932."""
    if info.flag_bits & UTF8_FLAG:
        return info.orig_filename
    return raw_name(info).decode("cp932", "backslashreplace")


def unicode_path(extra):
    """(CRC-32 of the name, the name) from a Unicode path field, else None."""
    at = 0
    while at + 4 <= len(extra):
        kind, size = struct.unpack_from("<HH", extra, at)
        body = extra[at + 4:at + 4 + size]
        if kind == UNICODE_PATH_FIELD and size >= 5 and body[0] == 1:
            try:
                return struct.unpack_from("<I", body, 1)[0], body[5:].decode("utf-8")
            except UnicodeDecodeError:
                return None
        at += 4 + size
    return None


def name_faults(infos, folder):
    faults = []
    for info in infos:
        raw = raw_name(info)
        shown = entry_name(info)
        if not raw.startswith(folder.encode("ascii")):
            faults.append("%s lies outside the folder %s" % (shown, folder))
        if raw.isascii():
            continue
        if info.flag_bits & UTF8_FLAG:
            faults.append("%s is marked as UTF-8, which the ZIP folder of Windows 7 and 8 does not read" % shown)
            continue
        try:
            name = raw.decode("cp932")
        except UnicodeDecodeError:
            faults.append("%s is not a code page 932 name" % shown)
            continue
        if unicode_path(info.extra) != (zlib.crc32(raw), name):
            faults.append("%s has no Unicode path field (0x7075) naming it" % name)
    return faults


def text_faults(name, data):
    faults = []
    try:
        data.decode("cp932")
    except UnicodeDecodeError as error:
        faults.append("%s is not code page 932 text (byte %d)" % (name, error.start))
    if data.count(b"\n") != data.count(b"\r\n") or data.count(b"\r") != data.count(b"\r\n"):
        faults.append("%s has a line end other than CR LF" % name)
    if not data.endswith(b"\r\n"):
        faults.append("%s does not end with a line end" % name)
    return faults


def check(package, tested_sha256, header_path):
    version = version_header(header_path)
    faults = []
    folder = "Scribbit-%s.%s/" % (version["SCRIBBIT_VERSION_MAJOR"], version["SCRIBBIT_VERSION_MINOR"])
    expected_name = folder[:-1] + "-win32.zip"
    if os.path.basename(package) != expected_name:
        faults.append("the package is named %s, not %s" % (os.path.basename(package), expected_name))
    with zipfile.ZipFile(package) as archive:
        infos = archive.infolist()
        faults.extend(name_faults(infos, folder))
        names = [entry_name(info) for info in infos]
        files = {name[len(folder):]: archive.read(info) for name, info in zip(names, infos) if not info.is_dir()}
    expected = [folder + name for name in (DLL, GUIDE, LICENCE)]
    if sorted(name for name in names if name != folder) != sorted(expected) or len(set(names)) != len(names):
        faults.append("the package holds %s, not exactly %s" % (names, expected))
    for name in (GUIDE, LICENCE):
        if name in files:
            faults.extend(text_faults(name, files[name]))
    history_line = version["SCRIBBIT_HISTORY_LINE"].encode("cp932")
    if GUIDE in files and history_line not in files[GUIDE]:
        faults.append("the guide's version history lacks the DLL's newest line %s" % version["SCRIBBIT_HISTORY_LINE"])
    if DLL in files:
        packed = hashlib.sha256(files[DLL]).hexdigest()
        if packed != tested_sha256:
            faults.append("the package's %s (sha256 %s) is not the DLL the tests ran (%s)" % (DLL, packed, tested_sha256))
    return faults


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    faults = check(argv[1], argv[2], argv[3])
    for fault in faults:
        print("package check FAILED: " + fault)
    if faults:
        sys.exit(1)
    print("package check: %s holds the tested %s, the guide and the licence as they should be" % (argv[1], DLL))


if __name__ == "__main__":
    main(sys.argv)
