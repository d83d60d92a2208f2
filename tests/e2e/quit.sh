#!/usr/bin/env bash
# Quit plays its cue to the end and then ends the program with status 0, no later than one
# second after the cue's end, counted from the key press.
source "$(dirname "$0")/harness.sh"
begin quit
lay_out_kit
lay_out_game
remember_game

cue_ms=$(python3 -c 'import sys, wave
with wave.open(sys.argv[1]) as w: print(round(1000 * w.getnframes() / w.getframerate()))' \
    "$work/kit/appdata/audio/gun.wav")

launch tessaly "$work" "$work/kit/tessaly"
await_window '^Tessaly$'
main=$found
focus "$main"
pressed=$(now_ms)
xdotool key alt+q
wait_for "the program to end" ended
took=$(($(now_ms) - pressed))
status=0
wait "$app_pid" || status=$?
echo "ended $took ms after the key; the cue lasts $cue_ms ms"
expect "the program ended with status $status" test "$status" -eq 0
expect "the program ended $took ms after the key, before its cue of $cue_ms ms could end" \
    test "$took" -ge "$cue_ms"
expect "the program ended $took ms after the key, more than a second after the cue's $cue_ms ms" \
    test "$took" -le $((cue_ms + 1000))
pass
