#!/usr/bin/env python3
"""The maker's site: the directory service, the download and the web pages, served by nginx.

The directory reply is a static text, so any web server or CDN can serve it; this program writes
it from a plain node list (see nodes.txt) and runs nginx on loopback addresses, each host on its
own address at port 80 (the program's request always goes to port 80):

  maker_site.py build NODES FOLDER --key KEY [options]   writes FOLDER/www, FOLDER/nginx.conf
  maker_site.py serve NODES FOLDER --key KEY [options]   builds, then serves until SIGTERM or Ctrl+C

The reply is signed with the maker's private key KEY (PEM): its last line is "Signature=" and the
base64 of an RSA-PSS signature (SHA-256, 32-byte salt) over every byte before that line, made by
openssl. The program takes no reply without it. The tests and the demo sign with the test build's
key (build/<target>/makers-test-key/private.pem), a release's site with the maker's.

Options:
  --host ADDRESS[=BEHAVIOUR]  a host of the site (repeatable; default: 127.0.0.31, .32, .33, the
                              hosts compiled into the program). What it does with the directory
                              request /update-ng.php:
                                reply        the node list (default)
                                no-marker    the reply without its end marker "E=1"
                                silent       accepts the connection and never answers
                                system-only  closes on the program's own request (HTTP/1.0) and
                                             answers the system's download (HTTP/1.1)
                                firewalled   closes on the request while FOLDER/firewall
                                             exists, as if a firewall stopped the program;
                                             the node list once that file is gone
                                forged       a forger's reply: one node, on this host's own
                                             address, under the signature of the real reply
                                unsigned     the reply without its signature line
                              Every host but a silent one also serves the pages below.
  --download FILE[=NAME]      served as /download/NAME (the file's own name without it;
                              repeatable); without any, a placeholder masqng.exe
  --pid-file FILE             where `serve` writes its own PID

`serve` writes FOLDER/ready once every host listens, and ends with an error when one cannot.

Pages: / and /contact.html, the five browser guides /masq-with-*.htm, /setup-firewall.htm, and
/ip.php, which answers with the address it sees the request come from. Requests are logged to
FOLDER/access.log as: host address, request line, user agent.
"""
import argparse
import base64
import os
import shutil
import signal
import socket
import subprocess
import sys
import time

SCRAMBLE_KEY = "M"  # shared with the program (directory/scramble_text.h)
DEFAULT_HOSTS = ["127.0.0.31", "127.0.0.32", "127.0.0.33"]
BEHAVIOURS = ("reply", "no-marker", "silent", "system-only", "firewalled", "forged", "unsigned")
PAGES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pages")
LOCATION_CODES = {10, 11, 12, 13, 14, 15, 20, 21, 30, 31, 40, 41, 50}


def scramble(text, key=SCRAMBLE_KEY):
    """Each character XORed with the key, masked to stay in its range: its own inverse."""
    out = []
    for i, char in enumerate(text.encode("latin-1")):
        k = ord(key[i % len(key)])
        if char >= 0x80:
            char ^= k & 0x7F
        elif char >= 0x40:
            char ^= k & 0x3F
        elif char >= 0x20:
            char ^= k & 0x1F
        out.append(char)
    return bytes(out).decode("latin-1")


def octet(text, where):
    if not text.isdigit() or len(text) > 3 or int(text) > 255:
        sys.exit(f"maker_site: {where}: {text!r} is no octet")
    return int(text)


def check_entry(entry, where):
    """An IPv4 address, or one whose last octet is a range (192.0.2.5-7)."""
    address, _, last = entry.partition("-")
    parts = address.split(".")
    if len(parts) != 4:
        sys.exit(f"maker_site: {where}: {entry!r} is no IPv4 address")
    for part in parts:
        octet(part, where)
    if last:
        octet(last, where)


def read_node_list(path):
    """The tunnel values, the extra reply lines and the nodes of a node list file."""
    values, extra, nodes = {}, [], []
    with open(path, encoding="latin-1") as lines:
        for number, line in enumerate(lines, 1):
            line = line.strip()
            where = f"{path}:{number}"
            if not line or line.startswith("#"):
                continue
            if "=" in line:
                name, value = (part.strip() for part in line.split("=", 1))
                if name in ("P", "U", "K"):
                    if any(c.isspace() or c in "\"'" for c in value):
                        sys.exit(f"maker_site: {where}: {name} must have no blanks or quotes")
                    values[name] = value
                else:
                    extra.append(f"{name}={value}")
                continue
            code, _, entry = line.partition(" ")
            entry = entry.strip()
            if len(code) != 2 or not code.isdigit():
                sys.exit(f"maker_site: {where}: {code!r} is no two-digit location code")
            if int(code) not in LOCATION_CODES:
                print(f"maker_site: {where}: location {code} shows as Unknown", file=sys.stderr)
            check_entry(entry, where)
            nodes.append((code, entry))
    for name in ("P", "U", "K"):
        values.setdefault(name, "")
    return values, extra, nodes


def reply_text(values, extra, nodes, end_marker=True):
    lines = ["B=1", *extra, f"C={len(nodes)}"]
    lines += [f"{name}={scramble(values[name])}" for name in ("P", "U", "K")]
    lines += [f"{k}={code}{scramble(entry)}" for k, (code, entry) in enumerate(nodes, 1)]
    if end_marker:
        lines.append("E=1")
    return "".join(line + "\r\n" for line in lines)


def signature_line(text, key):
    """The reply's last line: the maker's signature of every byte before it, as a maker makes it
    by hand (site/README.md)."""
    signed = subprocess.run(
        ["openssl", "dgst", "-sha256", "-sigopt", "rsa_padding_mode:pss", "-sigopt", "rsa_pss_saltlen:32",
         "-sign", key], input=text.encode("latin-1"), capture_output=True)
    if signed.returncode != 0 or not signed.stdout:
        sys.exit(f"maker_site: cannot sign with {key}: {signed.stderr.decode(errors='replace').strip()}")
    return "Signature=" + base64.b64encode(signed.stdout).decode("ascii") + "\r\n"


def write_text(path, text):
    with open(path, "w", encoding="latin-1", newline="") as f:
        f.write(text)


def parse_hosts(options):
    hosts = []
    for option in options or DEFAULT_HOSTS:
        address, _, behaviour = option.partition("=")
        behaviour = behaviour or "reply"
        if behaviour not in BEHAVIOURS:
            sys.exit(f"maker_site: unknown behaviour {behaviour!r} (one of {', '.join(BEHAVIOURS)})")
        socket.inet_aton(address)
        if not address.startswith("127."):
            sys.exit(f"maker_site: {address} is no loopback address: the site never leaves the machine")
        hosts.append((address, behaviour))
    return hosts


SERVER = """
    server {{
        listen {address}:80;
        root {www};
        location = /update-ng.php {{
            default_type text/plain;
            {directory}
        }}
        location = /ip.php {{
            default_type text/plain;
            return 200 "$remote_addr\\n";
        }}
    }}
"""

DIRECTORY = {
    "reply": "alias {www}/reply.txt;",
    "no-marker": "alias {www}/reply-no-marker.txt;",
    "forged": "alias {www}/reply-forged-{address}.txt;",
    "unsigned": "alias {www}/reply-unsigned.txt;",
    "system-only": 'if ($server_protocol = "HTTP/1.0") {{ return 444; }}\n            alias {www}/reply.txt;',
    "firewalled": 'if (-f {folder}/firewall) {{ return 444; }}\n            alias {www}/reply.txt;',
}


def nginx_conf(folder, hosts):
    www = os.path.join(folder, "www")
    servers = "".join(
        SERVER.format(address=address, www=www,
                      directory=DIRECTORY[behaviour].format(www=www, folder=folder, address=address))
        for address, behaviour in hosts if behaviour != "silent")
    user = "user root;" if os.geteuid() == 0 else ""  # the files may be readable by their owner only
    temp = os.path.join(folder, "temp")
    return f"""{user}
daemon off;
worker_processes 1;
pid {folder}/nginx.pid;
error_log {folder}/error.log;
events {{ worker_connections 256; }}
http {{
    include /etc/nginx/mime.types;
    log_format site '$server_addr "$request" "$http_user_agent"';
    access_log {folder}/access.log site;
    client_body_temp_path {temp}; proxy_temp_path {temp}; fastcgi_temp_path {temp};
    uwsgi_temp_path {temp}; scgi_temp_path {temp};
    keepalive_timeout 0;
{servers}}}
"""


def build(args):
    folder = os.path.abspath(args.folder)
    hosts = parse_hosts(args.host)
    values, extra, nodes = read_node_list(args.nodes)
    www = os.path.join(folder, "www")
    shutil.rmtree(www, ignore_errors=True)
    os.makedirs(os.path.join(www, "download"))
    os.makedirs(os.path.join(folder, "temp"), exist_ok=True)
    reply = reply_text(values, extra, nodes)
    signature = signature_line(reply, args.key)
    write_text(os.path.join(www, "reply.txt"), reply + signature)
    no_marker = reply_text(values, extra, nodes, end_marker=False)
    write_text(os.path.join(www, "reply-no-marker.txt"), no_marker + signature_line(no_marker, args.key))
    write_text(os.path.join(www, "reply-unsigned.txt"), reply)
    for address, behaviour in hosts:
        if behaviour == "forged":  # what a forger without the maker's key can serve
            code = nodes[0][0] if nodes else "10"
            forged = reply_text(values, extra, [(code, address)])
            write_text(os.path.join(www, f"reply-forged-{address}.txt"), forged + signature)
    for page in os.listdir(PAGES):
        shutil.copy(os.path.join(PAGES, page), www)
    for download in args.download or []:
        path, _, name = download.partition("=")
        shutil.copy(path, os.path.join(www, "download", name or os.path.basename(path)))
    if not args.download:
        with open(os.path.join(www, "download", "masqng.exe"), "w") as f:
            f.write("The installer of the next version is published here.\n")
    with open(os.path.join(folder, "nginx.conf"), "w") as f:
        f.write(nginx_conf(folder, hosts))
    return folder, hosts


def wait_listening(address, nginx, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and nginx.poll() is None:
        with socket.socket() as probe:
            if probe.connect_ex((address, 80)) == 0:
                return True
        time.sleep(0.05)
    return False


def serve(args):
    folder, hosts = build(args)
    ready = os.path.join(folder, "ready")
    if os.path.exists(ready):
        os.remove(ready)
    if args.pid_file:
        with open(args.pid_file, "w") as f:
            f.write(f"{os.getpid()}\n")
    # A silent host: the kernel accepts its connections into the backlog, and nobody ever reads.
    silent = []
    for address, behaviour in hosts:
        if behaviour == "silent":
            listener = socket.socket()
            listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            listener.bind((address, 80))
            listener.listen(64)
            silent.append(listener)
    nginx = subprocess.Popen(["nginx", "-c", os.path.join(folder, "nginx.conf"), "-p", folder],
                             stdin=subprocess.DEVNULL)

    stopping = []

    def stop(*_):
        # Only a signal here: the main loop's wait sees nginx end and ends the site.
        stopping.append(True)
        if nginx.returncode is None:
            nginx.terminate()  # the master ends its worker too

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    for address, behaviour in hosts:
        if behaviour != "silent" and not wait_listening(address, nginx):
            print(f"maker_site: nginx does not listen on {address}:80 (see {folder}/error.log)", file=sys.stderr)
            stop()
            nginx.wait()
            sys.exit(1)
    print("maker_site: serving " + ", ".join(f"{a} ({b})" for a, b in hosts), flush=True)
    open(ready, "w").close()
    nginx.wait()
    if not stopping:
        sys.exit(f"maker_site: nginx ended (see {folder}/error.log)")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=("build", "serve"))
    parser.add_argument("nodes")
    parser.add_argument("folder")
    parser.add_argument("--key", required=True, help="the maker's private key (PEM) that signs the reply")
    parser.add_argument("--host", action="append")
    parser.add_argument("--download", action="append")
    parser.add_argument("--pid-file")
    args = parser.parse_args()
    if args.command == "build":
        build(args)
    else:
        serve(args)


if __name__ == "__main__":
    main()
