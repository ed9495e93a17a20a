#!/usr/bin/env python3
"""A real Firefox with the add-on follows "masq.tmp" through warden and a microsocks node.

Firefox ESR runs headless under web-ext with the add-on as a temporary add-on (unpacked from
the build's .xpi) and a test home folder in which the Linux build of the host is registered.
The test plays the tray program: it writes "masq.tmp" in the temporary folder ($TMPDIR) and
runs warden through a microsocks node that makes its outgoing connections from 127.0.0.3; a
page on 127.0.0.1 answers with the address it sees. It drives Firefox through Marionette.

Firefox never sends loopback addresses to a proxy unless network.proxy.allow_hijacking_localhost
is set, which the test profile does: its pages are all on this machine.

usage: firefox_e2e.py --host-manifest M --xpi X --warden W --web-ext E --artifacts DIR
"""
import argparse
import json
import os
import shutil
import sys
import tempfile
import time
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "..", "..", "tests", "support")]
from local_services import (NODE_OUT_IP, LoggedProcess, Node, WebPage, free_port, wait_until,  # noqa: E402
                            warden_arguments)
from marionette_client import Marionette, MarionetteError  # noqa: E402

ADDON_ID = "firefox@masqng"
HOST_NAME = "masqng_firefox_host"
LABEL = "United States - Dallas #3"
DIRECT_NAME = "direct.test"  # in the bypass list; Firefox resolves it to 127.0.0.1 by itself
SWITCH_LIMIT = 2.0  # seconds from a change of the file to a load that follows it
WAIT = 20  # generous time-out for anything that should take a second


OPTIONS = None


class Tunnel:
    """A microsocks node that leaves from 127.0.0.3, and warden in front of it."""

    def __init__(self):
        self.node = Node(start_timeout=WAIT)
        self.local_port = free_port()
        self.warden = LoggedProcess([OPTIONS.warden] + warden_arguments(self.local_port, self.node.port))
        self.warden.wait_for_line("160138", WAIT)

    def stop(self):
        self.warden.stop()
        self.node.stop()


class Firefox:
    """Firefox ESR under web-ext, headless, with the add-on and the host registered in a test home."""

    def __init__(self, folder, temp_folder):
        home = os.path.join(folder, "home")
        hosts = os.path.join(home, ".mozilla", "native-messaging-hosts")
        os.makedirs(hosts)
        shutil.copy(OPTIONS.host_manifest, os.path.join(hosts, HOST_NAME + ".json"))
        addon = os.path.join(folder, "addon")
        with zipfile.ZipFile(OPTIONS.xpi) as xpi:
            xpi.extractall(addon)
        self.marionette_port = free_port()
        prefs = {
            "marionette.port": self.marionette_port,
            "network.proxy.allow_hijacking_localhost": True,
            "network.dns.localDomains": DIRECT_NAME,
            "browser.startup.page": 0,
            # With this dummy and MOZ_DISABLE_NONLOCAL_CONNECTIONS (below) Firefox's remote
            # settings stay quiet from the start: no name of theirs is looked up.
            "services.settings.server": "data:,#remote-settings-dummy/v1",
        }
        command = [OPTIONS.web_ext, "run", "--no-input", "--no-reload", "--no-config-discovery",
                   "--source-dir", addon, "--firefox", "firefox-esr",
                   "--firefox-profile", os.path.join(folder, "profile"), "--profile-create-if-missing",
                   "--arg=--marionette", "--arg=-remote-allow-system-access"]
        command += [f"--pref={name}={json.dumps(value) if isinstance(value, bool) else value}"
                    for name, value in prefs.items()]
        # MOZ_DISABLE_NONLOCAL_CONNECTIONS: Firefox's own guard for tests, no connection beyond
        # this machine.
        env = dict(os.environ, HOME=home, TMPDIR=temp_folder, MOZ_HEADLESS="1", MOZ_HEADLESS_WIDTH="1280",
                   MOZ_HEADLESS_HEIGHT="800", MOZ_DISABLE_NONLOCAL_CONNECTIONS="1")
        self.web_ext = LoggedProcess(command, env=env, new_session=True)
        try:
            self.web_ext.wait_for_line("Installed", 120)
            self.marionette = Marionette(self.marionette_port, 60)
        except Exception:
            self.web_ext.stop(group=True)
            raise

    def button(self):
        """The add-on's toolbar button: its title and badge."""
        button = ADDON_ID.replace("@", "_") + "-BAP"
        return self.marionette.chrome_script(
            f'const b = document.getElementById("{button}");'
            'return b ? {title: b.getAttribute("tooltiptext"), badge: b.getAttribute("badge") || ""} : null;')

    def pref(self, name):
        return self.marionette.chrome_script(f'return Services.prefs.getBoolPref("{name}", false);')

    def stop(self):
        self.marionette.quit()
        self.web_ext.stop(group=True)


class FirefoxFollowsTheStateFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="masq-firefox-", dir=OPTIONS.work and os.path.abspath(OPTIONS.work))
        cls.addClassCleanup(shutil.rmtree, cls.folder, ignore_errors=True)
        cls.temp_folder = os.path.join(cls.folder, "tmp")
        os.makedirs(cls.temp_folder)
        cls.state_file = os.path.join(cls.temp_folder, "masq.tmp")
        cls.page = WebPage()
        cls.addClassCleanup(cls.page.close)
        cls.tunnel = Tunnel()
        cls.addClassCleanup(cls.tunnel.stop)
        cls.write_state(True)  # Firefox starts while hidden
        cls.firefox = Firefox(cls.folder, cls.temp_folder)
        cls.addClassCleanup(cls.firefox.stop)
        cls.first_load = cls.seen()

    @classmethod
    def write_state(cls, on, port=None, label=LABEL):
        """Writes masq.tmp as the tray program does."""
        bypass = f"a.example,{DIRECT_NAME},"
        lines = ["1", "-1", label, bypass, "127.0.0.1", str(port or cls.tunnel.local_port)] if on else \
            ["1", "0", "", "", "", ""]
        with open(cls.state_file, "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode())

    def wait_for_title(self, start):
        return wait_until(lambda: (b := self.firefox.button()) and b["title"].startswith(start) and b, WAIT,
                          f"the button's title starting with {start!r}")

    @classmethod
    def seen(cls, host="localhost"):
        """Loads the page in Firefox; the address the page saw."""
        return cls.firefox.marionette.navigate(f"http://{host}:{cls.page.port}/").strip()

    def turn_on(self):
        self.write_state(True)
        self.wait_for_title(f"Masq NG: hidden - {LABEL}")

    def time_until_seen(self, address):
        """Loads the page again and again; the seconds until it is seen from `address`."""
        started = time.monotonic()
        wait_until(lambda: self.seen() == address, WAIT, f"the page seen from {address}")
        return time.monotonic() - started

    def test_the_first_page_of_a_firefox_started_while_hidden_is_hidden(self):
        self.assertEqual(self.first_load, NODE_OUT_IP)

    def test_on_pages_leave_through_the_node_with_names_resolved_there(self):
        self.turn_on()
        self.assertEqual(self.firefox.button(), {"title": f"Masq NG: hidden - {LABEL}", "badge": "ON"})
        self.assertEqual(self.seen("localhost"), NODE_OUT_IP)
        self.assertIn(f"localhost:{self.page.port}", self.tunnel.node.destinations(),
                      "the node got the name, not an address this machine looked up")
        self.assertEqual(self.seen("127.0.0.1"), NODE_OUT_IP)
        self.assertTrue(self.firefox.pref("network.dns.disablePrefetch"), "no DNS prefetching while hidden")

    def test_a_host_of_the_bypass_list_is_reached_directly(self):
        self.turn_on()
        self.assertEqual(self.seen(DIRECT_NAME), "127.0.0.1")
        self.assertEqual(self.seen("localhost"), NODE_OUT_IP)
        self.assertNotIn(f"{DIRECT_NAME}:{self.page.port}", self.tunnel.node.destinations())

    def test_off_makes_the_next_load_direct_within_two_seconds(self):
        self.turn_on()
        self.assertEqual(self.seen(), NODE_OUT_IP)
        self.write_state(False)
        took = self.time_until_seen("127.0.0.1")
        print(f"\n  off: direct after {took:.2f} s", file=sys.stderr)
        self.assertLessEqual(took, SWITCH_LIMIT)
        self.assertEqual(self.wait_for_title("Masq NG: not hidden")["badge"], "")
        self.assertFalse(self.firefox.pref("network.dns.disablePrefetch"), "the privacy setting is handed back")

    def test_a_removed_file_makes_it_direct(self):
        self.turn_on()
        self.assertEqual(self.seen(), NODE_OUT_IP)
        os.remove(self.state_file)
        took = self.time_until_seen("127.0.0.1")
        print(f"\n  removed: direct after {took:.2f} s", file=sys.stderr)
        self.assertLessEqual(took, SWITCH_LIMIT)
        self.wait_for_title("Masq NG: not hidden")

    def test_a_proxy_that_does_not_answer_fails_the_load_instead_of_going_direct(self):
        self.write_state(True, port=free_port(), label="Nowhere #1")
        self.wait_for_title("Masq NG: hidden - Nowhere #1")
        with self.assertRaises(MarionetteError) as failure:
            self.seen()
        self.assertIn("proxyConnectFailure", str(failure.exception))

    def test_zz_screenshots_of_the_add_on(self):
        """Runs last (by name): the toolbar button and the popup's words, hidden and not."""
        os.makedirs(OPTIONS.artifacts, exist_ok=True)
        host = self.firefox.marionette.chrome_script(
            f'return WebExtensionPolicy.getByID("{ADDON_ID}").mozExtensionHostname;')
        popup = f"moz-extension://{host}/popup.html"
        self.turn_on()
        self.firefox.marionette.command("WebDriver:Navigate", {"url": popup})
        self.assertIn(LABEL, self.firefox.marionette.navigate(popup))
        self.save("firefox_hidden.png")
        self.write_state(False)
        self.wait_for_title("Masq NG: not hidden")
        self.assertIn("turned hiding off", self.firefox.marionette.navigate(popup))
        self.save("firefox_not_hidden.png")

    def save(self, name):
        with open(os.path.join(OPTIONS.artifacts, name), "wb") as f:
            f.write(self.firefox.marionette.window_screenshot())


def main():
    global OPTIONS
    parser = argparse.ArgumentParser()
    parser.add_argument("--host-manifest", required=True)
    parser.add_argument("--xpi", required=True)
    parser.add_argument("--warden", required=True)
    parser.add_argument("--web-ext", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--work", help="folder for the test's files (default: the system's)")
    OPTIONS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
