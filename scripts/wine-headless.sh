#!/usr/bin/env bash
# Shows a Windows game server started by `fragdocker --engage 2 --wait` on a machine with no
# display: a stand-in built from tools/winstandin.c opens its console window through Wine (with
# DISPLAY unset, FragDocker gives the prefix Wine's null graphics driver as the fallback) and
# answers `fragdocker --status 2`. Everything happens in a temporary folder and a new Wine
# prefix, on port 27975 of this machine. Needs a built application folder (./run, or
# `cmake --build --preset dev --target fd_application`) and the Debian packages wine,
# gcc-mingw-w64-x86-64 and sqlite3, which ./test does not need.
set -euo pipefail
cd "$(dirname "$0")/.."
app=${1:-build/FragDocker}
port=27975
for tool in wine x86_64-w64-mingw32-gcc sqlite3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
[[ -x "$app/fragdocker" ]] || { echo "no application folder at $app" >&2; exit 1; }

work=$(mktemp -d)
server=
finish() {
    [[ -z "$server" ]] || kill -TERM "$server" 2>/dev/null || true
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX="$work/prefix" WINEDEBUG=-all

mkdir -p "$work/game/baseEF"
x86_64-w64-mingw32-gcc -O2 -o "$work/game/stvoyHM.exe" tools/winstandin.c -lws2_32
cp -a "$app/." "$work/app"
rm -f "$work/app"/dock.* "$work/app/path.ini"
printf '%s\r\n' "$work/game" > "$work/app/path.ini"

# The settings store as the window makes it on its first start, then slot 2 set to host.
QT_QPA_PLATFORM=offscreen "$work/app/fragdocker" 2>/dev/null &
window=$!
for _ in $(seq 100); do [[ -e "$work/app/dock.ldb" ]] && break; sleep 0.1; done
kill -TERM "$window"
wait "$window" || true
sqlite3 "$work/app/dock.sav" "UPDATE \"Save Game #2\" SET TurnBotsOn = 0, SetNetport = 1, \
    SetNetportNumber = '$port', GamePath = '$work/game'"

echo "Starting slot 2 with DISPLAY unset (a new Wine prefix takes a while)..."
"$work/app/fragdocker" --engage 2 --wait > "$work/server.log" 2>&1 &
server=$!
answered=1
for _ in $(seq 180); do
    if "$work/app/fragdocker" --status 2 2>/dev/null; then answered=0; break; fi
    kill -0 "$server" 2>/dev/null || break
done
grep -a -E "Console window|Could not" "$work/server.log" || true
kill -TERM "$server"
status=0
wait "$server" || status=$?
server=
echo "fragdocker --engage 2 --wait ended with status $status after SIGTERM"
[[ $answered -eq 0 ]] && echo "The Windows server came up with no display and answered." \
    || echo "The Windows server did not answer." >&2
exit $answered
