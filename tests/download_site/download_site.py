#!/usr/bin/env python3
"""The maker's download site as the update tests need it: a small HTTP/1.0 server on a loopback
address that serves the files of a folder and misbehaves on request.

Each file may have a sidecar "<file>.mode" with one line that says how it is served:
  (none) or "normal"      status 200, Content-Length, the whole body
  "no-length"             the body without a Content-Length (the end is the closed connection)
  "long N"                the announced length, then the body and N bytes more
  "short N"               the announced length, but the connection closes N bytes early
  "trickle SIZE SECONDS"  the body in pieces of SIZE bytes, SECONDS apart
  "hold N"                the first N bytes, then nothing until "<file>.go" exists, then the rest
  "drip SECONDS"          one byte every SECONDS until "<file>.go" exists, then the rest
  "silent"                reads the request and never answers
A missing file gets 404 with a short body. Every request line with its User-Agent and Accept
headers is appended to "requests.log" in the folder.

usage: download_site.py start|stop --root DIR [--address 127.0.0.40] [--port 80] [--state DIR]
  start   serves in the background (the pid goes to STATE/download_site.pid, the address it
          listens on to STATE/address) once it listens; when another test run on this machine
          holds the address, on the same host number of the first free block 127.0.N
  stop    ends the server that "start" left, by that pid
"""
import argparse
import errno
import os
import signal
import socket
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

LIFETIME = 3600  # a server whose test run was killed goes away by itself
SILENT_LIMIT = 600


class Site(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    root = "."

    def do_GET(self):
        with open(os.path.join(self.root, "requests.log"), "a") as log:
            log.write("%s\tUser-Agent: %s\tAccept: %s\n"
                      % (self.requestline, self.headers.get("User-Agent"), self.headers.get("Accept")))
        path = os.path.join(self.root, self.path.split("?")[0].lstrip("/"))
        if not os.path.isfile(path):
            self.answer_headers(404, len(b"not found"))
            self.wfile.write(b"not found")
            return
        with open(path, "rb") as f:
            body = f.read()
        mode = []
        if os.path.isfile(path + ".mode"):
            with open(path + ".mode") as f:
                mode = f.read().split()
        kind, args = (mode[0], mode[1:]) if mode else ("normal", [])
        MODES[kind](self, path, body, *args)

    def answer_headers(self, status, length):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        self.wfile.flush()

    def normal(self, path, body):
        self.answer_headers(200, len(body))
        self.wfile.write(body)

    def no_length(self, path, body):
        self.answer_headers(200, None)
        self.wfile.write(body)

    def long(self, path, body, extra):
        self.answer_headers(200, len(body))
        self.wfile.write(body + b"X" * int(extra))

    def short(self, path, body, missing):
        self.answer_headers(200, len(body))
        self.wfile.write(body[: len(body) - int(missing)])

    def trickle(self, path, body, size, pause):
        self.answer_headers(200, len(body))
        for start in range(0, len(body), int(size)):
            self.wfile.write(body[start: start + int(size)])
            self.wfile.flush()
            time.sleep(float(pause))

    def hold(self, path, body, first):
        self.answer_headers(200, len(body))
        self.wfile.write(body[: int(first)])
        self.wfile.flush()
        deadline = time.monotonic() + SILENT_LIMIT
        while not os.path.exists(path + ".go") and time.monotonic() < deadline:
            time.sleep(0.05)
        self.wfile.write(body[int(first):])

    def drip(self, path, body, pause):
        self.answer_headers(200, len(body))
        sent = 0
        deadline = time.monotonic() + SILENT_LIMIT
        while sent < len(body) and not os.path.exists(path + ".go") and time.monotonic() < deadline:
            self.wfile.write(body[sent: sent + 1])
            self.wfile.flush()
            sent += 1
            time.sleep(float(pause))
        self.wfile.write(body[sent:])

    def silent(self, path, body):
        time.sleep(SILENT_LIMIT)

    def log_message(self, *args):
        pass


MODES = {
    "normal": Site.normal,
    "no-length": Site.no_length,
    "long": Site.long,
    "short": Site.short,
    "trickle": Site.trickle,
    "hold": Site.hold,
    "drip": Site.drip,
    "silent": Site.silent,
}


def pid_file(state):
    return os.path.join(state, "download_site.pid")


def is_site(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            return b"download_site.py" in f.read()
    except OSError:
        return False


def stop(state):
    # Only this script's own server: a stale pid may belong to someone else's process by now.
    try:
        with open(pid_file(state)) as f:
            pid = int(f.read())
        if is_site(pid):
            os.kill(pid, signal.SIGTERM)
    except (OSError, ValueError):
        pass
    for left in (pid_file(state), os.path.join(state, "address")):
        try:
            os.remove(left)
        except OSError:
            pass


def serve(address, port, root):
    Site.root = root
    server = ThreadingHTTPServer((address, port), Site)
    server.daemon_threads = True
    return server


def serve_on_free_address(address, port, root):
    """Binds `address`, or the same host number in the next block 127.0.N that is free."""
    host = address.split(".")[-1]
    candidates = [address] + ([f"127.0.{n}.{host}" for n in range(1, 255)] if address.startswith("127.") else [])
    for candidate in candidates:
        try:
            return candidate, serve(candidate, port, root)
        except OSError as error:
            if error.errno != errno.EADDRINUSE:
                raise
    raise OSError(errno.EADDRINUSE, "no free loopback address for the download site")


def start(address, port, root, state):
    stop(state)  # what an earlier, killed run may have left
    address, server = serve_on_free_address(address, port, root)  # binds now: a failure shows here
    pid = os.fork()
    if pid:
        with open(pid_file(state), "w") as f:
            f.write(str(pid))
        with open(os.path.join(state, "address"), "w") as f:
            f.write(address)
        return address
    os.setsid()
    devnull = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(devnull, fd)
    threading.Timer(LIFETIME, os._exit, args=(0,)).start()
    try:
        server.serve_forever()
    finally:
        os._exit(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("command", choices=["start", "stop"])
    parser.add_argument("--root", required=True)
    parser.add_argument("--address", default="127.0.0.40")
    parser.add_argument("--port", type=int, default=80)
    parser.add_argument("--state", default=None)
    options = parser.parse_args()
    state = options.state or options.root
    if options.command == "stop":
        stop(state)
        return 0
    os.makedirs(options.root, exist_ok=True)
    address = start(options.address, options.port, options.root, state)
    with socket.create_connection((address, options.port), timeout=10):
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
