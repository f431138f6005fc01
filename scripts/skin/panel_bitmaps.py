"""Bitmaps of the lighting panel, each the size of the control that shows it.

They are drawn on the card colour, which is flat, so they blend wherever the
panel places them.
"""

from PIL import Image

import drawing as dr
import main_layout as ml
import theme as th
import widgets as wg


def _size(key):
    for control in ml.controls():
        if control.key == key:
            return control.placement[2], control.placement[3]
    raise KeyError(key)


def _canvas(size):
    return Image.new("RGB", size, th.CARD)


def _push_button(size, icon, pressed, icon_scale=1.0):
    img = _canvas(size)
    w, h = size
    wg.plate(img, (0, 0, w, h), "CHECKED" if pressed else "N")
    colour = (255, 255, 255) if pressed else th.TEXT
    wg.icon_on(img, (0, 0, w, h), icon, colour, icon_scale)
    return img


def _lamp(size, on):
    """A toggle switch with a bulb: grey and left when off, lit and right when on."""
    img = _canvas(size)
    w, h = size
    track = (2, 5, w - 4, h - 10)
    if on:
        dr.glow(img, track[:2], dr.rounded_mask(track[2:], track[3] // 2), th.ACCENT, 3, 0.6)
    wg.plate(img, track, "CHECKED" if on else "N", track[3] // 2)
    knob = track[3] - 4
    kx = track[0] + track[2] - knob - 2 if on else track[0] + 2
    knob_mask = dr.rounded_mask((knob, knob), knob // 2)
    dr.paint(img, (kx, track[1] + 2), knob_mask, (245, 247, 250) if on else (120, 126, 136))
    icon_x = track[0] + 4 if on else track[0] + track[2] - knob - 4
    wg.icon_on(img, (icon_x, track[1] + 2, knob, knob), "bulb",
               (255, 255, 255) if on else th.TEXT_DIM, 1.4)
    return img


def _slider(size, position, tint):
    """Five-step slider with the thumb at `position` (0..4)."""
    img = _canvas(size)
    w, h = size
    pad = 12
    track_y = h // 2 - 2
    span = w - 2 * pad
    dr.paint(img, (pad - 2, track_y), dr.rounded_mask((span + 4, 4), 2), (50, 55, 63))
    thumb_x = pad + round(span * position / 4)
    if position > 0:
        dr.paint(img, (pad - 2, track_y), dr.rounded_mask((thumb_x - pad + 4, 4), 2),
                 dr.hgradient((thumb_x - pad + 4, 4), th.ACCENT_DEEP, tint))
    for step in range(5):
        tx = pad + round(span * step / 4)
        colour = tint if step <= position else (70, 76, 86)
        dr.paint(img, (tx - 1, track_y + 8), dr.rounded_mask((2, 4), 1), colour)
    knob = 16
    knob_mask = dr.rounded_mask((knob, knob), knob // 2)
    origin = (thumb_x - knob // 2, h // 2 - knob // 2)
    dr.glow(img, origin, knob_mask, tint, 3, 0.5)
    dr.paint(img, origin, knob_mask, (245, 247, 250))
    dr.paint(img, (origin[0] + 5, origin[1] + 5), dr.rounded_mask((6, 6), 3), tint)
    return img


def _progress(size, frame):
    """Busy bar: ten segments with a light that runs along them, frame 1..10."""
    img = _canvas(size)
    w, h = size
    segments = 10
    gap = 4
    seg_w = (w - gap * (segments - 1)) // segments
    offset = (w - (seg_w * segments + gap * (segments - 1))) // 2
    for i in range(segments):
        behind = (frame - 1 - i) % segments
        level = {0: 1.0, 1: 0.55, 2: 0.28}.get(behind, 0.0)
        colour = dr.mix((44, 48, 56), th.ACCENT, level)
        seg = (offset + i * (seg_w + gap), 3, seg_w, h - 6)
        if level == 1.0:
            dr.glow(img, seg[:2], dr.rounded_mask(seg[2:], 3), th.ACCENT, 2, 0.6)
        dr.paint(img, seg[:2], dr.rounded_mask(seg[2:], 3), colour)
    return img


def render_all():
    bitmaps = {}
    lamp = _size("CONTROL_DengStaPic")
    bitmaps["dengup"] = _lamp(lamp, False)
    bitmaps["dengdown"] = _lamp(lamp, True)
    direction = _size("CONTROL_BLFXLStaPic")
    assert direction == _size("CONTROL_BLFXRStaPic")
    for name, icon in (("left", "left"), ("right", "right"), ("up", "up"), ("down", "down"),
                       ("kuosan", "diffuse"), ("julong", "converge")):
        released = name + "up" if name in ("left", "right", "up", "down") else name
        pressed = name + "down"
        scale = 1.25 if icon in ("diffuse", "converge") else 0.9
        bitmaps[released] = _push_button(direction, icon, False, scale)
        bitmaps[pressed] = _push_button(direction, icon, True, scale)
    for offset, key, tint in ((0, "CONTROL_LightSlider", th.ACCENT),
                              (5, "CONTROL_SpeedSlider", th.ACCENT_SOFT)):
        for position in range(5):
            bitmaps[str(offset + position)] = _slider(_size(key), position, tint)
    fill = _size("CONTROL_HXsjsStaPic")
    assert fill == _size("CONTROL_LEDsjsStaPic")
    bitmaps["sjsup"] = _push_button(fill, "grid", False, 0.85)
    bitmaps["sjsdown"] = _push_button(fill, "grid", True, 0.85)
    tool = _size("CONTROL_USERgjStaPic1")
    for n, icon in ((1, "brush"), (2, "eraser")):
        bitmaps["user%dup" % n] = _push_button(tool, icon, False, 1.05)
        bitmaps["user%ddown" % n] = _push_button(tool, icon, True, 1.05)
    for frame in range(1, 11):
        bitmaps["jdt%d" % frame] = _progress(_size("CONTROL_JDTStatic"), frame)
    return bitmaps
