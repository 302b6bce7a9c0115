#!/usr/bin/env python3
"""Makes the package a user downloads: one ZIP file whose entries all lie in
one folder, so that extracting it "here" makes that folder and nothing else.

Names are written as the Windows of a Japanese user reads them: in code page
932, without the UTF-8 flag (general purpose bit 11), which the ZIP folder of
Windows 7 and 8 and older Japanese extractors ignore, reading every name in
the system's code page. A name that is not ASCII also carries Info-ZIP's
Unicode path extra field (0x7075): the name in UTF-8 with the CRC-32 of its
code page 932 form, for the extractors that read names in UTF-8.

    make_package.py OUT.zip FOLDER FILE...

Each FILE goes into FOLDER/ under its own name, compressed, with its own
modification time.
"""

import collections
import os
import struct
import sys
import time
import zlib

UNICODE_PATH_FIELD = 0x7075
# Version 2.0 of the format, made on MS-DOS: names in the system's code page.
VERSION = 20
DIRECTORY_ATTRIBUTE = 0x10
ARCHIVE_ATTRIBUTE = 0x20

# name: the bytes written; extra: the extra field; date_time: as time.localtime's first six.
Entry = collections.namedtuple("Entry", "name extra data date_time")


def unicode_path_field(raw_name, name):
    body = struct.pack("<BI", 1, zlib.crc32(raw_name)) + name.encode("utf-8")
    return struct.pack("<HH", UNICODE_PATH_FIELD, len(body)) + body


def named_entry(name, data, date_time):
    """The entry for name as Windows reads it; a name ending in "/" is a folder."""
    raw_name = name.encode("cp932")
    extra = b"" if name.isascii() else unicode_path_field(raw_name, name)
    return Entry(raw_name, extra, data, date_time)


def dos_date_time(date_time):
    year, month, day, hour, minute, second = date_time[:6]
    return (max(year, 1980) - 1980) << 9 | month << 5 | day, hour << 11 | minute << 5 | second // 2


def write_zip(path, entries):
    body = bytearray()
    directory = bytearray()
    for entry in entries:
        folder = entry.name.endswith(b"/")
        if folder:
            method, packed = 0, b""
        else:
            compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
            method, packed = 8, compressor.compress(entry.data) + compressor.flush()
        date, clock = dos_date_time(entry.date_time)
        fields = struct.pack("<HHHHHIII", VERSION, 0, method, clock, date, zlib.crc32(entry.data), len(packed), len(entry.data))
        offset = len(body)
        body += struct.pack("<I", 0x04034B50) + fields + struct.pack("<HH", len(entry.name), len(entry.extra))
        body += entry.name + entry.extra + packed
        attributes = DIRECTORY_ATTRIBUTE if folder else ARCHIVE_ATTRIBUTE
        directory += struct.pack("<IH", 0x02014B50, VERSION) + fields
        directory += struct.pack("<HHHHHII", len(entry.name), len(entry.extra), 0, 0, 0, attributes, offset)
        directory += entry.name + entry.extra
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory), len(body), 0)
    with open(path, "wb") as out:
        out.write(body + directory + end)


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    target, folder, files = argv[1], argv[2], argv[3:]
    entries = [named_entry(folder + "/", b"", time.localtime())]
    for path in files:
        with open(path, "rb") as source:
            data = source.read()
        entries.append(named_entry(folder + "/" + os.path.basename(path), data, time.localtime(os.path.getmtime(path))))
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    write_zip(target, entries)


if __name__ == "__main__":
    main(sys.argv)
