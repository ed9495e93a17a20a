#!/usr/bin/env python3
"""The Firefox add-on's native host over real pipes, natively or as the .exe under Wine.

The test plays Firefox: it starts the host, reads its framed messages and sends requests,
and plays the tray program by writing "masq.tmp" in the temporary folder the host reads:
$TMPDIR natively, the Wine prefix user's Temp folder (GetTempPathA) under Wine.

usage: host_protocol.py [--wine] HOST [unittest options]
"""
import getpass
import json
import os
import queue
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
from local_services import ProgramUnderTest, die_with_parent, run_tests_against  # noqa: E402

HOST = ProgramUnderTest()

ON = "1\r\n-1\r\nUnited States - Dallas #3\r\na.example,b.example,\r\n127.0.0.1\r\n7070\r\n"
OFF = "1\r\n0\r\n\r\n\r\n\r\n\r\n"
ON_MESSAGE = {"state": "on", "label": "United States - Dallas #3", "host": "127.0.0.1", "port": 7070,
              "bypass": ["a.example", "b.example"], "ignoredBypass": 0}


def frame(payload):
    return struct.pack("<I", len(payload)) + payload


class Host:
    """The host with its messages read as they come."""

    def __init__(self, temp_folder):
        env = dict(os.environ, TMPDIR=temp_folder)
        self.process = subprocess.Popen(HOST.command("manifest.json", "firefox@masqng"),
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=env,
                                        preexec_fn=die_with_parent)
        self.messages = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        with self.process.stdout as out:
            while len(head := out.read(4)) == 4:
                self.messages.put(json.loads(out.read(struct.unpack("<I", head)[0])))
        self.messages.put(None)

    def next_message(self, timeout):
        try:
            message = self.messages.get(timeout=timeout)
        except queue.Empty:
            raise AssertionError(f"no message within {timeout} s")
        if message is None:
            raise AssertionError(f"the host ended (exit code {self.process.poll()})")
        return message

    def send(self, raw):
        self.process.stdin.write(raw)
        self.process.stdin.flush()

    def request(self, text):
        self.send(frame(json.dumps(text).encode()))

    def wait_exit(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the host still runs after {timeout} s")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if not self.process.stdin.closed:
            self.process.stdin.close()


class HostTest(unittest.TestCase):
    def setUp(self):
        if HOST.wine:
            prefix = os.environ.get("WINEPREFIX")
            self.assertTrue(prefix, "WINEPREFIX must name the test prefix")
            self.folder = os.path.join(prefix, "drive_c", "users", getpass.getuser(), "Temp")
            os.makedirs(self.folder, exist_ok=True)
        else:
            self.folder = tempfile.mkdtemp(prefix="masq-host-")
            self.addCleanup(shutil.rmtree, self.folder)
        self.state_file = os.path.join(self.folder, "masq.tmp")
        self.remove_state_file()
        self.addCleanup(self.remove_state_file)
        self.host = Host(self.folder)
        self.addCleanup(self.host.kill)

    def remove_state_file(self):
        if os.path.isdir(self.state_file) and not os.path.islink(self.state_file):
            os.rmdir(self.state_file)
        elif os.path.lexists(self.state_file):
            os.remove(self.state_file)

    def write_state(self, content):
        with open(self.state_file, "wb") as f:
            f.write(content.encode("latin-1"))

    def wait_for(self, expected, timeout):
        """Waits for the message `expected`; returns the seconds it took."""
        started = time.monotonic()
        seen = []
        while (message := self.host.next_message(timeout)) != expected:
            seen.append(message)
            self.assertLess(time.monotonic() - started, timeout, f"not {expected}; got {seen}")
        return time.monotonic() - started

    def test_tells_each_change_of_the_file_and_writes_nothing(self):
        self.wait_for({"state": "off", "reason": "missing"}, HOST.seconds(10))
        before = sorted(os.listdir(self.folder))
        steps = [
            ("on", lambda: self.write_state(ON), ON_MESSAGE),
            ("off", lambda: self.write_state(OFF), {"state": "off", "reason": "cleared"}),
            ("on again", lambda: self.write_state(ON), ON_MESSAGE),
            ("removed", self.remove_state_file, {"state": "off", "reason": "missing"}),
            ("a proxy elsewhere", lambda: self.write_state(ON.replace("127.0.0.1", "192.0.2.1")),
             {"state": "off", "reason": "invalid", "problem": "line 5: the proxy is not on this computer"}),
            ("a label in the file's code page", lambda: self.write_state(ON.replace("United States - Dallas", "S\xe3o Paulo")),
             dict(ON_MESSAGE, label="S\u00e3o Paulo #3")),
        ]
        for name, change, expected in steps:
            change()
            print(f"{name}: told after {self.wait_for(expected, HOST.seconds(10)):.2f} s", file=sys.stderr)
        self.remove_state_file()
        self.assertEqual(sorted(os.listdir(self.folder)), [name for name in before if name != "masq.tmp"])

    def test_answers_requests_at_once_and_ends_when_firefox_lets_go(self):
        self.write_state(ON)
        self.host.request("state")
        self.assertEqual(self.host.next_message(HOST.seconds(10)), ON_MESSAGE)
        self.host.request({"set": "on"})
        self.assertEqual(self.host.next_message(HOST.seconds(10)), {"error": "unknown request"})
        self.host.process.stdin.close()
        self.assertEqual(self.host.wait_exit(HOST.seconds(10)), 0)

    def test_an_oversized_request_ends_the_host(self):
        self.host.send(struct.pack("<I", 0xFFFFFFFF) + b"x" * 64)
        self.assertEqual(self.host.wait_exit(HOST.seconds(10)), 1)

    def test_something_else_in_the_files_place_is_unreadable_and_never_blocks(self):
        os.mkdir(self.state_file)
        self.wait_for({"state": "off", "reason": "unreadable"}, HOST.seconds(10))
        if not HOST.wine:
            os.rmdir(self.state_file)
            self.write_state(ON)
            self.wait_for(ON_MESSAGE, HOST.seconds(10))
            os.remove(self.state_file)
            os.mkfifo(self.state_file)  # a reader that waited for a writer would hang here
            self.wait_for({"state": "off", "reason": "unreadable"}, HOST.seconds(10))
            self.host.request("state")
            self.assertEqual(self.host.next_message(HOST.seconds(10)), {"state": "off", "reason": "unreadable"})


if __name__ == "__main__":
    run_tests_against(HOST, "HOST is the .exe: run it under Wine")
