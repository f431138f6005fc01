"""Drawing primitives: anti-aliased shapes, gradients, text and glow.

Shapes are drawn four times larger and reduced, which gives smooth edges
without depending on Pillow's own (unsmoothed) rounded rectangles.
"""

import functools
import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SUPERSAMPLE = 4
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_FILES = {False: "DejaVuSans.ttf", True: "DejaVuSans-Bold.ttf"}


@functools.lru_cache(maxsize=None)
def font(size, bold=False):
    path = os.path.join(FONT_DIR, FONT_FILES[bold])
    if not os.path.exists(path):
        raise SystemExit("missing font %s: apt-get install fonts-dejavu-core" % path)
    return ImageFont.truetype(path, size)


def shape_mask(size, parts, radius):
    """Anti-aliased mask of the union of rounded rectangles, relative to (0, 0)."""
    w, h = size
    s = SUPERSAMPLE
    big = Image.new("L", (w * s, h * s), 0)
    draw = ImageDraw.Draw(big)
    for x, y, pw, ph in parts:
        draw.rounded_rectangle((x * s, y * s, (x + pw) * s - 1, (y + ph) * s - 1), radius * s,
                               fill=255)
    return big.resize((w, h), Image.LANCZOS)


def rounded_mask(size, radius, inset=0):
    w, h = size
    return shape_mask(size, [(inset, inset, w - 2 * inset, h - 2 * inset)], max(radius - inset, 0))


def ring_mask(size, parts, radius, thickness):
    """Outline of the shape `parts`, `thickness` pixels wide, inside the shape."""
    outer = shape_mask(size, parts, radius)
    inner_parts = [(x + thickness, y + thickness, w - 2 * thickness, h - 2 * thickness)
                   for x, y, w, h in parts]
    inner = shape_mask(size, inner_parts, max(radius - thickness, 1))
    return ImageChops.subtract(outer, inner)


def vgradient(size, top, bottom):
    w, h = size
    column = Image.new("RGB", (1, max(h, 1)))
    for y in range(h):
        t = y / (h - 1) if h > 1 else 0.0
        column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return column.resize((w, h), Image.NEAREST)


def hgradient(size, left, right):
    w, h = size
    return vgradient((h, w), left, right).transpose(Image.TRANSPOSE)


def paint(img, origin, mask, fill):
    """Fill `mask` at `origin` with a colour or an image of the mask's size."""
    if not isinstance(fill, Image.Image):
        fill = Image.new("RGB", mask.size, fill)
    img.paste(fill, origin, mask)


def scale_mask(mask, alpha):
    return mask.point(lambda v: round(v * alpha))


def glow(img, origin, mask, colour, blur, strength=1.0):
    """Soft light around `mask`; the mask is padded so the blur can spread."""
    pad = blur * 3
    w, h = mask.size
    padded = Image.new("L", (w + 2 * pad, h + 2 * pad), 0)
    padded.paste(mask, (pad, pad))
    soft = padded.filter(ImageFilter.GaussianBlur(blur))
    soft = scale_mask(soft, strength)
    region = (origin[0] - pad, origin[1] - pad)
    paint(img, region, soft, colour)


def text(img, centre, string, size, colour, bold=False, anchor="mm"):
    draw = ImageDraw.Draw(img)
    draw.text(centre, string, font=font(size, bold), fill=colour, anchor=anchor)


def text_width(string, size, bold=False):
    box = font(size, bold).getbbox(string)
    return box[2] - box[0]


def spaced_text(img, left_centre, string, size, colour, spacing, bold=True):
    """Letter-spaced text starting at (x, centre y)."""
    x, y = left_centre
    for ch in string:
        text(img, (x, y), ch, size, colour, bold, anchor="lm")
        x += text_width(ch, size, bold) + spacing
    return x


def glyph_mask(size, string, font_size, bold=False, offset=(0, 0)):
    """Mask of a text glyph centred in a box, for icons painted with any fill."""
    mask = Image.new("L", size, 0)
    draw = ImageDraw.Draw(mask)
    draw.text((size[0] / 2 + offset[0], size[1] / 2 + offset[1]), string,
              font=font(font_size, bold), fill=255, anchor="mm")
    return mask


def vector_mask(size, draw_fn):
    """Mask drawn by `draw_fn(draw, scale)` at supersampled size, then reduced."""
    s = SUPERSAMPLE
    big = Image.new("L", (size[0] * s, size[1] * s), 0)
    draw_fn(ImageDraw.Draw(big), s)
    return big.resize(size, Image.LANCZOS)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))
