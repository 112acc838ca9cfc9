#!/usr/bin/env bash
# Builds the container image and runs packaging/kubernetes/fragdocker-server.yaml unchanged
# with podman, the demo's stand-in game (a native program, no Wine) as the game and the
# manifest's ConfigMap as the set-up: the container is healthy only once the game answers,
# quakestat from this host gets the set-up's server name on the published UDP port, and a stop
# ends it in order. Then the image as it is (its own entry point and health check) runs a 32-bit
# Windows stand-in under Wine from the same set-up file, mounted read-only through symbolic links
# as Kubernetes mounts a ConfigMap; and the native stand-in once more from slot 1 of a mounted
# dock.sav. For developers; run as root.
# Usage: scripts/fleet-check.sh [--no-build]   (--no-build: the image built last, as it is)
set -euo pipefail
cd "$(dirname "$0")/.."
export CONTAINERS_CONF=${CONTAINERS_CONF:-$PWD/packaging/container/containers.conf}
manifest=packaging/kubernetes/fragdocker-server.yaml
image=localhost/fragdocker-server:latest
port=27960
fail() { echo "FAIL: $*" >&2; exit 1; }
# The manifest's set-up file, and the server name in it.
setup=$(sed -n '/^  setup.toml: |$/,/^---$/s/^    //p' "$manifest")
name=$(sed -n 's/^ServerName = "\(.*\)"$/\1/p' <<<"$setup")
[[ -n $name ]] || fail "no ServerName in the ConfigMap of $manifest"

[[ ${1:-} == --no-build ]] || scripts/container.sh
cmake --build --preset release --target fd_standin fragdocker-server >/dev/null
ss -Hlun "sport = :$port" | grep -q . && fail "UDP port $port is in use on this host"
for volume in elite-force fragdocker-setups; do
    if podman volume exists "$volume"; then
        [[ $(podman volume inspect --format '{{index .Labels "fragdocker-check"}}' "$volume") == 1 ]] ||
            fail "podman volume $volume exists and is not the check's own."
        podman volume rm -f "$volume" >/dev/null
    fi
    podman volume create --label fragdocker-check=1 "$volume" >/dev/null
done
work=$(mktemp -d)
# podman keeps the manifest's ConfigMap in a volume of its name, left behind by `kube down`.
cleanup() {
    podman kube down "$manifest" >/dev/null 2>&1 || true
    podman rm -f fleet-check-wine fleet-check-slot >/dev/null 2>&1 || true
    podman volume rm -f elite-force fragdocker-setups fragdocker-setup >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
volume() { podman volume inspect --format '{{.Mountpoint}}' "$1"; }

# The game: the stand-in, held back by the file "hold" until the check lets it start. The
# folder belongs to the container's user, uid 1000, who writes the game's script into it.
game=$(volume elite-force)
cp -r "build-release/FragDocker/demo/Elite Force/." "$game/"
mv "$game/stvoyHM.exe" "$game/standin"
printf '#!/bin/sh\nwhile [ -e hold ]; do sleep 0.2; done\nexec ./standin "$@"\n' > "$game/stvoyHM.exe"
chmod +x "$game/stvoyHM.exe" && touch "$game/hold"
chown -R 1000:1000 "$game"

podman kube play "$manifest"
container=$(podman ps --filter label=app=fragdocker --format '{{.Names}}' | grep -v infra | head -1)
[[ -n $container ]] || container=$(podman ps --format '{{.Names}}' | grep -- '-server$' | head -1)
echo "Container: $container"
podman logs -f "$container" > "$work/log" 2>&1 &
podman wait "$container" > "$work/exit" &
sleep 3
podman healthcheck run "$container" >/dev/null 2>&1 && fail "healthy before the game answers"
echo "Before the game answers: not healthy"
rm "$game/hold"
for _ in $(seq 60); do
    podman healthcheck run "$container" >/dev/null 2>&1 && break
    sleep 1
done
podman healthcheck run "$container" >/dev/null || fail "never healthy"
echo "Once it answers: $(podman inspect --format '{{.State.Health.Status}}' "$container")"
query=$(quakestat -efs "127.0.0.1:$port")
echo "$query"
grep -q "$name" <<<"$query" || fail "quakestat did not get \"$name\""
[[ -f $game/baseEF/FragDocker-setup.cfg ]] || fail "no baseEF/FragDocker-setup.cfg"

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
[[ $status == 0 && -z $left ]] || fail "no ordered stop"

# Runs the image as container $1 by podman run (options and arguments after $2), waits until it
# is healthy, checks that quakestat gets the name $2, and that podman stop ends it with 0.
run_image() {
    local container=$1 expected=$2 query status
    shift 2
    podman run -d --name "$container" -p "$port:27960/udp" "$@" >/dev/null
    for _ in $(seq 120); do
        podman healthcheck run "$container" >/dev/null 2>&1 && break
        sleep 1
    done
    podman healthcheck run "$container" >/dev/null || fail "$container: never healthy"
    query=$(quakestat -efs "127.0.0.1:$port")
    echo "$query"
    grep -q "$expected" <<<"$query" || fail "$container: quakestat did not get \"$expected\""
    podman stop --time 60 "$container" >/dev/null
    status=$(podman inspect --format '{{.State.ExitCode}}' "$container")
    podman rm "$container" >/dev/null
    echo "$container: exit status $status after podman stop"
    [[ $status == 0 ]] || fail "$container: no ordered stop"
}

# A 32-bit Windows server under Wine (tools/winstandin.c), by the image's own entry point and
# health check; the set-up file as Kubernetes mounts a ConfigMap: read-only, a symbolic link to
# ..data/setup.toml, ..data one to a folder of the moment.
mkdir -p "$work/wine/baseEF" "$work/setup/..2024_01_01_00_00_00.1"
i686-w64-mingw32-gcc -O2 -w -o "$work/wine/stvoyHM.exe" tools/winstandin.c -lws2_32
chown -R 1000:1000 "$work/wine"
printf '%s\n' "$setup" > "$work/setup/..2024_01_01_00_00_00.1/setup.toml"
ln -s ..2024_01_01_00_00_00.1 "$work/setup/..data"
ln -s ..data/setup.toml "$work/setup/setup.toml"
run_image fleet-check-wine "Wine stand-in" -v "$work/wine:/srv/elite-force" \
    -v "$work/setup:/etc/fragdocker:ro" "$image"

# Slot 1 of a dock.sav mounted at /var/lib/fragdocker: a new store with the check's own server
# name, no bots, one map.
cp -r build-release/FragDocker "$work/app"
rm -rf "$work/app/dock.sav" "$work/app/saved" "$work/app/path.ini"
"$work/app/fragdocker-server" --list >/dev/null
sqlite3 "$work/app/dock.sav" \
    "UPDATE \"Save Game #1\" SET ServerName = 'Slot Check $$', TurnBotsOn = '0', SetNetport = '0'"
mkdir -p "$work/app/saved" && echo hm_voy1 > "$work/app/saved/Save Game #1.maps"
cp -r "$work/app/dock.sav" "$work/app/saved" "$(volume fragdocker-setups)/"
run_image fleet-check-slot "Slot Check $$" -v elite-force:/srv/elite-force \
    -v fragdocker-setups:/var/lib/fragdocker:ro --health-cmd '["fragdocker", "--status", "1"]' \
    "$image" --engage 1 --wait --game-folder /srv/elite-force
echo "fleet-check: passed"
