"""What the Python tests run on this machine: the program under test (natively or under Wine),
children whose output lines are kept, a web page that answers with the caller's address, and
the nodes: microsocks (SOCKS5 with user/password) and ss-server (Shadowsocks). Everything listens
on loopback addresses only.
"""
import argparse
import ctypes
import http.server
import os
import queue
import signal
import socket
import subprocess
import sys
import threading
import time
import unittest

NODE_IP, NODE_OUT_IP = "127.0.0.2", "127.0.0.3"  # the node listens on one, connects out from the other
USER, KEY = "tunnel-user", "tunnel-key"
SS_METHOD, SS_PASSWORD = "aes-256-gcm", "shadowsocks-test-password"  # a Shadowsocks node's user and key
WINE_STRETCH = 20  # Wine starts slowly and is ~15x slower per request: time-outs are stretched 20x there


def die_with_parent():
    # The test's children end with it, even when ctest kills it on a time-out.
    ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


def free_port(ip="127.0.0.1"):
    with socket.socket() as probe:
        probe.bind((ip, 0))
        return probe.getsockname()[1]


def wait_until(condition, timeout, what):
    """Polls `condition` until it gives a true value, which it returns. `what`: a text, or a
    function giving one that tells the state when time runs out."""
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > deadline:
            raise AssertionError(f"{what() if callable(what) else what}: not within {timeout} s")
        time.sleep(0.02)
    return value


class ProgramUnderTest:
    """The program a test drives: the native build, or the .exe run under Wine."""

    def __init__(self):
        self.path, self.wine = "", False

    def command(self, *args):
        return (["wine"] if self.wine else []) + [self.path, *args]

    def seconds(self, native):
        """A time-out that suits the native program, stretched for Wine."""
        return native * (WINE_STRETCH if self.wine else 1)


def run_tests_against(program, wine_help):
    """Reads `[--wine] PROGRAM [unittest options]` into `program`, then runs the tests of the
    script that was started."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine", action="store_true", help=wine_help)
    parser.add_argument("program")
    options, rest = parser.parse_known_args()
    program.path, program.wine = options.program, options.wine
    unittest.main(module="__main__", argv=[sys.argv[0]] + rest, verbosity=2)


class LoggedProcess:
    """A child whose output lines (stdout and stderr) are kept as they come."""

    def __init__(self, command, env=None, new_session=False):
        self.process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT, env=env, start_new_session=new_session,
                                        preexec_fn=die_with_parent)
        self.lines = []
        self.new_lines = queue.Queue()  # each line once for the waits, then None for the end
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        with self.process.stdout:
            for raw in self.process.stdout:
                line = raw.decode(errors="replace").rstrip()
                self.lines.append(line)
                self.new_lines.put(line)
        self.new_lines.put(None)

    def wait_for_line(self, text, timeout, at_start=False):
        """Waits for a line after the one the last wait returned with `text` in it (`at_start`:
        at its start); returns that line."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                line = self.new_lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                raise AssertionError(f"no line with {text!r} within {timeout} s; it printed {self.lines}")
            if line is None:
                self.new_lines.put(None)
                raise AssertionError(f"it ended before a line with {text!r}; it printed {self.lines}")
            if line.startswith(text) if at_start else text in line:
                return line

    def wait_exit(self, timeout):
        """Waits until the child has ended and its output is read to the end; returns its exit code."""
        try:
            code = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"still runs after {timeout} s; it printed {self.lines}")
        while self.new_lines.get(timeout=5) is not None:
            pass
        self.new_lines.put(None)
        return code

    def stop(self, group=False):
        if self.process.poll() is None:
            if group:
                os.killpg(self.process.pid, signal.SIGKILL)
            else:
                self.process.kill()
        self.process.wait()


class CallerAddress(http.server.BaseHTTPRequestHandler):
    """Answers every GET with the address the request came from."""
    protocol_version = "HTTP/1.0"

    def do_GET(self):
        self.answer(self.client_address[0].encode())

    def answer(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


class WebPage:
    """A web server on 127.0.0.1 at a free port, each request in a thread of its own."""

    def __init__(self, handler=CallerAddress):
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.server.daemon_threads = True
        self.port = self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class Node:
    """microsocks on NODE_IP with username/password auth, leaving from NODE_OUT_IP; it can be
    stopped and started again on its port."""
    name = "microsocks"
    user, key = USER, KEY

    def __init__(self, start_timeout=10):
        self.start_timeout = start_timeout
        for _ in range(5):  # another program may take the free port first
            self.port = free_port(NODE_IP)
            if self.start():
                return
        raise RuntimeError(f"{self.name} did not start")

    def command(self):
        return ["microsocks", "-i", NODE_IP, "-p", str(self.port), "-u", USER, "-P", KEY, "-b", NODE_OUT_IP]

    def start(self):
        """Whether the node listens on its port within the time-out."""
        self.process = LoggedProcess(self.command())
        deadline = time.monotonic() + self.start_timeout
        while time.monotonic() < deadline and self.process.process.poll() is None:
            try:
                socket.create_connection((NODE_IP, self.port), timeout=1).close()
                return True
            except OSError:
                time.sleep(0.05)
        self.stop()
        return False

    def destinations(self):
        """What the node was asked to connect to, as it was asked ("name:port" or "ip:port")."""
        return [line.split("connected to ", 1)[1] for line in self.process.lines if "connected to " in line]

    def stop(self):
        self.process.stop()


class ShadowsocksNode(Node):
    """A stock ss-server (shadowsocks-libev) on NODE_IP with `method` and SS_PASSWORD, making its
    outgoing connections from NODE_OUT_IP; it can be stopped and started again on its port."""
    name = "ss-server"
    key = SS_PASSWORD

    def __init__(self, method=SS_METHOD, start_timeout=10):
        self.user = method
        super().__init__(start_timeout)

    def command(self):
        return ["ss-server", "-s", NODE_IP, "-p", str(self.port), "-b", NODE_OUT_IP, "-m", self.user,
                "-k", SS_PASSWORD, "--no-delay"]


def warden_arguments(local_port, node_port, key=KEY, user=USER):
    """warden's command line for serving on 127.0.0.1:`local_port` through the node."""
    return ["-name", user, "-key", key, "-do", "-H", str(local_port), "-masq", "-port", str(node_port),
            "-say", NODE_IP]
