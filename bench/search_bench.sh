#!/usr/bin/env bash
# Times the game search against find and fd on a synthetic drive, with the game present (hit)
# and looking for a name that no file bears (miss), the miss also against a bare two-thread
# walk of the whole tree, and measures the search's peak memory. The tree is only read.
#
#   search_bench.sh MAKE_TREE SEARCH_GAME BARE_WALK [TREE]
#
# MAKE_TREE, SEARCH_GAME and BARE_WALK are the built bench programs. TREE is a folder to keep
# the tree in between runs: made there when it does not exist or is empty, reused when an
# earlier run made it, refused otherwise. Without TREE the tree lives in a temporary folder
# removed at the end. RUNS (default 15) and WARMUP (default 3) set how often each command runs.
set -euo pipefail

readonly MARK=".tessaly-bench-tree"
readonly GAME="Ironvale.exe"
readonly ABSENT="Ironvale-absent.exe"
RUNS="${RUNS:-15}"
WARMUP="${WARMUP:-3}"

die() {
    echo "search_bench: $*" >&2
    exit 1
}

[[ $# -ge 3 && $# -le 4 ]] || die "usage: search_bench.sh MAKE_TREE SEARCH_GAME BARE_WALK [TREE]"
MAKE_TREE="$(realpath "$1")"
SEARCH="$(realpath "$2")"
BARE="$(realpath "$3")"
[[ -x $MAKE_TREE && -x $SEARCH && -x $BARE ]] ||
    die "MAKE_TREE, SEARCH_GAME and BARE_WALK must be executables"
for tool in fdfind find /usr/bin/time; do
    command -v "$tool" >/dev/null || die "$tool is missing (Debian: apt-get install -y fd-find findutils time)"
done

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

if [[ $# -eq 4 ]]; then
    TREE="$4"
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

[[ -n "$("$SEARCH" "$TREE" "$GAME")" ]] || die "no $GAME in $TREE"
[[ -z "$("$SEARCH" "$TREE" "$ABSENT")" ]] || die "$TREE holds a file named $ABSENT"

echo "warming the cache ..."
find "$TREE" -xdev >/dev/null

name="$GAME"
run_ours() { "$SEARCH" "$TREE" "$name"; }
run_find() { find "$TREE" -xdev -iname "$name" -print -quit; }
run_fd() { fdfind -u -I -i --max-results 1 -g "$name" "$TREE"; }
run_bare() { "$BARE" "$TREE"; }

micros() { echo "${EPOCHREALTIME/./}"; }

# The commands given take turns, so that a machine busy for a while slows all of them alike.
# Prints each command's median wall time in ms, in the order given.
medians() {
    local run command start
    rm -f "$WORK"/times.*
    for ((run = 0; run < WARMUP; run++)); do
        for command in "$@"; do "$command" >/dev/null; done
    done
    for ((run = 0; run < RUNS; run++)); do
        for command in "$@"; do
            start="$(micros)"
            "$command" >/dev/null
            echo $(($(micros) - start)) >>"$WORK/times.$command"
        done
    done
    for command in "$@"; do
        sort -n "$WORK/times.$command" | awk '{ t[NR] = $1 } END { printf "%.1f\n", t[int((NR + 1) / 2)] / 1000 }'
    done
}

peak_kib() { /usr/bin/time -f %M "$SEARCH" "$TREE" "$name" 2>&1 >/dev/null | tail -n 1; }

echo "timing the hit ..."
mapfile -t hit < <(medians run_ours run_find run_fd)
hit_kib="$(peak_kib)"

name="$ABSENT"
echo "timing the miss ..."
mapfile -t miss < <(medians run_ours run_find run_fd run_bare)
miss_kib="$(peak_kib)"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "met" : "NOT MET") }'; }

echo
echo "tree: $TREE ($(find "$TREE" -xdev -type d | wc -l) folders, $(find "$TREE" -xdev -type f | wc -l) files)"
echo "runs: $RUNS each, taking turns, after $WARMUP warm-up rounds; median wall times"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)   (figures are unreliable on a busy machine)"
printf '%-6s %12s %12s %12s %12s\n' "" "ours (ms)" "find (ms)" "fd (ms)" "bare (ms)"
printf '%-6s %12s %12s %12s %12s\n' hit "${hit[0]}" "${hit[1]}" "${hit[2]}" "-"
printf '%-6s %12s %12s %12s %12s\n' miss "${miss[0]}" "${miss[1]}" "${miss[2]}" "${miss[3]}"
echo
hit_ratio="$(ratio "${hit[0]}" "${hit[1]}")"
miss_ratio="$(ratio "${miss[0]}" "${miss[3]}")"
peak=$((hit_kib > miss_kib ? hit_kib : miss_kib))
echo "hit:  ours / find = $hit_ratio   (target <= 0.35: $(verdict "$hit_ratio" 0.35))"
echo "      ours / fd   = $(ratio "${hit[0]}" "${hit[2]}")"
echo "miss: ours / bare = $miss_ratio   (target <= 1.15: $(verdict "$miss_ratio" 1.15))"
echo "      ours / fd   = $(ratio "${miss[0]}" "${miss[2]}")"
echo "      ours / find = $(ratio "${miss[0]}" "${miss[1]}")"
echo "peak memory of ours: hit $hit_kib KiB, miss $miss_kib KiB   (target <= 16384 KiB: $(verdict "$peak" 16384))"
