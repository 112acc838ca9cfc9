#!/usr/bin/env bash
# Instructions counted for each benchmark's two sides, FragDocker's and its baseline, and their
# ratio: counts do not move with the machine's load, as times do. Builds the release preset's
# benchmarks first. Counts with callgrind (valgrind); FD_COUNTER=hardware uses the processor's
# counter instead where the kernel offers one (`perf stat -e instructions:u true` tells).
# Neither sees the kernel's work, so where a baseline is mostly system calls (ENGAGE against a
# raw write, the catalogue against a stat per map) the benchmark's time decides, and the count
# beside it shows the user-space share.
#   bench/instructions.sh [benchmark...]   (startup catalogue engage store; default all)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target fd_application fd_bench_minimal fd_bench_fragdocker \
    fd_bench_catalogue fd_bench_engage fd_bench_store >/dev/null
bin=build-release/bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The instructions of one run of a command; with --whole, the whole process and its threads,
# otherwise only the side's work, which the benchmark marks itself (see bench/Counted.h).
count() {
    local collect=--collect-atstart=no
    [[ $1 == --whole ]] && { collect=--collect-atstart=yes; shift; }
    if [[ ${FD_COUNTER:-} == hardware && $collect == --collect-atstart=no ]]; then
        "$@" | awk '$1 == "instructions" { print $2 }'
        return
    fi
    valgrind --tool=callgrind "$collect" --callgrind-out-file="$work/callgrind.%p" "$@" 2>&1 \
        >/dev/null | awk '/Collected :/ { print $NF }'
}

report() { # name, FragDocker's count, the baseline's count, goal, the figure that decides
    awk -v n="$1" -v a="$2" -v b="$3" -v g="$4" -v d="$5" 'BEGIN {
        printf "%-30s %14.0f %14.0f %6.2f   %-6s %s\n", n, a, b, a / b, g, d }'
}

printf "%-30s %14s %14s %6s   %-6s %s\n" benchmark FragDocker baseline ratio goal decides
for bench in "${@:-startup catalogue engage store}"; do
    for name in $bench; do
        case $name in
        startup)
            app=$work/app
            cp -r build-release/FragDocker "$app"
            rm -f "$app/dock.sav" "$app/dock.lck" "$app/path.ini"
            printf '%s\r\n' "$app/demo/Elite Force" >"$app/path.ini"
            # A first start makes the store, so that the counted one is a normal start.
            QT_QPA_PLATFORM=offscreen "$bin/fd_bench_fragdocker" "$app" >/dev/null 2>&1
            ours=$(QT_QPA_PLATFORM=offscreen count --whole "$bin/fd_bench_fragdocker" "$app")
            bare=$(QT_QPA_PLATFORM=offscreen count --whole "$bin/fd_bench_minimal")
            report "start, paint, 1 s idle, quit" "$ours" "$bare" 1.25 instructions
            ;;
        catalogue)
            report "LoadMapCatalogue" "$(count "$bin/fd_bench_catalogue" --count load)" \
                "$(count "$bin/fd_bench_catalogue" --count load-plain)" 1.0 time
            report "ShowMapDetails" "$(count "$bin/fd_bench_catalogue" --count details)" \
                "$(count "$bin/fd_bench_catalogue" --count details-plain)" 1.1 instructions
            ;;
        engage)
            engage=$(count "$bin/fd_bench_engage" --count engage)
            report "ENGAGE / writing its bytes" "$engage" \
                "$(count "$bin/fd_bench_engage" --count write)" 1.2 time
            report "ENGAGE / plain Qt strings" "$engage" \
                "$(count "$bin/fd_bench_engage" --count format)" - -
            ;;
        store)
            report "store start-up maintenance" "$(count "$bin/fd_bench_store" --count maintenance)" \
                "$(count "$bin/fd_bench_store" --count vacuum)" 1.0 instructions
            ;;
        *) echo "no benchmark $name" >&2; exit 2 ;;
        esac
    done
done
