#!/usr/bin/env bash
# Builds the Debian packages fragdocker and fragdocker-server into build-release/package/ and
# checks them: an error or a warning from lintian or appstreamcli fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
cmake --preset release >/dev/null
cmake --build --preset release --target deb
appstreamcli validate --no-net --explain build-release/packaging/debian/*.metainfo.xml
lintian --fail-on error,warning build-release/package/*.deb
ls build-release/package/*.deb
