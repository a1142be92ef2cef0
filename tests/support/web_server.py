#!/usr/bin/env python3
"""Loopback web servers that stand in for the product's web sites in the update tests.

Usage: web_server.py --host SPOOL
       web_server.py FOLDER


The Wine runner starts it beside a Windows test program, which never starts a Unix program
itself (Wine starts one without filling in the process's handles). A test asks for a server by
putting a file named *.request into SPOOL whose text is the server's FOLDER as a Unix path; the
host serves each such folder on a port of its own until the folder says stop. Given a FOLDER, it
serves that one alone (the screenshot tool's announcing site).

FOLDER/routes holds one route per line: path, HTTP status, "held" or "free", the body in
hexadecimal and, optionally, a Location header ("{port}" in it becomes the server's port),
separated by tabs. A held route answers once the file FOLDER/release exists. Every
request is appended to FOLDER/requests (its path, one per line) before it is answered; the port
chosen on 127.0.0.1 is written to FOLDER/port once the server listens. Paths without a route get
404 with an empty body.

A server stops when FOLDER/stop appears or after ten minutes; FOLDER/stopped then tells that it
has let go of the folder; FOLDER/failed says why a server could not start. The host, or a server of one folder, ends with the program that started it, so that a test that dies
never leaves it behind.
"""
import http.server
import os
import sys
import threading
import time

LIFETIME = 600


def read_routes(folder):
    routes = {}
    with open(os.path.join(folder, "routes"), encoding="utf-8") as lines:
        for line in lines:
            line = line.rstrip("\r\n")
            if not line:
                continue
            path, status, hold, body, *location = line.split("\t")
            routes[path] = (int(status), hold == "held", bytes.fromhex(body), "".join(location))
    return routes


def serve(folder):
    routes = read_routes(folder)
    log_lock = threading.Lock()
    stopping = threading.Event()

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            with log_lock, open(os.path.join(folder, "requests"), "a", encoding="utf-8") as log:
                log.write(self.path + "\n")
            status, held, body, location = routes.get(self.path, (404, False, b"", ""))
            while held and not stopping.is_set():
                if os.path.exists(os.path.join(folder, "release")):
                    break
                time.sleep(0.05)
            self.send_response(status)
            if location:
                port = str(self.server.server_address[1])
                self.send_header("Location", location.replace("{port}", port))
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            try:
                self.end_headers()
                self.wfile.write(body)
            except (BrokenPipeError, ConnectionResetError):
                pass  # a client that gave up waiting for a held answer

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    port_file = os.path.join(folder, "port")
    with open(port_file + ".tmp", "w") as port:
        port.write(str(server.server_address[1]))
    os.replace(port_file + ".tmp", port_file)

    end = time.monotonic() + LIFETIME

    def watch():
        while not os.path.exists(os.path.join(folder, "stop")):
            if time.monotonic() > end:
                break
            time.sleep(0.1)
        stopping.set()
        server.shutdown()

    threading.Thread(target=watch, daemon=True).start()
    server.serve_forever(poll_interval=0.1)
    server.server_close()
    open(os.path.join(folder, "stopped"), "w").close()


def serve_or_say_why(folder):
    try:
        serve(folder)
    except Exception as error:  # the test waiting for the port reads why there is none
        with open(os.path.join(folder, "failed"), "w", encoding="utf-8") as why:
            why.write(repr(error))


def serve_requests(spool):
    parent = os.getppid()
    while os.getppid() == parent:
        for name in sorted(os.listdir(spool)):
            if not name.endswith(".request"):
                continue
            request = os.path.join(spool, name)
            with open(request, encoding="utf-8") as text:
                folder = text.read().strip()
            os.remove(request)
            threading.Thread(target=serve_or_say_why, args=(folder,), daemon=True).start()
        time.sleep(0.02)


def serve_while_parent_lives(folder):
    parent = os.getppid()
    threading.Thread(target=serve, args=(folder,), daemon=True).start()
    while os.getppid() == parent and not os.path.exists(os.path.join(folder, "stopped")):
        time.sleep(0.1)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--host":
        serve_requests(sys.argv[2])
    elif len(sys.argv) == 2:
        serve_while_parent_lives(sys.argv[1])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
