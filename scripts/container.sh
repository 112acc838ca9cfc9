#!/usr/bin/env bash
# Builds the container image localhost/fragdocker-server (tagged with the version and latest)
# from the project's own fragdocker-server package, with podman.
# Usage: scripts/container.sh [BASE-IMAGE]
#   BASE-IMAGE defaults to debian:bookworm-slim. Where no image registry can be reached, a
#   minimal bookworm is made here from Debian's archive with mmdebstrap and used instead
#   (localhost/fragdocker-base:bookworm, made once).
set -euo pipefail
cd "$(dirname "$0")/.."
export CONTAINERS_CONF=${CONTAINERS_CONF:-$PWD/packaging/container/containers.conf}
scripts/deps.sh fleet
scripts/packages.sh >/dev/null

base=${1:-docker.io/library/debian:bookworm-slim}
made_base=localhost/fragdocker-base:bookworm
if ! podman image exists "$base" && ! timeout 60 podman pull -q "$base" >/dev/null 2>&1; then
    if ! podman image exists "$made_base"; then
        echo "No registry answers for $base: making $made_base with mmdebstrap"
        tarball=$(mktemp --suffix=.tar)
        trap 'rm -f "$tarball"' EXIT
        mmdebstrap --quiet --variant=minbase bookworm "$tarball"
        podman import --quiet \
            --change 'ENV PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin' \
            --change 'CMD ["bash"]' "$tarball" "$made_base" >/dev/null
    fi
    base=$made_base
fi

package=$(ls build-release/package/fragdocker-server_*_amd64.deb)
version=$(basename "$package" | cut -d_ -f2)
context=$(mktemp -d)
trap 'rm -rf "$context" "${tarball:-}"' EXIT
cp packaging/container/Containerfile "$package" "$context/"
podman build --format docker --build-arg BASE="$base" --tag "localhost/fragdocker-server:$version" \
    --tag localhost/fragdocker-server:latest "$context"
podman image ls --format '{{.Repository}}:{{.Tag}} {{.Size}}' localhost/fragdocker-server:latest
