#!/usr/bin/env python3
"""Draws the saver's own images: the dialog tile (bitmap 141) and the icons
128-131. Run it from anywhere; it rewrites the files next to itself."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The twelve greys the tile is drawn in; the program maps them onto the
# system's button colours when it loads the tile.
GREYS = [165, 173, 181, 189, 198, 206, 214, 222, 231, 239, 247, 255]
TILE = 70


def tile_index(x, y):
    # Periodic in 70 so the tile repeats without seams: soft diagonal ripples.
    t = 2 * math.pi / TILE
    v = (math.sin(t * (x + y)) + 0.6 * math.sin(t * 2 * (x - y)) + 0.4 * math.cos(t * y)) / 2.0
    return max(0, min(11, int(round((v + 1) / 2 * 11))))


def write_tile(path):
    palette = b"".join(struct.pack("<BBBB", g, g, g, 0) for g in GREYS)
    palette += b"\0\0\0\0" * (16 - len(GREYS))
    row_bytes = ((TILE * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(TILE)):  # bottom-up rows
        row = bytearray(row_bytes)
        for x in range(TILE):
            idx = tile_index(x, y)
            row[x // 2] |= idx << 4 if x % 2 == 0 else idx
        pixels += row
    header_size = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, TILE, TILE, 1, 4, 0, len(pixels), 2835, 2835, 16, 12)
    head = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    with open(path, "wb") as f:
        f.write(head + info + palette + bytes(pixels))


def icon_image(size, paint):
    """One 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask."""
    rgba = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            # Sample 4x4 points per pixel for smooth edges.
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(4):
                for sx in range(4):
                    u = (x + (sx + 0.5) / 4) / size
                    v = (y + (sy + 0.5) / 4) / size
                    r, g, b, a = paint(u, v)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3] / 16
            if acc[3] > 0:
                rgba[y][x] = (acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], a)
    data = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = rgba[y][x]
            data += struct.pack("<BBBB", int(b), int(g), int(r), int(round(a * 255)))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_row)
        for x in range(size):
            if rgba[y][x][3] < 0.5:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(data) + len(mask), 0, 0, 0, 0)
    return header + bytes(data) + bytes(mask)


# The sizes Windows asks for from 96 to 192 DPI and beyond: small icons
# (16 at 100 %, 20, 24, 32 at 200 %) and large ones (32, 40, 48, 64), so
# that none is drawn stretched from another.
ICON_SIZES = (32, 16, 20, 24, 40, 48, 64)


def write_icon(path, paint):
    images = [icon_image(s, paint) for s in ICON_SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(ICON_SIZES, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def rounded_square(u, v, radius=0.18, inset=0.03):
    dx = max(inset + radius - u, 0, u - (1 - inset - radius))
    dy = max(inset + radius - v, 0, v - (1 - inset - radius))
    return dx * dx + dy * dy <= radius * radius


def in_drop(u, v, cx, cy, r):
    # A tear: a circle with a point above it.
    if (u - cx) ** 2 + (v - cy) ** 2 <= r * r:
        return True
    top = cy - 2.2 * r
    if top <= v <= cy:
        half = r * (v - top) / (cy - top)
        return abs(u - cx) <= half
    return False


def app_icon(u, v):
    if not rounded_square(u, v):
        return (0, 0, 0, 0)
    # Night-blue ground with three lines of text rising and a falling tear.
    base = (24 + 30 * v, 28 + 20 * v, 72 + 40 * v, 1)
    for i, (y, w) in enumerate(((0.30, 0.52), (0.50, 0.62), (0.70, 0.42))):
        if abs(v - y) < 0.045 and abs(u - 0.42) < w / 2:
            shade = 235 - 40 * i
            return (shade, shade, 255, 1)
    if in_drop(u, v, 0.80, 0.72, 0.09):
        return (150, 210, 255, 1)
    return base


def block_icon(colour, shape):
    def paint(u, v):
        if not rounded_square(u, v, 0.2, 0.06):
            return (0, 0, 0, 0)
        if shape(u, v):
            return (255, 255, 255, 1)
        return colour + (1,)
    return paint


def noun_shape(u, v):
    # A solid disc: a thing.
    return (u - 0.5) ** 2 + (v - 0.5) ** 2 <= 0.2 ** 2


def verb_shape(u, v):
    # An arrow to the right: an action.
    if 0.22 <= u <= 0.55 and abs(v - 0.5) <= 0.08:
        return True
    return 0.5 <= u <= 0.8 and abs(v - 0.5) <= (0.8 - u) * 0.9


def adverb_shape(u, v):
    # A wave: a manner.
    return 0.2 <= u <= 0.8 and abs(v - (0.5 + 0.12 * math.sin((u - 0.2) * 2 * math.pi / 0.6 * 1.5))) <= 0.07


def database_icon(u, v):
    # A stack of three disks: the phrase database.
    cx, rx, ry = 0.5, 0.32, 0.1
    top, bottom = 0.24, 0.78
    def on_ellipse(cy):
        return ((u - cx) / rx) ** 2 + ((v - cy) / ry) ** 2
    if abs(u - cx) > rx or v < top - ry or v > bottom + ry:
        return (0, 0, 0, 0)
    if on_ellipse(top) <= 1:
        return (190, 210, 235, 1) if on_ellipse(top) < 0.75 else (60, 80, 120, 1)
    inside = top <= v <= bottom or on_ellipse(bottom) <= 1
    if not inside:
        return (0, 0, 0, 0)
    for seam in (top + (bottom - top) / 3, top + 2 * (bottom - top) / 3):
        if abs(on_ellipse(seam) - 1) < 0.25 and v > seam:
            return (60, 80, 120, 1)
    shade = 120 + 80 * (1 - abs(u - 0.42) / rx)
    return (shade * 0.55, shade * 0.7, shade, 1)


if __name__ == "__main__":
    write_tile(os.path.join(HERE, "tile.bmp"))
    write_icon(os.path.join(HERE, "sorrowline.ico"), app_icon)
    write_icon(os.path.join(HERE, "noun.ico"), block_icon((52, 101, 164), noun_shape))
    write_icon(os.path.join(HERE, "verb.ico"), block_icon((46, 139, 87), verb_shape))
    write_icon(os.path.join(HERE, "adverb.ico"), block_icon((204, 120, 40), adverb_shape))
    write_icon(os.path.join(HERE, "database.ico"), database_icon)
