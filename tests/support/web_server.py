#!/usr/bin/env python3
"""A loopback web server that tests start to stand in for the product's web sites.

Usage: web_server.py FOLDER

FOLDER/routes holds one route per line: path, HTTP status, "held" or "free", the body in
hexadecimal and, optionally, a Location header ("{port}" in it becomes the server's port),
separated by tabs. A held route answers once the file FOLDER/release exists. Every
request is appended to FOLDER/requests (its path, one per line) before it is answered; the port
chosen on 127.0.0.1 is written to FOLDER/port once the server listens. Paths without a route get
404 with an empty body.

The server stops when FOLDER/stop appears, when the process that started it ends, or after ten
minutes, so that a test that dies never leaves it behind; FOLDER/stopped then tells that it has
let go of the folder.
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


def main():
    folder = sys.argv[1]
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

    parent = os.getppid()
    end = time.monotonic() + LIFETIME

    def watch():
        while not os.path.exists(os.path.join(folder, "stop")) and os.getppid() == parent:
            if time.monotonic() > end:
                break
            time.sleep(0.1)
        stopping.set()
        server.shutdown()

    threading.Thread(target=watch, daemon=True).start()
    server.serve_forever(poll_interval=0.1)
    server.server_close()
    open(os.path.join(folder, "stopped"), "w").close()


if __name__ == "__main__":
    main()
