#!/usr/bin/env python3
"""Starts and stops the stand-in server in the background (ctest fixture).

    standin_ctl.py start --dir DIR [--cert-dir CERTS]
    standin_ctl.py stop  --dir DIR

start makes the test certificates when missing, has the test authority
trusted (tests/server/install-ca.sh, when root or sudo allows it), stops a
server left over in DIR, starts a new one and returns once DIR/ports.json
exists. The server writes DIR/requests.jsonl and DIR/images/, its output
goes to DIR/standin.out. stop ends the server whose process id is in
DIR/standin.pid and waits for it.
"""

import argparse
import os
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import certs  # noqa: E402


def running(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        return True
    # A zombie child of ours would still answer signal 0.
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().split(") ")[-1][:1] != "Z"
    except OSError:
        return True


def read_pid(directory):
    try:
        with open(os.path.join(directory, "standin.pid")) as f:
            return int(f.read().strip())
    except (OSError, ValueError):
        return None


def stop(directory):
    pid = read_pid(directory)
    if pid is not None and running(pid):
        os.kill(pid, signal.SIGTERM)
        deadline = time.time() + 10
        while running(pid) and time.time() < deadline:
            time.sleep(0.1)
        if running(pid):
            os.kill(pid, signal.SIGKILL)
    for name in ("standin.pid", "ports.json"):
        try:
            os.remove(os.path.join(directory, name))
        except OSError:
            pass
    return 0


def trust_authority():
    if os.geteuid() != 0 and subprocess.run(["sudo", "-n", "true"], stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL).returncode != 0:
        print("standin: not root; run tests/server/install-ca.sh once so clients trust the test authority")
        return
    subprocess.run([os.path.join(HERE, "install-ca.sh")], check=False)


def start(directory, cert_dir):
    os.makedirs(directory, exist_ok=True)
    stop(directory)
    certs.ensure_certificates(cert_dir)
    if cert_dir == certs.default_cert_dir():
        trust_authority()

    port_file = os.path.join(directory, "ports.json")
    with open(os.path.join(directory, "standin.out"), "ab") as out:
        process = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "standin.py"), "--port-file", port_file,
             "--log", os.path.join(directory, "requests.jsonl"), "--cert-dir", cert_dir],
            stdin=subprocess.DEVNULL, stdout=out, stderr=out, start_new_session=True)
    with open(os.path.join(directory, "standin.pid"), "w") as f:
        f.write(str(process.pid))

    deadline = time.time() + 30
    while time.time() < deadline:
        if os.path.exists(port_file):
            with open(port_file) as f:
                print("standin: listening", f.read())
            return 0
        if process.poll() is not None:
            break
        time.sleep(0.1)
    print("standin: the server did not start; see", os.path.join(directory, "standin.out"))
    stop(directory)
    return 1


def main():
    parser = argparse.ArgumentParser(description="Starts and stops the stand-in server.")
    parser.add_argument("action", choices=["start", "stop"])
    parser.add_argument("--dir", required=True)
    parser.add_argument("--cert-dir", default=certs.default_cert_dir())
    args = parser.parse_args()
    if args.action == "start":
        return start(args.dir, args.cert_dir)
    return stop(args.dir)


if __name__ == "__main__":
    sys.exit(main())
