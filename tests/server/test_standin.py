#!/usr/bin/env python3
"""Checks that the stand-in server answers with exactly the markers the
program's clients cut their values out between, and that its control knobs
and request log work. Runs against the server of the "standin" fixture
(VORBEL_STANDIN_DIR)."""

import base64
import hashlib
import json
import os
import ssl
import sys
import unittest
import urllib.error
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import certs  # noqa: E402

GENERAL = ("Hq8sN2vLm5XcT9bRw3ZkF6yD", "pE4gW7uKa2MzQ9rJx5VdC8nLt3YhB6sF")
ACCURATE = ("Rk3mZ8qTw2LpVx9dNc4HbJ7s", "aY6fKd2WsQ9mXr4TzB8nVe3LcG7hPu5J")
APPID, KEY = "73950264118830472", "Jd7QmX2kRw9TzV4nLp8S"


def between(text, start, end):
    """The first value between the markers, None when either is missing."""
    at = text.find(start)
    if at < 0:
        return None
    at += len(start)
    stop = text.find(end, at)
    return None if stop < 0 else text[at:stop]


def percent_all(data):
    return "".join("%%%02X" % b for b in data)


class StandinTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        directory = os.environ.get("VORBEL_STANDIN_DIR")
        if not directory:
            raise unittest.SkipTest("VORBEL_STANDIN_DIR is not set; run through ctest")
        cls.directory = directory
        with open(os.path.join(directory, "ports.json")) as f:
            cls.ports = json.load(f)
        cls.tls = ssl.create_default_context(cafile=os.path.join(certs.default_cert_dir(), "ca.crt"))

    def setUp(self):
        self.call("GET", "/_control/reset")

    @classmethod
    def tearDownClass(cls):
        cls.call("GET", "/_control/reset")

    @classmethod
    def call(cls, method, path, body=None, scheme="https"):
        port = cls.ports[scheme]
        url = "%s://localhost:%d%s" % (scheme, port, path)
        request = urllib.request.Request(url, data=body, method=method)
        try:
            with urllib.request.urlopen(request, context=cls.tls if scheme == "https" else None, timeout=10) as r:
                return r.status, r.read(), dict(r.headers)
        except urllib.error.HTTPError as e:
            return e.code, e.read(), dict(e.headers)

    def token(self, account):
        path = "/oauth/2.0/token?grant_type=client_credentials&client_id=%s&client_secret=%s" % account
        return self.call("POST", path, b"")

    def log(self):
        with open(os.path.join(self.directory, "requests.jsonl")) as f:
            return [json.loads(line) for line in f if line.strip()]

    def test_token_answers_carry_both_accounts_markers(self):
        for account, want in ((GENERAL, "24.tok-general"), (ACCURATE, "24.tok-accurate")):
            status, body, _ = self.token(account)
            text = body.decode()
            self.assertEqual(status, 200, text)
            self.assertEqual(between(text, 'access_token":"', '","session_key'), want, text)
            self.assertEqual(between(text, '"access_token":"', '","session_key":"'), want, text)

    def test_token_refused_for_a_wrong_secret(self):
        status, body, _ = self.token((GENERAL[0], ACCURATE[1]))
        self.assertEqual(status, 401)
        self.assertIsNone(between(body.decode(), '"access_token":"', '"'))

    def test_recognition_answers_words_with_the_blank_after_the_colon(self):
        _, body, _ = self.token(GENERAL)
        token = between(body.decode(), '"access_token":"', '"')
        image = b"BM" + bytes(range(60))
        form = ("image=" + percent_all(base64.b64encode(image))).encode()
        status, answer, headers = self.call("POST", "/rest/2.0/ocr/v1/general_basic?access_token=" + token, form)
        text = answer.decode("utf-8")
        self.assertEqual(status, 200)
        self.assertIn("charset=utf-8", headers["Content-Type"].lower())
        words, rest = [], text
        while True:
            value = between(rest, '{"words": "', '"}')
            if value is None:
                break
            words.append(value)
            rest = rest[rest.find('"}') + 2:]
        self.assertEqual(words, ["Hello", "big", "world"], text)
        entry = self.log()[-1]
        with open(entry["image_file"], "rb") as f:
            self.assertEqual(f.read(), image)

    def test_recognition_errors(self):
        cases = [
            ("unknown token", "nope", "image=" + percent_all(b"Qk0="), 110),
            ("empty token", "", "image=" + percent_all(b"Qk0="), 110),
        ]
        _, body, _ = self.token(ACCURATE)
        token = between(body.decode(), '"access_token":"', '"')
        cases += [
            ("empty image", token, "image=", 216200),
            ("not a BMP file", token, "image=" + percent_all(b"AAAA"), 216201),
        ]
        for name, use_token, form, code in cases:
            _, answer, _ = self.call("POST", "/rest/2.0/ocr/v1/accurate_basic?access_token=" + use_token,
                                     form.encode())
            self.assertEqual(json.loads(answer).get("error_code"), code, name)
            self.assertNotIn('{"words": "', answer.decode(), name)

    def test_translation_checks_the_sign(self):
        q, salt = b"Hello\r\n", "1234567890"
        good = hashlib.md5(APPID.encode() + q + salt.encode() + KEY.encode()).hexdigest()
        for sign, want in ((good, "\\u4f60\\u597d"), ("0" * 32, None)):
            path = "/api/trans/vip/translate?q=%s&from=%s&to=zh&appid=%s&salt=%s&sign=%s" % (
                percent_all(q), percent_all(b"auto"), percent_all(APPID.encode()), percent_all(salt.encode()),
                percent_all(sign.encode()))
            _, answer, _ = self.call("GET", path, scheme="http")
            self.assertEqual(between(answer.decode(), '"dst":"', '"}'), want, answer)

    def test_update_page_publishes_the_configured_version(self):
        for version in ("1.0", "1.1", " 1.0"):
            self.call("POST", "/_control/config", json.dumps({"version": version}).encode())
            status, page, headers = self.call("GET", "/update.html")
            self.assertEqual(status, 200)
            self.assertEqual(between(page.decode("utf-8"), '">\u7248\u672c\u53f7\uff1a', "</span>"), version)
        self.call("POST", "/_control/config", b'{"fail": ["update"]}')
        status, page, _ = self.call("GET", "/update.html")
        self.assertEqual(status, 404)
        self.assertIsNone(between(page.decode("utf-8"), '">\u7248\u672c\u53f7\uff1a', "</span>"))

    def test_scripted_answers(self):
        self.call("POST", "/_control/config",
                  json.dumps({"words": ["A", "B"], "token": "24.fixed", "dst": "x"}).encode())
        _, body, _ = self.token(GENERAL)
        self.assertEqual(between(body.decode(), '"access_token":"', '"'), "24.fixed")
        self.call("POST", "/_control/config", b'{"fail": "ocr"}')
        form = ("image=" + percent_all(base64.b64encode(b"BM00"))).encode()
        _, answer, _ = self.call("POST", "/rest/2.0/ocr/v1/general_basic?access_token=24.fixed", form)
        self.assertNotIn('{"words": "', answer.decode())
        self.call("GET", "/_control/reset")
        _, body, _ = self.token(GENERAL)
        self.assertEqual(between(body.decode(), '"access_token":"', '"'), "24.tok-general")

    def test_counter_and_log(self):
        for _ in range(2):
            self.call("GET", "/", scheme="http")
        _, body, _ = self.call("GET", "/_control/visits")
        self.assertEqual(json.loads(body), {"visits": 2})
        self.call("POST", "/echo?k=V", b"a\x00\xc4\xe3", scheme="http")
        entries = self.log()
        self.assertEqual([e["path"] for e in entries], ["/", "/", "/echo?k=V"])  # control calls are not logged
        last = entries[-1]
        self.assertEqual((last["method"], last["version"], last["body_length"]), ("POST", "HTTP/1.1", 4))
        self.assertEqual(last["body"].encode("latin-1"), b"a\x00\xc4\xe3")
        self.assertEqual(last["body_sha256"], hashlib.sha256(b"a\x00\xc4\xe3").hexdigest())
        self.assertEqual(last["headers"]["Host"], "localhost:%d" % self.ports["http"])


if __name__ == "__main__":
    unittest.main()
