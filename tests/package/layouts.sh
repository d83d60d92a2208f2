#!/usr/bin/env bash
# Starts Tessaly for the first time in each of its two layouts and checks where it takes its
# files from and where it keeps its settings.
#
#   layouts.sh installed CPACK BUILD_DIR VERSION
#       builds the Debian package, checks what the package manager and the desktop read of it,
#       unpacks it into a temporary root and runs the program installed there;
#   layouts.sh portable PROGRAM MODULE KIT_DIR
#       runs the program from a writable folder holding it, its sound module and its kit.
set -euo pipefail

work=$(mktemp -d)
# A game folder near the top of the disk, for the first run's search to find early.
game=$(mktemp -d "${TMPDIR:-/tmp}/tessaly-game.XXXXXX")
pid=
cleanup() {
    if [[ -n $pid ]] && kill "$pid" 2>/dev/null; then
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work" "$game"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [[ -s $work/output ]]; then
        echo "--- the program's output, without the loader's lines:" >&2
        grep -v '^ *[0-9]*:' "$work/output" >&2 || true
    fi
    exit 1
}

mkdir -p "$game/data/armpatch" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
touch "$game/Ironvale.exe"
# The program's settings, trash, journals and sound server's files, and the game launchers it
# asks, are the test's own.
unset WINEPREFIX
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_STATE_HOME=$work/state
export XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=offscreen

# Runs the program on its first run until it has recorded a game folder in `settings` and has
# loaded its sound module from `module_folder` for the start-up cue. It must still be running
# then, with its main window open: a settings file it could not make would have ended it after
# "Error initiating setup", with nothing recorded.
first_run() {
    local program=$1 settings=$2 module_folder=$3 folder='' loaded=''
    LD_DEBUG=files "$program" >"$work/output" 2>&1 &
    pid=$!
    for ((tenth = 0; tenth < 300; tenth++)); do
        [[ -z $folder && -f $settings ]] && folder=$(sed -n 's/^Directory=//p' "$settings")
        grep -qs "file=$module_folder/libtessaly_sound.so .*dynamically loaded" "$work/output" &&
            loaded=yes
        [[ -n $folder && -n $loaded ]] && break
        kill -0 "$pid" 2>/dev/null || fail "$program ended on its first run"
        sleep 0.1
    done
    [[ -n $folder ]] || fail "no game folder recorded in $settings within 30 s"
    [[ -f $folder/Ironvale.exe ]] || fail "the recorded game folder $folder holds no Ironvale.exe"
    [[ -n $loaded ]] || fail "the sound module was not loaded from $module_folder"
    kill -0 "$pid" 2>/dev/null || fail "$program ended after recording the game folder"
}

installed() {
    local cpack=$1 build=$2 version=$3
    "$cpack" --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/output" 2>&1 ||
        fail "cpack could not build the package"
    local deb
    deb=$work/package/tessaly_${version}_$(dpkg --print-architecture).deb
    [[ -f $deb ]] || fail "no $(basename "$deb"); cpack made: $(ls "$work/package")"

    # Every library the programs and the sound module need comes with the package.
    local root=$work/root depends multiarch elf soname package
    dpkg-deb -x "$deb" "$root"
    depends=$(dpkg-deb -f "$deb" Depends)
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
    for elf in "$root"/usr/bin/* "$root"/usr/lib/tessaly/*.so; do
        for soname in $(readelf -d "$elf" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p'); do
            # Other architectures' copies of a library (say, libc6-i386's) are not the one used.
            package=$(dpkg-query -S "*/$multiarch/$soname" | head -n 1 | cut -d: -f1)
            grep -qw -- "$package" <<<"$depends" ||
                fail "$(basename "$elf") needs $soname of $package, which Depends lacks: $depends"
        done
    done

    # What the desktop reads: each menu entry valid, starting a program of the package, with
    # an icon in the sizes the icon theme asks for, and described for the software centre.
    local entry id icon file size
    desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "invalid menu entry"
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$work/output" ||
        fail "invalid metainfo"
    for entry in "$root"/usr/share/applications/*.desktop; do
        id=$(basename "$entry" .desktop)
        [[ -x $root/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry") ]] ||
            fail "$id starts no program of the package"
        grep -q "<launchable type=\"desktop-id\">$id.desktop<" \
            "$root/usr/share/metainfo/$id.metainfo.xml" || fail "no metainfo launches $id"
        icon=$(sed -n 's/^Icon=//p' "$entry")
        [[ -f $root/usr/share/icons/hicolor/48x48/apps/$icon.png ]] ||
            fail "$id has no 48x48 icon, the size every icon theme falls back on"
        for file in "$root"/usr/share/icons/hicolor/*/apps/"$icon".png; do
            size=$(basename "$(dirname "$(dirname "$file")")")
            [[ $(identify -format '%wx%h' "$file") == "$size" ]] ||
                fail "$file is not $size"
        done
    done

    # Each program's manual page: it reads without a warning, and it tells every option that
    # the program's own --help lists.
    local program page option
    for program in tessaly tallyfold; do
        page=$root/usr/share/man/man1/$program.1.gz
        [[ -f $page ]] || fail "no manual page $program.1.gz"
        zcat "$page" | groff -man -Tutf8 -ww -z 2>"$work/output" && [[ ! -s $work/output ]] ||
            fail "$program.1 reads with warnings: $(cat "$work/output")"
        zcat "$page" | groff -man -Tascii -P-cbou >"$work/page.txt" 2>/dev/null
        for option in $("$root/usr/bin/$program" --help | grep -o -- '--[a-z-]*'); do
            grep -q -- "$option" "$work/page.txt" || fail "$program.1 never tells $option"
        done
    done

    # The unpacked tree stands for a read-only /usr: the settings go to the user's folder.
    first_run "$root/usr/bin/tessaly" "$XDG_CONFIG_HOME/tessaly/Tessaly.ini" \
        "$root/usr/lib/tessaly"
    [[ -z $(find "$root" -name Tessaly.ini) ]] || fail "a settings file was written in the package"
    [[ $("$root/usr/bin/tallyfold" --version) == "tallyfold $version" ]] ||
        fail "the installed tallyfold does not start"
}

portable() {
    local program=$1 module=$2 kit_source=$3 kit=$work/kit
    mkdir -p "$kit"
    cp -r "$kit_source/." "$kit/"
    cp "$program" "$module" "$kit/"
    first_run "$kit/tessaly" "$kit/Tessaly.ini" "$kit"
    [[ ! -e $XDG_CONFIG_HOME/tessaly ]] || fail "a portable kit wrote into $XDG_CONFIG_HOME"
}

mode=$1
shift
case $mode in
    installed | portable) "$mode" "$@" ;;
    *) fail "unknown mode $mode" ;;
esac
echo "PASS: $mode"
