#!/usr/bin/python3
"""Local stand-ins for the KMLB library's demo audio server, product web site and FTP download
server.

Starts two HTTP servers and an FTP server (pyftpdlib) on 127.0.0.1, writes HOME/servers.ini
pointing the program at them, and prints the endpoints (stdout, one per line, flushed):

    demo1=http://127.0.0.1:P/s1/audio/
    demo2=http://127.0.0.1:P/s2/audio/
    web=http://127.0.0.1:Q/
    ftp=ftp://127.0.0.1:R/
    ftp_login=demo
    ftp_password=demo
    servers_ini=HOME/servers.ini
    ready

    python3 tools/library_servers.py --home DIR [--catalogue DIR] [--audio-cache DIR]
                                     [--max-tracks N] [--port-base N] [--max-seconds S]
                                     [--update-version V] [--update-kind KIND] [--verbose]
                                     [--ftp-account LOGIN:PASSWORD[:CREDIT[:MODE[:CODES]]]]...
                                     [--ftp-big-mb N] [--ftp-tls PEM]

pyftpdlib comes with Debian's python3 (package python3-pyftpdlib); another python3 found first
on the PATH hands the script over to /usr/bin/python3 when it lacks the module.

Demo audio server (both bases serve the same files): BASE + KMLB_ccc/KMLB_ccc_ttt.mp3 for
every track of the catalogue's titles table. Each file is a real MP3, a sine tone whose pitch
follows the track number (semitone steps over two octaves from 220 Hz), written as WAV and
encoded with `lame --quiet -b 64`; files are made on first request and cached. Deliberate
faults, by track number ttt:
  - ttt % 20 == 7  (007, 027, 047, ...): missing, 404;
  - ttt % 20 == 13 (013, 033, 053, ...): a 0.6 s file, shorter than 10,000 bytes;
  - every other track: a 3 s file of about 24,000 bytes.
Only the first --max-tracks tracks of the titles table have audio; later tracks, unknown codes
and every other path are 404. GET and HEAD, Content-Length, and single "Range: bytes=" ranges
(206 / 416) are supported, so media players can stream.

Product web site:
  /top.txt          100 track codes (fewer in a small catalogue), one per line, CR LF, drawn
                    with a fixed seed, most popular first
  /update.html      META NAME / CONTENT lines tvProduct, tvVersion, tvDownload, tvClientSideName,
                    tvRedirection, tvRunParameters, tvAuthor, tvEmail; tvVersion is
                    --update-version (default "1.0.0.0", older than any release: no update)
  /tv/trakvella_update.rar   the update archive (tvDownload), by --update-kind:
                    good      RAR 4 "store", over 1,000,000 bytes: trakvella-update.txt ("Trakvella
                              update VERSION"), docs/changes.txt and data/update.bin
                    small     a good RAR of exactly 999,999 bytes
                    notrar    1,200,000 bytes that are no archive
                    traversal a good RAR that also holds "../escaped.txt"
                    short     the good archive's length announced, half of it sent, then closed
                    program   the good archive with an executable "trakvella" first, a script that
                              writes "new" and its arguments into "restarted" beside itself
  /control/update/VERSION/KIND[/NAME]   offers VERSION with an archive of KIND from now on, named
                    NAME by tvClientSideName (default trakvella_update.rar; plain "ok")
  /silent/...       no answer for a minute (a site that keeps the program waiting), then 404
  /tv/              the demo download page (opened as /tv/#tvdownload)
  /how_to_buy/      the subscription page (opened as /how_to_buy/#buypodpiska)
  /KMLB_ccc, /KMLB_ccc_ttt   a page of each CD and track of the catalogue
Any other path is 404.

The catalogue is --catalogue DIR, else HOME/catalogue when it holds TEXT/KMLB_XLS.txt (the
program reads that folder too), else the repository's resources/ folder. The audio cache is
--audio-cache DIR, default HOME/.demo-cache; its files end in ".cache", never ".mp3", so the
program's scan of its folder for local audio files does not take them for tracks.

FTP download server: see the comment at its code ("FTP download server"); the web log of each
login is served by the web site under /Web%20Client/Serv-U-Log/LOGIN.log. With --ftp-tls PEM
(a certificate and its key in one PEM file) it offers TLS (AUTH TLS, explicit FTPS) with that
certificate, and servers.ini names the file as FtpCaFile, so the program trusts it.

servers.ini is written atomically with DemoServer1, DemoServer2, WebSite, FtpHost, FtpPort,
ServerLogPort (the web log's HTTP port) and, with --ftp-tls, FtpCaFile; other keys already in
the file (ServerLogPath) are kept. The servers stop on SIGTERM or SIGINT, when the parent process ends, and after
--max-seconds (0 = no limit).
"""
import argparse
import array
import html
import io
import itertools
import math
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import threading
import time
import wave
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

import rar4_store

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

FULL_SECONDS = 3.0
SHORT_SECONDS = 0.6
SAMPLE_RATE = 44100
TOP_COUNT = 100
TOP_SEED = 20240611

MISSING_RULE = "track number % 20 == 7 (007, 027, ...): missing (404)"
SHORT_RULE = "track number % 20 == 13 (013, 033, ...): shorter than 10,000 bytes"

TRACK_CODE = re.compile(r"^KMLB_\d{3}_\d{3}$")
CD_CODE = re.compile(r"^KMLB_\d{3}$")
DEMO_PATH = re.compile(r"^/s[12]/audio/(KMLB_\d{3})/(KMLB_\d{3}_\d{3})\.mp3$")


# --- Catalogue -------------------------------------------------------------------------------

class Catalogue:
    """Track codes and titles, and CD titles, from a titles table (KMLB_XLS)."""

    def __init__(self, folder):
        path = os.path.join(folder, "TEXT", "KMLB_XLS.txt")
        with open(path, "rb") as f:
            text = f.read().split(b"\0", 1)[0].decode("cp1251", errors="replace")
        self.tracks = []       # [(code, title)] in table order
        self.track_titles = {}
        self.cd_titles = {}    # code -> display text "KMLB_ccc Title"
        for line in text.replace("\r\n", "\n").split("\n"):
            if line.startswith("\u00ae"):
                break
            name, sep, value = line.partition("=")
            if not sep:
                continue
            if len(line) > 12 and line[12] == "=" and TRACK_CODE.match(name):
                title = value.split("\t", 1)[0].strip()
                if name not in self.track_titles:
                    self.tracks.append((name, title))
                self.track_titles[name] = title
            elif CD_CODE.match(name):
                self.cd_titles[name] = value.strip()


def find_catalogue(args):
    if args.catalogue:
        return args.catalogue
    own = os.path.join(args.home, "catalogue")
    if os.path.isfile(os.path.join(own, "TEXT", "KMLB_XLS.txt")):
        return own
    return os.path.join(REPO, "resources")


# --- Demo audio ------------------------------------------------------------------------------

def track_kind(code):
    """'missing', 'short' or 'full' for a track code, by its track number."""
    number = int(code[9:12])
    if number % 20 == 7:
        return "missing"
    if number % 20 == 13:
        return "short"
    return "full"


def tone_frequency(code):
    return 220.0 * 2.0 ** ((int(code[9:12]) % 24) / 12.0)


def wav_bytes(frequency, seconds):
    """A mono 16-bit WAV of a sine tone with 20 ms fades (no clicks)."""
    count = int(SAMPLE_RATE * seconds)
    fade = int(SAMPLE_RATE * 0.02)
    step = 2.0 * math.pi * frequency / SAMPLE_RATE
    samples = array.array("h", bytes(2 * count))
    for i in range(count):
        gain = min(1.0, i / fade, (count - 1 - i) / fade)
        samples[i] = int(9000 * gain * math.sin(step * i))
    if sys.byteorder != "little":
        samples.byteswap()
    out = io.BytesIO()
    with wave.open(out, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(SAMPLE_RATE)
        w.writeframes(samples.tobytes())
    return out.getvalue()


class DemoAudio:
    """Makes and caches the MP3 of each track that has audio."""

    def __init__(self, catalogue, cache_folder, max_tracks):
        self.cache_folder = cache_folder
        tracks = catalogue.tracks if max_tracks is None else catalogue.tracks[:max_tracks]
        self.with_audio = {code for code, _ in tracks if track_kind(code) != "missing"}
        self.lame = shutil.which("lame")
        self._locks = {}
        self._locks_guard = threading.Lock()

    def _lock_for(self, code):
        with self._locks_guard:
            return self._locks.setdefault(code, threading.Lock())

    def mp3(self, code):
        """The file's bytes, or None when the track has no audio."""
        if code not in self.with_audio:
            return None
        return self.tone(code, "short" if track_kind(code) == "short" else "full")

    def tone(self, code, kind):
        """The MP3 of a track's tone, FULL_SECONDS long ("full") or SHORT_SECONDS ("short")."""
        seconds = SHORT_SECONDS if kind == "short" else FULL_SECONDS
        folder = os.path.join(self.cache_folder, code[:8])
        path = os.path.join(folder, "%s.%s.cache" % (code, kind))
        with self._lock_for(code):
            try:
                with open(path, "rb") as f:
                    return f.read()
            except OSError:
                pass
            if not self.lame:
                raise RuntimeError("the lame encoder is not installed")
            result = subprocess.run([self.lame, "--quiet", "-b", "64", "-", "-"],
                                    input=wav_bytes(tone_frequency(code), seconds),
                                    stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
            if result.returncode != 0 or not result.stdout:
                raise RuntimeError("lame failed: " + result.stderr.decode(errors="replace"))
            data = result.stdout
            try:
                os.makedirs(folder, exist_ok=True)
                temporary = "%s.%d.part" % (path, threading.get_ident())
                with open(temporary, "wb") as f:
                    f.write(data)
                os.replace(temporary, path)
            except OSError:
                pass  # an unwritable cache only costs speed
            return data


# --- Web site --------------------------------------------------------------------------------

def page(title, body_html):
    return ("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%s</title></head>\n"
            "<body><h1>%s</h1>\n%s\n</body></html>\n"
            % (html.escape(title), html.escape(title), body_html)).encode("utf-8")


def top_list(catalogue):
    codes = [code for code, _ in catalogue.tracks]
    chosen = random.Random(TOP_SEED).sample(codes, min(TOP_COUNT, len(codes)))
    return "".join(code + "\r\n" for code in chosen).encode("ascii")


UPDATE_KINDS = ("good", "small", "notrar", "traversal", "short", "program")
UPDATE_PATH = "/tv/trakvella_update.rar"
UPDATE_NAME = "trakvella_update.rar"
CONTROL_UPDATE = re.compile(r"^/control/update/([A-Za-z0-9._-]+)/([a-z]+)(?:/([A-Za-z0-9._-]+))?$")
PROGRAM_FILE = b'#!/bin/sh\necho new "$@" > "$(dirname "$0")/restarted"\n'


def update_archive(version, kind):
    """(bytes, bytes to send or None) of the update archive of a kind."""
    import rar4_store  # tools/: the RAR 4 "store" writer

    def rar(entries):
        out = io.BytesIO()
        rar4_store.write_entries(out, entries)
        return out.getvalue()

    if kind == "notrar":
        return (b"This is not an archive.\n" * 50000)[:1200000], None
    marker = ("Trakvella update %s\n" % version).encode("ascii")
    program = [rar4_store.Entry("trakvella", data=PROGRAM_FILE, mode=0o100755)] if kind == "program" else []
    entries = program + [rar4_store.Entry("trakvella-update.txt", data=marker),
               rar4_store.Entry("docs", directory=True),
               rar4_store.Entry("docs/changes.txt", data=b"Changes of " + marker)]
    if kind == "traversal":
        entries.append(rar4_store.Entry("../escaped.txt", data=b"outside\n"))
    padding = bytes(random.Random(version).getrandbits(8) for _ in range(256)) * 3907
    if kind == "small":
        overhead = len(rar(entries + [rar4_store.Entry("data/update.bin", data=b"")]))
        padding = padding[:999999 - overhead]
    data = rar(entries + [rar4_store.Entry("data/update.bin", data=padding)])
    return data, (len(data) // 2 if kind == "short" else None)


def update_page(web, version, client_name=UPDATE_NAME):
    fields = [
        ("tvProduct", "Trakvella"),
        ("tvVersion", version),
        ("tvDownload", web + "tv/trakvella_update.rar"),
        ("tvClientSideName", client_name),
        ("tvRedirection", ""),
        ("tvRunParameters", ""),
        ("tvAuthor", "KMLB library"),
        ("tvEmail", "support@kmlb-library.example"),
    ]
    lines = ["<html><head><title>Trakvella update</title>"]
    lines += ['<META NAME="%s" CONTENT="%s">' % (name, value) for name, value in fields]
    lines += ["</head><body><p>Trakvella %s</p></body></html>" % html.escape(version)]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


class WebSite:
    def __init__(self, catalogue, update_version, update_kind="good"):
        self.catalogue = catalogue
        self.update_version = update_version
        self.update_kind = update_kind
        self.update_name = UPDATE_NAME
        self.base = ""       # set once the server has its port
        self.ftp = None      # the download server's library, for its web log
        self._top = top_list(catalogue)

    def answer(self, path):
        """(content type, bytes) for a path, or None for 404."""
        for prefix in LOG_PATHS:
            if self.ftp is not None and path.startswith(prefix) and path.endswith(".log"):
                log = self.ftp.web_log(path[len(prefix):-len(".log")])
                return None if log is None else ("text/plain; charset=us-ascii", log.encode("utf-8"))
        if path.startswith("/silent/"):
            time.sleep(60)
            return None
        if path == "/top.txt":
            return "text/plain; charset=us-ascii", self._top
        if path == "/update.html":
            return "text/html; charset=us-ascii", update_page(self.base, self.update_version, self.update_name)
        if path == UPDATE_PATH:
            data, cut = update_archive(self.update_version, self.update_kind)
            return "application/x-rar-compressed", data, cut
        control = CONTROL_UPDATE.match(path)
        if control and control.group(2) in UPDATE_KINDS:
            self.update_version, self.update_kind = control.group(1), control.group(2)
            self.update_name = control.group(3) or UPDATE_NAME
            return "text/plain; charset=us-ascii", b"ok\n"
        if path in ("/tv/", "/tv"):
            return "text/html; charset=utf-8", page(
                "KMLB demo tracks",
                '<p><a name="tvdownload" id="tvdownload">Download the demo tracks</a></p>')
        if path in ("/how_to_buy/", "/how_to_buy"):
            return "text/html; charset=utf-8", page(
                "How to buy a subscription",
                '<p><a name="buypodpiska" id="buypodpiska">Subscriptions</a></p>')
        code = path[1:]
        if code in self.catalogue.cd_titles:
            cd = self.catalogue.cd_titles[code]
            items = "".join("<li>%s %s</li>\n" % (c, html.escape(t))
                            for c, t in self.catalogue.tracks if c.startswith(code + "_"))
            return "text/html; charset=utf-8", page(cd, "<ul>\n%s</ul>" % items)
        if code in self.catalogue.track_titles:
            title = "%s %s" % (code, self.catalogue.track_titles[code])
            cd = self.catalogue.cd_titles.get(code[:8], code[:8])
            return "text/html; charset=utf-8", page(title, "<p>%s</p>" % html.escape(cd))
        return None


# --- HTTP ------------------------------------------------------------------------------------

RANGE = re.compile(r"^bytes=(\d*)-(\d*)$")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "KMLBLibrary/1.0"
    verbose = False

    def log_message(self, format, *args):
        if self.verbose:
            sys.stderr.write("%s %s\n" % (self.server.name, format % args))

    def do_GET(self):
        self.answer(send_body=True)

    def do_HEAD(self):
        self.answer(send_body=False)

    def answer(self, send_body):
        path = self.path.split("?", 1)[0].split("#", 1)[0]
        try:
            found = self.server.lookup(path)
        except Exception as error:  # noqa: BLE001 - reported to the client, server goes on
            sys.stderr.write("library_servers: %s: %s\n" % (path, error))
            self.send_error(500, str(error))
            return
        if found is None:
            self.send_error(404)
            return
        self.send_data(*found[:2], send_body, found[2] if len(found) > 2 else None)

    def send_data(self, content_type, data, send_body, cut=None):
        """Sends data; with cut, only its first cut bytes and the connection is closed."""
        total = len(data)
        start, end = 0, total - 1
        status = 200
        wanted = self.headers.get("Range")
        match = RANGE.match(wanted.strip()) if wanted else None
        if match and (match.group(1) or match.group(2)):
            first, last = match.group(1), match.group(2)
            if first:
                start = int(first)
                end = min(int(last), total - 1) if last else total - 1
            else:
                start = max(0, total - int(last))
            if start >= total or start > end or (not first and int(last) == 0):
                self.send_response(416)
                self.send_header("Content-Range", "bytes */%d" % total)
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            status = 206
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Accept-Ranges", "bytes")
        self.send_header("Content-Length", str(end - start + 1))
        if status == 206:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, end, total))
        self.end_headers()
        if send_body and cut is not None:
            self.close_connection = True
            self.wfile.write(data[start:min(end + 1, start + cut)])
            self.wfile.flush()
            return
        if send_body:
            try:
                self.wfile.write(data[start:end + 1])
            except (BrokenPipeError, ConnectionResetError):
                pass  # players drop streams they have seen enough of


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, port, name, lookup):
        self.name = name
        self.lookup = lookup
        super().__init__(("127.0.0.1", port), Handler)

    def handle_error(self, request, client_address):
        if Handler.verbose:
            super().handle_error(request, client_address)


# --- FTP download server ---------------------------------------------------------------------
#
# One folder per CD in the starting folder, named by the CD's title line ("KMLB_003 Промо
# эффекты"), and a file "Welcome.txt" that names no CD. Each folder holds one RAR archive per
# track, KMLB_ccc_ttt.rar, made on first use by tools/rar4_store.py from the track's tone (the
# demo audio, full length for every track) and kept under the cache. Accounts come from
# --ftp-account LOGIN:PASSWORD[:CREDIT[:MODE[:CODE,CODE...]]] (credit 25 and mode "normal" by
# default; the codes start the account's web log); the account "demo" / "demo" always exists.
#
# STAT answers a 211 reply whose lines hold " Account: LOGIN credit N, ratio none" and, after
# it, a line with a comma before the word credit (not a quota line). Every complete RETR lowers
# the credit by one and appends "KMLB_ccc_ttt.rar=DATE SIZE" to the login's web log
# (HTTP GET of /Web%20Client/Serv-U-Log/LOGIN.log on the web site's port); with no credit left
# RETR is refused (550).
#
# Modes that misbehave, for the tests:
#   refuse     the login is refused whatever the password
#   drop       RETR closes the data connection after half of the file (426)
#   stall      RETR sends 8 KiB, then nothing for 3 s, then the rest
#   empty      the starting folder lists no CD folders
#   nosize     SIZE is not implemented (502)
#   notrar     every archive is text, not a RAR archive
#   traversal  archives whose entries try to leave the target folder ("../", "/tmp/", "a/../../")
#   many       archives of 50 entries (49 text files, then the audio)
#   big        archives of one --ftp-big-mb MiB entry (default 1024); the first track's is made
#              at start, any other's when first asked (which may outlast the client's patience)
#   nocredit   STAT has no credit line
#   badcredit  STAT says "credit abc,"
#   link       archives whose last entry is a symbolic link (KMLB_ccc_ttt link.mp3 -> /etc/passwd)
#   trickle    RETR sends one byte every 0.2 s (never silent long enough for a stall time-out)
#   hugelist   the starting folder's listing runs past 5 MiB (padding lines after the real ones)

DEMO_LOGIN = "demo"
DEMO_PASSWORD = "demo"
FTP_MODES = ("normal", "refuse", "drop", "stall", "empty", "nosize", "notrar", "traversal", "many",
             "big", "nocredit", "badcredit", "trickle", "hugelist", "link")
# The modes whose archives differ from the normal ones, each with its own tree.
CONTENT_MODES = ("normal", "empty", "notrar", "traversal", "many", "big", "link")
ARCHIVE_NAME = re.compile(r"^(KMLB_\d{3}_\d{3})\.rar$")
LOG_PATHS = ("/Web%20Client/Serv-U-Log/", "/Web Client/Serv-U-Log/")
STALL_BYTES = 8192
STALL_SECONDS = 3.0
TRICKLE_SECONDS = 0.2
HUGE_LIST_BYTES = 5 << 20


class FtpAccount:
    def __init__(self, text):
        parts = text.split(":")
        if len(parts) < 2 or not parts[0] or not parts[1]:
            raise ValueError("--ftp-account wants LOGIN:PASSWORD[:CREDIT[:MODE[:CODES]]]: %r" % text)
        self.login, self.password = parts[0], parts[1]
        self.credit = int(parts[2]) if len(parts) > 2 and parts[2] else 25
        self.mode = parts[3] if len(parts) > 3 and parts[3] else "normal"
        if self.mode not in FTP_MODES:
            raise ValueError("unknown FTP account mode %r (one of %s)" % (self.mode, ", ".join(FTP_MODES)))
        codes = parts[4].split(",") if len(parts) > 4 and parts[4] else []
        self.log = ["%s.rar=2024-01-01 00:00:00 0" % code for code in codes]

    def content_mode(self):
        return self.mode if self.mode in CONTENT_MODES else "normal"


class FtpLibrary:
    """The accounts and the archive trees, shared by the FTP and the HTTP threads."""

    def __init__(self, catalogue, audio, root, big_mb, accounts):
        self.catalogue = catalogue
        self.audio = audio
        self.root = root
        self.big_bytes = big_mb << 20
        self.lock = threading.Lock()
        self.accounts = {a.login: a for a in accounts}
        self.folders = {}  # CD code -> folder name
        for code, _ in catalogue.tracks:
            cd = code[:8]
            if cd not in self.folders:
                title = catalogue.cd_titles.get(cd, "")
                name = title if title.startswith(cd) else (cd + " " + title).strip()
                self.folders[cd] = re.sub(r'[\\/:*?"<>|]', "_", name) or cd
        self.titles = dict(catalogue.track_titles)
        self._locks = {}
        for mode in CONTENT_MODES:
            home = self.home(mode)
            os.makedirs(home, exist_ok=True)
            if mode == "empty":
                continue
            for folder in self.folders.values():
                os.makedirs(os.path.join(home, folder), exist_ok=True)
            with open(os.path.join(home, "Welcome.txt"), "w", encoding="utf-8") as f:
                f.write("KMLB library download server\r\n")

    def home(self, mode):
        return os.path.join(self.root, mode)

    def stat_lines(self, account, peer):
        lines = ["211-Status for user %s:" % account.login, " Connected from %s" % peer]
        with self.lock:
            credit = account.credit
        if account.mode == "badcredit":
            lines.append(" Account: %s credit abc, ratio none" % account.login)
        elif account.mode != "nocredit":
            lines.append(" Account: %s credit %d, ratio none" % (account.login, credit))
            lines.append(" Session: 0 files up, no credit for uploads")
        lines.append("211 End of status")
        return lines

    def web_log(self, login):
        with self.lock:
            account = self.accounts.get(login)
            return None if account is None else "".join(line + "\r\n" for line in account.log)

    def has_credit(self, account):
        with self.lock:
            return account.credit > 0

    def sent(self, account, name, size):
        with self.lock:
            account.credit -= 1
            account.log.append("%s=%s %d" % (name, time.strftime("%Y-%m-%d %H:%M:%S"), size))

    # The archives, made on first use.
    def archive_path(self, mode, path):
        """The real path of an archive this tree should hold at path, or None."""
        folder, name = os.path.split(path)
        match = ARCHIVE_NAME.match(name)
        if not match or os.path.dirname(folder) != self.home(mode):
            return None
        code = match.group(1)
        if self.folders.get(code[:8]) != os.path.basename(folder) or code not in self.titles:
            return None
        return code

    def prepare(self, mode, code):
        cd = code[:8]
        if cd in self.folders:
            self.ensure(mode, os.path.join(self.home(mode), self.folders[cd], code + ".rar"))

    def ensure(self, mode, path):
        code = self.archive_path(mode, path)
        if code is None or os.path.exists(path):
            return
        with self._lock_for(path):
            if os.path.exists(path):
                return
            if mode == "notrar":
                temporary = "%s.%d.tmp" % (path, threading.get_ident())
                with open(temporary, "wb") as f:
                    f.write(b"This is not a RAR archive.\r\n" * 64)
                os.replace(temporary, path)
            else:
                rar4_store.write_archive(path, self.entries(mode, code))

    def _lock_for(self, path):
        with self.lock:
            return self._locks.setdefault(path, threading.Lock())

    def entries(self, mode, code):
        Entry = rar4_store.Entry
        name = re.sub(r'[\\/:*?"<>|]', "", "%s %s" % (code, self.titles.get(code, ""))).strip() + ".mp3"
        if mode == "big":
            block = random.Random(code).randbytes(1 << 20)
            count, rest = divmod(self.big_bytes, len(block))
            chunks = itertools.chain(itertools.repeat(block, count), [block[:rest]] if rest else [])
            return [Entry(code + " big.wav", size=self.big_bytes, chunks=chunks)]
        audio = self.audio.tone(code, "full")
        if mode == "traversal":
            note = b"This file tried to leave the folder.\r\n"
            return [Entry("../%s escape.txt" % code, data=note),
                    Entry("/tmp/%s escape.txt" % code, data=note),
                    Entry("a/../../%s escape.txt" % code, data=note),
                    Entry("../../%s.mp3" % code, data=audio)]
        if mode == "link":
            return [Entry(name, data=audio), Entry("%s link.mp3" % code, data=b"/etc/passwd", mode=0o120777)]
        if mode == "many":
            return ([Entry("%s part %02d.txt" % (code, n), data=("part %d\r\n" % n).encode("ascii"))
                     for n in range(1, 50)] + [Entry(name, data=audio)])
        return [Entry(name, data=audio)]


def make_ftp_server(library, port, tls_pem=None):
    from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
    from pyftpdlib.filesystems import AbstractedFS
    from pyftpdlib.handlers import DTPHandler, FTPHandler
    from pyftpdlib.servers import FTPServer
    if tls_pem:
        # pyftpdlib's TLS handlers (they need pyOpenSSL, python3-openssl).
        from pyftpdlib.handlers import TLS_DTPHandler as DTPHandler, TLS_FTPHandler as FTPHandler

    class Authorizer(DummyAuthorizer):
        def validate_authentication(self, username, password, handler):
            account = library.accounts.get(username)
            if account is None or account.password != password or account.mode == "refuse":
                raise AuthenticationFailed("Authentication failed.")

    class LibraryFS(AbstractedFS):
        """The account's tree; archives are made when first touched."""

        def _mode(self):
            return self.cmd_channel.account.content_mode()

        def _ensure(self, path):
            library.ensure(self._mode(), path)

        def format_list(self, basedir, listing, ignore_err=True):
            yield from super().format_list(basedir, listing, ignore_err)
            if self.cmd_channel.account.mode == "hugelist" and basedir == library.home(self._mode()):
                line = b"-rw-r--r--   1 owner    group           0 Jan 01 00:00 padding %08d " + b"x" * 40 + b"\r\n"
                for n in range(HUGE_LIST_BYTES // len(line % 0) + 1):
                    yield line % n

        def listdir(self, path):
            names = super().listdir(path)
            if os.path.dirname(path) == library.home(self._mode()):
                cd = os.path.basename(path)[:8]
                for code in sorted(c for c in library.titles if c.startswith(cd + "_")):
                    if code + ".rar" not in names:
                        names.append(code + ".rar")
            return names

        def open(self, filename, mode):
            self._ensure(filename)
            return super().open(filename, mode)

        def isfile(self, path):
            self._ensure(path)
            return super().isfile(path)

        def getsize(self, path):
            self._ensure(path)
            return super().getsize(path)

        def stat(self, path):
            self._ensure(path)
            return super().stat(path)

        def lstat(self, path):
            self._ensure(path)
            return super().lstat(path)

        def lexists(self, path):
            self._ensure(path)
            return super().lexists(path)

    class LibraryDTP(DTPHandler):
        """Sends as asked, except for the accounts that drop or stall their transfers."""

        def _account_mode(self):
            account = getattr(self.cmd_channel, "account", None)
            return account.mode if account else "normal"

        def readable(self):
            # curl starts a data connection's TLS handshake before it sends the transfer's command;
            # pyftpdlib would take those first bytes for the client going away.
            if getattr(self, "_ssl_accepting", False):
                return True
            return super().readable()

        def use_sendfile(self):
            return self._account_mode() not in ("drop", "stall", "trickle") and super().use_sendfile()

        def send(self, data):
            mode = self._account_mode()
            if getattr(self, "_dropping", False):
                return 0
            if mode == "trickle" and self.file_obj is not None:
                sent = super().send(data[:1])
                self.del_channel()
                self.ioloop.call_later(TRICKLE_SECONDS, lambda: self.add_channel(events=self.ioloop.WRITE),
                                       _errback=self.handle_error)
                return sent
            if mode == "drop" and self.file_obj is not None:
                half = os.fstat(self.file_obj.fileno()).st_size // 2
                if self.tot_bytes_sent + len(data) >= half:
                    sent = super().send(data[:max(1, half - self.tot_bytes_sent)])
                    # Nothing more is written; the connection closes a moment later.
                    self._dropping = True
                    self.del_channel()
                    self.ioloop.call_later(0.05, self._drop, _errback=self.handle_error)
                    return sent
            if mode == "stall" and self.file_obj is not None and not getattr(self, "_stalled", False):
                if self.tot_bytes_sent + len(data) > STALL_BYTES:
                    data = data[:max(1, STALL_BYTES - self.tot_bytes_sent)]
                    sent = super().send(data)
                    self._stalled = True
                    self.del_channel()
                    self.ioloop.call_later(STALL_SECONDS, lambda: self.add_channel(events=self.ioloop.WRITE),
                                           _errback=self.handle_error)
                    return sent
            return super().send(data)

        def _drop(self):
            self._resp = ("426 Connection closed; transfer aborted.", lambda *_: None)
            self.transfer_finished = False
            self.close()

    class Handler(FTPHandler):
        abstracted_fs = LibraryFS
        dtp_handler = LibraryDTP
        banner = "KMLB library download server ready."
        auth_failed_timeout = 0.2  # a refused login answers at once, for the tests
        account = None

        def on_login(self, username):
            self.account = library.accounts[username]

        def ftp_STAT(self, path):
            if path or not self.authenticated:
                return super().ftp_STAT(path)
            lines = library.stat_lines(self.account, "%s:%s" % (self.remote_ip, self.remote_port))
            self.push("".join(line + "\r\n" for line in lines[:-1]))
            self.respond(lines[-1])

        def ftp_SIZE(self, path):
            if self.account.mode == "nosize":
                self.respond("502 Command not implemented.")
                return
            return super().ftp_SIZE(path)

        def ftp_RETR(self, file):
            if not library.has_credit(self.account):
                self.respond("550 No credit left.")
                return
            return super().ftp_RETR(file)

        def on_file_sent(self, file):
            size = os.path.getsize(file) if os.path.exists(file) else 0
            library.sent(self.account, os.path.basename(file), size)

    authorizer = Authorizer()
    for account in library.accounts.values():
        authorizer.add_user(account.login, account.password, library.home(account.content_mode()),
                            perm="elr")
    Handler.authorizer = authorizer
    Handler.passive_ports = None
    if tls_pem:
        Handler.certfile = tls_pem
    return FTPServer(("127.0.0.1", port), Handler)


# --- servers.ini -----------------------------------------------------------------------------

OWN_KEYS = ("demoserver1", "demoserver2", "website", "ftphost", "ftpport", "serverlogport", "ftpcafile")


def write_servers_ini(home, demo1, demo2, web, ftp_port, log_port, ca_file=None):
    path = os.path.join(home, "servers.ini")
    kept = []
    try:
        with open(path, "r", encoding="utf-8", errors="replace") as f:
            for line in f.read().splitlines():
                key = line.split("=", 1)[0].strip().lower() if "=" in line else ""
                if key and key not in OWN_KEYS and not line.lstrip().startswith((";", "#")):
                    kept.append(line.strip())
    except OSError:
        pass
    lines = ["; Trakvella library servers, written by tools/library_servers.py.",
             "[servers]",
             "DemoServer1=" + demo1,
             "DemoServer2=" + demo2,
             "WebSite=" + web,
             "FtpHost=127.0.0.1",
             "FtpPort=%d" % ftp_port,
             "ServerLogPort=%d" % log_port] + (["FtpCaFile=" + ca_file] if ca_file else []) + kept
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    os.replace(temporary, path)
    return path


# --- Main ------------------------------------------------------------------------------------

def parse_args(argv):
    parser = argparse.ArgumentParser(description="Local KMLB demo audio server and web site.")
    parser.add_argument("--home", required=True, help="program folder; gets servers.ini")
    parser.add_argument("--catalogue", help="catalogue folder (TEXT/KMLB_XLS.txt)")
    parser.add_argument("--audio-cache", help="where generated MP3s are kept")
    parser.add_argument("--max-tracks", type=int, default=None,
                        help="only the first N tracks of the titles table have audio")
    parser.add_argument("--port-base", type=int, default=0,
                        help="demo server on this port, web site on the next, FTP on the one after;"
                             " 0 = free ports")
    parser.add_argument("--ftp-account", action="append", default=[],
                        metavar="LOGIN:PASSWORD[:CREDIT[:MODE[:CODES]]]",
                        help="an FTP account (repeatable); modes: " + ", ".join(FTP_MODES))
    parser.add_argument("--ftp-big-mb", type=int, default=1024,
                        help="size of the archives of the accounts in mode big, in MiB")
    parser.add_argument("--ftp-tls", metavar="PEM",
                        help="offer TLS on the FTP server with this certificate and key (one PEM file)")
    parser.add_argument("--max-seconds", type=float, default=0, help="stop after S seconds")
    parser.add_argument("--update-version", default="1.0.0.0", help="tvVersion of update.html")
    parser.add_argument("--update-kind", default="good", choices=UPDATE_KINDS,
                        help="the update archive offered (see above)")
    parser.add_argument("--verbose", action="store_true", help="log every request on stderr")
    return parser.parse_args(argv)


def main(argv):
    try:
        import pyftpdlib  # noqa: F401
    except ImportError:
        system = "/usr/bin/python3"
        if os.path.realpath(sys.executable) != os.path.realpath(system) and os.path.exists(system):
            os.execv(system, [system, os.path.abspath(__file__)] + argv)
        sys.stderr.write("library_servers: pyftpdlib is missing (Debian package python3-pyftpdlib)\n")
        return 2
    args = parse_args(argv)
    parent = os.getppid()
    args.home = os.path.abspath(args.home)
    os.makedirs(args.home, exist_ok=True)
    catalogue_folder = find_catalogue(args)
    try:
        catalogue = Catalogue(catalogue_folder)
    except OSError as error:
        sys.stderr.write("library_servers: cannot read the catalogue: %s\n" % error)
        return 2
    if not catalogue.tracks:
        sys.stderr.write("library_servers: no tracks in %s\n" % catalogue_folder)
        return 2
    cache = os.path.abspath(args.audio_cache or os.path.join(args.home, ".demo-cache"))
    audio = DemoAudio(catalogue, cache, args.max_tracks)
    if not audio.lame:
        sys.stderr.write("library_servers: warning: lame not found, demo requests fail (500)\n")
    Handler.verbose = args.verbose
    site = WebSite(catalogue, args.update_version, args.update_kind)

    def demo_lookup(path):
        match = DEMO_PATH.match(path)
        if not match or not match.group(2).startswith(match.group(1) + "_"):
            return None
        data = audio.mp3(match.group(2))
        return None if data is None else ("audio/mpeg", data)

    try:
        accounts = [FtpAccount(text) for text in args.ftp_account]
    except ValueError as error:
        sys.stderr.write("library_servers: %s\n" % error)
        return 2
    if not any(a.login == DEMO_LOGIN for a in accounts):
        accounts.insert(0, FtpAccount("%s:%s" % (DEMO_LOGIN, DEMO_PASSWORD)))
    library = FtpLibrary(catalogue, audio, os.path.join(cache, "ftp-root"), args.ftp_big_mb, accounts)
    site.ftp = library
    if any(a.mode == "big" for a in accounts):
        # Making a big archive takes seconds, longer than a client waits for a
        # reply: the first track's is made before the server reports ready.
        library.prepare("big", catalogue.tracks[0][0])

    base = args.port_base
    demo_server = Server(base, "demo", demo_lookup)
    web_server = Server(base + 1 if base else 0, "web", site.answer)
    tls_pem = os.path.abspath(args.ftp_tls) if args.ftp_tls else None
    ftp_server = make_ftp_server(library, base + 2 if base else 0, tls_pem)
    demo_port = demo_server.server_address[1]
    web_port = web_server.server_address[1]
    demo1 = "http://127.0.0.1:%d/s1/audio/" % demo_port
    demo2 = "http://127.0.0.1:%d/s2/audio/" % demo_port
    web = "http://127.0.0.1:%d/" % web_port
    site.base = web

    stop = threading.Event()
    for signum in (signal.SIGTERM, signal.SIGINT):
        signal.signal(signum, lambda *_: stop.set())
    threads = [threading.Thread(target=s.serve_forever, kwargs={"poll_interval": 0.25},
                                daemon=True) for s in (demo_server, web_server)]
    threads.append(threading.Thread(target=ftp_server.serve_forever,
                                    kwargs={"timeout": 0.25, "blocking": True, "handle_exit": False},
                                    daemon=True))
    ftp_port = ftp_server.address[1]
    ftp = "ftp://127.0.0.1:%d/" % ftp_port
    for thread in threads:
        thread.start()

    ini = write_servers_ini(args.home, demo1, demo2, web, ftp_port, web_port, tls_pem)
    sys.stderr.write("library_servers: catalogue %s, %d tracks, %d with audio, cache %s\n"
                     "library_servers: %s; %s\n"
                     % (catalogue_folder, len(catalogue.tracks), len(audio.with_audio), cache,
                        MISSING_RULE, SHORT_RULE))
    sys.stderr.flush()
    sys.stdout.write("demo1=%s\ndemo2=%s\nweb=%s\nftp=%s\nftp_login=%s\nftp_password=%s\n"
                     "servers_ini=%s\nready\n"
                     % (demo1, demo2, web, ftp, DEMO_LOGIN, DEMO_PASSWORD, ini))
    sys.stdout.flush()

    started = time.monotonic()
    while not stop.wait(0.5):
        if os.getppid() != parent:
            break
        if args.max_seconds and time.monotonic() - started >= args.max_seconds:
            break
    for server in (demo_server, web_server):
        server.shutdown()
        server.server_close()
    return 0  # the FTP server's thread ends with the process


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except BrokenPipeError:
        sys.exit(0)
