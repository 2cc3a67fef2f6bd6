#!/usr/bin/env python3
"""Local stand-in for every web service the program talks to.

One process answers plain HTTP and HTTPS at the same time on loopback ports
chosen by the system, plus two HTTPS ports that clients must refuse: one
whose certificate comes from an authority nobody trusts, one whose
certificate names another host. Standard library only.

    standin.py --port-file DIR/ports.json --log DIR/requests.jsonl --cert-dir CERTS

Once every port listens, the ports are written (atomically) to the port file:
    {"http": N, "https": M, "https_untrusted": K, "https_wrong_name": W, "pid": P}
The certificate folder is made by certs.py (server.*, untrusted-server.*,
wrong-name-server.*). SIGTERM or SIGINT stops the
server cleanly and removes the port file.

Services (every path answers on every port):
  POST /oauth/2.0/token?grant_type=client_credentials&client_id=I&client_secret=S
      {"access_token":"<token>","session_key":"9mzd","scope":"public",...}
      The token is "24.tok-general" or "24.tok-accurate" for the program's two
      accounts, "24.tok-<client_id>" for any other pair the config knows.
      An unknown pair or grant gets HTTP 401 {"error":"invalid_client",...}.
  POST /rest/2.0/ocr/v1/general_basic?access_token=T   (and accurate_basic)
      body image=<percent-encoded Base64 of a BMP file>
      {"log_id": 1, "words_result_num": 3, "words_result": [{"words": "Hello"}, ...]}
      A token the server did not hand out gets error 110; an empty image 216200;
      an image that is not Base64 of a BMP file 216201. Each received image is
      saved as DIR/images/<n>.bmp and named in the request's log entry.
  GET /api/trans/vip/translate?q=..&from=auto&to=zh&appid=..&salt=..&sign=..
      {"from":"en","to":"zh","trans_result":[{"src":"<q>","dst":"<dst>"}]}
      The sign must be md5(appid + q + salt + key) of the configured account
      (q as the percent-decoded bytes), else error 54001.
  GET /update.html   UTF-8 page holding <span class="v">版本号：<version></span>
  GET /              visit-counter page; every call counts one visit

Test endpoints:
  /echo              answers 200 with the request as received: the request
                     line, each header line as sent, an empty line, the body
  /redirect?to=X&code=N   answers N (302) with Location X (default /echo)
  /status/N          answers status N with the body "status N body"
  /utf8-body         UTF-8 text, charset=UTF-8 in the Content-Type only
  /nul-body          "before" NUL "after"
  /padded-headers?pad=N   UTF-8 text, charset=utf-8 in the Content-Type, and
                     N bytes of X-Pad-<i> headers (to overflow a header buffer)
  /chunked           body sent with chunked transfer coding
  /big?size=N        N bytes of a repeating alphabet
  /slow?seconds=S    waits S seconds (at most 120) before answering "slow"

Control (never logged):
  POST /_control/config  JSON object merged into the config; knobs:
      version      text published on /update.html ("1.0")
      words        list of recognised lines (["Hello", "big", "world"])
      ocr_answer   raw answer text for recognition requests, replacing words
      dst          text put between the quotes of "dst" ("\\u4f60\\u597d",
                   i.e. a backslash-u escape as the real service sends)
      token        one token for every known account (default per account)
      tokens       {client_id: token} per account
      accounts     {client_id: client_secret} accepted by the token endpoint
      translate_appid, translate_key   the account the sign is checked with
      check_sign, check_token          false turns the check off
      fail         list (or comma-separated text) of services answering
                   with an error: "token", "ocr", "translate", "update",
                   "counter"; "drop-<service>" closes the connection instead
      delay        {service: seconds} before answering
  GET /_control/config   the current config
  GET /_control/reset    default config, visit count 0, log and images emptied
  GET /_control/visits   {"visits": n}

Request log: one JSON object per line, appended and flushed per request:
  time (epoch seconds), port, scheme, method, path (with query), version,
  headers (object: name -> value; repeated names joined by ", "),
  header_lines (list of [name, value] as received), body_length, body_sha256,
  body (the body as text, bytes 0x80-0xFF and controls kept by reading it as
  latin-1: json escapes them as \\u00XX; left out above 64 KiB, when only the
  length and the digest tell it), service (which answer it got),
  and for recognition requests image_file / image_length.
"""

import argparse
import base64
import hashlib
import json
import os
import signal
import socket
import ssl
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

BODY_LOG_LIMIT = 65536
GENERAL_ID = "Hq8sN2vLm5XcT9bRw3ZkF6yD"
ACCURATE_ID = "Rk3mZ8qTw2LpVx9dNc4HbJ7s"


def default_config():
    return {
        "version": "1.0",
        "words": ["Hello", "big", "world"],
        "ocr_answer": None,
        "dst": "\\u4f60\\u597d",
        "token": None,
        "tokens": {},
        "accounts": {
            GENERAL_ID: "pE4gW7uKa2MzQ9rJx5VdC8nLt3YhB6sF",
            ACCURATE_ID: "aY6fKd2WsQ9mXr4TzB8nVe3LcG7hPu5J",
        },
        "translate_appid": "73950264118830472",
        "translate_key": "Jd7QmX2kRw9TzV4nLp8S",
        "check_sign": True,
        "check_token": True,
        "fail": [],
        "delay": {},
    }


class State:
    def __init__(self, log_path, image_dir):
        self.lock = threading.Lock()
        self.config = default_config()
        self.visits = 0
        self.issued_tokens = set()
        self.log_path = log_path
        self.image_dir = image_dir
        self.image_count = 0
        os.makedirs(os.path.dirname(os.path.abspath(log_path)), exist_ok=True)
        open(log_path, "a").close()

    def snapshot(self):
        with self.lock:
            return json.loads(json.dumps(self.config))

    def update(self, changes):
        with self.lock:
            for key, value in changes.items():
                self.config[key] = value

    def reset(self):
        with self.lock:
            self.config = default_config()
            self.visits = 0
            self.image_count = 0
            open(self.log_path, "w").close()
            if os.path.isdir(self.image_dir):
                for name in os.listdir(self.image_dir):
                    os.remove(os.path.join(self.image_dir, name))

    def count_visit(self):
        with self.lock:
            self.visits += 1
            return self.visits

    def issue(self, token):
        with self.lock:
            self.issued_tokens.add(token)

    def token_known(self, token):
        with self.lock:
            return token in self.issued_tokens

    def save_image(self, data):
        with self.lock:
            self.image_count += 1
            os.makedirs(self.image_dir, exist_ok=True)
            path = os.path.join(self.image_dir, "%d.bmp" % self.image_count)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def log(self, entry):
        line = json.dumps(entry, ensure_ascii=True) + "\n"
        with self.lock:
            with open(self.log_path, "a", encoding="ascii") as f:
                f.write(line)


def fail_list(config):
    fail = config.get("fail") or []
    if isinstance(fail, str):
        fail = [part.strip() for part in fail.split(",") if part.strip()]
    return fail


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "standin/1.0"
    sys_version = ""
    timeout = 30  # a client that goes silent must not hold a thread for ever

    # --- plumbing -------------------------------------------------------
    def setup(self):
        if isinstance(self.request, ssl.SSLSocket):
            # The handshake runs here, on the connection's own thread, so a
            # client that refuses the certificate only ends its own thread.
            self.request.settimeout(self.timeout)
            try:
                self.request.do_handshake()
            except (ssl.SSLError, OSError):
                self.handshake_failed = True
        super().setup()

    def handle(self):
        if getattr(self, "handshake_failed", False):
            return
        try:
            super().handle()
        except (ssl.SSLError, ConnectionError, socket.timeout):
            pass

    def log_message(self, format, *args):  # quiet: the JSON log says it all
        pass

    def read_body(self):
        if self.headers.get("Transfer-Encoding", "").lower() == "chunked":
            data = b""
            while True:
                size = int(self.rfile.readline().split(b";")[0].strip() or b"0", 16)
                if size == 0:
                    while self.rfile.readline() not in (b"\r\n", b"\n", b""):
                        pass
                    return data
                data += self.rfile.read(size)
                self.rfile.readline()
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length) if length > 0 else b""

    def send(self, status, body, content_type="text/plain", extra=()):
        if isinstance(body, str):
            body = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def drop(self):
        self.close_connection = True
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def do_GET(self):
        self.dispatch()

    def do_POST(self):
        self.dispatch()

    def do_HEAD(self):
        self.dispatch()

    def dispatch(self):
        body = self.read_body()
        url = urllib.parse.urlsplit(self.path)
        path = url.path
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True, encoding="latin-1")
        state = self.server.state

        if path.startswith("/_control/"):
            return self.control(path, body)

        entry = {
            "time": time.time(),
            "port": self.server.server_address[1],
            "scheme": self.server.scheme,
            "method": self.command,
            "path": self.path,
            "version": self.request_version,
            "headers": {},
            "header_lines": [],
            "body_length": len(body),
            "body_sha256": hashlib.sha256(body).hexdigest(),
        }
        if len(body) <= BODY_LOG_LIMIT:
            entry["body"] = body.decode("latin-1")
        for name, value in self.headers.items():
            entry["header_lines"].append([name, value])
            if name in entry["headers"]:
                entry["headers"][name] += ", " + value
            else:
                entry["headers"][name] = value

        config = state.snapshot()
        service, answer = self.route(path, url.query, query, body, config, entry)
        entry["service"] = service
        state.log(entry)

        delay = (config.get("delay") or {}).get(service)
        if delay:
            time.sleep(min(float(delay), 120))
        if "drop-" + service in fail_list(config):
            return self.drop()
        if callable(answer):
            answer()
        else:
            self.send(*answer)

    # --- routes ---------------------------------------------------------
    def route(self, path, raw_query, query, body, config, entry):
        """Returns (service name, answer): the answer is a tuple of send()'s
        arguments, or a routine that sends it itself."""
        failing = fail_list(config)
        if path == "/oauth/2.0/token":
            return "token", self.token(query, config, "token" in failing)
        if path in ("/rest/2.0/ocr/v1/general_basic", "/rest/2.0/ocr/v1/accurate_basic"):
            return "ocr", self.ocr(query, body, config, entry, "ocr" in failing)
        if path == "/api/trans/vip/translate":
            return "translate", self.translate(raw_query, config, "translate" in failing)
        if path == "/update.html":
            return "update", self.update_page(config, "update" in failing)
        if path == "/":
            return "counter", self.counter("counter" in failing)
        if path == "/echo":
            return "echo", self.echo(body)
        if path == "/redirect":
            target = query.get("to", ["/echo"])[0]
            code = int(query.get("code", ["302"])[0])
            return "redirect", (code, "moved", "text/plain", [("Location", target)])
        if path.startswith("/status/"):
            code = int(path[len("/status/"):] or 500)
            return "status", (code, "status %d body" % code)
        if path == "/utf8-body":
            return "utf8-body", (200, "\u4f60\u597d, world", "text/plain; charset=UTF-8")
        if path == "/padded-headers":
            pad = min(int(query.get("pad", ["6000"])[0]), 60000)
            # In lines of at most 1000 bytes: some clients cut longer lines.
            lines = [("X-Pad-%d" % i, "p" * min(1000, pad - i * 1000)) for i in range((pad + 999) // 1000)]
            return "padded-headers", (200, "\u4f60\u597d", "text/plain; charset=utf-8", lines)
        if path == "/nul-body":
            return "nul-body", (200, b"before\0after", "application/octet-stream")
        if path == "/chunked":
            return "chunked", self.chunked
        if path == "/big":
            size = int(query.get("size", ["4096"])[0])
            data = bytes(ord("a") + i % 26 for i in range(size))
            return "big", (200, data, "application/octet-stream")
        if path == "/slow":
            seconds = min(float(query.get("seconds", ["5"])[0]), 120)
            return "slow", lambda: (time.sleep(seconds), self.send(200, "slow"))
        return "unknown", (404, "no such page", "text/html")

    def token(self, query, config, failing):
        client_id = query.get("client_id", [""])[0]
        secret = query.get("client_secret", [""])[0]
        grant = query.get("grant_type", [""])[0]
        accounts = config.get("accounts") or {}
        if failing or grant != "client_credentials" or accounts.get(client_id) != secret or not client_id:
            return (401, json.dumps({"error": "invalid_client", "error_description": "unknown client id"}),
                    "application/json")
        token = (config.get("tokens") or {}).get(client_id) or config.get("token")
        if not token:
            name = {GENERAL_ID: "general", ACCURATE_ID: "accurate"}.get(client_id, client_id)
            token = "24.tok-" + name
        self.server.state.issue(token)
        answer = '{"access_token":%s,"session_key":"9mzd","scope":"public",' \
                 '"refresh_token":"r","session_secret":"y","expires_in":2592000}' % json.dumps(token)
        return (200, answer, "application/json")

    def ocr(self, query, body, config, entry, failing):
        def error(code, message):
            return (200, json.dumps({"log_id": 1, "error_code": code, "error_msg": message}),
                    "application/json;charset=utf-8")

        if failing:
            return error(282000, "internal error")
        token = query.get("access_token", [""])[0]
        if config.get("check_token", True) and not self.server.state.token_known(token):
            return error(110, "Access token invalid or no longer valid")
        form = body.decode("latin-1")
        if not form.startswith("image="):
            return error(216101, "param image not exist")
        encoded = urllib.parse.unquote_to_bytes(form[len("image="):])
        if not encoded:
            return error(216200, "empty image")
        try:
            image = base64.b64decode(encoded, validate=True)
        except ValueError:
            image = b""
        entry["image_length"] = len(image)
        if image[:2] != b"BM":
            return error(216201, "image format error")
        path = self.server.state.save_image(image)
        entry["image_file"] = path
        if config.get("ocr_answer") is not None:
            return (200, config["ocr_answer"], "application/json;charset=utf-8")
        words = config.get("words") or []
        answer = json.dumps({"log_id": 1, "words_result_num": len(words),
                             "words_result": [{"words": w} for w in words]}, ensure_ascii=False)
        return (200, answer, "application/json;charset=utf-8")

    def translate(self, raw_query, config, failing):
        def error(code, message):
            return (200, json.dumps({"error_code": code, "error_msg": message}), "application/json")

        if failing:
            return error("52001", "TIMEOUT")
        fields = {}
        for pair in raw_query.split("&"):
            name, _, value = pair.partition("=")
            fields[name] = urllib.parse.unquote_to_bytes(value)
        q = fields.get("q", b"")
        appid = fields.get("appid", b"").decode("latin-1")
        salt = fields.get("salt", b"")
        sign = fields.get("sign", b"").decode("latin-1")
        if config.get("check_sign", True):
            if appid != config.get("translate_appid"):
                return error("52003", "UNAUTHORIZED USER")
            want = hashlib.md5(appid.encode() + q + salt + config.get("translate_key", "").encode()).hexdigest()
            if sign != want:
                return error("54001", "Invalid Sign")
        src = json.dumps(q.decode("gbk", errors="replace"))[1:-1]
        answer = '{"from":"en","to":"zh","trans_result":[{"src":"%s","dst":"%s"}]}' % (src, config.get("dst", ""))
        return (200, answer, "application/json")

    def update_page(self, config, failing):
        if failing:
            return (404, "<html><body><h1>404 Not Found</h1></body></html>", "text/html")
        page = ('<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>\u66f4\u65b0</title></head>\n'
                '<body><div class="article"><p>\u6700\u65b0\u7248\u672c</p>'
                '<span class="v">\u7248\u672c\u53f7\uff1a%s</span></div></body></html>\n' % config.get("version", ""))
        return (200, page, "text/html; charset=utf-8")

    def counter(self, failing):
        if failing:
            return (500, "<html><body>error</body></html>", "text/html")
        visits = self.server.state.count_visit()
        return (200, "<html><body>visits: %d</body></html>" % visits, "text/html")

    def echo(self, body):
        head = self.requestline + "\r\n"
        for name, value in self.headers.items():
            head += "%s: %s\r\n" % (name, value)
        return (200, head.encode("latin-1") + b"\r\n" + body, "application/octet-stream")

    def chunked(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        for piece in (b"first piece, ", b"second piece, ", b"last piece"):
            self.wfile.write(b"%X\r\n%s\r\n" % (len(piece), piece))
        self.wfile.write(b"0\r\n\r\n")

    def control(self, path, body):
        state = self.server.state
        if path == "/_control/config" and self.command == "POST":
            try:
                changes = json.loads(body.decode("utf-8") or "{}")
                if not isinstance(changes, dict):
                    raise ValueError("not an object")
            except ValueError as e:
                return self.send(400, json.dumps({"error": str(e)}), "application/json")
            state.update(changes)
            return self.send(200, json.dumps(state.snapshot()), "application/json")
        if path == "/_control/config":
            return self.send(200, json.dumps(state.snapshot()), "application/json")
        if path == "/_control/reset":
            state.reset()
            return self.send(200, "{}", "application/json")
        if path == "/_control/visits":
            with state.lock:
                visits = state.visits
            return self.send(200, json.dumps({"visits": visits}), "application/json")
        return self.send(404, "no such control", "text/plain")


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    # Room for the bursts of the concurrency tests: with the default of 5 a
    # full backlog drops connections and clients wait for their retries.
    request_queue_size = 128

    def __init__(self, state, scheme, context=None):
        self.state = state
        self.scheme = scheme
        self.context = context
        super().__init__(("127.0.0.1", 0), Handler)

    def get_request(self):
        sock, address = self.socket.accept()
        if self.context is not None:
            # No handshake here: it would block the accepting thread.
            sock = self.context.wrap_socket(sock, server_side=True, do_handshake_on_connect=False)
        return sock, address


def tls_context(cert_dir, name):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(cert_dir, name + ".crt"), os.path.join(cert_dir, name + ".key"))
    return context


def write_ports(path, ports):
    temporary = path + ".tmp"
    with open(temporary, "w") as f:
        json.dump(ports, f)
    os.replace(temporary, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--cert-dir", required=True)
    args = parser.parse_args()

    image_dir = os.path.join(os.path.dirname(os.path.abspath(args.log)), "images")
    state = State(args.log, image_dir)
    servers = {
        "http": Server(state, "http"),
        "https": Server(state, "https", tls_context(args.cert_dir, "server")),
        "https_untrusted": Server(state, "https", tls_context(args.cert_dir, "untrusted-server")),
        "https_wrong_name": Server(state, "https", tls_context(args.cert_dir, "wrong-name-server")),
    }
    threads = [threading.Thread(target=s.serve_forever, daemon=True) for s in servers.values()]
    for t in threads:
        t.start()

    ports = {name: s.server_address[1] for name, s in servers.items()}
    ports["pid"] = os.getpid()
    write_ports(args.port_file, ports)

    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    while not stop.wait(0.5):
        pass
    for s in servers.values():
        s.shutdown()
        s.server_close()
    try:
        os.remove(args.port_file)
    except OSError:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
