#!/usr/bin/env bash
# Builds, lays out the demo program directory and starts the setup tool from it under Wine, in a
# prefix of the project's own (build/wine/demo-prefix). With a display the tool runs there until
# it is closed; without one it runs on a private Xvfb, and a screenshot is taken.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
exec "$root/tests/wine/wine-env.sh" demo "$root/build/demo/Instal.exe" "$root/build/demo-screenshot.png"
