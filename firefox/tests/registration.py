#!/usr/bin/env python3
"""The installer's registration of the Firefox host, for real under Wine.

A minimal installer built around firefox/installer/firefox_host.nsh installs the Windows
build of the host; the test then finds the host as Firefox on Windows does (the registry key,
its manifest, the manifest's path relative to itself), runs it and reads a message from it.
The uninstaller must take the key and the files away again.

usage: registration.py BUILD_FOLDER   (the folder of masqng_firefox_host.exe and its manifest)
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest

HOST = "masqng_firefox_host"
KEY = rf"HKCU\Software\Mozilla\NativeMessagingHosts\{HOST}"
INSTALL_FOLDER = r"C:\MasqNGTest"  # NSIS takes /D= only unquoted, and Wine quotes blanks
TIMEOUT = 120

BUILD_FOLDER = ""


def wine(*args, check=True):
    return subprocess.run(["wine", *args], capture_output=True, timeout=TIMEOUT, check=check)


def unix_path(windows_path):
    return wine("winepath", "-u", windows_path).stdout.decode().strip()


def registered_manifest():
    """The key's default value, or None when the key is missing."""
    query = wine("reg", "query", KEY, "/ve", check=False)
    if query.returncode != 0:
        return None
    line = [line for line in query.stdout.decode().splitlines() if "REG_SZ" in line][0]
    return line.split("REG_SZ", 1)[1].strip()


class Registration(unittest.TestCase):
    def test_install_registers_the_host_for_firefox_and_uninstall_removes_it(self):
        with tempfile.TemporaryDirectory() as work:
            setup = os.path.join(work, "setup.exe")
            subprocess.run(["makensis", "-V2", f"-DBUILD_FOLDER={BUILD_FOLDER}", f"-DOUT_FILE={setup}",
                            os.path.join(os.path.dirname(os.path.abspath(__file__)), "registration_test.nsi")],
                           check=True, timeout=TIMEOUT)
            wine(setup, "/S", f"/D={INSTALL_FOLDER}")
            self.addCleanup(wine, "reg", "delete", KEY, "/f", check=False)  # should the uninstaller fail

            manifest_path = registered_manifest()
            self.assertEqual(manifest_path, rf"{INSTALL_FOLDER}\{HOST}.json")
            with open(unix_path(manifest_path)) as f:
                manifest = json.load(f)
            self.assertEqual(manifest["name"], HOST)
            self.assertEqual(manifest["allowed_extensions"], ["firefox@masqng"])
            host = os.path.join(os.path.dirname(unix_path(manifest_path)), manifest["path"])
            answer = subprocess.run(["wine", host, manifest_path, "firefox@masqng"], capture_output=True,
                                    input=struct.pack("<I", 7) + b'"state"', timeout=TIMEOUT)
            size = struct.unpack("<I", answer.stdout[:4])[0]
            self.assertEqual(json.loads(answer.stdout[4:4 + size])["state"], "off")

            wine(rf"{INSTALL_FOLDER}\uninstall.exe", "/S", f"_?={INSTALL_FOLDER}")
            self.assertIsNone(registered_manifest())
            self.assertFalse(os.path.exists(unix_path(manifest_path)))
            self.assertFalse(os.path.exists(host))


if __name__ == "__main__":
    BUILD_FOLDER = sys.argv.pop(1)
    unittest.main(verbosity=2)
