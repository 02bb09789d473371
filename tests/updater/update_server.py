#!/usr/bin/env python3
"""The product's web host and the connectivity probe, as the updater's tests see them.

The tests point the prefix's per-user proxy setting at this server, so the updater keeps its own URLs
and every request it makes arrives here as a proxy request ("GET http://host/path"). What each URL
answers is set by the tests through a control address on the server itself:

  PUT  http://127.0.0.1:PORT/__control/route?url=URL&status=200&mode=normal   body: what URL serves
       mode: normal, hang (never answers), drop (closes the connection without an answer)
  POST http://127.0.0.1:PORT/__control/reset      forgets every route and the request log
  GET  http://127.0.0.1:PORT/__control/log        the proxied requests so far, one a line: METHOD URL|USER-AGENT

Any other URL answers 404. Only 127.0.0.1 is listened on and nothing is ever fetched from elsewhere.

  update_server.py start DIR   starts the server in the background, writes DIR/port and DIR/pid, prints the port
  update_server.py stop DIR    stops the server started with DIR
The server also stops by itself after ten idle minutes, or after an hour in any case.
"""
import http.server
import os
import signal
import subprocess
import sys
import threading
import time
import urllib.parse

IDLE_LIMIT = 600
LIFETIME = 3600
HANG_LIMIT = 120


class State:
    def __init__(self):
        self.lock = threading.Lock()
        self.routes = {}
        self.log = []
        self.last_request = time.monotonic()
        self.stopping = threading.Event()


def normalise(url):
    """http://host:80/path and http://HOST/path name the same thing."""
    parts = urllib.parse.urlsplit(url)
    host = (parts.hostname or "").lower()
    if parts.port and parts.port != 80:
        host += ":%d" % parts.port
    return "%s://%s%s" % (parts.scheme.lower() or "http", host, parts.path or "/") + ("?" + parts.query if parts.query else "")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    server_version = "BrivaneTestHost/1"

    def log_message(self, fmt, *args):
        pass

    def _body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length) if length else b""

    def _answer(self, status, body=b"", content_type="application/octet-stream"):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def _control(self, path, query):
        state = self.server.state
        if path == "/__control/route" and self.command == "PUT":
            url = normalise(query["url"][0])
            route = {
                "status": int(query.get("status", ["200"])[0]),
                "mode": query.get("mode", ["normal"])[0],
                "body": self._body(),
            }
            with state.lock:
                state.routes[url] = route
            return self._answer(204)
        if path == "/__control/reset" and self.command == "POST":
            with state.lock:
                state.routes.clear()
                state.log.clear()
            return self._answer(204)
        if path == "/__control/log" and self.command == "GET":
            with state.lock:
                text = "".join(line + "\n" for line in state.log)
            return self._answer(200, text.encode("utf-8"), "text/plain; charset=utf-8")
        return self._answer(404)

    def _handle(self):
        state = self.server.state
        state.last_request = time.monotonic()
        own = "127.0.0.1:%d" % self.server.server_address[1]
        if self.path.startswith("http://") or self.path.startswith("https://"):
            url = self.path
        else:
            url = "http://%s%s" % (self.headers.get("Host", own), self.path)
        parts = urllib.parse.urlsplit(url)
        if parts.netloc == own and parts.path.startswith("/__control/"):
            return self._control(parts.path, urllib.parse.parse_qs(parts.query))

        url = normalise(url)
        with state.lock:
            state.log.append("%s %s|%s" % (self.command, url, self.headers.get("User-Agent", "")))
            route = state.routes.get(url)
        if route is None:
            return self._answer(404, b"<html><body>Not Found</body></html>", "text/html")
        if route["mode"] == "hang":
            # Holds the connection open without a word until the client gives up.
            state.stopping.wait(HANG_LIMIT)
            self.close_connection = True
            return
        if route["mode"] == "drop":
            self.close_connection = True
            return
        self._answer(route["status"], route["body"])

    do_GET = do_HEAD = do_PUT = do_POST = _handle


def serve(folder):
    state = State()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.state = state
    port = server.server_address[1]

    def stop(*_):
        state.stopping.set()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    def watchdog():
        started = time.monotonic()
        while not state.stopping.wait(1):
            now = time.monotonic()
            if now - state.last_request > IDLE_LIMIT or now - started > LIFETIME:
                state.stopping.set()
        server.shutdown()

    threading.Thread(target=watchdog, daemon=True).start()
    with open(os.path.join(folder, "port.tmp"), "w") as f:
        f.write(str(port))
    with open(os.path.join(folder, "pid"), "w") as f:
        f.write(str(os.getpid()))
    os.replace(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
    server.serve_forever(poll_interval=0.2)
    server.server_close()
    for name in ("port", "pid"):
        try:
            os.remove(os.path.join(folder, name))
        except FileNotFoundError:
            pass


def start(folder):
    os.makedirs(folder, exist_ok=True)
    stop(folder)
    log = open(os.path.join(folder, "server.log"), "a")
    subprocess.Popen([sys.executable, os.path.abspath(__file__), "serve", folder], stdin=subprocess.DEVNULL,
                     stdout=log, stderr=log, start_new_session=True, close_fds=True)
    deadline = time.monotonic() + 20
    port_file = os.path.join(folder, "port")
    while time.monotonic() < deadline:
        if os.path.exists(port_file):
            print(open(port_file).read())
            return 0
        time.sleep(0.05)
    print("update_server: the server did not start", file=sys.stderr)
    return 1


def stop(folder):
    try:
        pid = int(open(os.path.join(folder, "pid")).read())
    except (FileNotFoundError, ValueError):
        return 0
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline and os.path.exists(os.path.join(folder, "pid")):
        time.sleep(0.05)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop", "serve"):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    action, folder = sys.argv[1], os.path.abspath(sys.argv[2])
    if action == "serve":
        serve(folder)
    else:
        sys.exit(start(folder) if action == "start" else stop(folder))
