#!/usr/bin/env bash
# Sets up what is missing, builds vorbel.exe and starts it under Wine.
# Without a display it starts a virtual one, saves a screenshot of the
# program's first window and says where.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target vorbel probe
exe="$root/build/windows/app/win32/main/vorbel.exe"
probe="$root/build/windows/tools/probe/probe.exe"
run_dir="$root/build/run"
mkdir -p "$run_dir"
cp "$exe" "$run_dir/"

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting Vorbel on display $DISPLAY (settings in $run_dir/config.ini)."
    cd "$run_dir"
    exec wine "$run_dir/vorbel.exe"
fi

echo "No display found: running Vorbel on a virtual display (Xvfb)."
shot="$run_dir/screenshot.bmp"
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
    cd "$1"
    wine "$1/vorbel.exe" &
    pid=$!
    wine "$2" wait-window "Vorbel1.0" 60 || echo "The main window did not show within a minute." >&2
    sleep 1
    wine "$2" screenshot "Z:${3//\//\\}"
    wine "$2" close main_window || true
    sleep 2
    kill $pid 2>/dev/null || true
    wineserver -k || true
' _ "$run_dir" "$probe" "$shot"
echo "Screenshot of the running program saved to $shot"
