#!/usr/bin/env bash
# FragDocker's cold start and idle memory against the smallest Qt Widgets program, offscreen
# and under Xvfb. Builds the release preset's benchmarks and application folder first.
#   bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target fd_application fd_bench_startup fd_bench_minimal \
    fd_bench_fragdocker >/dev/null
QT_QPA_PLATFORM=offscreen build-release/bench/fd_bench_startup "$@"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    build-release/bench/fd_bench_startup "$@"
