#!/usr/bin/env python3
"""warden's benchmarks on loopback, beside the reference paths measured in the same rounds.

Topology: client -> warden -> node -> nginx. Nodes: dante (bulk) and microsocks with
username/password (connections). Every figure is a median (min-max) over interleaved rounds
after a warm-up; ratios are taken per round. Run by bench/run.sh, which builds what it needs.

A Shadowsocks node: warden -> ss-server beside ss-local -> the same ss-server (shadowsocks-libev),
the same method, in the same rounds: bulk, CPU and held tunnels.

A node across the world: the same nodes behind delay_relay.c (D ms each way, the connect one
round trip), warden -> ss-server beside ss-local -> ss-server behind the same relay; figures in
round trips.
"""
import argparse
import os
import re
import socket
import statistics
import subprocess
import sys
import tempfile
import textwrap
import time

USER, KEY = "bench-user", "bench-key"
SS_KEY, SS_METHOD = "bench-key", "aes-256-gcm"  # the method of the demo's node
GIB = 1 << 30
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def free_port(ip="127.0.0.1"):
    with socket.socket() as probe:
        probe.bind((ip, 0))
        return probe.getsockname()[1]


def wait_listening(ip, port, what, timeout=30):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            socket.create_connection((ip, port), timeout=1).close()
            return
        except OSError:
            time.sleep(0.05)
    sys.exit(f"bench: {what} does not listen on {ip}:{port}")


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        total += int(fields[11]) + int(fields[12])  # utime, stime
    return total / CLOCK_TICKS


def rss_kib(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0


def environment(pid):
    """The process's environment entries; none when it ended meanwhile (other agents' Wine)."""
    try:
        return open(f"/proc/{pid}/environ", "rb").read().split(b"\0")
    except OSError:
        return []


def children_of(pid):
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                if int(open(f"/proc/{entry}/stat").read().rsplit(")", 1)[1].split()[1]) == pid:
                    found.append(int(entry))
            except OSError:
                pass
    return found


class Services:
    """nginx, dante, microsocks nodes and warden instances, each ended by its PID."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.processes = []

    def start(self, command, **kwargs):
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, **kwargs)
        self.processes.append(process)
        return process

    def nginx(self):
        root = os.path.join(self.workdir, "www")
        os.makedirs(root)
        with open(os.path.join(root, "big"), "wb") as big:
            big.truncate(GIB)  # sparse: served by sendfile from the page cache
        with open(os.path.join(root, "tiny"), "wb") as tiny:
            tiny.write(b"x" * 100)
        port = free_port()
        conf = os.path.join(self.workdir, "nginx.conf")
        with open(conf, "w") as f:
            f.write(textwrap.dedent(f"""\
                daemon off; master_process on; worker_processes 1; worker_rlimit_nofile 20000;
                pid {self.workdir}/nginx.pid; error_log {self.workdir}/nginx-error.log;
                events {{ worker_connections 10000; }}
                http {{
                    access_log off; sendfile on; keepalive_timeout 0;
                    client_body_temp_path {self.workdir}; proxy_temp_path {self.workdir};
                    server {{ listen 127.0.0.1:{port} backlog=4096; root {root}; }}
                }}
                """))
        self.start(["nginx", "-c", conf, "-p", self.workdir])
        wait_listening("127.0.0.1", port, "nginx")
        return port

    def dante(self, ip="127.0.0.4", out_ip="127.0.0.5"):
        port = free_port(ip)
        conf = os.path.join(self.workdir, "danted.conf")
        with open(conf, "w") as f:
            f.write(textwrap.dedent(f"""\
                logoutput: {self.workdir}/danted.log
                internal: {ip} port = {port}
                external: {out_ip}
                clientmethod: none
                socksmethod: none
                user.privileged: root
                user.unprivileged: nobody
                client pass {{ from: 127.0.0.0/8 to: 0.0.0.0/0 }}
                socks pass {{ from: 127.0.0.0/8 to: 0.0.0.0/0 command: connect }}
                """))
        process = self.start(["danted", "-f", conf, "-p", os.path.join(self.workdir, "danted.pid")])
        wait_listening(ip, port, "dante")
        return process, f"{ip}:{port}"

    def microsocks(self, ip, out_ip, auth=True):
        port = free_port(ip)
        command = ["microsocks", "-i", ip, "-p", str(port), "-b", out_ip]
        if auth:
            command += ["-u", USER, "-P", KEY]
        process = self.start(command)
        wait_listening(ip, port, "microsocks")
        return process, f"{ip}:{port}"

    def delay_relay(self, tool, delay_ms, routes):
        """routes: [(listen_ip, target)]; returns the relay's address for each, in order."""
        listens = [f"{ip}:{free_port(ip)}" for ip, _ in routes]
        process = subprocess.Popen(
            [tool, str(delay_ms)] + [f"{listen}={target}" for listen, (_, target) in zip(listens, routes)],
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        if process.stdout.readline().strip() != b"ready":
            sys.exit("bench: the delaying relay did not start")
        return listens

    SS_COMMON = ["-k", SS_KEY, "-m", SS_METHOD, "--no-delay"]

    def ss_server(self, ip):
        """ss-server on `ip`; returns its process and address."""
        port = free_port(ip)
        process = self.start(["ss-server", "-s", ip, "-p", str(port), "-n", "20000", *self.SS_COMMON])
        wait_listening(ip, port, "ss-server")
        return process, f"{ip}:{port}"

    def ss_local(self, server):
        """ss-local on 127.0.0.1 reaching the ss-server at `server`; returns its process and SOCKS5 address."""
        host, port = server.split(":")
        local_port = free_port()
        process = self.start(["ss-local", "-s", host, "-p", port, "-b", "127.0.0.1", "-l", str(local_port),
                              "-n", "20000", *self.SS_COMMON])
        wait_listening("127.0.0.1", local_port, "ss-local")
        return process, f"127.0.0.1:{local_port}"

    def warden(self, command_prefix, node, user=USER, key=KEY):
        host, port = node.split(":")
        local_port = free_port()
        process = subprocess.Popen(
            command_prefix + ["-name", user, "-key", key, "-do", "-H", str(local_port), "-masq", "-port", port,
                              "-say", host],
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        for line in process.stdout:
            if line.startswith(b"160138"):
                return process, f"127.0.0.1:{local_port}"
        sys.exit(f"bench: warden did not start: {command_prefix} -> {node}")

    def close(self):
        # SIGTERM first: nginx and dante end their worker processes only then.
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


class Figures:
    """Samples per figure, printed as median (min-max) next to the goal."""

    def __init__(self):
        self.samples = {}
        self.results = []

    def add(self, name, value):
        self.samples.setdefault(name, []).append(value)

    def line(self, name, unit, goal=None, meets=None, digits=0):
        values = self.samples.get(name, [])
        if not values:
            text = "no sample"
        else:
            text = f"{statistics.median(values):.{digits}f} ({min(values):.{digits}f}-{max(values):.{digits}f}) {unit}"
        verdict = ""
        if goal:
            met = bool(values) and meets(statistics.median(values))
            self.results.append((name, met))
            verdict = f"goal {goal:<14} {'MET' if met else 'NOT MET'}"
        print(f"  {name:<52} {text:<34} {verdict}", flush=True)


def run(command, timeout=300):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout).stdout


def socksbench(tool, *options):
    output = run([tool, *options])
    values = {}
    for key, value in re.findall(r"(\w+)=([-\d.]+)", output):
        values.setdefault(key, float(value))
    if not values:
        sys.exit(f"bench: socksbench printed nothing for {options}")
    return values


def curl_download(url, proxy_option=None):
    command = ["curl", "-s", "-o", "/dev/null", "-w", "%{speed_download} %{size_download}", url]
    if proxy_option:
        command[1:1] = proxy_option
    speed, size = run(command).split()
    if int(float(size)) != GIB:
        sys.exit(f"bench: short download ({size} bytes) with {proxy_option}")
    return float(speed) / 1e6


def bulk(figures, rounds, nginx_port, dante, dante_pids, warden, warden_pids, label):
    url = f"http://127.0.0.1:{nginx_port}/big"
    for round_number in range(rounds + 1):  # the first round warms up
        direct = curl_download(url)
        dante_cpu = cpu_seconds(dante_pids())
        alone = curl_download(url, ["--socks5", dante])
        dante_cpu = cpu_seconds(dante_pids()) - dante_cpu
        warden_cpu = cpu_seconds(warden_pids())
        chained = curl_download(url, ["--socks5", warden])
        warden_cpu = cpu_seconds(warden_pids()) - warden_cpu
        if round_number == 0:
            continue
        figures.add(f"{label}direct MB/s", direct)
        figures.add(f"{label}dante alone MB/s", alone)
        figures.add(f"{label}dante alone % of direct", 100 * alone / direct)
        figures.add(f"{label}dante CPU s/GiB", dante_cpu)
        figures.add(f"{label}warden -> dante MB/s", chained)
        figures.add(f"{label}warden -> dante % of direct", 100 * chained / direct)
        figures.add(f"{label}warden -> dante % of dante alone", 100 * chained / alone)
        figures.add(f"{label}warden CPU s/GiB", warden_cpu)


def sequential(figures, rounds, tool, target, microsocks, hop1, warden, requests, label, references=True):
    for round_number in range(rounds + 1):
        base = ["-t", target, "-c", "1", "-n", str(requests), "-d", "30"]
        node = socksbench(tool, *base, "-P", "s5", "-x", microsocks, "-u", USER, "-p", KEY) if references else None
        through = socksbench(tool, *base, "-P", "s5", "-x", warden)
        chain = socksbench(tool, *base, "-P", "s5", "-x", hop1, "-X", microsocks, "-u", USER, "-p", KEY) \
            if references else None
        direct = socksbench(tool, *base) if references else None
        if round_number == 0:
            continue
        for name, result in [("direct", direct), ("microsocks alone", node), ("microsocks -> microsocks", chain)]:
            if result:
                figures.add(f"{label}{name} p50 us", result["lat_us_p50"])
                figures.add(f"{label}{name} p99 us", result["p99"])
        figures.add(f"{label}warden -> microsocks p50 us", through["lat_us_p50"])
        figures.add(f"{label}warden -> microsocks p99 us", through["p99"])
        figures.add(f"{label}warden -> microsocks errors", through["err"])
        if node:
            figures.add(f"{label}added by the warden hop p50 us", through["lat_us_p50"] - node["lat_us_p50"])
            figures.add(f"{label}added by the warden hop p99 us", through["p99"] - node["p99"])


def concurrent(figures, rounds, tool, target, microsocks, hop1, warden, clients, label, requests, references=True):
    # Bounded by the count, with time to spare: requests still open at the time limit count as errors.
    for round_number in range(rounds + 1):
        base = ["-t", target, "-c", str(clients), "-n", str(requests), "-d", "100"]
        through = socksbench(tool, *base, "-P", "s5", "-x", warden)
        chain = socksbench(tool, *base, "-P", "s5", "-x", hop1, "-X", microsocks, "-u", USER, "-p", KEY) \
            if references else None
        if round_number == 0:
            continue
        figures.add(f"{label}{clients} clients warden errors", through["err"])
        figures.add(f"{label}{clients} clients warden req/s", through["rps"])
        if chain:
            figures.add(f"{label}{clients} clients microsocks -> microsocks req/s", chain["rps"])
            figures.add(f"{label}{clients} clients warden / microsocks chain", through["rps"] / chain["rps"])


def hold(tool, target, proxy, tunnels, *options):
    output = run([tool, "-M", "hold", "-t", target, "-P", "s5", "-x", proxy, "-c", str(tunnels), "-k", "64",
                  "-w", "2", "-d", "60", *options], timeout=180)
    return {key: float(value) for key, value in re.findall(r"(\w+)=([-\d.]+)", output)}


def held(figures, rounds, tool, target, warden, warden_pid, label, microsocks=None, tunnels=1000):
    for _ in range(rounds):
        if microsocks:
            alone = hold(tool, target, microsocks, tunnels, "-u", USER, "-p", KEY)
            figures.add(f"{label}{tunnels} held: microsocks alone time to open s", alone.get("establish_s", 99))
        idle = rss_kib(warden_pid)
        values = hold(tool, target, warden, tunnels, "-r", str(warden_pid))
        time.sleep(1)  # let warden take in the last closes
        figures.add(f"{label}{tunnels} held: established", values.get("established", 0))
        figures.add(f"{label}{tunnels} held: time to open s", values.get("establish_s", 99))
        figures.add(f"{label}{tunnels} held: warden RSS held MiB", values.get("proxy_rss_kb_held", 0) / 1024)
        figures.add(f"{label}{tunnels} held: errors", values.get("err", 0))
        figures.add(f"{label}{tunnels} held: RSS after close - idle MiB", (rss_kib(warden_pid) - idle) / 1024)


def distant(figures, rounds, tool, target, paths, rtt_ms, requests):
    """One new connection at a time, then a warm-up burst of 20 and a measured burst of 20, per
    path, in round trips of the emulated distance."""
    rtt_us = rtt_ms * 1000
    for round_number in range(rounds + 1):
        for name, proxy in paths:
            base = ["-t", target, "-P", "s5", "-x", proxy, "-d", "60"]
            one = socksbench(tool, *base, "-c", "1", "-n", str(requests))
            socksbench(tool, *base, "-c", "20", "-n", "20")
            burst = socksbench(tool, *base, "-c", "20", "-n", "20")
            if round_number == 0:
                continue
            figures.add(f"{name}: one at a time RTT", one["lat_us_p50"] / rtt_us)
            figures.add(f"{name}: burst of 20, slowest RTT", burst["max"] / rtt_us)
            figures.add(f"{name}: errors", one["err"] + burst["err"])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--warden", required=True)
    parser.add_argument("--warden-exe", help="warden.exe, measured under Wine (WINEPREFIX set by run.sh)")
    parser.add_argument("--socksbench", required=True)
    parser.add_argument("--delay-relay", required=True, help="the delaying relay (delay_relay.c)")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--delay-ms", type=float, default=25, help="one way to the distant node")
    options = parser.parse_args()

    workdir = tempfile.mkdtemp(prefix="warden-bench-")
    services = Services(workdir)
    figures = Figures()
    try:
        nginx_port = services.nginx()
        target = f"127.0.0.1:{nginx_port}"
        dante_process, dante = services.dante()
        _, microsocks = services.microsocks("127.0.0.2", "127.0.0.3")
        _, hop1 = services.microsocks("127.0.0.6", "127.0.0.7", auth=False)
        warden_dante, warden_to_dante = services.warden([options.warden], dante)
        warden_ms, warden_to_ms = services.warden([options.warden], microsocks)

        def dante_pids():
            return [dante_process.pid] + children_of(dante_process.pid)

        rounds = options.rounds
        print(f"warden benchmarks, native, loopback, {rounds} rounds after a warm-up; median (min-max)", flush=True)
        print("bulk: 1 GiB from nginx with curl --socks5", flush=True)
        bulk(figures, rounds, nginx_port, dante, dante_pids, warden_to_dante, lambda: [warden_dante.pid], "")
        figures.line("direct MB/s", "MB/s")
        figures.line("dante alone MB/s", "MB/s")
        figures.line("dante alone % of direct", "%")
        figures.line("dante CPU s/GiB", "s", digits=2)
        figures.line("warden -> dante MB/s", "MB/s")
        figures.line("warden -> dante % of direct", "%")
        figures.line("warden -> dante % of dante alone", "%", ">= 90 %", lambda v: v >= 90)
        figures.line("warden CPU s/GiB", "s", "<= 0.9 s", lambda v: v <= 0.9, digits=2)

        # Many short rounds: the host's slow swings, which move every path by tens of microseconds,
        # then fall on the node alone and on the chain alike and drop out of the added figures.
        latency_rounds = 4 * rounds
        print(f"new connections, one at a time, {latency_rounds} rounds of 250: SOCKS handshake, GET /tiny, "
              "read to EOF", flush=True)
        sequential(figures, latency_rounds, options.socksbench, target, microsocks, hop1, warden_to_ms, 250, "")
        figures.line("direct p50 us", "us")
        figures.line("microsocks alone p50 us", "us")
        figures.line("microsocks alone p99 us", "us")
        figures.line("microsocks -> microsocks p50 us", "us")
        figures.line("microsocks -> microsocks p99 us", "us")
        figures.line("added by the warden hop p50 us", "us")  # its goal moved to the distant node
        figures.line("added by the warden hop p99 us", "us", "<= 400 us", lambda v: v <= 400)
        figures.line("warden -> microsocks p50 us", "us", "<= 500 us", lambda v: v <= 500)
        figures.line("warden -> microsocks p99 us", "us", "<= 1000 us", lambda v: v <= 1000)
        figures.line("warden -> microsocks errors", "", "0", lambda v: v == 0)

        print("concurrent clients, closed loop, 10000 requests", flush=True)
        for clients in (50, 500):
            concurrent(figures, max(3, rounds // 2), options.socksbench, target, microsocks, hop1, warden_to_ms,
                       clients, "", 10000)
            figures.line(f"{clients} clients warden errors", "", "0", lambda v: v == 0)
            figures.line(f"{clients} clients warden req/s", "req/s")
            figures.line(f"{clients} clients microsocks -> microsocks req/s", "req/s")
            figures.line(f"{clients} clients warden / microsocks chain", "x", ">= 1.0 x", lambda v: v >= 1.0, digits=2)

        print("1000 held tunnels through warden -> microsocks (64 handshakes in flight)", flush=True)
        held(figures, 3, options.socksbench, target, warden_to_ms, warden_ms.pid, "", microsocks)
        figures.line("1000 held: microsocks alone time to open s", "s", digits=3)
        figures.line("1000 held: established", "", "1000", lambda v: v == 1000)
        figures.line("1000 held: time to open s", "s", "<= 0.3 s", lambda v: v <= 0.3, digits=3)
        figures.line("1000 held: warden RSS held MiB", "MiB", "<= 32 MiB", lambda v: v <= 32, digits=1)
        figures.line("1000 held: RSS after close - idle MiB", "MiB", "<= 8 MiB", lambda v: v <= 8, digits=1)
        figures.line("1000 held: errors", "", "0", lambda v: v == 0)

        _, ss_server = services.ss_server("127.0.0.9")
        shadowsocks_figures(figures, options, services, nginx_port, target, ss_server)

        distant_figures(figures, options, services, target, dante, microsocks, ss_server)

        if options.warden_exe:
            wine_figures(figures, options, services, nginx_port, target, dante, microsocks, hop1, ss_server)

        print()
        missed = [name for name, met in figures.results if not met]
        print(f"goals: {len(figures.results) - len(missed)} of {len(figures.results)} met"
              + (f"; not met: {', '.join(missed)}" if missed else ""))
    finally:
        services.close()


def distant_figures(figures, options, services, target, dante, microsocks, ss_server):
    rtt_ms = 2 * options.delay_ms
    relay_ip = "127.0.0.8"
    far_microsocks, far_dante, far_ss = services.delay_relay(options.delay_relay, options.delay_ms,
                                                             [(relay_ip, microsocks), (relay_ip, dante),
                                                              (relay_ip, ss_server)])
    _, ss_local = services.ss_local(far_ss)
    _, warden_ss = services.warden([options.warden], far_ss, SS_METHOD, SS_KEY)
    _, warden_ms = services.warden([options.warden], far_microsocks)
    _, warden_dante = services.warden([options.warden], far_dante)
    paths = [("ss-local -> ss-server", ss_local), ("warden -> ss-server", warden_ss),
             ("warden -> microsocks", warden_ms), ("warden -> dante", warden_dante)]
    rounds = options.rounds
    print(f"a node across the world: {options.delay_ms:g} ms each way (RTT {rtt_ms:g} ms) through a delaying "
          f"relay; {rounds} rounds of 20 one at a time and a burst of 20 after a warm-up burst; in RTT",
          flush=True)
    distant(figures, rounds, options.socksbench, target, paths, rtt_ms, 20)
    goals = {"warden -> ss-server": (1.1, 1.3), "warden -> microsocks": (2.1, 2.3), "warden -> dante": (1.2, 1.4)}
    for name, _ in paths:
        one, burst = goals.get(name, (None, None))
        for figure, goal in [("one at a time RTT", one), ("burst of 20, slowest RTT", burst)]:
            if goal is None:
                figures.line(f"{name}: {figure}", "RTT", digits=2)
            else:
                figures.line(f"{name}: {figure}", "RTT", f"<= {goal} RTT", lambda v, g=goal: v <= g, digits=2)
        figures.line(f"{name}: errors", "", "0", lambda v: v == 0)


def shadowsocks_bulk(figures, rounds, nginx_port, paths, label):
    """paths: [(name, proxy, pids())]; each downloads 1 GiB per round, in turns that alternate."""
    url = f"http://127.0.0.1:{nginx_port}/big"
    for round_number in range(rounds + 1):  # the first round warms up
        results = {}
        for name, proxy, pids in (paths if round_number % 2 else paths[::-1]):
            cpu = cpu_seconds(pids())
            speed = curl_download(url, ["--socks5-hostname", proxy])
            results[name] = (speed, cpu_seconds(pids()) - cpu)
        if round_number == 0:
            continue
        for name, (speed, cpu) in results.items():
            figures.add(f"{label}{name} MB/s", speed)
            figures.add(f"{label}{name} CPU s/GiB", cpu)
        if "warden" in results and "ss-local" in results:
            figures.add(f"{label}warden / ss-local throughput", results["warden"][0] / results["ss-local"][0])
            figures.add(f"{label}warden CPU - ss-local CPU s/GiB", results["warden"][1] - results["ss-local"][1])


def shadowsocks_figures(figures, options, services, nginx_port, target, ss_server):
    ss_local, ss_local_proxy = services.ss_local(ss_server)
    warden, warden_proxy = services.warden([options.warden], ss_server, SS_METHOD, SS_KEY)
    rounds = options.rounds
    print(f"a Shadowsocks node ({SS_METHOD}, ss-server on loopback): warden -> ss-server beside ss-local -> the "
          f"same ss-server; bulk: 1 GiB, {rounds} rounds after a warm-up", flush=True)
    shadowsocks_bulk(figures, rounds, nginx_port, [("ss-local", ss_local_proxy, lambda: [ss_local.pid]),
                                                   ("warden", warden_proxy, lambda: [warden.pid])], "ss: ")
    figures.line("ss: ss-local MB/s", "MB/s")
    figures.line("ss: warden MB/s", "MB/s")
    figures.line("ss: warden / ss-local throughput", "x", ">= 1.0 x", lambda v: v >= 1.0, digits=2)
    figures.line("ss: ss-local CPU s/GiB", "s", digits=2)
    figures.line("ss: warden CPU s/GiB", "s", digits=2)
    figures.line("ss: warden CPU - ss-local CPU s/GiB", "s", "<= 0 s", lambda v: v <= 0, digits=2)
    print("1000 held tunnels through warden -> ss-server (64 handshakes in flight)", flush=True)
    for _ in range(3):
        reference = hold(options.socksbench, target, ss_local_proxy, 1000, "-r", str(ss_local.pid))
        figures.add("ss: 1000 held: ss-local time to open s", reference.get("establish_s", 99))
        figures.add("ss: 1000 held: ss-local RSS held MiB", reference.get("proxy_rss_kb_held", 0) / 1024)
    held(figures, 3, options.socksbench, target, warden_proxy, warden.pid, "ss: ")
    figures.line("ss: 1000 held: ss-local time to open s", "s", digits=3)
    figures.line("ss: 1000 held: ss-local RSS held MiB", "MiB", digits=1)
    figures.line("ss: 1000 held: established", "", "1000", lambda v: v == 1000)
    figures.line("ss: 1000 held: time to open s", "s", "<= 0.5 s", lambda v: v <= 0.5, digits=3)
    figures.line("ss: 1000 held: warden RSS held MiB", "MiB", "<= 32 MiB", lambda v: v <= 32, digits=1)
    figures.line("ss: 1000 held: errors", "", "0", lambda v: v == 0)


def wine_figures(figures, options, services, nginx_port, target, dante, microsocks, hop1, ss_server):
    prefix = ["wine", options.warden_exe]
    warden_dante, warden_to_dante = services.warden(prefix, dante)
    warden_ms, warden_to_ms = services.warden(prefix, microsocks)
    prefix_setting = f"WINEPREFIX={os.environ.get('WINEPREFIX', '')}".encode()
    wineserver = [int(pid) for pid in run(["pgrep", "wineserver"]).split() if prefix_setting in environment(pid)]
    label = "wine: "
    print("warden.exe under Wine (no goals; its CPU includes the wineserver's): 3 rounds after a warm-up", flush=True)
    bulk(figures, 3, nginx_port, dante, lambda: [], warden_to_dante, lambda: [warden_dante.pid] + wineserver, label)
    figures.line(f"{label}direct MB/s", "MB/s")
    figures.line(f"{label}dante alone MB/s", "MB/s")
    figures.line(f"{label}warden -> dante MB/s", "MB/s")
    figures.line(f"{label}warden -> dante % of dante alone", "%")
    figures.line(f"{label}warden CPU s/GiB", "s", digits=2)
    sequential(figures, 3, options.socksbench, target, microsocks, hop1, warden_to_ms, 300, label)
    figures.line(f"{label}microsocks alone p50 us", "us")
    figures.line(f"{label}warden -> microsocks p50 us", "us")
    figures.line(f"{label}warden -> microsocks p99 us", "us")
    figures.line(f"{label}added by the warden hop p50 us", "us")
    figures.line(f"{label}warden -> microsocks errors", "")
    concurrent(figures, 3, options.socksbench, target, microsocks, hop1, warden_to_ms, 50, label, 2000,
               references=False)
    figures.line(f"{label}50 clients warden errors", "")
    figures.line(f"{label}50 clients warden req/s", "req/s")
    held(figures, 1, options.socksbench, target, warden_to_ms, warden_ms.pid, label)
    figures.line(f"{label}1000 held: established", "")
    figures.line(f"{label}1000 held: time to open s", "s", digits=3)
    figures.line(f"{label}1000 held: warden RSS held MiB", "MiB", digits=1)
    warden_ss, warden_to_ss = services.warden(prefix, ss_server, SS_METHOD, SS_KEY)
    print(f"warden.exe under Wine -> ss-server ({SS_METHOD}): 1 GiB, 3 rounds after a warm-up", flush=True)
    shadowsocks_bulk(figures, 3, nginx_port, [("warden", warden_to_ss, lambda: [warden_ss.pid] + wineserver)],
                     f"{label}ss: ")
    figures.line(f"{label}ss: warden MB/s", "MB/s")
    figures.line(f"{label}ss: warden CPU s/GiB", "s", digits=2)
    far_microsocks, far_dante, far_ss = services.delay_relay(
        options.delay_relay, options.delay_ms, [("127.0.0.8", microsocks), ("127.0.0.8", dante), ("127.0.0.8", ss_server)])
    paths = [(f"{label}warden -> ss-server", services.warden(prefix, far_ss, SS_METHOD, SS_KEY)[1]),
             (f"{label}warden -> microsocks", services.warden(prefix, far_microsocks)[1]),
             (f"{label}warden -> dante", services.warden(prefix, far_dante)[1])]
    print("warden.exe under Wine, the node across the world: 3 rounds, in RTT", flush=True)
    distant(figures, 3, options.socksbench, target, paths, 2 * options.delay_ms, 20)
    for name, _ in paths:
        figures.line(f"{name}: one at a time RTT", "RTT", digits=2)
        figures.line(f"{name}: burst of 20, slowest RTT", "RTT", digits=2)
        figures.line(f"{name}: errors", "")


if __name__ == "__main__":
    main()
