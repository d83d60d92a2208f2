#!/usr/bin/env bash
# Defaults over pictures of the user's: after the question and the success box the game's
# armpatch folder holds exactly the kit's sixteen pictures, byte for byte, and the user's
# pictures lie in the flow's own trash. Ctrl+Z then takes the restore back: Return answers the
# question with its default, Yes, and the user's pictures come back out of the trash.
source "$(dirname "$0")/harness.sh"
begin defaults
lay_out_kit
lay_out_game
remember_game
armpatch=$work/data/armpatch
rm "$armpatch"/*
for n in 1 2 3; do
    head -c 2000 /dev/urandom >"$armpatch/armpatch$n.ivb"
done
cp -r "$armpatch" "$work/users-pictures"

launch tessaly "$work" "$work/kit/tessaly"
await_window '^Tessaly$'
main=$found
press "$main" alt+d
answer_box Tessaly "Restore Armpatch files to Ironvale Defaults?" Return
answer_box Tessaly "Armpatch files restored to defaults provided by Ironvale" Return
await_caption "$main" Tessaly

expect "the armpatch folder holds $(names_in "$armpatch" | tr '\n' ' ')" \
    test "$(names_in "$armpatch")" == "$(printf 'armpatch%s.ivb\n' $(seq 1 16) | sort)"
for n in $(seq 1 16); do
    expect "armpatch$n.ivb is not the kit's" \
        same_bytes "$E2E_TESSALY_KIT/armpatch/armpatch$n.ivb" "$armpatch/armpatch$n.ivb"
done
expect "the user's pictures are not in the trash as they were" \
    diff -r "$work/users-pictures" "$XDG_DATA_HOME/Trash/files/armpatch"

press "$main" ctrl+z
answer_box Tessaly "Undo the last Defaults? The 3 pictures that were in the armpatch folder \
before it come back, and the pictures there now go to the trash." Return
answer_box Tessaly "The armpatch folder is as it was before the last Defaults." Return
expect "the user's pictures are not back as they were" diff -r "$work/users-pictures" "$armpatch"
expect "the trash still notes the pictures that left it" \
    test ! -e "$XDG_DATA_HOME/Trash/info/armpatch.trashinfo"
for n in $(seq 1 16); do
    expect "the kit's armpatch$n.ivb is not in the trash" \
        same_bytes "$E2E_TESSALY_KIT/armpatch/armpatch$n.ivb" "$XDG_DATA_HOME/Trash/files/armpatch-0001/armpatch$n.ivb"
done
pass
