#!/usr/bin/env python3
"""Puts Debian's detectors beside ours on the pieces detector_bench writes:
  build/native/bench/native/detector_bench /tmp/pieces.txt
  python3 bench/detector_peers.py /tmp/pieces.txt
Each peer chooses between UTF-8 and code page 932 only: charset-normalizer
told to consider those two (its best match; when it finds none, UTF-8 if the
bytes are UTF-8, else CP932), and uchardet (libuchardet0, one answer: UTF-8
or ASCII is UTF-8, SHIFT_JIS or CP932 is CP932, anything else goes as for
charset-normalizer). A piece is misread when the choice is the wrong one, or,
for EUC-JP, when the chosen encoding decodes it without error."""
import ctypes
import logging
import sys

import charset_normalizer

logging.disable(logging.CRITICAL)
LENGTHS = ["lines", "20 bytes", "100 bytes", "1 KB"]


def fallback(data):
    try:
        data.decode("utf-8")
        return "UTF-8"
    except UnicodeDecodeError:
        return "CP932"


def normalizer(data):
    best = charset_normalizer.from_bytes(data, cp_isolation=["utf_8", "cp932"]).best()
    if best is None:
        return fallback(data)
    return "UTF-8" if best.encoding == "utf_8" else "CP932"


uchardet_library = ctypes.CDLL("libuchardet.so.0")
uchardet_library.uchardet_new.restype = ctypes.c_void_p
uchardet_library.uchardet_get_charset.restype = ctypes.c_char_p
uchardet_library.uchardet_get_charset.argtypes = [ctypes.c_void_p]
uchardet_library.uchardet_handle_data.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_size_t]
uchardet_library.uchardet_data_end.argtypes = [ctypes.c_void_p]
uchardet_library.uchardet_delete.argtypes = [ctypes.c_void_p]


def uchardet(data):
    handle = uchardet_library.uchardet_new()
    uchardet_library.uchardet_handle_data(handle, data, len(data))
    uchardet_library.uchardet_data_end(handle)
    name = uchardet_library.uchardet_get_charset(handle).decode().upper()
    uchardet_library.uchardet_delete(handle)
    if name in ("UTF-8", "ASCII"):
        return "UTF-8"
    if name in ("SHIFT_JIS", "CP932", "WINDOWS-31J"):
        return "CP932"
    return fallback(data)


def misread(choice, expected, data):
    if expected != "EUC-JP":
        return choice != expected
    try:
        data.decode("utf-8" if choice == "UTF-8" else "cp932")
        return True
    except UnicodeDecodeError:
        return False


PEERS = [("ours", None), ("charset-normalizer " + charset_normalizer.__version__, normalizer), ("uchardet", uchardet)]


def main(path):
    rows = []
    for line in open(path):
        fields = line.rstrip("\n").split("\t")
        if fields[0] == "text":
            rows.append((fields[1], fields[2], [[[0, 0] for _ in LENGTHS] for _ in PEERS]))
            continue
        length, ours, data = int(fields[0]), fields[1] == "1", bytes.fromhex(fields[2])
        name, expected, counts = rows[-1]
        for p, (_, detect) in enumerate(PEERS):
            wrong = ours if detect is None else misread(detect(data), expected, data)
            counts[p][length][0] += wrong
            counts[p][length][1] += 1
    print("| text | detector | " + " | ".join(LENGTHS) + " |")
    print("|---|---|" + "---|" * len(LENGTHS))
    for name, _, counts in rows:
        for p, (peer, _) in enumerate(PEERS):
            cells = ["%d / %d (%.2f%%)" % (m, n, 100.0 * m / n if n else 0) for m, n in counts[p]]
            print("| %s | %s | %s |" % (name if p == 0 else "", peer, " | ".join(cells)))


main(sys.argv[1])
