#!/usr/bin/env bash
# Times Tessaly's start to its first paint against a bare Qt window, as whole processes,
# offscreen, and compares their peak memory. Usage: startup_bench.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(realpath "${1:?usage: startup_bench.sh BUILD_DIR [RUNS]}")
runs=${2:-21}
source "$(dirname "$0")/measure.sh"

work=$(mktemp -d)
trap 'rm -rf "$work" "$TMPDIR_MEASURE"' EXIT
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
measure bare "$runs" "$build/bench/startup_bare"
measure tessaly "$runs" "$build/bench/startup_tessaly" "$kit"

report "start to first paint" tessaly bare 2.0 1.6
