#!/usr/bin/env bash
# Lays out a demo kit (the built program with its kit files), a demo game folder and a few
# pictures to browse, then starts Tessaly on them. Everything lives below build/demo; the
# settings file there already names the game folder and holds a small installation list.
#
#   scripts/demo.sh [BUILD_DIR] [--lay-out-only]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
demo=$(realpath -m "$build/demo")

rm -rf "$demo"
mkdir -p "$demo/kit" "$demo/Ironvale/data/armpatch" "$demo/pictures/emblems"
cp -r tessaly/kit/. "$demo/kit/"
cp "$build/tessaly/tessaly" "$build/tessaly/libtessaly_sound.so" "$demo/kit/"

printf 'MZ demo placeholder\n' > "$demo/Ironvale/Ironvale.exe"
for n in $(seq 1 16); do
    cp "tessaly/kit/armpatch/armpatch$n.ivb" "$demo/Ironvale/data/armpatch/"
done

names=(eagle wolf tower anchor crown falcon)
for i in "${!names[@]}"; do
    n=$((i + 3))
    folder="$demo/pictures"
    ((i >= 4)) && folder="$demo/pictures/emblems"
    cp "tessaly/kit/armpatch/armpatch$n.ivb" "$folder/${names[$i]}.ivb"
    cp "tessaly/kit/armpatch/armpatch$n.gif" "$folder/${names[$i]}.gif"
done

cat > "$demo/kit/Tessaly.ini" <<INI
[Ironvale]
Directory=$demo/Ironvale
[Browse For File]
DefaultDrive=$(df --output=target "$demo/pictures" | tail -n 1)
DefaultDirectory=$demo/pictures
[Armpatch]
file0=$demo/pictures/eagle.ivb
file1=$demo/pictures/tower.ivb
file2=$demo/pictures/emblems/crown.ivb
INI

echo "Demo kit: $demo/kit (settings file: $demo/kit/Tessaly.ini)"
[[ ${2:-} == --lay-out-only ]] && exit 0
exec "$demo/kit/tessaly"
