#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix, quietly.
# Used by CTest for every test of the Windows build, and by the run script.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
exec wine "$@"
