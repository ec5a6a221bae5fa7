#!/usr/bin/env python3
"""Draws the application icon, two detector units facing each other across their beam, as
mirelund.svg, as PNGs in the hicolor sizes and as the Windows icon mirelund.ico (those PNGs in
one file), from one list of shapes. The output is the same
byte for byte on every run, so the committed files can be checked by running this again.
usage: draw-icon.py [OUTPUT_FOLDER]   (default: the folder of this script)"""
import math
import os
import struct
import sys
import zlib

CANVAS = 256
SIZES = (16, 24, 32, 48, 64, 128, 256)
SUBROWS = 16  # vertical samples per pixel row; across a row the coverage is exact

# Painted in order on a 256 x 256 canvas: ("rect", x0, y0, x1, y1, corner radius, colour,
# opacity) or ("ellipse", cx, cy, rx, ry, colour, opacity).
SHAPES = (
    ("rect", 12, 12, 244, 244, 44, "#16324f", 1.0),  # tile
    ("rect", 28, 206, 228, 214, 4, "#2d5a80", 1.0),  # ground
    ("ellipse", 128, 114, 82, 42, "#7ddf8a", 0.30),  # beam: the outer zone
    ("ellipse", 128, 114, 76, 25, "#9ff0a6", 0.55),  # beam: the inner zone
    ("ellipse", 128, 114, 72, 7, "#eaffea", 1.0),  # beam: the axis
    ("rect", 39, 146, 51, 208, 3, "#9aa8b6", 1.0),  # left post
    ("rect", 24, 74, 62, 156, 9, "#eef1f4", 1.0),  # left unit
    ("rect", 58, 82, 71, 146, 5, "#f4a340", 1.0),  # left antenna face
    ("rect", 205, 146, 217, 208, 3, "#9aa8b6", 1.0),  # right post
    ("rect", 194, 74, 232, 156, 9, "#eef1f4", 1.0),  # right unit
    ("rect", 185, 82, 198, 146, 5, "#f4a340", 1.0),  # right antenna face
)


def span(shape, y):
    """The x interval a shape covers on the horizontal line at y, or None."""
    if shape[0] == "rect":
        _, x0, y0, x1, y1, r = shape[:6]
        if not y0 <= y <= y1:
            return None
        d = max(y0 + r - y, y - (y1 - r), 0.0)
        inset = r - math.sqrt(max(r * r - d * d, 0.0))
        return x0 + inset, x1 - inset
    _, cx, cy, rx, ry = shape[:5]
    t = (y - cy) / ry
    if abs(t) > 1:
        return None
    half = rx * math.sqrt(1 - t * t)
    return cx - half, cx + half


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) / 255 for i in (1, 3, 5))


def render(size):
    """Premultiplied RGBA rows of floats for one icon size."""
    scale = CANVAS / size
    pixels = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]
    for shape in SHAPES:
        colour, opacity = rgb(shape[-2]), shape[-1]
        for py in range(size):
            cover = [0.0] * size
            for s in range(SUBROWS):
                interval = span(shape, (py + (s + 0.5) / SUBROWS) * scale)
                if interval is None:
                    continue
                a, b = interval[0] / scale, interval[1] / scale
                for px in range(max(int(a), 0), min(int(math.ceil(b)), size)):
                    cover[px] += max(min(b, px + 1) - max(a, px), 0.0) / SUBROWS
            row = pixels[py]
            for px, c in enumerate(cover):
                alpha = c * opacity
                if alpha <= 0:
                    continue
                p = row[px]
                for i in range(3):
                    p[i] = colour[i] * alpha + p[i] * (1 - alpha)
                p[3] = alpha + p[3] * (1 - alpha)
    return pixels


def png(size):
    raw = bytearray()
    for row in render(size):
        raw.append(0)
        for r, g, b, a in row:
            straight = [v / a if a > 0 else 0.0 for v in (r, g, b)]
            raw.extend(round(min(max(v, 0.0), 1.0) * 255) for v in (*straight, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def svg():
    lines = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{CANVAS}" height="{CANVAS}" '
             f'viewBox="0 0 {CANVAS} {CANVAS}">']
    for shape in SHAPES:
        colour, opacity = shape[-2], shape[-1]
        fill = f'fill="{colour}"' + (f' fill-opacity="{opacity}"' if opacity < 1 else "")
        if shape[0] == "rect":
            _, x0, y0, x1, y1, r = shape[:6]
            lines.append(f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" '
                         f'rx="{r}" {fill}/>')
        else:
            _, cx, cy, rx, ry = shape[:5]
            lines.append(f'  <ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" {fill}/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def ico(pngs):
    """A Windows icon holding each size as a PNG, as Windows reads them since Vista."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(header) + 16 * len(pngs)
    entries, images = b"", b""
    for size, data in pngs:
        side = 0 if size == 256 else size  # 0 stands for 256 in an entry
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        images += data
        offset += len(data)
    return header + entries + images


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(out, "mirelund.svg"), "w") as f:
        f.write(svg())
    pngs = [(size, png(size)) for size in SIZES]
    for size, data in pngs:
        with open(os.path.join(out, f"mirelund-{size}.png"), "wb") as f:
            f.write(data)
    with open(os.path.join(out, "mirelund.ico"), "wb") as f:
        f.write(ico(pngs))


if __name__ == "__main__":
    main()
