#!/usr/bin/env bash
# Builds the Debian packages fragdocker and fragdocker-server into build-release/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
cmake --preset release >/dev/null
cmake --build --preset release --target deb
ls build-release/package/*.deb
