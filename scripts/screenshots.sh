#!/usr/bin/env bash
# Takes pictures of every window of FragDocker, built whole (banner and pictures included),
# under Xvfb into docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev --target fd_screenshots fd_application
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    build/tools/fd_screenshots build/FragDocker docs/screenshots
