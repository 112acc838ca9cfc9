#!/usr/bin/env bash
# Builds the container image and runs packaging/kubernetes/fragdocker-server.yaml unchanged
# with podman, the demo's stand-in game (a native program, no Wine) as the game: the container
# is healthy only once the game answers, quakestat from this host gets the server's name on
# the published UDP port, and a stop ends it in order; then the image runs a 32-bit Windows
# stand-in under Wine the same way. For developers; run as root.
# Usage: scripts/fleet-check.sh [--no-build]   (--no-build: the image built last, as it is)
set -euo pipefail
cd "$(dirname "$0")/.."
export CONTAINERS_CONF=${CONTAINERS_CONF:-$PWD/packaging/container/containers.conf}
manifest=packaging/kubernetes/fragdocker-server.yaml
port=27960
name="Fleet Check $$"

[[ ${1:-} == --no-build ]] || scripts/container.sh
cmake --build --preset release --target fd_standin fragdocker-server >/dev/null
if ss -Hlun "sport = :$port" | grep -q .; then
    echo "UDP port $port is in use on this host; stop what serves it first." >&2
    exit 1
fi
for volume in elite-force fragdocker-setups; do
    if podman volume exists "$volume"; then
        [[ $(podman volume inspect --format '{{index .Labels "fragdocker-check"}}' "$volume") == 1 ]] ||
            { echo "podman volume $volume exists and is not the check's own." >&2; exit 1; }
        podman volume rm -f "$volume" >/dev/null
    fi
    podman volume create --label fragdocker-check=1 "$volume" >/dev/null
done
work=$(mktemp -d)
cleanup() {
    podman kube down "$manifest" >/dev/null 2>&1 || true
    podman rm -f fleet-check-wine >/dev/null 2>&1 || true
    podman volume rm -f elite-force fragdocker-setups >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
volume() { podman volume inspect --format '{{.Mountpoint}}' "$1"; }

# Slot 1 of a new store: the check's server name, no bots, one map, the game's default port.
cp -r build-release/FragDocker "$work/app"
rm -rf "$work/app/dock.sav" "$work/app/saved" "$work/app/path.ini"
"$work/app/fragdocker-server" --list >/dev/null
sqlite3 "$work/app/dock.sav" \
    "UPDATE \"Save Game #1\" SET ServerName = '$name', TurnBotsOn = '0', SetNetport = '0'"
mkdir -p "$work/app/saved" && echo hm_voy1 > "$work/app/saved/Save Game #1.maps"
cp -r "$work/app/dock.sav" "$work/app/saved" "$(volume fragdocker-setups)/"
# The game: the stand-in, held back by the file "hold" until the check lets it start.
game=$(volume elite-force)
cp -r "build-release/FragDocker/demo/Elite Force/." "$game/"
mv "$game/stvoyHM.exe" "$game/standin"
printf '#!/bin/sh\nwhile [ -e hold ]; do sleep 0.2; done\nexec ./standin "$@"\n' > "$game/stvoyHM.exe"
chmod +x "$game/stvoyHM.exe" && touch "$game/hold"
chown -R 1000:1000 "$game" "$(volume fragdocker-setups)"

podman kube play "$manifest"
container=$(podman ps --filter label=app=fragdocker --format '{{.Names}}' | grep -v infra | head -1)
[[ -n $container ]] || container=$(podman ps --format '{{.Names}}' | grep -- '-server$' | head -1)
echo "Container: $container"
podman logs -f "$container" > "$work/log" 2>&1 &
podman wait "$container" > "$work/exit" &
sleep 3
if podman healthcheck run "$container" >/dev/null 2>&1; then
    echo "FAIL: healthy before the game answers" >&2; exit 1
fi
echo "Before the game answers: not healthy"
rm "$game/hold"
for _ in $(seq 60); do
    podman healthcheck run "$container" >/dev/null 2>&1 && break
    sleep 1
done
podman healthcheck run "$container" >/dev/null || { echo "FAIL: never healthy" >&2; exit 1; }
echo "Once it answers: $(podman inspect --format '{{.State.Health.Status}}' "$container")"
query=$(quakestat -efs "127.0.0.1:$port")
echo "$query"
grep -q "$name" <<<"$query" || { echo "FAIL: quakestat did not get \"$name\"" >&2; exit 1; }

# podman before 5.1 ends a pod by SIGKILL alone at `kube down` (its issue 22397): the pod is
# stopped first, as systemd or Kubernetes would stop it, with the manifest's grace period.
podman pod stop --time 60 "$(podman container inspect --format '{{.Pod}}' "$container")"
podman kube down "$manifest"
wait
echo "--- the container's output"
cat "$work/log"
status=$(cat "$work/exit")
left=$(podman ps -a --filter label=app=fragdocker --format '{{.Names}}')
echo "Exit status: $status; containers left: ${left:-none}"
[[ $status == 0 && -z $left ]] || { echo "FAIL: no ordered stop" >&2; exit 1; }

# The same image with a 32-bit Windows server under Wine (tools/winstandin.c), by podman run.
mkdir -p "$work/wine/baseEF"
i686-w64-mingw32-gcc -O2 -w -o "$work/wine/stvoyHM.exe" tools/winstandin.c -lws2_32
chown -R 1000:1000 "$work/wine"
podman run -d --name fleet-check-wine -p "$port:27960/udp" -v "$work/wine:/srv/elite-force" \
    -v fragdocker-setups:/var/lib/fragdocker:ro localhost/fragdocker-server:latest >/dev/null
for _ in $(seq 120); do
    podman healthcheck run fleet-check-wine >/dev/null 2>&1 && break
    sleep 1
done
query=$(quakestat -efs "127.0.0.1:$port")
echo "$query"
grep -q "Wine stand-in" <<<"$query" || { echo "FAIL: the Windows server did not answer" >&2; exit 1; }
podman stop --time 60 fleet-check-wine >/dev/null
status=$(podman inspect --format '{{.State.ExitCode}}' fleet-check-wine)
podman rm fleet-check-wine >/dev/null
echo "Under Wine: exit status $status after podman stop"
[[ $status == 0 ]] || { echo "FAIL: no ordered stop under Wine" >&2; exit 1; }
echo "fleet-check: passed"
