#!/usr/bin/env python3
"""The package's checks find the faults they are there for: names Windows
misreads or that lie outside the package's folder, and imports that Windows
XP does not have."""

import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir, "tools")
sys.path.insert(0, TOOLS)
import check_imports  # noqa: E402
import check_package_contents as contents  # noqa: E402
import make_package  # noqa: E402

FOLDER = "Scribbit-1.200/"
GUIDE = FOLDER + contents.GUIDE
WHEN = (2026, 12, 7, 12, 0, 0)
COMPILER = "i686-w64-mingw32-gcc-win32"


def ours(*names):
    return lambda path: make_package.write_zip(path, [make_package.named_entry(name, b"text", WHEN) for name in names])


def raw(extra):
    return lambda path: make_package.write_zip(path, [make_package.Entry(GUIDE.encode("cp932"), extra, b"text", WHEN)])


def utf8_flagged(path):
    # Python's own writer, as most tools do, marks a name that is not ASCII as UTF-8.
    with zipfile.ZipFile(path, "w") as archive:
        archive.writestr(GUIDE, b"text")


def expect_fault(test, fault, faults):
    """None: no fault found; else one, which says fault."""
    if fault is None:
        test.assertEqual([], faults)
    else:
        test.assertEqual(1, len(faults), faults)
        test.assertIn(fault, faults[0])


class PackageNames(unittest.TestCase):
    def test_only_names_windows_reads_in_the_one_folder_pass(self):
        cases = [
            ("as the package is made", ours(FOLDER, GUIDE, FOLDER + contents.DLL), None),
            ("the UTF-8 flag", utf8_flagged, "marked as UTF-8"),
            ("no Unicode path field", raw(b""), "no Unicode path field"),
            ("a Unicode path field of another name", raw(make_package.unicode_path_field(b"other", contents.GUIDE)),
             "no Unicode path field"),
            ("a file at the top", ours(contents.DLL), "outside the folder"),
            ("another folder", ours("Scribbit-1.100/" + contents.DLL), "outside the folder"),
        ]
        for what, write, fault in cases:
            with self.subTest(what), tempfile.TemporaryDirectory() as folder:
                path = os.path.join(folder, "package.zip")
                write(path)
                with zipfile.ZipFile(path) as archive:
                    faults = contents.name_faults(archive.infolist(), FOLDER)
                expect_fault(self, fault, faults)


class Texts(unittest.TestCase):
    def test_only_cr_lf_line_ends_pass(self):
        cases = [
            ("CR LF", b"line\r\nline\r\n", None),
            ("a lone LF", b"line\nline\r\n", "line end other than CR LF"),
            ("a lone CR", b"line\rline\r\n", "line end other than CR LF"),
            ("no line end at the end", b"line\r\nline", "does not end with a line end"),
        ]
        for what, data, fault in cases:
            with self.subTest(what):
                expect_fault(self, fault, contents.text_faults(GUIDE, data))


class Imports(unittest.TestCase):
    def test_only_what_windows_xp_has_passes(self):
        cases = [
            ("GetTickCount", "return GetTickCount();", [], None),
            ("GetTickCount64", "return GetTickCount64();", [], "imports GetTickCount64 from kernel32.dll"),
            ("InitializeCriticalSectionEx", "CRITICAL_SECTION lock; return InitializeCriticalSectionEx(&lock, 0, 0);", [],
             "imports InitializeCriticalSectionEx from kernel32.dll"),
            ("SetWindowSubclass", "return SetWindowSubclass(0, 0, 0, 0);", ["-lcomctl32"], None),
            ("GetWindowSubclass", "return GetWindowSubclass(0, 0, 0, 0);", ["-lcomctl32"], "imports GetWindowSubclass from comctl32.dll"),
            ("a DLL of Vista", "BOOL on; return DwmIsCompositionEnabled(&on);", ["-ldwmapi"], "imports from dwmapi.dll"),
            ("subsystem 6.0", "return 0;", ["-Wl,--major-subsystem-version,6"], "Subsystem version 6.0"),
        ]
        for what, body, flags, fault in cases:
            with self.subTest(what), tempfile.TemporaryDirectory() as folder:
                source, dll = os.path.join(folder, "planted.c"), os.path.join(folder, "planted.dll")
                with open(source, "w") as out:
                    out.write("#include <windows.h>\n#include <commctrl.h>\n#include <dwmapi.h>\n__declspec(dllexport) long long planted(void) { %s }\n" % body)
                subprocess.run([COMPILER, "-D_WIN32_WINNT=0x0600", "-shared", "-o", dll, source] + flags, check=True)
                expect_fault(self, fault, check_imports.faults(dll))


if __name__ == "__main__":
    unittest.main()
