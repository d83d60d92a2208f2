# shellcheck shell=bash
# The X plumbing of the end-to-end flows, sourced by each flow's script: a private X server,
# the program under test with its real services in a kit of its own, waits with deadlines,
# keys and clicks, and on failure a screenshot beside the program's output.
#
# A flow calls `begin NAME`, lays out what it needs under $work, starts the program with
# `launch`, drives it, checks the disk, and ends with `pass`. Anything that goes wrong (a
# failed check, a missed deadline or any failing command) ends the flow through `fail`.
#
# CTest passes: E2E_OUTPUT (the output folders' parent), E2E_TESSALY, E2E_SOUND_MODULE,
# E2E_TESSALY_KIT, E2E_TALLYFOLD, E2E_TALLYFOLD_KIT. E2E_DEADLINE (seconds, default 15) bounds
# every wait.

set -eEuo pipefail
export LC_ALL=C
deadline=${E2E_DEADLINE:-15}
started=()
main= # the program's main window, once a flow has found it

now_ms() {
    local micros=${EPOCHREALTIME/./}
    echo $((micros / 1000))
}

# begin NAME: the flow's output folder, and its own folder in /tmp.
begin() {
    flow=$1
    out=$E2E_OUTPUT/$flow
    rm -rf "$out"
    mkdir -p "$out"
    work=$(mktemp -d "/tmp/e2e-$flow.XXXXXX")
    trap 'fail "line $LINENO: \"$BASH_COMMAND\" failed"' ERR
    trap finish EXIT
    flow_start=$(now_ms)

    # The program's settings, trash, journals and caches, and the game launchers it asks, are the
    # flow's own.
    unset WINEPREFIX
    export HOME=$work/home
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
    export XDG_STATE_HOME=$HOME/.local/state XDG_CACHE_HOME=$HOME/.cache
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    # Plain Qt dialogs whatever the desktop around, and no session bus to reach or start.
    unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP SESSION_MANAGER
    export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
    start_x
}

# A server of the flow's own, on a display that no other server holds: neither its lock file
# nor its abstract socket, which clients try first and which a server seeing another /tmp (in
# a chroot) holds without a lock file here. It must not reset when its last client leaves: a
# program connecting while a search by xdotool ends would be turned away. No window manager:
# the flows give the focus themselves (see `focus`).
start_x() {
    local n
    for ((n = 20; n < 200; n++)); do
        if [[ -e /tmp/.X$n-lock ]] || grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix; then
            continue
        fi
        : >"$work/display"
        Xvfb ":$n" -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset \
            3>"$work/display" >"$out/xvfb.log" 2>&1 &
        xvfb_pid=$!
        wait_for "the X server" x_started
        if [[ -s $work/display ]]; then
            export DISPLAY=:$n
            return
        fi
        wait "$xvfb_pid" || true # another flow took the display first
    done
    fail "no free display"
}

x_started() {
    [[ -s $work/display ]] || ended "$xvfb_pid"
}

# Ends every process the flow started, the server last, and removes the flow's files.
finish() {
    local status=$?
    trap - ERR
    for pid in "${started[@]}"; do
        kill -KILL "$pid" 2>/dev/null || true
    done
    if [[ -n ${xvfb_pid:-} ]]; then
        kill -TERM "$xvfb_pid" 2>/dev/null || true
    fi
    wait 2>/dev/null || true
    rm -rf "$work"
    exit "$status"
}

fail() {
    # A command that fails in a subshell fails the command that started it, which reports.
    ((BASH_SUBSHELL == 0)) || exit 1
    trap - ERR
    timeout 10 import -display "$DISPLAY" -window root "$out/screen.png" 2>/dev/null || true
    find "$work" -path "$work/runtime" -prune -o -printf '%y %s %p\n' >"$out/files.txt" 2>/dev/null || true
    echo "FAILED $flow: $1" >&2
    echo "Screenshot, file listing and program output: $out" >&2
    exit 1
}

pass() {
    echo "$flow passed in $(($(now_ms) - flow_start)) ms"
}

# wait_for WHAT COMMAND...: runs COMMAND until it succeeds; fails the flow after the deadline,
# telling what COMMAND last left in `seen`.
wait_for() {
    local what=$1 give_up=$(($(now_ms) + deadline * 1000))
    shift
    seen=
    until "$@"; do
        (($(now_ms) < give_up)) || fail "waited ${deadline} s for $what${seen:+; saw \"$seen\"}"
        sleep 0.05
    done
}

expect() {
    local what=$1
    shift
    "$@" || fail "$what"
}

# launch NAME FOLDER COMMAND...: starts the program in FOLDER, in the background, with its
# output in NAME.out and NAME.err of the output folder. Sets app_pid.
launch() {
    local name=$1 folder=$2
    shift 2
    (cd "$folder" && exec "$@") >"$out/$name.out" 2>"$out/$name.err" &
    app_pid=$!
    started+=("$app_pid")
}

# The process PID (by default the program) has ended; its exit status is then `wait PID`'s.
ended() {
    local stat
    stat=$(cat "/proc/${1:-$app_pid}/stat" 2>/dev/null) || return 0
    [[ ${stat##*) } == Z* ]]
}

# find_window NAME-REGEX [OTHER-THAN]: sets `found` to the program's visible window whose
# caption matches, letter case included (xdotool's search ignores it), other than OTHER-THAN.
find_window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$app_pid" --name "$1" 2>/dev/null || true); do
        if [[ $id != "${2:-}" && $(xdotool getwindowname "$id" 2>/dev/null) =~ $1 ]]; then
            found=$id
            return 0
        fi
    done
    return 1
}

await_window() {
    wait_for "a window captioned /$1/" find_window "$@"
}

gone() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$app_pid" --name '' 2>/dev/null || true); do
        [[ $id != "$1" ]] || return 1
    done
}

caption_is() {
    seen=$(xdotool getwindowname "$1")
    [[ $seen == "$2" ]]
}

await_caption() {
    wait_for "the caption \"$2\"" caption_is "$@"
}

# Without a window manager nobody moves the keyboard focus when a box closes: give it to the
# window the user works in, as a click on its frame would.
focus() {
    timeout "$deadline" xdotool windowfocus --sync "$1"
}

press() {
    local window=$1
    shift
    focus "$window"
    xdotool key --delay 30 "$@"
}

type_into() {
    focus "$1"
    xdotool type --delay 20 -- "$2"
}

# click_control WINDOW LEFT TOP WIDTH HEIGHT: clicks the middle of a control placed in twips
# (15 to the pixel) in the window.
click_control() {
    focus "$1"
    xdotool mousemove --window "$1" $((($2 + $4 / 2) / 15)) $((($3 + $5 / 2) / 15)) click 1
}

box_says() {
    press "$1" ctrl+c
    seen=$(xclip -o -selection clipboard 2>/dev/null || true)
    [[ $seen == "$2" ]]
}

# answer_box TITLE TEXT KEY...: waits for the message box, checks its title and text (copied
# with Ctrl+C while it is open) and answers it with KEY.
answer_box() {
    wait_for "the box \"$2\"" find_window "^$1\$" "$main"
    local box=$found
    wait_for "the box to read \"$2\"" box_says "$box" "$1"$'\n\n'"$2"
    shift 2
    press "$box" "$@"
    wait_for "the box to close" gone "$box"
}

# A portable kit: the program, its sound module and its files side by side, so that its
# settings file lands beside it.
lay_out_kit() {
    mkdir -p "$work/kit"
    cp -r "$E2E_TESSALY_KIT/." "$work/kit/"
    cp "$E2E_TESSALY" "$E2E_SOUND_MODULE" "$work/kit/"
}

# The game in the flow's folder itself: Ironvale.exe and the sixteen default pictures.
lay_out_game() {
    printf 'MZ end-to-end placeholder\n' >"$work/Ironvale.exe"
    mkdir -p "$work/data/armpatch"
    cp "$E2E_TESSALY_KIT"/armpatch/armpatch*.ivb "$work/data/armpatch/"
}

# A settings file that names the game, so that no search runs.
remember_game() {
    printf '[Ironvale]\nDirectory=%s\n' "$work" >"$work/kit/Tessaly.ini"
}

# The names in a folder, hidden ones too, one a line, sorted.
names_in() {
    find "$1" -mindepth 1 -maxdepth 1 -printf '%f\n' 2>/dev/null | sort
}

same_bytes() {
    cmp -s "$1" "$2"
}
