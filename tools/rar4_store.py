#!/usr/bin/env python3
"""A minimal writer of RAR 4 archives in the "store" method, for the update archive the local
library servers offer. ASCII entry names only, written as given (the tests need names such as
"../x" that try to leave the target folder).

    write_entries(seekable_stream, [Entry("a.txt", data=b"..."), Entry("docs", directory=True)])
    write_archive(path, entries)

Layout: the marker block, the archive header, per entry a file header and its bytes, the end
block. Each block header starts with the low 16 bits of the CRC-32 of the header bytes after
that field; a file header also holds the CRC-32 of the entry's bytes.
"""
import os
import struct
import time
import zlib

MARKER = b"Rar!\x1a\x07\x00"


class Entry:
    def __init__(self, name, data=b"", directory=False, mtime=None):
        self.name = name
        self.data = b"" if directory else data
        self.directory = directory
        self.mtime = time.time() if mtime is None else mtime


def _block(head_type, flags, body):
    after_crc = struct.pack("<BHH", head_type, flags, 7 + len(body)) + body
    return struct.pack("<H", zlib.crc32(after_crc) & 0xFFFF) + after_crc


def _dos_time(seconds):
    t = time.localtime(seconds)
    return ((max(t.tm_year, 1980) - 1980) << 25 | t.tm_mon << 21 | t.tm_mday << 16 |
            t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec // 2)


def _file_header(entry):
    name = entry.name.encode("ascii")
    flags = 0x8000 | (0x00E0 if entry.directory else 0)   # data follows; E0 marks a folder
    body = struct.pack("<IIBIIBBHI", len(entry.data), len(entry.data), 3,  # host: Unix
                       zlib.crc32(entry.data), _dos_time(entry.mtime), 20, 0x30,  # store
                       len(name), 0o040755 if entry.directory else 0o100644) + name
    return _block(0x74, flags, body)


def write_entries(out, entries):
    out.write(MARKER)
    out.write(_block(0x73, 0, struct.pack("<HI", 0, 0)))
    for entry in entries:
        out.write(_file_header(entry))
        out.write(entry.data)
    out.write(_block(0x7B, 0x4000, b""))


def write_archive(path, entries):
    temporary = "%s.%d.tmp" % (path, os.getpid())
    with open(temporary, "wb") as out:
        write_entries(out, entries)
    os.replace(temporary, path)
