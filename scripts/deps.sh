#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
# Usage: scripts/deps.sh run|test|package|fleet
set -euo pipefail

build_packages=(cmake ninja-build g++ ccache qt6-base-dev libsqlite3-dev libcurl4-openssl-dev
                libtomlplusplus-dev)
runtime_packages=(qt6-qpa-plugins fonts-dejavu-core fonts-comic-neue fonts-liberation2 alsa-utils)
test_packages=(clang lld libclang-rt-14-dev xvfb xauth sqlite3)
# The Debian packages' dependencies are computed by dpkg-shlibdeps, which needs file; lintian
# and appstreamcli check the packages and their metadata.
package_packages=(dpkg-dev file lintian appstream)
# The container image and its check: podman with runc (crun refuses hybrid cgroup layouts) and
# catatonit (a pod's infra container), mmdebstrap for a base image made from Debian's archive,
# qstat's quakestat to query, sqlite3 for the check's set-up, and a compiler of 32-bit Windows
# programs for its stand-in under Wine.
fleet_packages=(podman runc catatonit mmdebstrap qstat sqlite3 gcc-mingw-w64-i686)

wanted=("${build_packages[@]}" "${runtime_packages[@]}")
[[ "${1:-run}" == test ]] && wanted+=("${test_packages[@]}")
[[ "${1:-run}" == package ]] && wanted+=("${package_packages[@]}")
[[ "${1:-run}" == fleet ]] && wanted+=("${fleet_packages[@]}")

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
