#!/usr/bin/env bash
# Sets up what is missing, builds every configuration and runs every test:
# the portable core under AddressSanitizer/UndefinedBehaviorSanitizer and
# under ThreadSanitizer, then the Windows build's unit and end-to-end tests
# under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"

# The stand-in server's test certificate authority goes into the system
# store, which both curl and Wine's WinInet trust.
"$root/tests/server/install-ca.sh"

jobs=$(nproc)
for preset in native-asan native-tsan windows; do
    echo "== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

echo "== test native-asan"
ctest --preset native-asan -j "$jobs"
echo "== test native-tsan"
TSAN_OPTIONS="halt_on_error=1" ctest --preset native-tsan -j "$jobs" -L unit

# The Windows tests need a display (windows, GDI, the hotkey).
echo "== test windows (Wine in Xvfb)"
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --preset windows
echo "All tests passed."
