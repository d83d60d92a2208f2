#!/usr/bin/env bash
# Times the game search against find and fd on a synthetic drive, with the game present (hit)
# and renamed away (miss), and measures the search's peak memory.
#
#   search_bench.sh MAKE_TREE SEARCH_GAME [TREE]
#
# MAKE_TREE and SEARCH_GAME are the built bench programs. TREE is a folder to keep the tree in
# between runs: made there when it does not exist or is empty, reused when an earlier run made
# it, refused otherwise. Without TREE the tree lives in a temporary folder removed at the end.
# RUNS (default 15) and WARMUP (default 3) set how often each command runs.
set -euo pipefail

readonly MARK=".tessaly-bench-tree"
readonly GAME="Ironvale.exe"
readonly AWAY="Ironvale.exe.away"
RUNS="${RUNS:-15}"
WARMUP="${WARMUP:-3}"

die() {
    echo "search_bench: $*" >&2
    exit 1
}

[[ $# -ge 2 && $# -le 3 ]] || die "usage: search_bench.sh MAKE_TREE SEARCH_GAME [TREE]"
MAKE_TREE="$(realpath "$1")"
SEARCH="$(realpath "$2")"
[[ -x $MAKE_TREE && -x $SEARCH ]] || die "MAKE_TREE and SEARCH_GAME must be executables"
for tool in fdfind find /usr/bin/time; do
    command -v "$tool" >/dev/null || die "$tool is missing (Debian: apt-get install -y fd-find findutils time)"
done

WORK="$(mktemp -d)"
target=""
cleanup() {
    rm -rf "$WORK"
    if [[ -n $target && -f "$(dirname "$target")/$AWAY" ]]; then
        mv -n "$(dirname "$target")/$AWAY" "$target" || true
    fi
}
trap cleanup EXIT

if [[ $# -eq 3 ]]; then
    TREE="$3"
    if [[ -e $TREE && ! -e $TREE/$MARK ]] && [[ -n "$(ls -A "$TREE" 2>/dev/null || echo x)" ]]; then
        die "$TREE is not a tree of ours; give a new or empty folder"
    fi
else
    TREE="$WORK/tree"
fi

if [[ ! -e $TREE/$MARK ]]; then
    echo "making the tree in $TREE ..."
    "$MAKE_TREE" "$TREE"
    touch "$TREE/$MARK"
fi

# A run stopped mid-way may have left the game renamed away.
if [[ -z "$("$SEARCH" "$TREE")" ]]; then
    stray="$(find "$TREE" -xdev -name "$AWAY" -print -quit)"
    [[ -n $stray ]] && mv -n "$stray" "$(dirname "$stray")/$GAME"
fi
target="$("$SEARCH" "$TREE")"
[[ -n $target ]] || die "no $GAME in $TREE"

echo "warming the cache ..."
find "$TREE" -xdev >/dev/null

run_ours() { "$SEARCH" "$TREE"; }
run_find() { find "$TREE" -xdev -iname ironvale.exe -print -quit; }
run_fd() { fdfind -u -I -i --max-results 1 -g ironvale.exe "$TREE"; }
readonly COMMANDS=(run_ours run_find run_fd)

micros() { echo "${EPOCHREALTIME/./}"; }

# The commands take turns, so that a machine busy for a while slows all of them alike. Prints
# each command's median wall time in ms, in the order of COMMANDS.
medians() {
    local run command start
    rm -f "$WORK"/times.*
    for ((run = 0; run < WARMUP; run++)); do
        for command in "${COMMANDS[@]}"; do "$command" >/dev/null; done
    done
    for ((run = 0; run < RUNS; run++)); do
        for command in "${COMMANDS[@]}"; do
            start="$(micros)"
            "$command" >/dev/null
            echo $(($(micros) - start)) >>"$WORK/times.$command"
        done
    done
    for command in "${COMMANDS[@]}"; do
        sort -n "$WORK/times.$command" | awk '{ t[NR] = $1 } END { printf "%.1f\n", t[int((NR + 1) / 2)] / 1000 }'
    done
}

peak_kib() { /usr/bin/time -f %M "$SEARCH" "$TREE" 2>&1 >/dev/null | tail -n 1; }

echo "timing the hit ..."
mapfile -t hit < <(medians)
hit_kib="$(peak_kib)"

mv -n "$target" "$(dirname "$target")/$AWAY"
echo "timing the miss ..."
[[ -z "$("$SEARCH" "$TREE")" ]] || die "the search still finds the game after renaming it"
mapfile -t miss < <(medians)
miss_kib="$(peak_kib)"
mv -n "$(dirname "$target")/$AWAY" "$target"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "met" : "NOT MET") }'; }

echo
echo "tree: $TREE ($(find "$TREE" -xdev -type d | wc -l) folders, $(find "$TREE" -xdev -type f | wc -l) files)"
echo "runs: $RUNS each, taking turns, after $WARMUP warm-up rounds; median wall times"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)   (figures are unreliable on a busy machine)"
printf '%-6s %12s %12s %12s\n' "" "ours (ms)" "find (ms)" "fd (ms)"
printf '%-6s %12s %12s %12s\n' hit "${hit[0]}" "${hit[1]}" "${hit[2]}"
printf '%-6s %12s %12s %12s\n' miss "${miss[0]}" "${miss[1]}" "${miss[2]}"
echo
hit_ratio="$(ratio "${hit[0]}" "${hit[1]}")"
miss_ratio="$(ratio "${miss[0]}" "${miss[2]}")"
peak=$((hit_kib > miss_kib ? hit_kib : miss_kib))
echo "hit:  ours / find = $hit_ratio   (target <= 0.35: $(verdict "$hit_ratio" 0.35))"
echo "      ours / fd   = $(ratio "${hit[0]}" "${hit[2]}")"
echo "miss: ours / fd   = $miss_ratio   (target <= 0.50: $(verdict "$miss_ratio" 0.50))"
echo "      ours / find = $(ratio "${miss[0]}" "${miss[1]}")"
echo "peak memory of ours: hit $hit_kib KiB, miss $miss_kib KiB   (target <= 16384 KiB: $(verdict "$peak" 16384))"
