#!/usr/bin/env python3
"""Writes tests/native/samples/<language>.txt.gz: translated messages of the
Debian catalogues installed under /usr/share/locale, one message line per
line, for the detector's corpus test. Catalogues are taken in name order, a
few kilobytes of each, so that every sample spreads over many packages."""
import gzip
import os
import struct
import sys

LOCALE = "/usr/share/locale"
# Language directory and bytes of text kept (UTF-8).
LANGUAGES = [
    ("ja", 120000), ("zh_CN", 24000), ("zh_TW", 16000), ("ko", 24000),
    ("de", 12000), ("fr", 12000), ("es", 12000), ("it", 12000), ("pt", 12000),
    ("sv", 10000), ("fi", 10000), ("hu", 12000), ("ro", 12000), ("vi", 12000),
    ("cs", 16000), ("sk", 14000), ("pl", 16000), ("hr", 16000), ("sl", 16000),
    ("eo", 16000), ("az", 16000), ("tr", 16000), ("lt", 12000), ("lv", 12000),
    ("el", 24000), ("ru", 16000), ("uk", 16000), ("bg", 12000), ("sr", 12000),
    ("he", 24000), ("ar", 24000), ("fa", 24000),
]
PER_CATALOGUE = 3000


def messages(path):
    data = open(path, "rb").read()
    magic = struct.unpack("<I", data[:4])[0]
    order = "<" if magic == 0x950412DE else ">"
    count, originals, translations = struct.unpack(order + "III", data[8:20])
    for i in range(count):
        olen, _ = struct.unpack(order + "II", data[originals + 8 * i: originals + 8 * i + 8])
        tlen, at = struct.unpack(order + "II", data[translations + 8 * i: translations + 8 * i + 8])
        if olen == 0:
            continue
        for form in data[at: at + tlen].split(b"\0"):
            try:
                text = form.decode("utf-8")
            except UnicodeDecodeError:
                continue
            for line in text.split("\n"):
                line = line.strip()
                if line:
                    yield line


def main(out_dir):
    for language, budget in LANGUAGES:
        directory = os.path.join(LOCALE, language, "LC_MESSAGES")
        seen, lines, size = set(), [], 0
        for name in sorted(os.listdir(directory)):
            if not name.endswith(".mo"):
                continue
            taken = 0
            for line in messages(os.path.join(directory, name)):
                if line in seen or line.isascii():
                    continue
                seen.add(line)
                lines.append(line)
                taken += len(line.encode()) + 1
                if taken >= PER_CATALOGUE:
                    break
            size += taken
            if size >= budget:
                break
        with gzip.GzipFile(os.path.join(out_dir, language + ".txt.gz"), "wb", 9, mtime=0) as out:
            out.write(("\n".join(lines) + "\n").encode())
        print(language, len(lines), size)


main(sys.argv[1] if len(sys.argv) > 1 else "tests/native/samples")
