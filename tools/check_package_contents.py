#!/usr/bin/env python3
"""Checks what the package holds, for tools/check_package.sh: exactly
Scribbit.dll and two texts at its top; the texts in code page 932 with CR LF
line ends; the DLL the one the tests ran; and the version of the project in
the package's name and in the guide's revision history.

    check_package_contents.py PACKAGE.zip SHA256-OF-TESTED-DLL ScribbitVersion.h

Prints every fault it finds and ends non-zero when there is one.
"""

import hashlib
import os
import re
import sys
import zipfile

GUIDE = "はじめにお読みください.txt"
LICENCE = "LICENSE.txt"
DLL = "Scribbit.dll"


def version_header(path):
    with open(path, encoding="utf-8") as header:
        return dict(re.findall(r'^#define (\w+) "?(.*?)"?$', header.read(), re.M))


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
    expected_name = "Scribbit-%s.%s-win32.zip" % (version["SCRIBBIT_VERSION_MAJOR"], version["SCRIBBIT_VERSION_MINOR"])
    if os.path.basename(package) != expected_name:
        faults.append("the package is named %s, not %s" % (os.path.basename(package), expected_name))
    with zipfile.ZipFile(package) as archive:
        names = sorted(archive.namelist())
        if names != sorted([DLL, GUIDE, LICENCE]):
            faults.append("the package holds %s, not exactly %s, %s and %s" % (names, DLL, GUIDE, LICENCE))
        contents = {name: archive.read(name) for name in names}
    for name in (GUIDE, LICENCE):
        if name in contents:
            faults.extend(text_faults(name, contents[name]))
    history_line = version["SCRIBBIT_HISTORY_LINE"].encode("cp932")
    if GUIDE in contents and history_line not in contents[GUIDE]:
        faults.append("the guide's version history lacks the DLL's newest line %s" % version["SCRIBBIT_HISTORY_LINE"])
    if DLL in contents:
        packed = hashlib.sha256(contents[DLL]).hexdigest()
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
