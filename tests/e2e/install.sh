#!/usr/bin/env bash
# Installing three pictures, added with the keyboard from the file list: the game's armpatch
# folder then holds exactly armpatch1.ivb to armpatch3.ivb with the pictures' bytes, the old
# folder lies in the flow's own trash, and the settings file remembers the list.
source "$(dirname "$0")/harness.sh"
begin install
lay_out_kit
lay_out_game
remember_game
mkdir "$work/pictures"
for name in a b c; do
    head -c 3000 /dev/urandom >"$work/pictures/$name.ivb"
done

# With no browse position remembered, the panes open at the working folder.
launch tessaly "$work/pictures" "$work/kit/tessaly"
await_window '^Tessaly$'
main=$found

# A click on the file list's first row selects it; any character key adds the current file
# (z starts no file name, so the list's own type-ahead leaves the current row alone).
click_control "$main" 120 2880 2175 150
press "$main" z Down z Down z
wait_for "the list to be remembered" grep -q '^DefaultDirectory=' "$work/kit/Tessaly.ini"

press "$main" alt+i
answer_box Tessaly "Ironvale Armpatch Installation Complete" Return
await_caption "$main" "Tessaly [Installing $work/pictures/a.ivb ]"

armpatch=$work/data/armpatch
expect "the armpatch folder holds $(names_in "$armpatch" | tr '\n' ' ')" \
    test "$(names_in "$armpatch")" == "$(printf 'armpatch%s.ivb\n' 1 2 3)"
n=0
for name in a b c; do
    n=$((n + 1))
    expect "armpatch$n.ivb is not $name.ivb" same_bytes "$work/pictures/$name.ivb" "$armpatch/armpatch$n.ivb"
done

trash=$XDG_DATA_HOME/Trash
expect "the trash holds $(names_in "$trash/files/armpatch" | wc -l) old pictures, not 16" \
    test "$(names_in "$trash/files/armpatch" | wc -l)" -eq 16
for n in $(seq 1 16); do
    expect "the trashed armpatch$n.ivb is not the game's" \
        same_bytes "$E2E_TESSALY_KIT/armpatch/armpatch$n.ivb" "$trash/files/armpatch/armpatch$n.ivb"
done
expect "the trash does not tell where the folder came from" \
    grep -qx "Path=$armpatch" "$trash/info/armpatch.trashinfo"

# The list holds the last added at the top, and is recorded in that order.
for entry in 0:c 1:b 2:a; do
    expect "file${entry%:*} is not ${entry#*:}.ivb in the settings file" \
        grep -qx "file${entry%:*}=$work/pictures/${entry#*:}.ivb" "$work/kit/Tessaly.ini"
done
pass
