#!/usr/bin/env bash
# Adds the stand-in server's test authority to the system's trusted
# authorities, which both curl and Wine's WinInet consult. Makes the
# certificates first when they are missing. Needs root (or sudo); does
# nothing when the authority is already installed.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cert_dir=$(python3 "$here/certs.py")
target=/usr/local/share/ca-certificates/vorbel-test-ca.crt

if cmp -s "$cert_dir/ca.crt" "$target" 2>/dev/null \
    && grep -qF "$(sed -n 2p "$cert_dir/ca.crt")" /etc/ssl/certs/ca-certificates.crt 2>/dev/null; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "install-ca.sh: root or sudo is needed to trust $cert_dir/ca.crt" >&2
        exit 1
    fi
    sudo="sudo"
fi
$sudo install -m 644 "$cert_dir/ca.crt" "$target"
$sudo update-ca-certificates >/dev/null
echo "install-ca.sh: trusted $target"
