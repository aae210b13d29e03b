#!/usr/bin/env python3
"""RAR 4 archives in the "store" method (no compression), written from the format's public
description, for the local library servers and the tests.

    python3 tools/rar4_store.py OUT.rar FILE...            entries named after the files
    python3 tools/rar4_store.py OUT.rar NAME=FILE...       entries under names of their own
    python3 tools/rar4_store.py OUT.rar --empty NAME       an empty entry (repeatable)

Each entry keeps its file's Unix mode (an executable stays executable); a symbolic link
becomes a link entry whose bytes are its target.

An archive is the marker block, the archive header, one file header followed by the entry's
bytes per entry, and the end-of-archive block. Every block header carries the low 16 bits of
the CRC-32 of its bytes after the CRC field; a file header also carries the CRC-32 of the
entry's bytes. Names are written as given ("../x" and "/etc/x" included: the tests need
archives whose entries try to leave the target folder); a name with characters outside ASCII
gets the Unicode name field as well. Folders in a name are separated by "/" or a backslash;
the archive stores a backslash between them, as RAR archives do (readers turn it back into
their own separator). Entries of 4 GiB and more get the 64-bit size fields.

Module use:
    write_archive(path, [Entry(name, data=b"..."), Entry(name, size=N, chunks=iterable)])
The output must be seekable: a streamed entry's header is written first and rewritten with the
CRC once its bytes have gone by, so an archive of any size needs no more memory than one chunk.
"""
import os
import stat
import struct
import sys
import time
import zlib

MARKER = b"Rar!\x1a\x07\x00"

HEAD_ARCHIVE = 0x73
HEAD_FILE = 0x74
HEAD_END = 0x7B

FLAG_ADD_SIZE = 0x8000      # a data area follows the header; always set on file headers
FLAG_LARGE = 0x0100         # 64-bit packed and unpacked sizes
FLAG_UNICODE = 0x0200       # the name field holds an ASCII name, a zero byte and a Unicode name
FLAG_DIRECTORY = 0x00E0     # the dictionary bits all set mark a folder entry
END_FLAG_NEXT_VOLUME_NONE = 0x4000

HOST_UNIX = 3
METHOD_STORE = 0x30
VERSION_NEEDED = 20         # 2.0: enough for stored entries

MODE_FILE = 0o100644
MODE_DIRECTORY = 0o040755


def _crc16(header_after_crc):
    return zlib.crc32(header_after_crc) & 0xFFFF


def _block(head_type, flags, body):
    """A block header: CRC, type, flags, size, then the body fields."""
    size = 7 + len(body)
    after_crc = struct.pack("<BHH", head_type, flags, size) + body
    return struct.pack("<H", _crc16(after_crc)) + after_crc


def dos_time(seconds):
    """The MS-DOS date and time of a moment (local time, two-second steps, 1980 at least)."""
    t = time.localtime(seconds)
    year = max(t.tm_year, 1980)
    return ((year - 1980) << 25 | t.tm_mon << 21 | t.tm_mday << 16 |
            t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec // 2)


def unicode_name_field(name):
    """The Unicode name field: an ASCII stand-in, a zero byte, then the name's UTF-16 code units,
    each written whole (two bytes, low first), announced two bits per unit in flag bytes."""
    units = []
    for ch in name:
        encoded = ch.encode("utf-16-le")
        units += [encoded[i:i + 2] for i in range(0, len(encoded), 2)]
    stand_in = name.encode("ascii", "replace")
    out = bytearray(stand_in + b"\0")
    out.append(0)  # the high byte the other unit forms would use; unused here
    for start in range(0, len(units), 4):
        group = units[start:start + 4]
        flags = 0
        for i in range(len(group)):
            flags |= 2 << (6 - 2 * i)   # "two bytes follow" for each unit of the group
        out.append(flags)
        for unit in group:
            out += unit
    return bytes(out)


class Entry:
    """One entry: a name and either its bytes or its size and an iterable of byte chunks; mode
    is the Unix mode stored (default 0o100644, a folder 0o040755; 0o100755 an executable,
    0o120777 a symbolic link whose bytes are its target)."""

    def __init__(self, name, data=None, size=None, chunks=None, mtime=None, directory=False, mode=None):
        self.name = name
        self.directory = directory
        self.mode = mode
        self.mtime = time.time() if mtime is None else mtime
        if directory:
            self.size, self.chunks = 0, ()
        elif data is not None:
            self.size, self.chunks = len(data), (data,)
        else:
            if size is None or chunks is None:
                raise ValueError("an entry needs data, or a size and chunks")
            self.size, self.chunks = size, chunks


def stored_name(name):
    return name.replace("/", "\\")


def file_header(entry, crc):
    name = stored_name(entry.name)
    try:
        name_field = name.encode("ascii")
        flags = FLAG_ADD_SIZE
    except UnicodeEncodeError:
        name_field = unicode_name_field(name)
        flags = FLAG_ADD_SIZE | FLAG_UNICODE
    if entry.directory:
        flags |= FLAG_DIRECTORY
    large = entry.size >= 1 << 32
    if large:
        flags |= FLAG_LARGE
    body = struct.pack("<IIBIIBBHI",
                       entry.size & 0xFFFFFFFF,     # packed size: stored, so the same
                       entry.size & 0xFFFFFFFF,     # unpacked size
                       HOST_UNIX,
                       crc,
                       dos_time(entry.mtime),
                       VERSION_NEEDED,
                       METHOD_STORE,
                       len(name_field),
                       entry.mode if entry.mode is not None
                       else MODE_DIRECTORY if entry.directory else MODE_FILE)
    if large:
        body += struct.pack("<II", entry.size >> 32, entry.size >> 32)
    body += name_field
    return _block(HEAD_FILE, flags, body)


def write_entries(out, entries):
    """Writes the archive to a seekable binary stream."""
    out.write(MARKER)
    out.write(_block(HEAD_ARCHIVE, 0, struct.pack("<HI", 0, 0)))
    for entry in entries:
        at = out.tell()
        out.write(file_header(entry, 0))
        crc, written = 0, 0
        for chunk in entry.chunks:
            crc = zlib.crc32(chunk, crc)
            written += len(chunk)
            out.write(chunk)
        if written != entry.size:
            raise ValueError("entry %r: %d bytes announced, %d given" % (entry.name, entry.size, written))
        end = out.tell()
        out.seek(at)
        out.write(file_header(entry, crc))   # same length: only the CRC fields change
        out.seek(end)
    out.write(_block(HEAD_END, END_FLAG_NEXT_VOLUME_NONE, b""))


def write_archive(path, entries):
    """Writes the archive to path through a temporary file renamed over it."""
    temporary = "%s.%d.tmp" % (path, os.getpid())
    try:
        with open(temporary, "wb") as out:
            write_entries(out, entries)
        os.replace(temporary, path)
    finally:
        if os.path.exists(temporary):
            os.remove(temporary)


def file_chunks(path, block=1 << 20):
    with open(path, "rb") as f:
        while True:
            chunk = f.read(block)
            if not chunk:
                return
            yield chunk


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    target, entries, i = argv[0], [], 1
    while i < len(argv):
        arg = argv[i]
        if arg == "--empty" and i + 1 < len(argv):
            entries.append(Entry(argv[i + 1], data=b""))
            i += 2
            continue
        name, sep, path = arg.partition("=")
        if not sep:
            name, path = os.path.basename(arg), arg
        info = os.lstat(path)
        if stat.S_ISLNK(info.st_mode):
            entries.append(Entry(name, data=os.fsencode(os.readlink(path)), mtime=info.st_mtime,
                                 mode=stat.S_IFLNK | 0o777))
        elif os.path.isdir(path):
            entries.append(Entry(name, directory=True, mtime=os.path.getmtime(path)))
        else:
            entries.append(Entry(name, size=os.path.getsize(path), chunks=file_chunks(path),
                                 mtime=os.path.getmtime(path), mode=stat.S_IFREG | stat.S_IMODE(info.st_mode)))
        i += 1
    write_archive(target, entries)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
