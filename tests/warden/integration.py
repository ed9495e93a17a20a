#!/usr/bin/env python3
"""warden against a real node, natively or as warden.exe under Wine.

A microsocks node with username/password auth, or a stock ss-server (Shadowsocks), listens on
127.0.0.2 and makes its outgoing connections from 127.0.0.3; a small web page on 127.0.0.1
answers with the address it sees. Through warden the page must see the node's address, never the
client's.

usage: integration.py [--wine] WARDEN [unittest options]
"""
import hashlib
import os
import random
import re
import signal
import socket
import struct
import subprocess
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from local_services import (KEY, NODE_IP, NODE_OUT_IP, SS_PASSWORD, USER, CallerAddress,  # noqa: E402
                            LoggedProcess, Node, ProgramUnderTest, ShadowsocksNode, WebPage, free_port,
                            run_tests_against, wait_until, warden_arguments)

STATUS_LINE = re.compile(r"^(\d{6}) ")

WARDEN = ProgramUnderTest()


def blob(size):
    return random.Random(size).randbytes(size)


SECRET_PATH, SECRET_PAGE = "/request-that-only-the-node-may-read", b"a page that only the node may read"


class Page(CallerAddress):
    """GET / answers with the caller's address, GET /blob/N with N known bytes, SECRET_PATH
    with SECRET_PAGE, POST with the SHA-256 of the body."""

    def do_GET(self):
        if self.path.startswith("/blob/"):
            self.answer(blob(int(self.path[len("/blob/"):])))
        elif self.path == SECRET_PATH:
            self.answer(SECRET_PAGE)
        else:
            super().do_GET()

    def do_POST(self):
        body = self.rfile.read(int(self.headers["Content-Length"]))
        self.answer(hashlib.sha256(body).hexdigest().encode())


class Warden(LoggedProcess):
    """warden (or warden.exe under Wine) with its output read line by line as it comes."""

    def __init__(self, node_port=None, key=KEY, local_port=None, argv=None, user=USER):
        self.local_port = local_port or free_port()
        super().__init__(WARDEN.command(*(argv or warden_arguments(self.local_port, node_port, key, user))))

    def codes(self):
        """The codes of every line printed by now."""
        return [m.group(1) for m in map(STATUS_LINE.match, self.lines) if m]

    def wait_for(self, code, timeout):
        """Waits until warden prints a line that starts with `code`; returns that line."""
        return self.wait_for_line(code, timeout, at_start=True)


def ready_warden(test, node_port, user=USER, key=KEY):
    """A warden through `node_port` that has said it is ready, ended when `test` ends."""
    warden = Warden(node_port, key=key, user=user)
    test.addCleanup(warden.stop)
    warden.wait_for("160138", WARDEN.seconds(10))
    return warden


def curl(mode, proxy_port, url):
    command = ["curl", "-s", "--max-time", str(WARDEN.seconds(10)), url]
    if mode:
        command[1:1] = [f"--{mode}", f"127.0.0.1:{proxy_port}"]
    return subprocess.run(command, capture_output=True, timeout=WARDEN.seconds(15)).stdout.decode()


def receive_exactly(sock, size):
    data = b""
    while len(data) < size:
        piece = sock.recv(size - len(data))
        if not piece:
            break
        data += piece
    return data


def receive_all(sock):
    chunks = []
    while piece := sock.recv(1 << 16):
        chunks.append(piece)
    return b"".join(chunks)


def local_client(port):
    return socket.create_connection(("127.0.0.1", port), timeout=WARDEN.seconds(10))


def socks5_open(port, request):
    """SOCKS5 without auth; returns the socket and the reply's first two bytes."""
    sock = local_client(port)
    sock.sendall(b"\x05\x01\x00")
    assert receive_exactly(sock, 2) == b"\x05\x00"
    sock.sendall(request)
    return sock, receive_exactly(sock, 10)[:2]


def connect_request(host, port):
    return b"\x05\x01\x00\x03" + bytes([len(host)]) + host.encode() + struct.pack(">H", port)


def http_through(proxy_port, page_port, request):
    """Sends an HTTP/1.0 request through warden and returns the body."""
    sock, reply = socks5_open(proxy_port, connect_request("localhost", page_port))
    with sock:
        assert reply == b"\x05\x00", reply
        sock.sendall(request)
        return receive_all(sock).split(b"\r\n\r\n", 1)[1]


def serve_in_threads(server, handle):
    """Accepts on `server` until it is closed, each connection handled by `handle` in a thread of its own."""
    def accept():
        while True:
            try:
                conn, _ = server.accept()
            except OSError:
                return
            threading.Thread(target=handle, args=(conn,), daemon=True).start()

    threading.Thread(target=accept, daemon=True).start()


def accept_user(conn, auth_delay=0):
    """A node's side of the greeting and the RFC 1929 exchange, answered `auth_delay` seconds
    late; whether the user and key were right."""
    methods = receive_exactly(conn, receive_exactly(conn, 2)[1])
    if b"\x02" not in methods:
        conn.sendall(b"\x05\xff")
        return False
    conn.sendall(b"\x05\x02")
    user = receive_exactly(conn, receive_exactly(conn, 2)[1])
    key = receive_exactly(conn, receive_exactly(conn, 1)[0])
    time.sleep(auth_delay)
    if (user, key) != (USER.encode(), KEY.encode()):
        conn.sendall(b"\x01\x01")
        return False
    conn.sendall(b"\x01\x00")
    return True


class HalfCloseNode:
    """A SOCKS5 node of the test's own (user/password auth) that is its own destination: it
    greets right behind its "granted" reply, reads until the program's end of stream, then
    answers with the SHA-256 of what it read. microsocks ends both directions at the first end
    of stream, so it cannot show that warden passes a half-close on. With `idle_limit` it drops
    a connection that sends no request that long after the RFC 1929 exchange, as nodes do."""
    GREETING = b"hello\n"

    def __init__(self, idle_limit=None):
        self.server = socket.create_server((NODE_IP, 0))
        self.port = self.server.getsockname()[1]
        self.idle_limit = idle_limit
        self.dropped = threading.Event()
        serve_in_threads(self.server, self._handle)

    def _handle(self, conn):
        with conn:
            conn.settimeout(WARDEN.seconds(10))
            if not accept_user(conn):
                return
            conn.settimeout(self.idle_limit or WARDEN.seconds(10))
            try:
                head = receive_exactly(conn, 5)
            except TimeoutError:
                return self.dropped.set()
            conn.settimeout(WARDEN.seconds(10))
            if len(head) < 5:
                return  # warden's own check of the node ends after the RFC 1929 exchange
            receive_exactly(conn, {1: 3 + 2, 4: 15 + 2, 3: head[4] + 2}[head[3]])
            conn.sendall(b"\x05\x00\x00\x01\x00\x00\x00\x00\x00\x00" + self.GREETING)
            conn.sendall(hashlib.sha256(receive_all(conn)).hexdigest().encode())

    def close(self):
        self.server.close()


def relay_both_ways(one, other):
    """Copies each way until its end of stream, passed on as a half-close; an error ends both."""
    def copy(source, sink):
        try:
            while data := source.recv(1 << 16):
                sink.sendall(data)
            sink.shutdown(socket.SHUT_WR)
        except OSError:
            for sock in (one, other):
                sock.close()

    backward = threading.Thread(target=copy, args=(other, one), daemon=True)
    backward.start()
    copy(one, other)
    backward.join()


class ScriptedNode:
    """A SOCKS5 node of the test's own (username/password) that reaches real destinations, with
    the behaviours warden must cope with:
      keeps_early      True: reads the request exactly and relays whatever came behind it, as
                       dante does; False: drops whatever arrived before its reply, as microsocks
                       does with bytes that come in the same read as the request;
      loop_guard       refuses a CONNECT to its own address, as dante does, and offers BIND;
      idle_limit       closes a connection that sends no request that long after the RFC 1929
                       exchange;
      max_connections  closes at once every connection beyond that many at a time;
      auth_delay       answers the RFC 1929 exchange that much later, as a far node would.
    It answers a CONNECT REPLY_DELAY after the request, and counts as early the requests for a
    destination other than itself (warden asks the node about itself with bytes sent early on
    purpose) whose next bytes were there by then."""
    REPLY_DELAY = 0.3

    def __init__(self, keeps_early=True, loop_guard=False, idle_limit=None, max_connections=None, auth_delay=0):
        self.server = socket.create_server((NODE_IP, 0), backlog=256)
        self.port = self.server.getsockname()[1]
        self.keeps_early, self.loop_guard = keeps_early, loop_guard
        self.idle_limit, self.max_connections, self.auth_delay = idle_limit, max_connections, auth_delay
        self.lock = threading.Lock()
        self.live = self.refused = self.idle_drops = self.early_requests = 0
        self.waiting = self.most_waiting = 0  # authenticated, no request yet: the ones warden keeps ready
        self.waiting_since = []
        self.request_waits = []               # seconds from authenticated to request, per request
        self.bound_ports = set()
        self.steps = []  # what warden asked, in order: "connect itself", "bind", "bound: accepted", ...
        self.probed_itself = threading.Event()  # a connection to its own address has ended
        serve_in_threads(self.server, self._handle)

    def count(self, name, change=1):
        with self.lock:
            setattr(self, name, getattr(self, name) + change)
            self.most_waiting = max(self.most_waiting, self.waiting)

    def _handle(self, conn):
        with conn:
            with self.lock:
                if self.max_connections is not None and self.live >= self.max_connections:
                    self.refused += 1
                    return
                self.live += 1
            try:
                conn.settimeout(WARDEN.seconds(10))
                self._converse(conn)
            except (OSError, IndexError, KeyError):
                pass  # a connection closed in the middle of a message, or not SOCKS5
            finally:
                self.count("live", -1)

    def _converse(self, conn):
        if not accept_user(conn, self.auth_delay):
            return
        authenticated = time.monotonic()
        self.count("waiting")
        self.waiting_since.append(authenticated)
        try:
            conn.settimeout(self.idle_limit or WARDEN.seconds(30))
            head = receive_exactly(conn, 4)
        except TimeoutError:
            return self.count("idle_drops")
        finally:
            self.count("waiting", -1)
            self.waiting_since.remove(authenticated)
        if len(head) < 4:
            return  # a check of the node, or a connection warden retired
        self.request_waits.append(time.monotonic() - authenticated)
        conn.settimeout(WARDEN.seconds(10))
        host = {1: lambda: socket.inet_ntoa(receive_exactly(conn, 4)),
                3: lambda: receive_exactly(conn, receive_exactly(conn, 1)[0]).decode(),
                4: lambda: socket.inet_ntop(socket.AF_INET6, receive_exactly(conn, 16))}[head[3]]()
        port = struct.unpack(">H", receive_exactly(conn, 2))[0]
        time.sleep(self.REPLY_DELAY)
        itself = (host, port) == (NODE_IP, self.port)
        if self._sent_early(conn) and not itself and port not in self.bound_ports:
            self.count("early_requests")
        self.steps.append("bind" if head[1] == 2 else "connect itself" if itself else f"connect {port}")
        if head[1] == 2 and self.loop_guard:
            return self._bind(conn)
        if itself and self.loop_guard:
            return conn.sendall(b"\x05\x02\x00\x01" + bytes(6))
        try:
            destination = socket.create_connection((host, port), timeout=WARDEN.seconds(10))
        except OSError:
            return conn.sendall(b"\x05\x05\x00\x01" + bytes(6))
        with destination:
            conn.sendall(b"\x05\x00\x00\x01" + bytes(6))
            conn.settimeout(None)
            relay_both_ways(conn, destination)
        if itself:
            self.probed_itself.set()

    def settled(self):
        """Connections waiting for a request for half a second: warden surely holds them ready."""
        return sum(since < time.monotonic() - 0.5 for since in list(self.waiting_since))

    def _sent_early(self, conn):
        conn.setblocking(False)
        try:
            waiting = conn.recv(1 << 16, 0 if not self.keeps_early else socket.MSG_PEEK)
        except BlockingIOError:
            waiting = b""
        conn.setblocking(True)
        return bool(waiting)

    def _bind(self, conn):
        with socket.create_server((NODE_IP, 0)) as listener:
            self.bound_ports.add(listener.getsockname()[1])
            conn.sendall(b"\x05\x00\x00\x01" + socket.inet_aton(NODE_IP) + struct.pack(">H", listener.getsockname()[1]))
            listener.settimeout(WARDEN.seconds(10))
            peer, address = listener.accept()
            self.steps.append("bound: accepted")
        with peer:
            conn.sendall(b"\x05\x00\x00\x01" + socket.inet_aton(address[0]) + struct.pack(">H", address[1]))
            conn.settimeout(None)
            relay_both_ways(conn, peer)

    def close(self):
        self.server.close()


class Serving(unittest.TestCase):
    """One warden serving through one node: what programs get through it."""
    NODE = Node
    # What a program gets for a destination that refuses: the node's "connection refused".
    REFUSED_SOCKS5, REFUSED_SOCKS4 = b"\x05\x05", b"\x00\x5b"

    @classmethod
    def setUpClass(cls):
        cls.page = WebPage(Page)
        cls.node = cls.NODE()
        cls.warden = Warden(cls.node.port, key=cls.node.key, user=cls.node.user)
        cls.warden.wait_for("160138", WARDEN.seconds(10))

    @classmethod
    def tearDownClass(cls):
        cls.warden.stop()
        cls.node.stop()
        cls.page.close()

    def url(self, host="127.0.0.1"):
        return f"http://{host}:{self.page.port}/"

    def test_start_up_prints_each_step_once_and_ready_last(self):
        self.assertEqual(self.warden.codes(), ["160036", "160032", "160239", "160238", "160138"])

    def test_every_client_protocol_leaves_through_the_node(self):
        self.assertEqual(curl(None, 0, self.url()), "127.0.0.1")
        for mode in ["socks4", "socks4a", "socks5", "socks5-hostname"]:
            with self.subTest(mode=mode):
                self.assertEqual(curl(mode, self.warden.local_port, self.url("localhost")), NODE_OUT_IP)

    def test_serves_no_other_address_than_127_0_0_1(self):
        for family, address in [(socket.AF_INET, NODE_IP), (socket.AF_INET6, "::1")]:
            with self.subTest(address=address), socket.socket(family) as sock:
                sock.settimeout(WARDEN.seconds(5))
                with self.assertRaises(ConnectionRefusedError):
                    sock.connect((address, self.warden.local_port))

    def test_refusals_reach_each_program_in_its_own_protocol(self):
        closed_port = free_port()
        sock, reply = socks5_open(self.warden.local_port, connect_request("127.0.0.1", closed_port))
        with sock:
            self.assertEqual(reply, self.REFUSED_SOCKS5, "the node's 'connection refused'")
            self.assertEqual(receive_all(sock), b"")
        sock, reply = socks5_open(self.warden.local_port, b"\x05\x02\x00\x01\x7f\x00\x00\x01\x00\x50")
        sock.close()
        self.assertEqual(reply, b"\x05\x07", "BIND is not supported")
        sock, reply = socks5_open(self.warden.local_port, b"\x05\x01\x00\x09")
        sock.close()
        self.assertEqual(reply, b"\x05\x08", "unknown address type")
        with local_client(self.warden.local_port) as sock:
            sock.sendall(b"\x04\x01" + struct.pack(">H", closed_port) + socket.inet_aton("127.0.0.1") + b"\x00")
            self.assertEqual(receive_exactly(sock, 8)[:2], self.REFUSED_SOCKS4, "SOCKS4 refused")
            self.assertEqual(receive_all(sock), b"")
        with local_client(self.warden.local_port) as sock:
            sock.sendall(b"\x05\x01\x02")
            self.assertEqual(receive_exactly(sock, 2), b"\x05\xff", "no method in common")
            self.assertEqual(sock.recv(1), b"")

    def test_broken_and_hostile_programs_end_only_their_own_connection(self):
        with local_client(self.warden.local_port) as sock:
            sock.sendall(b"GET / HTTP/1.1\r\nHost: x\r\n\r\n")
            self.assertEqual(sock.recv(1), b"", "not SOCKS: closed without an answer")
        with local_client(self.warden.local_port) as sock:
            sock.sendall(b"\x04\x01\x00\x50\x01\x02\x03\x04" + b"u" * 256)
            self.assertEqual(receive_exactly(sock, 8)[:2], b"\x00\x5b", "endless user id")
        for partial in [b"\x05", b"\x05\x01\x00\x05\x01\x00\x03\x20abc", b"\x04\x01\x00"]:
            sock = local_client(self.warden.local_port)
            sock.sendall(partial)
            sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            sock.close()  # reset in the middle of a request
        self.assertEqual(curl("socks5", self.warden.local_port, self.url()), NODE_OUT_IP)

    def test_bulk_both_ways_in_parallel_arrives_intact(self):
        sizes = [1, 3 * 65536 + 7, 2 << 20] if WARDEN.wine else [1, 3 * 65536 + 7, 4 << 20, 16 << 20]
        failures = []

        def transfer(size):
            try:
                download = http_through(self.warden.local_port, self.page.port,
                                        f"GET /blob/{size} HTTP/1.0\r\n\r\n".encode())
                if download != blob(size):
                    failures.append(f"download of {size} bytes: got {len(download)} bytes, not the same")
                upload = blob(size + 1)
                digest = http_through(self.warden.local_port, self.page.port,
                                      f"POST /sha HTTP/1.0\r\nContent-Length: {len(upload)}\r\n\r\n".encode() + upload)
                if digest.decode() != hashlib.sha256(upload).hexdigest():
                    failures.append(f"upload of {len(upload)} bytes arrived changed")
            except (OSError, AssertionError, IndexError) as error:
                failures.append(f"{size} bytes: {error!r}")

        threads = [threading.Thread(target=transfer, args=(size,)) for size in sizes * 2]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(failures, [])


def send_and_close(port, payload):
    """Sends the request and `payload` in one go, then an end of stream; returns all it got."""
    with local_client(port) as sock:
        sock.sendall(b"\x05\x01\x00")
        assert receive_exactly(sock, 2) == b"\x05\x00"
        sock.sendall(connect_request("destination", 80) + payload)
        sock.shutdown(socket.SHUT_WR)
        return receive_all(sock)


def node_answer(payload):
    return b"\x05\x00\x00\x01" + bytes(6) + HalfCloseNode.GREETING + hashlib.sha256(payload).hexdigest().encode()


class OwnNode(unittest.TestCase):
    def test_end_of_stream_goes_on_while_the_answer_comes_back(self):
        node = HalfCloseNode()
        self.addCleanup(node.close)
        warden = ready_warden(self, node.port)
        # The request and the first data come before any reply: nothing may be lost.
        payload = blob(1 << 20)
        self.assertEqual(send_and_close(warden.local_port, payload), node_answer(payload))

    def test_a_connection_dialled_ahead_that_the_node_dropped_is_not_used(self):
        # The node's own limit, under Wine too: warden retires connections long before 20 s.
        node = HalfCloseNode(idle_limit=2)
        self.addCleanup(node.close)
        warden = ready_warden(self, node.port)
        self.assertEqual(send_and_close(warden.local_port, b"first"), node_answer(b"first"))
        self.assertTrue(node.dropped.wait(WARDEN.seconds(10)), "warden dialled no connection ahead")
        self.assertEqual(send_and_close(warden.local_port, b"second"), node_answer(b"second"))


class NodeConnections(unittest.TestCase):
    """How warden opens node connections: ahead of need, and with the program's first bytes
    behind the CONNECT where the node showed it keeps them."""

    @classmethod
    def setUpClass(cls):
        cls.page = WebPage(Page)

    @classmethod
    def tearDownClass(cls):
        cls.page.close()

    def start(self, **behaviour):
        node = ScriptedNode(**behaviour)
        self.addCleanup(node.close)
        return node, ready_warden(self, node.port)

    def assert_pages_whole(self, warden):
        for size in [10, 1 << 20]:
            body = http_through(warden.local_port, self.page.port, f"GET /blob/{size} HTTP/1.0\r\n\r\n".encode())
            self.assertEqual(body, blob(size), f"a page of {size} bytes")
        upload = blob(300000)
        digest = http_through(warden.local_port, self.page.port,
                              f"POST /sha HTTP/1.0\r\nContent-Length: {len(upload)}\r\n\r\n".encode() + upload)
        self.assertEqual(digest.decode(), hashlib.sha256(upload).hexdigest(), "an upload")

    def test_first_bytes_go_with_the_connect_only_on_a_node_shown_to_keep_them(self):
        for behaviour in [dict(keeps_early=True), dict(keeps_early=True, loop_guard=True)]:
            with self.subTest(**behaviour):
                node, warden = self.start(**behaviour)

                def early_once_known():
                    self.assert_pages_whole(warden)
                    return node.early_requests > 0

                wait_until(early_once_known, WARDEN.seconds(10),
                           lambda: f"a request sent ahead of the node's reply; the node was asked {node.steps}")
                self.assert_pages_whole(warden)
                # The program was answered before the node: a refusal now ends the connection.
                sock, reply = socks5_open(warden.local_port, connect_request("127.0.0.1", free_port()))
                with sock:
                    self.assertEqual(reply, b"\x05\x00")
                    self.assertEqual(receive_all(sock), b"")

        with self.subTest(keeps_early=False):
            node, warden = self.start(keeps_early=False)
            self.assert_pages_whole(warden)  # while warden finds out
            self.assertTrue(node.probed_itself.wait(WARDEN.seconds(10)), "warden did not ask the node about itself")
            self.assert_pages_whole(warden)
            self.assertEqual(node.early_requests, 0)

    def test_ready_connections_are_replaced_before_the_nodes_idle_limit(self):
        idle_limit = 5  # seconds, as the node counts them, under Wine too
        node, warden = self.start(idle_limit=idle_limit)
        wait_until(lambda: node.idle_drops > 0, WARDEN.seconds(idle_limit + 5), "the node dropping an idle connection")
        dropped = node.idle_drops
        # From now on warden retires its ready connections before the node would drop them, and
        # keeps one ready all along: requests meet a connection dialled ahead, never a stale one.
        time.sleep(idle_limit)  # an observation window, longer than a ready connection now lives
        self.assertEqual(http_through(warden.local_port, self.page.port, b"GET / HTTP/1.0\r\n\r\n"), b"127.0.0.1")
        self.assertGreater(node.request_waits[-1], 0.05, "served from a connection dialled ahead")
        self.assertEqual(node.idle_drops, dropped, "the node dropped a ready connection again")

    def test_a_node_that_refuses_extra_connections_is_not_asked_again_and_again(self):
        node, warden = self.start()
        self.assertTrue(node.probed_itself.wait(WARDEN.seconds(10)))
        node.max_connections = 3
        tunnels = []
        for _ in range(3):  # one at a time, each on a connection dialled ahead for it
            wait_until(lambda: node.settled() >= 1, WARDEN.seconds(10), "a connection ready")
            requests = len(node.request_waits)
            sock, reply = socks5_open(warden.local_port, connect_request("127.0.0.1", self.page.port))
            self.assertEqual(reply, b"\x05\x00")
            tunnels.append(sock)
            # warden answered at once: the request may still be on its way to the node
            wait_until(lambda: len(node.request_waits) > requests, WARDEN.seconds(10), "the request at the node")
        refused_before = node.refused
        time.sleep(6)  # an observation window: the node is full, every dial ahead is refused
        self.assertLessEqual(node.refused - refused_before, 5, "dials ahead kept coming")
        for sock in tunnels:
            with sock:
                sock.sendall(b"GET / HTTP/1.0\r\n\r\n")
                self.assertTrue(receive_all(sock).endswith(b"127.0.0.1"))
        node.max_connections = None  # room again: warden serves on, having never given the node up
        self.assert_pages_whole(warden)
        self.assertNotIn("160037", warden.codes())

    def test_ready_connections_follow_a_burst_up_to_the_cap(self):
        # A far node: dials take a while, so a burst of 80 arrives within one dial's time.
        node, warden = self.start(auth_delay=0.2)
        results = []

        def fetch():
            results.append(http_through(warden.local_port, self.page.port, b"GET /blob/1000 HTTP/1.0\r\n\r\n"))

        threads = [threading.Thread(target=fetch) for _ in range(80)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(results, [blob(1000)] * 80)
        with node.lock:
            node.most_waiting = node.waiting
        wait_until(lambda: node.waiting >= 48, WARDEN.seconds(10), "connections ready for the next burst")
        time.sleep(2)  # an observation window: two checks of warden's
        self.assertLessEqual(node.most_waiting, 64, "more connections ready than the cap")


class StartFailures(unittest.TestCase):
    """How warden ends when it cannot start, or when it is asked to stop."""

    @classmethod
    def setUpClass(cls):
        cls.node = Node()

    @classmethod
    def tearDownClass(cls):
        cls.node.stop()

    def run_warden(self, **options):
        warden = Warden(**options)
        self.addCleanup(warden.stop)
        return warden

    def assert_ends_with(self, warden, code, exit_code=None):
        warden.wait_for(code, WARDEN.seconds(10))
        returned = warden.wait_exit(WARDEN.seconds(10))
        self.assertNotIn("160138", warden.codes())
        if exit_code is None:
            self.assertNotEqual(returned, 0)
        else:
            self.assertEqual(returned, exit_code)

    def test_wrong_key_is_refused(self):
        self.assert_ends_with(self.run_warden(node_port=self.node.port, key="not-the-key"), "160244")

    def test_absent_node_is_unreachable(self):
        self.assert_ends_with(self.run_warden(node_port=free_port(NODE_IP)), "160207")

    def test_local_port_already_taken(self):
        with socket.socket() as taken:
            taken.bind(("127.0.0.1", 0))
            taken.listen()
            warden = self.run_warden(node_port=self.node.port, local_port=taken.getsockname()[1])
            self.assert_ends_with(warden, "171001")

    def test_bad_command_line(self):
        warden = self.run_warden(argv=["-name", USER, "-key", KEY, "-do", "-H", "7070", "-masq", "-port", "x"])
        self.assert_ends_with(warden, "160243", exit_code=2)

    def test_stops_cleanly_when_asked(self):
        if WARDEN.wine:
            self.skipTest("the tray program ends warden.exe with TerminateProcess: no signal to test")
        warden = ready_warden(self, self.node.port)
        warden.process.send_signal(signal.SIGTERM)
        warden.wait_for("160325", WARDEN.seconds(10))
        self.assertEqual(warden.wait_exit(WARDEN.seconds(10)), 0)


class NodeLoss(unittest.TestCase):
    NODE = Node

    def test_node_lost_comes_back_then_stays_gone(self):
        node = self.NODE()
        self.addCleanup(node.stop)
        warden = ready_warden(self, node.port, node.user, node.key)
        url = f"http://127.0.0.1:{free_port()}/"

        node.stop()
        curl("socks5", warden.local_port, url)  # fails, and makes warden check the node at once
        warden.wait_for("160037", WARDEN.seconds(10))
        self.assertTrue(node.start(), f"{node.name} did not start again on its port")
        warden.wait_for("160199", WARDEN.seconds(10))
        warden.wait_for("160138", WARDEN.seconds(10))

        node.stop()
        curl("socks5", warden.local_port, url)
        warden.wait_for("160037", WARDEN.seconds(10))
        for _ in range(3):
            warden.wait_for("160199", WARDEN.seconds(15))
        self.assertNotEqual(warden.wait_exit(WARDEN.seconds(15)), 0)
        self.assertEqual(warden.codes()[-5:], ["160037", "160199", "160199", "160199", "160207"])


# The same through a Shadowsocks node: a stock ss-server, aes-256-gcm unless said otherwise.

class ServingThroughShadowsocks(Serving):
    NODE = ShadowsocksNode
    # Such a node has no reply: warden grants at once, and the node's close follows the refusal.
    REFUSED_SOCKS5, REFUSED_SOCKS4 = b"\x05\x00", b"\x00\x5a"


class ShadowsocksNodeLoss(NodeLoss):
    NODE = ShadowsocksNode


class NodeRelay:
    """A TCP relay on NODE_IP between warden and a node: it keeps every byte it passes, each way,
    and can change what the node sends back on the next connection the node answers with bytes
    (`tamper_next(change)`: `change` takes the first bytes of the answer as they come and returns
    what to pass on, or None to wait for more; `close` ends the connection after them)."""

    def __init__(self, node_port):
        self.node_port = node_port
        self.server = socket.create_server((NODE_IP, 0))
        self.port = self.server.getsockname()[1]
        self.lock = threading.Lock()
        self.to_node, self.from_node = bytearray(), bytearray()
        self.change = None
        serve_in_threads(self.server, self._handle)

    def tamper_next(self, change):
        with self.lock:
            self.change = change

    def _handle(self, conn):
        with conn, socket.create_connection((NODE_IP, self.node_port)) as node:
            threading.Thread(target=self._copy, args=(conn, node, self.to_node, False), daemon=True).start()
            self._copy(node, conn, self.from_node, True)

    def _copy(self, source, sink, record, answers):
        change, held = None, b""
        try:
            while data := source.recv(1 << 16):
                with self.lock:
                    record.extend(data)
                    if answers and not held and change is None:
                        change, self.change = self.change, None
                if change:
                    held += data
                    outcome = change(held)
                    if outcome is None:
                        continue
                    passed, close = outcome
                    sink.sendall(passed)
                    change = False  # done: the rest passes as it is, unless it closes here
                    if close:
                        raise OSError("closed by the change")
                    continue
                sink.sendall(data)
            sink.shutdown(socket.SHUT_WR)
        except OSError:
            for sock in (source, sink):
                try:
                    sock.shutdown(socket.SHUT_RDWR)
                except OSError:
                    pass

    def close(self):
        self.server.close()


class ShadowsocksNodes(unittest.TestCase):
    """warden with a stock ss-server: every method, what the path to the node sees, the wrong
    password, and what a hostile node can send."""

    @classmethod
    def setUpClass(cls):
        cls.page = WebPage(Page)

    @classmethod
    def tearDownClass(cls):
        cls.page.close()

    def node(self, method="aes-256-gcm"):
        node = ShadowsocksNode(method)
        self.addCleanup(node.stop)
        return node

    def get(self, warden, path, host="localhost"):
        """The whole answer, headers included; what came before a close or reset."""
        sock, reply = socks5_open(warden.local_port, connect_request(host, self.page.port))
        with sock:
            self.assertEqual(reply, b"\x05\x00")
            sock.sendall(f"GET {path} HTTP/1.0\r\n\r\n".encode())
            try:
                return receive_all(sock)
            except ConnectionResetError:
                return b""

    def test_every_method_carries_pages_both_ways(self):
        for method in ["aes-128-gcm", "aes-256-gcm", "chacha20-ietf-poly1305"]:
            with self.subTest(method=method):
                node = self.node(method)
                warden = ready_warden(self, node.port, method, SS_PASSWORD)
                self.assertEqual(warden.codes(), ["160036", "160032", "160239", "160238", "160138"])
                self.assertEqual(curl("socks5-hostname", warden.local_port, f"http://localhost:{self.page.port}/"),
                                 NODE_OUT_IP)
                self.assertEqual(curl("socks4", warden.local_port, f"http://127.0.0.1:{self.page.port}/"), NODE_OUT_IP)
                size = 3 << 20
                self.assertEqual(http_through(warden.local_port, self.page.port,
                                              f"GET /blob/{size} HTTP/1.0\r\n\r\n".encode()), blob(size))
                upload = blob(size + 1)
                digest = http_through(warden.local_port, self.page.port,
                                      f"POST /sha HTTP/1.0\r\nContent-Length: {len(upload)}\r\n\r\n".encode() + upload)
                self.assertEqual(digest.decode(), hashlib.sha256(upload).hexdigest())
                warden.stop()
                node.stop()

    def test_the_path_to_the_node_sees_no_destination_request_page_or_password(self):
        node = self.node()
        relay = NodeRelay(node.port)
        self.addCleanup(relay.close)
        warden = ready_warden(self, relay.port, node.user, SS_PASSWORD)
        self.assertTrue(self.get(warden, SECRET_PATH).endswith(SECRET_PAGE))
        self.assertTrue(self.get(warden, SECRET_PATH, host="127.0.0.1").endswith(SECRET_PAGE))
        with relay.lock:
            seen = bytes(relay.to_node) + bytes(relay.from_node)
        self.assertGreater(len(relay.from_node), len(SECRET_PAGE), "the page crossed the relay")
        secrets = {
            "destination name": b"localhost",
            "destination address": socket.inet_aton("127.0.0.1") + struct.pack(">H", self.page.port),
            "destination port": struct.pack(">H", self.page.port) + b"GET",
            "request": SECRET_PATH.encode(),
            "request line": b"GET /",
            "page": SECRET_PAGE,
            "page's header": b"HTTP/1.0 200",
            "password": SS_PASSWORD.encode(),
        }
        for what, secret in secrets.items():
            self.assertNotIn(secret, seen, f"the {what} crossed in the clear")

    def test_a_wrong_password_is_told_within_seconds_and_warden_ends(self):
        node = self.node()
        warden = Warden(node.port, key="not-the-password", user=node.user)
        self.addCleanup(warden.stop)
        started = time.monotonic()
        warden.wait_for("160244", WARDEN.seconds(10))
        self.assertEqual(warden.wait_exit(WARDEN.seconds(10)), 1)
        self.assertNotIn("160138", warden.codes())
        if not WARDEN.wine:
            self.assertLess(time.monotonic() - started, 10, "told within seconds")

    def test_hostile_bytes_from_the_node_end_that_connection_only(self):
        node = self.node()
        relay = NodeRelay(node.port)
        self.addCleanup(relay.close)
        warden = ready_warden(self, relay.port, node.user, SS_PASSWORD)
        salt = 32  # aes-256-gcm

        def whole(size, then):
            """Waits for `size` bytes of the answer, then passes on what `then` makes of them."""
            return lambda held: None if len(held) < size else then(held)

        def flipped(at):
            return whole(at + 1, lambda held: (held[:at] + bytes([held[at] ^ 0x20]) + held[at + 1:], False))

        cases = {
            "garbage instead of the answer": whole(1, lambda held: (bytes(200), True)),
            "a salt cut short": whole(1, lambda held: (held[:10], True)),
            "a chunk cut short": whole(salt + 30, lambda held: (held[:salt + 30], True)),
            "a tampered length": flipped(salt),
            "a tampered length tag": flipped(salt + 5),
            "a tampered payload": flipped(salt + 18 + 3),
        }
        def body(answer):
            return answer.split(b"\r\n\r\n", 1)[1]

        for name, change in cases.items():
            with self.subTest(name):
                relay.tamper_next(change)
                self.assertEqual(self.get(warden, "/blob/1000"), b"", "nothing of a faulty answer")
                self.assertEqual(body(self.get(warden, "/blob/1000")), blob(1000), "the next connection is served")
        # A chunk further on: what came before it was authentic, and nothing after it passes.
        # (The read that carried the fault passes on nothing, so the cut may fall anywhere before.)
        size = 200000
        relay.tamper_next(flipped(salt + 100000))
        _, _, cut = self.get(warden, f"/blob/{size}").partition(b"\r\n\r\n")
        self.assertLess(len(cut), size)
        self.assertEqual(cut, blob(size)[:len(cut)])
        self.assertEqual(warden.process.poll(), None)
        self.assertNotIn("160037", warden.codes(), "a faulty answer says nothing about the node")


if __name__ == "__main__":
    run_tests_against(WARDEN, "WARDEN is warden.exe: run it under Wine")
