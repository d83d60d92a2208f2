#!/usr/bin/env bash
# Takes the README's pictures of both programs on the demo kit, at the usual density and at a
# scale of 200 %, each on a private X server without a window manager: docs/tessaly.png,
# docs/credits.png, docs/help.png and docs/tallyfold.png, and the same with @2x for the scale;
# and docs/game-folder.png, the main window with its menu open.
# Needs a build (scripts/build.sh) and Xvfb, xdotool and ImageMagick's import.
#
#   scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
docs=$PWD/docs
work=$(mktemp -d)
# The pictures show the demo's paths: a short folder of its own reads as a user's would, where
# the build's would show the checkout's.
demo=/tmp/tessaly-demo
if [[ -e $demo ]]; then
    echo "screenshots: $demo is in the way" >&2
    exit 1
fi
pids=()
finish() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work" "$demo"
}
trap finish EXIT

# The demo kit, pictures and game of scripts/demo.sh, without starting it, moved to $demo.
scripts/demo.sh "$build" --lay-out-only >/dev/null
built=$(realpath "$build/demo")
cp -a "$built" "$demo"
sed -i -e "s|$built|$demo|" \
    -e "s|^DefaultDrive=.*|DefaultDrive=$(df --output=target "$demo/pictures" | tail -n 1)|" \
    "$demo/kit/Tessaly.ini"

# Plain Qt whatever the desktop around, settings and trash of the run's own.
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP SESSION_MANAGER
export QT_QPA_PLATFORM=xcb HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
mkdir -p "$HOME"

# window NAME-PATTERN: the id of the visible window whose name matches, once there is one.
window() {
    local tries id
    for ((tries = 0; tries < 100; tries++)); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [[ -n $id ]] && echo "$id" && return
        sleep 0.1
    done
    echo "screenshots: no window '$1'" >&2
    exit 1
}

# shoot ID FILE: the window as it is drawn, once what was asked of it has been drawn.
shoot() {
    sleep 0.6
    import -window "$1" "$docs/$2"
    echo "wrote docs/$2"
}

# shoot_scrolling ID FILE: the credits scroll on; of a burst of pictures, the one in which the
# logo's dark box fills most of the window's height, so that it stands near the middle.
shoot_scrolling() {
    local n picture x covered most=-1 best=""
    for n in $(seq -w 1 40); do
        import -window "$1" "$work/scroll$n.png"
    done
    for picture in "$work"/scroll*.png; do
        # A column at the logo box's left, clear of its picture and of the text.
        x=$(($(identify -format %w "$picture") * 7 / 100))
        covered=$(convert "$picture" -crop "1x100%+$x+0" -colorspace Gray -threshold 1% \
            -format '%[fx:round(mean * 1000)]' info:)
        if ((covered > most)); then
            most=$covered best=$picture
        fi
    done
    cp "$best" "$docs/$2"
    echo "wrote docs/$2"
}

# start PROGRAM ARGUMENTS...: runs a program in the background until the server ends.
start() {
    "$@" >"$work/output" 2>&1 &
    pids+=($!)
}

for scale in 1 2; do
    suffix=$([[ $scale == 2 ]] && echo @2x || true)
    Xvfb :$((90 + scale)) -screen 0 1600x1200x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=:$((90 + scale)) QT_SCALE_FACTOR=$scale
    sleep 1

    # The main window: a file picked in the file list, and the installation list in hand with
    # an entry chosen.
    start "$demo/kit/tessaly"
    main=$(window '^Tessaly$')
    xdotool windowfocus --sync "$main"
    xdotool key --delay 80 Tab Tab Tab Down Down Tab Down
    shoot "$main" "tessaly$suffix.png"

    # The window's menu, opened over the installation list, which leaves it to the window.
    if [[ $scale == 1 ]]; then
        xdotool mousemove --window "$main" 200 220 click 3
        sleep 0.6
        eval "$(xdotool getwindowgeometry --shell "$main")"
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$docs/game-folder.png"
        echo "wrote docs/game-folder.png"
        xdotool key Escape
    fi

    # The credits, as the logo rises through the window.
    xdotool key alt+a
    credits=$(window '^Loomwright$')
    shoot_scrolling "$credits" "credits$suffix.png"
    xdotool windowfocus --sync "$credits" key space

    # Help where the desktop has no viewer: the kit's own window.
    kill "${pids[-1]}"
    PATH=/nonexistent start "$demo/kit/tessaly"
    main=$(window '^Tessaly$')
    xdotool windowfocus --sync "$main" key alt+h
    shoot "$(window '^Tessaly Help$')" "help$suffix.png"

    start "$build/tallyfold/tallyfold" "$demo/pictures"
    tallyfold=$(window '^Tallyfold$')
    xdotool windowfocus --sync "$tallyfold" key Tab
    shoot "$tallyfold" "tallyfold$suffix.png"

    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    pids=()
done
