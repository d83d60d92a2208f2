#!/usr/bin/env python3
"""Checks a built Tessaly kit folder: the exact file set (names and case), the
sound format and lengths, picture sizes, the armpatch containers, the help
text, and the total size.

    check-kit.py [KIT_DIR]      (default: ../kit beside this script)

Prints one line per fault and exits with 1 when there is any.
"""
import math
import os
import struct
import sys
import wave
import zlib

CUES = ["wnd.wav", "delete.wav", "Roger.wav", "gun.wav", "carbine.wav",
        "groovy.wav", "mouseclick.wav", "ok.wav", "king.wav"]
PICTURES = {"logo.png": (342, 121), "logo@2x.png": (684, 242), "tessaly.png": (32, 32),
            "tessaly-64.png": (64, 64), "pointer.png": (32, 32)}
# Cues the program waits for must stay near these lengths (seconds).
WAITED = {"gun.wav": (0.35, 0.45), "mouseclick.wav": (0.05, 0.10)}
IVB_HEADER = 8
MAX_TOTAL = 300 * 1024
MAX_CUE = 30 * 1024


def expected_files():
    files = {"Tessaly.txt", *PICTURES}
    files |= {f"appdata/audio/{c}" for c in CUES}
    for n in range(1, 17):
        files |= {f"armpatch/armpatch{n}.ivb", f"armpatch/armpatch{n}.gif"}
    return files


def read_png(path):
    """Decodes an 8-bit, non-interlaced RGB or RGBA PNG into rows of tuples."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, head = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            head = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = head
    channels = {2: 3, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace:
        raise ValueError(f"unsupported PNG (depth {depth}, colour type {colour})")
    raw, stride, rows, prev = zlib.decompress(idat), width * channels, [], bytes(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        prev = bytes(line)
        rows.append([tuple(line[x * channels:(x + 1) * channels]) for x in range(width)])
    return width, height, channels, rows


def check(kit):
    faults = []
    found = set()
    for root, _, names in os.walk(kit):
        for name in names:
            found.add(os.path.relpath(os.path.join(root, name), kit).replace(os.sep, "/"))
    want = expected_files()
    faults += [f"missing: {f}" for f in sorted(want - found)]
    faults += [f"unexpected: {f}" for f in sorted(found - want)]
    total = sum(os.path.getsize(os.path.join(kit, f)) for f in found)
    if total > MAX_TOTAL:
        faults.append(f"kit is {total} bytes, over {MAX_TOTAL}")

    for cue in CUES:
        path = os.path.join(kit, "appdata", "audio", cue)
        if not os.path.isfile(path):
            continue
        with wave.open(path, "rb") as w:
            fmt = (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype())
            frames = w.getnframes()
            samples = struct.unpack(f"<{frames}h", w.readframes(frames)) if fmt[1] == 2 else ()
        if fmt != (1, 2, 22050, "NONE"):
            faults.append(f"{cue}: format {fmt}, want mono 16-bit 22050 Hz PCM")
            continue
        seconds = frames / 22050
        low, high = WAITED.get(cue, (0.05, 0.6))
        if not low <= seconds <= high:
            faults.append(f"{cue}: {seconds:.3f} s, want {low}-{high} s")
        peak = max((abs(s) for s in samples), default=0)
        db = 20 * math.log10(peak / 32768) if peak else -math.inf
        if not -9.0 <= db <= -5.0:
            faults.append(f"{cue}: peak {db:.1f} dBFS, want about -6")
        if samples and (abs(samples[0]) > 300 or abs(samples[-1]) > 300):
            faults.append(f"{cue}: starts or ends away from zero (a click)")
        if os.path.getsize(path) > MAX_CUE:
            faults.append(f"{cue}: {os.path.getsize(path)} bytes, over {MAX_CUE}")

    for name, size in PICTURES.items():
        path = os.path.join(kit, name)
        if not os.path.isfile(path):
            continue
        try:
            width, height, channels, rows = read_png(path)
        except (ValueError, zlib.error, struct.error, TypeError) as e:
            faults.append(f"{name}: {e}")
            continue
        if (width, height) != size:
            faults.append(f"{name}: {width}x{height}, want {size[0]}x{size[1]}")
        if name == "pointer.png":
            if channels != 4:
                faults.append("pointer.png: no alpha channel")
            elif rows[0][0][3] != 255 or rows[-1][-1][3] != 0:
                faults.append("pointer.png: hotspot (0,0) must be opaque, far corner transparent")
        if name.startswith("tessaly") and channels == 4 and rows[0][0][3] != 0:
            faults.append(f"{name}: corner not transparent")
        if name.startswith("logo"):
            mean = sum(sum(p[:3]) for row in rows for p in row) / (3 * width * height)
            if mean > 96:
                faults.append(f"{name}: mean level {mean:.0f}, want a dark picture")

    patches = {}
    for n in range(1, 17):
        gif = os.path.join(kit, "armpatch", f"armpatch{n}.gif")
        if os.path.isfile(gif):
            head = open(gif, "rb").read(10)
            if head[:6] not in (b"GIF87a", b"GIF89a") or struct.unpack("<HH", head[6:10]) != (32, 32):
                faults.append(f"armpatch{n}.gif: not a 32x32 GIF")
        ivb = os.path.join(kit, "armpatch", f"armpatch{n}.ivb")
        if not os.path.isfile(ivb):
            continue
        data = open(ivb, "rb").read()
        if data[:4] != b"IVB1" or len(data) < IVB_HEADER:
            faults.append(f"armpatch{n}.ivb: no IVB1 header")
            continue
        width, height = struct.unpack("<HH", data[4:8])
        if (width, height) != (32, 32) or len(data) != IVB_HEADER + 3 * width * height:
            faults.append(f"armpatch{n}.ivb: {width}x{height} with {len(data)} bytes")
        elif len(set(data[IVB_HEADER:])) < 8:
            faults.append(f"armpatch{n}.ivb: nearly blank picture")
        patches.setdefault(data, []).append(n)
    faults += [f"armpatches {same} are identical" for same in patches.values() if len(same) > 1]

    help_path = os.path.join(kit, "Tessaly.txt")
    if os.path.isfile(help_path):
        text = open(help_path, "rb").read()
        lines = text.split(b"\n")
        if b"\r" in text:
            faults.append("Tessaly.txt: holds CR; want LF line ends")
        if not text.endswith(b"\n"):
            faults.append("Tessaly.txt: no final line end")
        if any(b > 127 for b in text):
            faults.append("Tessaly.txt: not plain ASCII")
        if not 40 <= len(lines) - 1 <= 80:
            faults.append(f"Tessaly.txt: {len(lines) - 1} lines, want 40-80")
        for word in (b"Tessaly.ini", b"armpatch1", b"20", b".gif", b"Install", b"Defaults", b"Clear"):
            if word not in text:
                faults.append(f"Tessaly.txt: never mentions {word.decode()}")
    return faults


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    kit = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "kit")
    if not os.path.isdir(kit):
        print(f"check-kit: no folder {kit}")
        return 1
    faults = check(kit)
    for f in faults:
        print(f"check-kit: {f}")
    if not faults:
        print(f"check-kit: {os.path.normpath(kit)} is fine")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
