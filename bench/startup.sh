#!/usr/bin/env bash
# FragDocker's cold start and idle memory against the smallest Qt Widgets program, offscreen
# and under Xvfb, then how long each tab takes to show the first time (offscreen). Builds the
# release preset's benchmarks and application folder first.
#   bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target fd_application fd_bench_startup fd_bench_minimal \
    fd_bench_fragdocker >/dev/null
QT_QPA_PLATFORM=offscreen build-release/bench/fd_bench_startup "$@"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    build-release/bench/fd_bench_startup "$@"

app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
cp -r build-release/FragDocker/. "$app"
rm -f "$app/dock.sav" "$app/dock.lck"
printf '%s\r\n' "$app/demo/Elite Force" >"$app/path.ini"
echo "first show of each tab, offscreen (goal: under 50 ms):"
QT_QPA_PLATFORM=offscreen build-release/bench/fd_bench_fragdocker "$app" --tabs 2>/dev/null |
    awk '$1 == "tab_ms" { ms = $2; $1 = $2 = ""; printf "  %-12s %6.1f ms\n", substr($0, 3), ms }'
