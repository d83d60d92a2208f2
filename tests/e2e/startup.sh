#!/usr/bin/env bash
# A first run, with no settings file: Tessaly shows its splash while it searches the disks,
# finds this flow's game and records its folder in a settings file beside the program.
source "$(dirname "$0")/harness.sh"
begin startup
lay_out_kit
lay_out_game

# Every window that the server creates, maps and destroys, logged from before the start.
stdbuf -oL xev -root -event substructure -event property >"$out/windows.log" 2>&1 &
started+=($!)
window_log_started() {
    xprop -root -f E2E_READY 8s -set E2E_READY yes
    grep -q E2E_READY "$out/windows.log"
}
wait_for "the window log to start" window_log_started

launch tessaly "$work" "$work/kit/tessaly"
await_window '^Tessaly$'
main=$found

# The log, one line per event: kind, window, and the size a window was created with. The
# splash is 7380 x 4245 twips: 492 x 283 pixels. The main window can be seen before the log
# has its mapping.
splash_came_first() {
    # shellcheck disable=SC2016 # the programs are awk's
    awk '/Notify event/ { kind = $1; next }
         kind != "" {
             match($0, /window 0x[0-9a-f]+/); window = substr($0, RSTART + 7, RLENGTH - 7)
             size = match($0, /width [0-9]+, height [0-9]+/) ? substr($0, RSTART, RLENGTH) : ""
             gsub(/[a-z ]/, "", size); sub(/,/, "x", size)
             print kind, window, size; kind = ""
         }' "$out/windows.log" >"$out/windows.txt"
    awk -v main="$(printf '0x%x' "$main")" '
        $1 == "CreateNotify" && $3 == "492x283" && splash == "" { splash = $2 }
        $1 == "MapNotify" && splash != "" && $2 == splash { shown = NR }
        $1 == "DestroyNotify" && shown && $2 == splash { closed = NR }
        $1 == "MapNotify" && $2 == main { main_shown = NR }
        END { exit !(shown && closed && main_shown && closed < main_shown) }' "$out/windows.txt"
}
wait_for "the splash to be shown and closed before the main window (see windows.txt)" \
    splash_came_first

settings=$work/kit/Tessaly.ini
expect "no settings file beside the program" test -f "$settings"
# The search takes the first copy of the game it meets. On CI this flow's is the only one (the
# flows run one at a time and leave nothing behind), but a developer's disk may hold another,
# such as the demo's: that one is as right an answer.
game=$(sed -n 's/^Directory=//p' "$settings")
expect "the settings file reads \"$(<"$settings")\", not a game folder alone" \
    test "$(<"$settings")" == "$(printf '[Ironvale]\nDirectory=%s' "$game")"
expect "the recorded folder $game holds no Ironvale.exe" test -f "$game/Ironvale.exe"
[[ $game == "$work" ]] || echo "The search found another copy of the game first: $game"
expect "a settings file was made in the configuration folder too" \
    test ! -e "$XDG_CONFIG_HOME/tessaly"
pass
