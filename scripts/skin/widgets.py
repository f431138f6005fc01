"""Painters for each kind of skinned control, one look per picture state.

States: "N" normal, "O" hover, "D" pressed, "X" the fourth picture, which a
control shows when disabled or checked (keys: assigned; toggles: selected;
Apply and dialog buttons: disabled).
"""

from PIL import Image

import drawing as dr
import icons
import theme as th

CAP_RADIUS = 6
PLATE_RADIUS = 6


def _relative(parts, origin):
    return [(x - origin[0], y - origin[1], w, h) for x, y, w, h in parts]


def _inset(parts, left, top, right, bottom):
    return [(x + left, y + top, w - left - right, h - top - bottom) for x, y, w, h in parts]


def _bbox(parts):
    x0 = min(p[0] for p in parts)
    y0 = min(p[1] for p in parts)
    x1 = max(p[0] + p[2] for p in parts)
    y1 = max(p[1] + p[3] for p in parts)
    return (x0, y0, x1 - x0, y1 - y0)


def cap_shadow(img, parts):
    """Soft shadow under a cap; the same in every picture, so it lives in the background."""
    x, y, w, h = _bbox(parts)
    mask = dr.shape_mask((w, h), _relative(parts, (x, y)), CAP_RADIUS)
    dr.glow(img, (x, y + 2), mask, th.CAP_SHADOW, 2, 0.9)


def key_cap(img, parts, state, legend, style, legend_colour=None):
    """A sculpted key cap: dark rim, darker skirt, lit top edge, gradient top face."""
    x, y, w, h = _bbox(parts)
    rel = _relative(parts, (x, y))
    look = th.CAP[state]
    size = (w, h)
    layer = img.crop((x, y, x + w, y + h))
    dr.paint(layer, (0, 0), dr.shape_mask(size, rel, CAP_RADIUS), th.CAP_RIM)
    skirt = dr.mix(look["bottom"], (0, 0, 0), 0.28)
    dr.paint(layer, (0, 0), dr.shape_mask(size, _inset(rel, 1, 1, 1, 1), CAP_RADIUS - 1), skirt)
    if look["light"]:
        dr.paint(layer, (0, 0), dr.shape_mask(size, _inset(rel, 2, 1, 2, 4), CAP_RADIUS - 1),
                 look["light"])
    shift = 1 if state == "D" else 0
    face = _inset(rel, 3, 2 + shift, 3, 5 - shift)
    face_mask = dr.shape_mask(size, face, CAP_RADIUS - 2)
    dr.paint(layer, (0, 0), face_mask, dr.vgradient(size, look["top"], look["bottom"]))
    if state == "O":
        dr.paint(layer, (0, 0), dr.ring_mask(size, rel, CAP_RADIUS, 1), th.ACCENT)
    elif state == "D":
        ring = dr.ring_mask(size, _inset(rel, 1, 1, 1, 1), CAP_RADIUS - 1, 1)
        dr.paint(layer, (0, 0), dr.scale_mask(ring, 0.8), th.ACCENT_DEEP)
    elif state == "X":
        # Assigned keys: a greyed cap with an accent underline.
        fx, fy, fw, fh = face[-1]
        bar = dr.shape_mask(size, [(fx + 8, fy + fh - 3, fw - 16, 2)], 1)
        dr.paint(layer, (0, 0), bar, th.ACCENT)
    img.paste(layer, (x, y))
    colour = legend_colour or look["legend"]
    _legend(img, (x, y), face, legend, style, colour, state)


def _legend(img, origin, face, legend, style, colour, state):
    fx, fy, fw, fh = face[-1]  # the lowest part carries the legend (Enter)
    cx = origin[0] + fx + fw / 2
    cy = origin[1] + fy + fh / 2
    if style == "gkey":
        tint = th.ACCENT_SOFT if state in ("O",) else th.ACCENT
        dr.text(img, (origin[0] + fx + 3, origin[1] + fy), legend[0], 8, tint, True, "la")
        return
    if style == "fn":
        dr.text(img, (cx, cy), legend[0], 14, th.ACCENT if state != "O" else th.ACCENT_SOFT, True)
        return
    if len(legend) == 1:
        label = legend[0]
        if not label:
            return
        if len(label) == 1:
            size, bold = (16, True) if label.isalnum() else (17, False)
        elif len(label) <= 3:
            size, bold = 11, True
        else:
            size, bold = 10, False
        dr.text(img, (cx, cy), label, size, colour, bold)
        return
    top, bottom = legend
    if top.isdigit() or top == ".":  # numeric pad: digit above, navigation name below
        dr.text(img, (cx, cy - 6), top, 15, colour, True)
        sub = 8 if len(bottom) > 1 else 11
        dr.text(img, (cx, cy + 10), bottom, sub, dr.mix(colour, th.CAP["N"]["bottom"], 0.45))
        return
    dr.text(img, (cx, cy - 8), top, 11, dr.mix(colour, th.CAP["N"]["bottom"], 0.35))
    dr.text(img, (cx, cy + 7), bottom, 14, colour, True)


def plate(img, art, look, radius=PLATE_RADIUS):
    x, y, w, h = art
    style = th.PLATE[look]
    layer = img.crop((x, y, x + w, y + h))
    dr.paint(layer, (0, 0), dr.rounded_mask((w, h), radius), style["edge"])
    dr.paint(layer, (0, 0), dr.rounded_mask((w, h), radius, 1),
             dr.vgradient((w, h), style["top"], style["bottom"]))
    img.paste(layer, (x, y))


def plate_look(state, x_look="DISABLED"):
    return {"N": "N", "O": "O", "D": "D", "X": x_look}[state]


def icon_on(img, art, icon, colour, scale=1.0, offset=(0, 0)):
    x, y, w, h = art
    mask = icons.mask(icon, (w, h), scale)
    dr.paint(img, (x + offset[0], y + offset[1]), mask, colour)


def icon_colour(state):
    return {"N": th.TEXT, "O": (255, 255, 255), "D": th.ACCENT, "X": th.TEXT_FAINT}[state]


def window_icon(img, art, icon, state, danger=False):
    """Title-bar buttons: bare icon, a plate on hover and press."""
    x, y, w, h = art
    if state == "O":
        fill = th.DANGER if danger else (52, 56, 64)
        dr.paint(img, (x, y), dr.rounded_mask((w, h), 6), fill)
    elif state == "D":
        fill = dr.mix(th.DANGER, (0, 0, 0), 0.35) if danger else (30, 33, 38)
        dr.paint(img, (x, y), dr.rounded_mask((w, h), 6), fill)
    colour = {"N": th.TEXT_DIM, "O": (255, 255, 255), "D": th.ACCENT if not danger else
              (255, 255, 255), "X": th.TEXT_DIM}[state]
    icon_on(img, art, icon, colour)


def led(img, centre, on, radius=4):
    cx, cy = centre
    size = (radius * 2 + 2, radius * 2 + 2)
    origin = (cx - radius - 1, cy - radius - 1)
    mask = dr.vector_mask(size, lambda d, s: d.ellipse((s, s, (size[0] - 1) * s, (size[1] - 1) * s),
                                                      fill=255))
    if on:
        dr.glow(img, origin, mask, th.ACCENT, 3, 0.9)
        dr.paint(img, origin, mask, th.ACCENT_SOFT)
    else:
        dr.paint(img, origin, mask, (44, 48, 55))


def empty_layer(size):
    return Image.new("RGB", size)
