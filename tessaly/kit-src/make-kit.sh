#!/usr/bin/env bash
# Regenerates every data file of the Tessaly kit (help text, sound cues,
# default armpatch pictures with their previews, logo and icons) from nothing,
# the desktop's icons of the installed program into an icons/ folder beside
# the kit folder, and the pictures of the main window's look into common/look/.
#
#   make-kit.sh            write into ../kit/ and ../icons/ beside this script
#   make-kit.sh DIR        write into DIR, DIR/../icons/ and DIR/../common/look/
#   make-kit.sh --check    build into a temporary folder and compare it with
#                          ../kit/, ../icons/ and ../common/look/; exit status 1
#                          when they differ
#
# Needs: bash, python3 (standard library only), ImageMagick 6 `convert`, and
# the DejaVu fonts of fonts-dejavu-core. Nothing is downloaded. The output is
# byte-for-byte the same on every run with the same tool versions.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
kit_dir=$(cd "$here/.." && pwd)/kit
font_bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
font_plain=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check=0
case "${1:-}" in
    --check) check=1; out="$work/kit" ;;
    -h|--help) sed -n '2,15p' "${BASH_SOURCE[0]}"; exit 0 ;;
    '') out="$kit_dir" ;;
    *) out=$1 ;;
esac

for tool in convert python3; do
    command -v "$tool" >/dev/null || { echo "make-kit: '$tool' not found" >&2; exit 2; }
done
for f in "$font_bold" "$font_plain"; do
    [[ -r $f ]] || { echo "make-kit: font $f missing (fonts-dejavu-core)" >&2; exit 2; }
done

# Start from nothing: drop what an earlier run wrote, keep nothing stale.
mkdir -p "$out"
icons=$(cd "$out/.." && pwd)/icons
look=$(cd "$out/.." && pwd)/common/look
rm -rf "$out/appdata" "$out/armpatch" "$icons" "$look"
rm -f "$out/Tessaly.txt" "$out/logo.png" "$out/logo@2x.png" "$out/tessaly.png" "$out/tessaly-64.png" \
      "$out/pointer.png"
mkdir -p "$out/appdata/audio" "$out/armpatch" "$icons" "$look"

# PNG options: no time stamps or text chunks, so that reruns give equal bytes.
png_opts=(-depth 8 -strip -define 'png:exclude-chunk=date,time,tIME')

# ---------------------------------------------------------------- help text
cat >"$out/Tessaly.txt" <<'EOF'
Tessaly - armpatch kit for Ironvale
===================================

Tessaly puts your own armpatch pictures into Ironvale. The game shows up
to 20 armpatches, read from the folder data/armpatch inside the game
folder, named armpatch1, armpatch2, armpatch3 and so on.

Finding the game
  On its first start Tessaly searches the local disks for Ironvale.exe
  while a small window says "Searching for Ironvale...". If it cannot
  find the game it asks you to pick Ironvale.exe yourself. Cancel ends
  the kit. The game folder is remembered from then on.

Browsing for pictures
  The column on the left is a small file browser: drive, folders, files,
  and at the bottom a type filter. It starts with "IVB (*.ivb)", the
  game's own picture files; choose another entry to see BMP, GIF, JPEG
  and other files, or "All Files (*.*)".

Previews
  A single click on a file shows a small preview on the right and its
  name in the window title. The preview is always taken from a GIF
  picture with the same name beside the file: eagle.ivb is previewed
  from eagle.gif. Without such a GIF the title says "Image Preview
  Unavailable". Make a GIF of each of your pictures to see them here.

The installation list
  Double click a file, or press any character key (Enter, Space, a
  letter) in the file list, to add it to the installation list in the
  middle. The list takes at most 20 files and each file only once.
  Double click an entry of the list, or press Delete, Backspace or
  another character key on it, to take it off the list. A single click
  on an entry previews it. A path too long for the list is shortened in
  its middle; rest the pointer on it to read it whole.

Keyboard
  Tab moves between the lists and buttons; the one that has the focus
  wears a gold frame. Alt with the underlined letter presses a button.

Buttons
  Install   Empties the game's armpatch folder (its old files go to the
            trash), copies every file of the list into it and renames
            the copies armpatch1, armpatch2, ... Each copy keeps its own
            extension. The numbers follow the order of the file names
            in the folder, not the order of the list. Two listed files
            with the same name overwrite each other.
  Defaults  Puts back the sixteen default armpatches, armpatch1.ivb to
            armpatch16.ivb, from the kit's own "armpatch" folder. Your
            own pictures in the game go to the trash.
  Clear     Empties the installation list on screen. The list of your
            last installation still comes back at the next start.
  Help      Opens this text in the desktop's viewer. Where there is none,
            Tessaly shows it in a window of its own; Escape closes it.
  About     Shows the scrolling credits; press any key there to close.
  Quit      Ends the kit, as closing its window does.

Settings
  Tessaly keeps its memory in Tessaly.ini: the game folder, the drive
  and folder you last browsed (saved whenever you add a file), and the
  list you last installed. A kit unpacked into a folder that you may
  write to keeps Tessaly.ini beside the program. An installed Tessaly
  (the program in /usr/bin, this text in /usr/share/tessaly), or a kit on
  a read-only disk, keeps it in ~/.config/tessaly/ ($XDG_CONFIG_HOME/
  tessaly/ where that is set), one for each user. Delete Tessaly.ini to
  make the kit search for the game again.

Kit contents
  Tessaly.txt         this help text
  armpatch/           the sixteen default armpatches, each with a .gif
                      preview beside it
  appdata/audio/      the kit's little sounds
  logo.png, *.png     the logo, window icons and pointer

Tip: Install and Defaults both empty the game's armpatch folder first.
The files they remove go to the trash, so they can be brought back from
there.
EOF

# ---------------------------------------------------------------- sound cues
# PCM 16-bit mono 22050 Hz; each cue is scaled to a peak of -6 dBFS and
# faded in and out over a few milliseconds so that it starts and ends
# without a click. The noise comes from a seeded generator.
python3 - "$out/appdata/audio" <<'PY'
import math, random, struct, sys, wave

RATE = 22050
PEAK = 0.5  # -6 dBFS
out_dir = sys.argv[1]


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix(dst, src, at, gain=1.0):
    start = int(round(at * RATE))
    for i, v in enumerate(src):
        if start + i < len(dst):
            dst[start + i] += v * gain
    return dst


def note(freq, seconds, decay, partials=((1, 1.0),), attack=0.004):
    """A struck tone: partials (multiple, amplitude), exponential decay."""
    n = int(round(seconds * RATE))
    out = []
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / attack) * math.exp(-t / decay)
        out.append(env * sum(a * math.sin(2 * math.pi * freq * m * t) for m, a in partials))
    return out


def chirp(f0, f1, seconds, partials=((1, 1.0),)):
    """A tone whose pitch glides exponentially from f0 to f1."""
    n = int(round(seconds * RATE))
    out, phase = [], 0.0
    for i in range(n):
        f = f0 * (f1 / f0) ** (i / n)
        phase += 2 * math.pi * f / RATE
        out.append(sum(a * math.sin(m * phase) for m, a in partials))
    return out


def noise(seconds, seed):
    rng = random.Random(seed)
    return [rng.uniform(-1.0, 1.0) for _ in range(int(round(seconds * RATE)))]


def lowpass(samples, cutoff):
    """One-pole low-pass; cutoff is a number or a function of the time."""
    out, y = [], 0.0
    for i, x in enumerate(samples):
        fc = cutoff(i / RATE) if callable(cutoff) else cutoff
        a = 1.0 - math.exp(-2 * math.pi * fc / RATE)
        y += a * (x - y)
        out.append(y)
    return out


def highpass(samples, cutoff):
    low = lowpass(samples, cutoff)
    return [x - l for x, l in zip(samples, low)]


def envelope(samples, attack, decay):
    return [v * min(1.0, (i / RATE) / attack) * math.exp(-(i / RATE) / decay)
            for i, v in enumerate(samples)]


def write(name, samples, fade_in=0.003, fade_out=0.012):
    n = len(samples)
    fi, fo = max(1, int(fade_in * RATE)), max(1, int(fade_out * RATE))
    shaped = []
    for i, v in enumerate(samples):
        g = 1.0
        if i < fi:
            g *= i / fi
        if i >= n - fo:
            g *= (n - 1 - i) / fo
        shaped.append(v * g)
    top = max(abs(v) for v in shaped) or 1.0
    frames = b"".join(struct.pack("<h", int(round(v / top * PEAK * 32767))) for v in shaped)
    with wave.open(f"{out_dir}/{name}", "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


SQUARISH = ((1, 1.0), (3, 0.25), (5, 0.08))
BELL = ((1, 1.0), (2, 0.35), (2.76, 0.2), (5.4, 0.05))
BRASS = ((1, 1.0), (2, 0.6), (3, 0.4), (4, 0.2), (5, 0.1))

# groovy: start-up, a rising four-note arpeggio.
s = silence(0.60)
for k, f in enumerate((523.25, 659.25, 783.99, 1046.5)):
    mix(s, note(f, 0.60 - 0.11 * k, 0.09 if k < 3 else 0.16, SQUARISH), 0.11 * k, 0.8)
write("groovy.wav", s, fade_out=0.03)

# carbine: click on the background, a short dry crack.
crack = envelope(highpass(noise(0.15, 11), 1500), 0.0005, 0.012)
thump = note(190, 0.15, 0.02)
write("carbine.wav", mix(mix(silence(0.15), crack, 0, 2.0), thump, 0, 0.4), fade_in=0.0005)

# mouseclick: click on the logo, a tiny tick (the kit waits for it).
tick = note(2200, 0.08, 0.006, ((1, 1.0), (1.5, 0.4)), attack=0.0005)
tick2 = note(1700, 0.05, 0.005, attack=0.0005)
s = mix(mix(silence(0.08), tick, 0), tick2, 0.028, 0.5)
write("mouseclick.wav", s, fade_in=0.0005, fade_out=0.006)

# ok: follows the tick, two quick bright blips going up.
s = silence(0.20)
mix(s, note(880, 0.09, 0.03, SQUARISH), 0.0)
mix(s, note(1318.5, 0.11, 0.035, SQUARISH), 0.08)
write("ok.wav", s)

# wnd: list cleared, a falling whoosh.
whoosh = lowpass(lowpass(noise(0.32, 23), lambda t: 5000 * (0.08 ** (t / 0.32))),
                 lambda t: 5000 * (0.08 ** (t / 0.32)))
whoosh = [v * math.sin(math.pi * i / len(whoosh)) ** 1.5 for i, v in enumerate(whoosh)]
write("wnd.wav", whoosh, fade_out=0.02)

# Roger: installation complete, a rising two-note bell.
s = silence(0.50)
mix(s, note(783.99, 0.50, 0.12, BELL), 0.0)
mix(s, note(1046.5, 0.38, 0.15, BELL), 0.12)
write("Roger.wav", s, fade_out=0.04)

# delete: defaults restored, a falling glide with a flutter.
g = chirp(1000, 260, 0.38, ((1, 1.0), (2, 0.3)))
g = [v * (0.75 + 0.25 * math.sin(2 * math.pi * 18 * i / RATE)) * (1 - i / len(g)) ** 0.7
     for i, v in enumerate(g)]
write("delete.wav", g, fade_in=0.005, fade_out=0.03)

# gun: quit (the kit waits for it), a low boom that dies away.
boom = envelope(lowpass(noise(0.40, 37), lambda t: 2500 * math.exp(-t / 0.05) + 150), 0.001, 0.09)
body = envelope(chirp(160, 45, 0.40, ((1, 1.0), (2, 0.3))), 0.002, 0.10)
write("gun.wav", mix(mix(silence(0.40), boom, 0, 4.0), body, 0, 0.5), fade_in=0.001, fade_out=0.05)

# king: credits window, a small three-note fanfare.
s = silence(0.60)
mix(s, note(392.0, 0.16, 0.10, BRASS, attack=0.012), 0.0, 0.8)
mix(s, note(523.25, 0.16, 0.10, BRASS, attack=0.012), 0.13, 0.8)
mix(s, note(659.25, 0.34, 0.22, BRASS, attack=0.012), 0.26)
write("king.wav", s, fade_out=0.05)
PY

# ---------------------------------------------------------------- armpatches
# Sixteen default armpatches: a coloured emblem with its number, each with its
# own colour, cycling through four shapes. armpatchN.gif is the preview that
# the kit shows; armpatchN.ivb holds the same pixels in a small container of
# our own, as the game's real format is not known to us:
#   bytes 0-3  "IVB1"
#   bytes 4-5  width, unsigned 16-bit little-endian (32)
#   bytes 6-7  height, unsigned 16-bit little-endian (32)
#   then width*height pixels of 3 bytes R, G, B; rows top to bottom.
# fill colour : number colour
patch_colours=(
    '#c62828:white' '#1e66c8:white' '#2e9d4a:white' '#e0b020:#2a1e00'
    '#7b3fa8:white' '#e06a10:white' '#13a08e:white' '#8a949e:#101418'
    '#e0508f:white' '#24336e:white' '#8cc63f:#14240a' '#8b4a26:white'
    '#20b8e0:#062a36' '#6d1a2e:white' '#e8e8e8:#202020' '#2a2a2a:#f0d890'
)
rim='#e8d08a'
shape_shield="path 'M 4,3.5 L 28,3.5 L 28,15 Q 28,24 16,29.5 Q 4,24 4,15 Z'"
shape_disc="circle 16,16 16,3"
shape_diamond="polygon 16,2 30,16 16,30 2,16"
shape_hexagon="polygon 16,2.5 27.7,9.2 27.7,22.8 16,29.5 4.3,22.8 4.3,9.2"
shapes=("$shape_shield" "$shape_disc" "$shape_diamond" "$shape_hexagon")

for n in $(seq 1 16); do
    IFS=: read -r fill ink <<<"${patch_colours[n-1]}"
    shape=${shapes[(n-1)%4]}
    if ((n < 10)); then size=16; elif (((n - 1) % 4 == 2)); then size=12; else size=13; fi
    gif="$out/armpatch/armpatch$n.gif"
    convert -size 32x32 xc:black \
        -fill "$fill" -stroke "$rim" -strokewidth 1.5 -draw "$shape" \
        -stroke none -fill "$ink" -font "$font_bold" -pointsize "$size" \
        -gravity center -annotate +0+0 "$n" \
        +dither -depth 8 "$gif"
    {
        printf 'IVB1\x20\x00\x20\x00'
        convert "$gif" -depth 8 rgb:-
    } >"$out/armpatch/armpatch$n.ivb"
done

# ---------------------------------------------------------------- emblem
# The kit's emblem: a shield laid with coloured tesserae, with a gold rim.
# emblem SIZE ROWS FILE draws it on a transparent square of SIZE pixels.
emblem() {
    local size=$1 rows=$2 file=$3
    local s=$((size * 4)) # drawn large, then scaled down for smooth edges
    local tiles
    tiles=$(python3 - "$s" "$rows" <<'PY'
import sys
size, rows = int(sys.argv[1]), int(sys.argv[2])
palette = ["#c62828", "#1e66c8", "#2e9d4a", "#e0b020", "#7b3fa8", "#e06a10",
           "#13a08e", "#e0508f", "#20b8e0", "#8cc63f"]
h = size / rows
w = h * 1.16
cmds = []
for r in range(rows + 1):
    y0, y1 = r * h, (r + 1) * h
    shift = (r % 2) * w / 2
    for c in range(-1, int(size / w) + 3):
        x = c * w - shift
        for k, tri in enumerate((((x, y1), (x + w / 2, y0), (x + w, y1)),
                                 ((x + w / 2, y0), (x + w, y1), (x + 1.5 * w, y0)))):
            colour = palette[(r * 7 + c * 3 + k * 5 + (r * c) % 3) % len(palette)]
            pts = " ".join(f"{px:.1f},{py:.1f}" for px, py in tri)
            cmds.append(f"fill '{colour}' polygon {pts}")
print(" ".join(cmds))
PY
)
    local m=$((s / 16))        # margin
    local l=$m r=$((s - m)) t=$((m + s / 32)) b=$((s - m / 2))
    local mid=$((s / 2)) waist=$((t + (b - t) * 45 / 100))
    local shield="path 'M $l,$t L $r,$t L $r,$waist Q $r,$(((waist + b) / 2 + s / 16)) $mid,$b Q $l,$(((waist + b) / 2 + s / 16)) $l,$waist Z'"
    convert -size "${s}x${s}" xc:'#222' -stroke '#101010' -strokewidth $((s / 96 + 1)) -draw "$tiles" \
        \( -size "${s}x${s}" xc:black -fill white -draw "$shield" \) \
        -alpha off -compose CopyOpacity -composite -compose Over \
        -fill '#ffffff30' -stroke none -draw "ellipse $mid,$((t + (waist - t) / 2)) $(((r - l) * 40 / 100)),$(((waist - t) * 45 / 100)) 0,360" \
        -fill none -stroke '#5a4210' -strokewidth $((s / 18)) -draw "$shield" \
        -stroke '#e8c060' -strokewidth $((s / 30)) -draw "$shield" \
        -filter Lanczos -resize "${size}x${size}" \
        "${png_opts[@]}" "PNG32:$file"
}

# The desktop's menus and docks ask for the sizes of the hicolor theme; the window takes two.
for size in 16:2 24:2 32:3 48:4 64:4 128:5 256:6; do
    emblem "${size%:*}" "${size#*:}" "$icons/${size%:*}.png"
done
cp "$icons/32.png" "$out/tessaly.png"
cp "$icons/64.png" "$out/tessaly-64.png"

# ---------------------------------------------------------------- logo
# 342 x 121: a dark plaque with the emblem, the name and the subtitle; logo@2x.png draws the
# same at twice the size for dense screens, every length doubled.
logo() {
    local k=$1 file=$2
    x() { python3 -c "import sys; v = float(sys.argv[1]) * $k; print(int(v) if v == int(v) else v)" "$1"; }
    emblem $((104 * k)) 6 "$work/emblem-logo.png"
    convert -size "$((342 * k))x$((121 * k))" gradient:'#1f2330'-'#07080c' \
        -fill none -stroke '#6b5420' -strokewidth "$k" \
        -draw "roundrectangle $(x 2.5),$(x 2.5) $(x 338.5),$(x 117.5) $(x 8),$(x 8)" \
        -stroke '#2c2a26' -draw "roundrectangle $(x 5.5),$(x 5.5) $(x 335.5),$(x 114.5) $(x 6),$(x 6)" \
        "$work/plaque.png"

    convert -size "$((230 * k))x$((72 * k))" gradient:'#fff4c8'-'#c08628' \
        \( -size "$((230 * k))x$((72 * k))" xc:black -fill white -font "$font_bold" \
           -pointsize $((50 * k)) -kerning "$k" -annotate "+$((2 * k))+$((54 * k))" 'Tessaly' \) \
        -alpha off -compose CopyOpacity -composite "$work/name.png"
    convert "$work/name.png" \( +clone -background black -shadow "90x$((2 * k))+$((2 * k))+$((3 * k))" \) \
        +swap -background none -layers merge +repage "$work/name-shadow.png"

    convert "$work/plaque.png" \
        "$work/emblem-logo.png" -geometry "+$((10 * k))+$((8 * k))" -compose Over -composite \
        "$work/name-shadow.png" -geometry "+$((114 * k))+$((10 * k))" -compose Over -composite \
        -stroke none -fill '#8a6a24' \
        -draw "rectangle $((120 * k)),$((82 * k)) $((330 * k + k - 1)),$((82 * k + k - 1))" \
        -fill '#a9bdd2' -font "$font_plain" -pointsize $((15 * k)) -kerning $((3 * k)) \
        -annotate "+$((122 * k))+$((103 * k))" 'armpatch kit' \
        -alpha off "${png_opts[@]}" "PNG24:$file"
}
logo 1 "$out/logo.png"
logo 2 "$out/logo@2x.png"

# ---------------------------------------------------------------- pointer
# 32 x 32 arrow on a transparent ground; its hotspot is the tip at pixel (0,0).
convert -size 128x128 xc:none \
    -fill '#f0c850' -stroke '#000000' -strokewidth 6 \
    -draw "stroke-linejoin round polygon 3,3 3,92 27,70 44,106 60,99 43,63 76,63" \
    -stroke none -fill '#ffffff60' -draw "polygon 12,22 12,70 28,54" \
    -filter Lanczos -resize 32x32 \
    "${png_opts[@]}" "$work/pointer.png"
# Make sure the very tip pixel is solid so that the hotspot is visible.
convert "$work/pointer.png" -fill black -draw 'point 0,0' "${png_opts[@]}" "PNG32:$out/pointer.png"

# ---------------------------------------------------------------- controls
# The drop-downs' arrow of the main window's look, which the program carries within itself:
# 10 x 6, and twice that for dense screens.
for k in 1 2; do
    suffix=$([[ $k == 2 ]] && echo @2x || true)
    convert -size 80x48 xc:none -fill none -stroke '#d9b24c' -strokewidth 9 \
        -draw "stroke-linecap round stroke-linejoin round polyline 12,10 40,36 68,10" \
        -filter Lanczos -resize "$((10 * k))x$((6 * k))!" \
        "${png_opts[@]}" "PNG32:$look/down-arrow$suffix.png"
done

if ((check)); then
    if diff -r "$kit_dir" "$out" && diff -r "$kit_dir/../icons" "$icons" &&
        diff -r "$kit_dir/../common/look" "$look"; then
        echo "make-kit: $kit_dir and its icons are up to date"
    else
        echo "make-kit: $kit_dir or its icons differ from a fresh build; rerun make-kit.sh" >&2
        exit 1
    fi
else
    echo "make-kit: wrote $(cd "$out" && pwd)"
fi
