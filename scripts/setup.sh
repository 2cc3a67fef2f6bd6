#!/usr/bin/env bash
# Installs what building, running and testing Vorbel needs on Debian 12,
# skipping what is already there. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libssl-dev libcurl4-openssl-dev
    g++-mingw-w64-x86-64-posix
    wine wine64 xvfb xauth xdotool x11-utils fonts-wqy-microhei
    python3 openssl ca-certificates
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# MinGW-w64 must use the posix thread model (std::thread, std::mutex).
if command -v update-alternatives >/dev/null && [ -e /usr/bin/x86_64-w64-mingw32-g++-posix ]; then
    true  # the toolchain file names the -posix compilers directly
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
vorbel_wine_prefix
