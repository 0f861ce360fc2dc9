#!/usr/bin/env python3
"""Serves the HTTP client's tests on 127.0.0.1:80 and listens on :443.

Usage: http_test_server.py -- COMMAND [ARGS...]
Starts both listeners, runs COMMAND, stops them and exits with COMMAND's status.

Routes on port 80:
  /status/404     a 404 answer with an error page
  /bytes/N        N bytes, byte i being i % 251
  /empty          a 200 answer with no body
  /cookies/K      K Set-Cookie headers, c1=one first
  /echo           the request line, header lines and body as received
  /slow           a short body after half a second
  /redirect       a 302 answer pointing at /empty
  /tls-seen       "yes" when port 443 received a TLS client hello, else "no"
"""
import http.server
import socket
import subprocess
import sys
import threading
import time

tls_hello_seen = threading.Event()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body, extra_headers=()):
        self.send_response(status)
        for name, value in extra_headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        self.route(b"")

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        self.route(self.rfile.read(length))

    def route(self, body):
        path = self.path.split("?")[0]
        if path == "/status/404":
            self.answer(404, b"<html>not here</html>")
        elif path.startswith("/bytes/"):
            count = int(path[len("/bytes/"):])
            self.answer(200, bytes(i % 251 for i in range(count)))
        elif path == "/empty":
            self.answer(200, b"")
        elif path.startswith("/cookies/"):
            count = int(path[len("/cookies/"):])
            names = ["one", "two", "three", "four"]
            cookies = [("Set-Cookie", f"c{i + 1}={names[i]}") for i in range(count)]
            self.answer(200, b"cookies", cookies)
        elif path == "/echo":
            lines = [self.requestline] + [f"{k}: {v}" for k, v in self.headers.items()]
            self.answer(200, ("\r\n".join(lines) + "\r\n\r\n").encode() + body)
        elif path == "/redirect":
            self.answer(302, b"moved", [("Location", "/empty")])
        elif path == "/slow":
            time.sleep(0.5)
            self.answer(200, b"late")
        elif path == "/tls-seen":
            self.answer(200, b"yes" if tls_hello_seen.is_set() else b"no")
        else:
            self.answer(400, b"unknown route")


def serve_tls_listener(listener):
    while True:
        try:
            connection, _ = listener.accept()
        except OSError:
            return
        with connection:
            connection.settimeout(5)
            try:
                first = connection.recv(1)
            except OSError:
                first = b""
            # A TLS record of type handshake starts with 0x16.
            if first == b"\x16":
                tls_hello_seen.set()


def main():
    if "--" not in sys.argv:
        sys.exit(__doc__)
    command = sys.argv[sys.argv.index("--") + 1:]

    http.server.ThreadingHTTPServer.allow_reuse_address = True
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 80), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()

    tls = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    tls.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    tls.bind(("127.0.0.1", 443))
    tls.listen(8)
    threading.Thread(target=serve_tls_listener, args=(tls,), daemon=True).start()

    try:
        status = subprocess.call(command, stdin=subprocess.DEVNULL)
    finally:
        server.shutdown()
        tls.close()
    sys.exit(status)


if __name__ == "__main__":
    main()
