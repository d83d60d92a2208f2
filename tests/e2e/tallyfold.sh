#!/usr/bin/env bash
# Tallyfold renames a folder chosen in its folder dialog (answered from the keyboard alone)
# with a typed label: every plain file takes label + number + its extension, in name order,
# and the success box tells the count. Sub-folders and hidden files keep their names. Undo, by
# its mnemonic, then gives every file its old name back and leaves the journal empty.
source "$(dirname "$0")/harness.sh"
begin tallyfold
mkdir -p "$work/kit" "$work/photos/holiday"
cp "$E2E_TALLYFOLD" "$work/kit/"
cp -r "$E2E_TALLYFOLD_KIT/." "$work/kit/"
photos=$work/photos
for name in b.txt a.jpg notes archive.tar.gz .hidden; do
    echo "$name" >"$photos/$name"
done

launch tallyfold "$work" "$work/kit/tallyfold"
await_window '^Tallyfold$'
main=$found

# Browse, then the dialog: the folder's path typed into its name field, and Enter.
click_control "$main" 2760 1260 1575 375
await_window '^Click on an entry to select it\.$' "$main"
dialog=$found
type_into "$dialog" "$photos"
press "$dialog" Return
wait_for "the folder dialog to close" gone "$dialog"

# The label: the text box's whole text replaced by typing.
click_control "$main" 2760 840 1575 315
press "$main" ctrl+a
type_into "$main" pic

click_control "$main" 435 2400 1575 375
answer_box Tallyfold "Rename all files in $photos ?" alt+y
answer_box Tallyfold "Successfully renamed the 4 files in $photos." Return

# Names are taken in a file manager's order: "a.jpg" before "archive.tar.gz".
expected=(.hidden holiday pic1.jpg pic2.tar.gz pic3.txt pic4)
expect "the folder holds $(names_in "$photos" | tr '\n' ' ')" \
    test "$(names_in "$photos")" == "$(printf '%s\n' "${expected[@]}")"
for renamed in a.jpg:pic1.jpg archive.tar.gz:pic2.tar.gz b.txt:pic3.txt notes:pic4; do
    expect "${renamed#*:} does not hold what ${renamed%:*} held" \
        test "$(<"$photos/${renamed#*:}")" == "${renamed%:*}"
done

press "$main" alt+u
answer_box Tallyfold "Undo the renaming of 4 files in $photos?" alt+y
answer_box Tallyfold "The 4 files in $photos have their old names again." Return
expect "the folder holds $(names_in "$photos" | tr '\n' ' ') after the undo" \
    test "$(names_in "$photos")" == "$(printf '%s\n' .hidden a.jpg archive.tar.gz b.txt holiday notes)"
for name in a.jpg archive.tar.gz b.txt notes; do
    expect "$name does not hold its own bytes after the undo" test "$(<"$photos/$name")" == "$name"
done
expect "the journal keeps the undone batch" test -z "$(ls -A "$XDG_STATE_HOME/tallyfold")"

click_control "$main" 2760 2400 1575 375
wait_for "Tallyfold to end" ended
expect "Tallyfold ended with a failure" wait "$app_pid"
pass
