#!/usr/bin/env bash
# Times Tessaly's start to its first paint against a bare Qt window, as whole processes,
# offscreen, and compares their peak memory. The two take turns run by run, so that a burst
# of load on the machine falls on both alike. Usage: startup_bench.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:?usage: startup_bench.sh BUILD_DIR [RUNS]}")
runs=${2:-31}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
kit="$work/kit"
mkdir -p "$kit" "$work/game" "$work/pictures"
cp -r "$(dirname "$0")/../tessaly/kit/." "$kit/"
printf 'MZ' > "$work/game/Ironvale.exe"
{
    printf '[Ironvale]\nDirectory=%s/game\n[Browse For File]\nDefaultDirectory=%s/pictures\n' \
        "$work" "$work"
    printf '[Armpatch]\n'
    for n in 0 1 2 3 4; do
        cp "$kit/armpatch/armpatch$((n + 1)).ivb" "$work/pictures/pick$n.ivb"
        cp "$kit/armpatch/armpatch$((n + 1)).gif" "$work/pictures/pick$n.gif"
        printf 'file%d=%s/pictures/pick%d.ivb\n' "$n" "$work" "$n"
    done
} > "$kit/Tessaly.ini"

export QT_QPA_PLATFORM=offscreen
bare=("$build/bench/startup_bare")
tessaly=("$build/bench/startup_tessaly" "$kit")

# One run: wall time in microseconds and peak memory in KiB, appended to the named files.
run() {
    local name=$1 start end
    shift
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/memory" "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000)) >> "$work/$name.time"
    tail -n 1 "$work/memory" >> "$work/$name.memory"
}

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

"${bare[@]}" >/dev/null 2>&1 && "${tessaly[@]}" >/dev/null 2>&1 # warm the caches
for ((i = 0; i < runs; i++)); do
    run bare "${bare[@]}"
    run tessaly "${tessaly[@]}"
done

bare_ms=$(median "$work/bare.time" | awk '{ printf "%.1f", $1 / 1000 }')
tessaly_ms=$(median "$work/tessaly.time" | awk '{ printf "%.1f", $1 / 1000 }')
bare_kib=$(median "$work/bare.memory")
tessaly_kib=$(median "$work/tessaly.memory")
printf 'start to first paint, median of %d runs each\n' "$runs"
printf '  bare window %8s ms %8s KiB\n' "$bare_ms" "$bare_kib"
printf '  tessaly     %8s ms %8s KiB\n' "$tessaly_ms" "$tessaly_kib"
awk -v s="$tessaly_ms" -v r="$bare_ms" 'BEGIN { printf "  time ratio   %.2f (target <= 2.00)\n", s / r }'
awk -v s="$tessaly_kib" -v r="$bare_kib" 'BEGIN { printf "  memory ratio %.2f (target <= 1.60)\n", s / r }'
