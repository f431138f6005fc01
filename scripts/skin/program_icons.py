#!/usr/bin/python3
"""Writes the program's three notification-area icons as multi-size .ico files.

Usage: program_icons.py [--out DIR] [--sheet PNG]

Icons (resource ids in brackets):
  keyboard_absent.ico   (128, also the program icon): a grey, unlit keyboard crossed out
  keyboard_attached.ico (141): the keyboard with its keys lit in the skin's cyan
  macro_playing.ico     (142): the lit keyboard with a red "play" badge

Each size is laid out on its own pixel grid (keys snapped to whole pixels) so the
small sizes stay crisp rather than being a blurred reduction of the large one.
Sizes 16..48 are 32-bit DIB entries with alpha and an AND mask; 256 is PNG.
The output is deterministic. --sheet also writes a contact sheet of every size on a
light and a dark background, magnified, for looking at the icons.
"""

import argparse
import io
import os
import struct
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw  # noqa: E402

import drawing as dr  # noqa: E402
import theme as th  # noqa: E402

SIZES = (16, 20, 24, 32, 48, 256)
DEFAULT_OUT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                            "resources", "app"))
ICONS = {
    "keyboard_absent": "absent",
    "keyboard_attached": "attached",
    "macro_playing": "playing",
}

# Keyboard grid per icon size: padding, key side, gap, columns, rows, corner radius.
# Width = 2 pad + cols key + (cols - 1) gap; the last row has a space bar of three keys.
GRID = {
    16: dict(pad=1, key=2, gap=1, cols=5, rows=3, radius=2),
    20: dict(pad=2, key=2, gap=1, cols=5, rows=3, radius=2),
    24: dict(pad=2, key=3, gap=1, cols=5, rows=3, radius=3),
    32: dict(pad=2, key=3, gap=1, cols=7, rows=4, radius=3),
    48: dict(pad=3, key=4, gap=2, cols=7, rows=4, radius=4),
    256: dict(pad=14, key=22, gap=8, cols=7, rows=4, radius=20),
}

GREY_BODY_TOP = (92, 96, 104)
GREY_BODY_BOTTOM = (70, 74, 81)
GREY_RIM = (40, 42, 47)
GREY_KEY = (128, 133, 142)
LIT_RIM = th.ACCENT_DEEP
CROSS = (236, 238, 242)
OUTLINE = (10, 11, 13)


def _grid_size(g):
    w = 2 * g["pad"] + g["cols"] * g["key"] + (g["cols"] - 1) * g["gap"]
    h = 2 * g["pad"] + g["rows"] * g["key"] + (g["rows"] - 1) * g["gap"]
    return w, h


def _keys(g, origin):
    """Key rectangles (x, y, w, h) in icon pixels; the last row has a space bar."""
    ox, oy = origin
    step = g["key"] + g["gap"]
    rects = []
    for row in range(g["rows"]):
        y = oy + g["pad"] + row * step
        if row < g["rows"] - 1:
            cols = [(c, 1) for c in range(g["cols"])]
        else:
            middle = (g["cols"] - 3) // 2
            cols = [(c, 1) for c in range(middle)] + [(middle, 3)] + \
                [(c, 1) for c in range(middle + 3, g["cols"])]
        for col, span in cols:
            x = ox + g["pad"] + col * step
            rects.append((x, y, span * g["key"] + (span - 1) * g["gap"], g["key"]))
    return rects


def _layer(size):
    return Image.new("RGBA", (size, size), (0, 0, 0, 0))


def _fill(img, mask, colour):
    solid = Image.new("RGBA", img.size, colour + (255,))
    img.alpha_composite(Image.composite(solid, Image.new("RGBA", img.size, (0, 0, 0, 0)), mask))


SUPERSAMPLE = 8


def _mask(size, draw_fn):
    """Area-averaged coverage: shapes on whole pixels stay exact, edges get smooth."""
    s = SUPERSAMPLE
    big = Image.new("L", (size * s, size * s), 0)
    draw_fn(ImageDraw.Draw(big), s)
    return big.resize((size, size), Image.BOX)


def _boxes_mask(size, boxes, radius):
    def draw(d, s):
        for x, y, w, h in boxes:
            d.rounded_rectangle((x * s, y * s, (x + w) * s - 1, (y + h) * s - 1), radius * s,
                                fill=255)
    return _mask(size, draw)


def _keyboard(size, lit):
    """The keyboard glyph centred in the square; returns the image and the body box."""
    g = GRID[size]
    w, h = _grid_size(g)
    ox, oy = (size - w) // 2, (size - h) // 2
    img = _layer(size)
    rim = LIT_RIM if lit else GREY_RIM
    body = (ox, oy, w, h)
    _fill(img, _boxes_mask(size, [body], g["radius"]), rim)
    inner = (ox + 1, oy + 1, w - 2, h - 2) if size < 48 else (ox + size // 64 + 1, oy + size // 64 + 1,
                                                             w - 2 * (size // 64 + 1),
                                                             h - 2 * (size // 64 + 1))
    top, bottom = (th.CAP["N"]["top"], th.CAP["N"]["bottom"]) if lit else (GREY_BODY_TOP,
                                                                           GREY_BODY_BOTTOM)
    gradient = dr.vgradient((size, size), top, bottom).convert("RGBA")
    inner_mask = _boxes_mask(size, [inner], max(g["radius"] - 1, 1))
    img.alpha_composite(Image.composite(gradient, _layer(size), inner_mask))
    keys = _keys(g, (ox, oy))
    key_radius = 0 if size <= 48 else g["key"] // 5
    key_mask = _boxes_mask(size, keys, key_radius)
    _fill(img, key_mask, th.ACCENT_SOFT if lit else GREY_KEY)
    return img, body


def _cross(img, size, body):
    """A bold diagonal cross over the keyboard, outlined so it reads on any background."""
    x, y, w, h = body
    inset = GRID[size]["pad"] + GRID[size]["key"] / 2
    x0, y0, x1, y1 = x + inset, y, x + w - inset, y + h
    stroke = max(1.6, size / 11)

    def lines(width):
        def draw(d, s):
            for a, b in (((x0, y0), (x1, y1)), ((x0, y1), (x1, y0))):
                d.line([(a[0] * s, a[1] * s), (b[0] * s, b[1] * s)], fill=255,
                       width=round(width * s))
        return draw

    _fill(img, _mask(size, lines(stroke + max(1.2, size / 24))), OUTLINE)
    _fill(img, _mask(size, lines(stroke)), CROSS)


def _play_badge(img, size):
    """A red disc with a white play triangle in the lower right corner."""
    d = max(9, round(size * (0.56 if size < 32 else 0.46)))
    ring = max(1, round(size / 24))
    x0, y0 = size - d, size - d

    def disc(grow):
        return lambda draw, s: draw.ellipse(((x0 - grow) * s, (y0 - grow) * s, (size + grow) * s - 1,
                                             (size + grow) * s - 1), fill=255)

    _fill(img, _mask(size, disc(0)), OUTLINE)
    _fill(img, _mask(size, disc(-ring)), th.RECORD)
    cx, cy = x0 + d / 2, y0 + d / 2
    t = d * 0.24

    def triangle(draw, s):
        points = [(cx - t * 0.8, cy - t), (cx - t * 0.8, cy + t), (cx + t * 1.1, cy)]
        draw.polygon([(px * s, py * s) for px, py in points], fill=255)

    _fill(img, _mask(size, triangle), (255, 255, 255))


def render(state, size):
    img, body = _keyboard(size, state != "absent")
    if state == "absent":
        _cross(img, size, body)
    elif state == "playing":
        _play_badge(img, size)
    return img


def _dib_entry(img):
    """A 32-bit BITMAPINFOHEADER entry: BGRA rows bottom-up, then the 1-bit AND mask."""
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = img.load()
    colour = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = pixels[x, y]
            colour += bytes((b, g, r, a))
    row_bytes = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(w):
            if pixels[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colour) + bytes(mask)


def _png_entry(img):
    out = io.BytesIO()
    img.save(out, "PNG", optimize=False, compress_level=9)
    return out.getvalue()


def ico_bytes(images):
    """An .ico file of the given square RGBA images, smallest first."""
    entries = [_png_entry(img) if img.size[0] >= 256 else _dib_entry(img) for img in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, data in zip(images, entries):
        side = img.size[0] % 256  # 0 stands for 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in entries:
        out += data
    return bytes(out)


def contact_sheet(icon_files, path):
    """Every size of every icon, read back from the .ico files, at 1x and magnified."""
    zoom = 4
    rows = []
    for name in icon_files:
        with Image.open(icon_files[name]) as ico:
            frames = {s[0]: None for s in ico.info["sizes"]}
            for side in frames:
                ico.size = (side, side)
                frames[side] = ico.copy().convert("RGBA")
        rows.append((name, frames))
    cell = 256 + 16
    width = 200 + len(SIZES[:-1]) * (48 * zoom + 16) + cell
    height = len(rows) * 2 * (cell + 8) + 8
    sheet = Image.new("RGBA", (width, height), (255, 255, 255, 255))
    draw = ImageDraw.Draw(sheet)
    y = 8
    for name, frames in rows:
        for background in ((240, 240, 240), (32, 34, 38)):
            draw.rectangle((0, y, width, y + cell), fill=background + (255,))
            ink = (0, 0, 0) if background[0] > 128 else (255, 255, 255)
            draw.text((8, y + 8), name, fill=ink, font=dr.font(12))
            x = 200
            for side in SIZES[:-1]:
                frame = frames[side]
                sheet.alpha_composite(frame, (x, y + 30))
                big = frame.resize((side * zoom, side * zoom), Image.NEAREST)
                sheet.alpha_composite(big, (x, y + 30 + side + 8))
                x += 48 * zoom + 16
            sheet.alpha_composite(frames[256], (x, y + 8))
            y += cell + 8
    sheet.convert("RGB").save(path, "PNG")


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT, help="folder to write (default: %(default)s)")
    parser.add_argument("--sheet", help="also write a contact sheet PNG here")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    written = {}
    for name, state in ICONS.items():
        path = os.path.join(args.out, name + ".ico")
        with open(path, "wb") as f:
            f.write(ico_bytes([render(state, side) for side in SIZES]))
        written[name] = path
    if args.sheet:
        contact_sheet(written, args.sheet)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
