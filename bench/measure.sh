# Shared by the benchmark scripts: run a command several times as a whole process and keep
# the median wall time (ms) and the median peak resident memory (KiB) under a name.
declare -A median_ms median_kib

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() {
    local name=$1 runs=$2
    shift 2
    local times=() memory=() start end
    "$@" >/dev/null 2>&1 || true # warm the caches
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        /usr/bin/time -f %M -o "$TMPDIR_MEASURE/mem" "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
        memory+=($(tail -n 1 "$TMPDIR_MEASURE/mem"))
    done
    median_ms[$name]=$(printf '%s\n' "${times[@]}" | median | awk '{ printf "%.1f", $1 / 1000 }')
    median_kib[$name]=$(printf '%s\n' "${memory[@]}" | median)
}

# report TITLE SUBJECT REFERENCE TIME_TARGET MEMORY_TARGET
report() {
    local title=$1 subject=$2 reference=$3
    printf '%s (median of runs)\n' "$title"
    printf '  %-10s %8s ms %8s KiB\n' "$reference" "${median_ms[$reference]}" "${median_kib[$reference]}"
    printf '  %-10s %8s ms %8s KiB\n' "$subject" "${median_ms[$subject]}" "${median_kib[$subject]}"
    awk -v s="${median_ms[$subject]}" -v r="${median_ms[$reference]}" -v t="$4" \
        'BEGIN { printf "  time ratio   %.2f (target <= %.2f)\n", s / r, t }'
    awk -v s="${median_kib[$subject]}" -v r="${median_kib[$reference]}" -v t="$5" \
        'BEGIN { printf "  memory ratio %.2f (target <= %.2f)\n", s / r, t }'
}

TMPDIR_MEASURE=$(mktemp -d)
