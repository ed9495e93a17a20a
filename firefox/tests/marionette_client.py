"""A small client of Firefox's Marionette protocol: length-prefixed JSON over TCP,
commands [0, id, name, parameters], answers [1, id, error, result]."""
import base64
import json
import socket
import time


class MarionetteError(Exception):
    def __init__(self, error):
        super().__init__(f"{error.get('error')}: {error.get('message')}")
        self.error = error


class Marionette:
    def __init__(self, port, timeout):
        deadline = time.monotonic() + timeout
        while True:
            try:
                self.sock = socket.create_connection(("127.0.0.1", port), timeout=timeout)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.2)
        self.buffer = b""
        self.last_id = 0
        self._receive()  # the server's greeting
        self.command("WebDriver:NewSession", {"capabilities": {}})

    def _receive(self):
        while b":" not in self.buffer:
            self._fill()
        size, self.buffer = self.buffer.split(b":", 1)
        while len(self.buffer) < int(size):
            self._fill()
        packet, self.buffer = self.buffer[:int(size)], self.buffer[int(size):]
        return json.loads(packet)

    def _fill(self):
        piece = self.sock.recv(1 << 16)
        if not piece:
            raise ConnectionError("Firefox closed the Marionette connection")
        self.buffer += piece

    def command(self, name, parameters=None):
        self.last_id += 1
        packet = json.dumps([0, self.last_id, name, parameters or {}]).encode()
        self.sock.sendall(str(len(packet)).encode() + b":" + packet)
        _, _, error, result = self._receive()
        if error:
            raise MarionetteError(error)
        return result

    def navigate(self, url):
        """Loads `url` in the tab; returns the page's text, or raises MarionetteError with
        Firefox's error page (its address names the error, such as proxyConnectFailure)."""
        self.command("WebDriver:Navigate", {"url": url})
        return self.command("WebDriver:ExecuteScript", {"script": "return document.body.innerText", "args": []})["value"]

    def chrome_script(self, script):
        """Runs `script` in the browser window itself (needs -remote-allow-system-access)."""
        self.command("Marionette:SetContext", {"value": "chrome"})
        try:
            return self.command("WebDriver:ExecuteScript", {"script": script, "args": []})["value"]
        finally:
            self.command("Marionette:SetContext", {"value": "content"})

    def window_screenshot(self):
        """PNG bytes of the whole browser window, toolbar included."""
        self.command("Marionette:SetContext", {"value": "chrome"})
        try:
            return base64.b64decode(self.command("WebDriver:TakeScreenshot", {"full": False})["value"])
        finally:
            self.command("Marionette:SetContext", {"value": "content"})

    def quit(self):
        try:
            self.command("Marionette:Quit", {"flags": ["eForceQuit"]})
        except (OSError, MarionetteError):
            pass
        self.sock.close()
