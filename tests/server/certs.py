#!/usr/bin/env python3
"""Test certificates for the stand-in server, made with the openssl command.

    certs.py [--dir DIR]      (DIR defaults to default_cert_dir())

Makes whatever is missing in DIR and leaves the rest alone, so that the
authority installed into the system store keeps matching:
  ca.crt, ca.key                      the test authority (installed by install-ca.sh)
  server.crt, server.key              for localhost and 127.0.0.1, signed by it
  untrusted-ca.crt, untrusted-ca.key  an authority nobody installs
  untrusted-server.crt, .key          the same names, signed by the untrusted one
  wrong-name-server.crt, .key         signed by the test authority for elsewhere.invalid only
Nothing here is secret: the keys exist only for tests on this machine.
"""

import argparse
import os
import subprocess
import sys
import tempfile

SERVER_EXTENSIONS = """basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = %s
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
"""
SERVER_NAMES = "DNS:localhost, IP:127.0.0.1"
OTHER_NAMES = "DNS:elsewhere.invalid"


def default_cert_dir():
    explicit = os.environ.get("VORBEL_TEST_CA_DIR")
    if explicit:
        return explicit
    return os.path.join(os.path.expanduser("~"), ".cache", "vorbel", "test-ca")


def openssl(*args):
    subprocess.run(["openssl", *args], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def make_authority(directory, prefix, name):
    crt = os.path.join(directory, prefix + "ca.crt")
    key = os.path.join(directory, prefix + "ca.key")
    if os.path.exists(crt) and os.path.exists(key):
        return False
    openssl("req", "-x509", "-new", "-newkey", "rsa:2048", "-nodes", "-sha256", "-days", "3650",
            "-keyout", key, "-out", crt, "-subj", "/O=Vorbel tests/CN=" + name,
            "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign",
            "-addext", "subjectKeyIdentifier=hash")
    return True


def make_server(directory, authority, name, names, renew):
    crt = os.path.join(directory, name + ".crt")
    key = os.path.join(directory, name + ".key")
    if not renew and os.path.exists(crt) and os.path.exists(key):
        # Renew a certificate that ends within a day.
        ends_soon = subprocess.run(["openssl", "x509", "-checkend", "86400", "-noout", "-in", crt],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode != 0
        if not ends_soon:
            return
    with tempfile.TemporaryDirectory() as work:
        csr = os.path.join(work, "server.csr")
        extensions = os.path.join(work, "server.ext")
        with open(extensions, "w") as f:
            f.write(SERVER_EXTENSIONS % names)
        openssl("req", "-new", "-newkey", "rsa:2048", "-nodes", "-sha256", "-keyout", key, "-out", csr,
                "-subj", "/O=Vorbel tests/CN=" + names.split(":")[1].split(",")[0])
        openssl("x509", "-req", "-in", csr, "-sha256", "-days", "825",
                "-CA", os.path.join(directory, authority + "ca.crt"),
                "-CAkey", os.path.join(directory, authority + "ca.key"),
                "-set_serial", str(int.from_bytes(os.urandom(8), "big")),
                "-extfile", extensions, "-out", crt)


def ensure_certificates(directory):
    os.makedirs(directory, exist_ok=True)
    trusted_is_new = make_authority(directory, "", "Vorbel Test CA")
    untrusted_is_new = make_authority(directory, "untrusted-", "Vorbel Untrusted Test CA")
    make_server(directory, "", "server", SERVER_NAMES, trusted_is_new)
    make_server(directory, "", "wrong-name-server", OTHER_NAMES, trusted_is_new)
    make_server(directory, "untrusted-", "untrusted-server", SERVER_NAMES, untrusted_is_new)
    return directory


def main():
    parser = argparse.ArgumentParser(description="Makes the stand-in server's test certificates.")
    parser.add_argument("--dir", default=default_cert_dir())
    args = parser.parse_args()
    try:
        print(ensure_certificates(args.dir))
    except subprocess.CalledProcessError as e:
        sys.stderr.write("openssl failed: %s\n%s" % (" ".join(e.cmd), e.stderr.decode(errors="replace")))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
