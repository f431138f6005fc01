"""The main window's pictures: four full-window states, two colour views, the
Flip arrows and the window shape."""

import colorsys

from PIL import Image, ImageChops

import drawing as dr
import keyboard_layout as kl
import main_layout as ml
import theme as th
import widgets as wg

WINDOW_RADIUS = 14


def _background():
    size = (ml.W, ml.H)
    img = dr.vgradient(size, th.WINDOW_TOP, th.WINDOW_BOTTOM)
    # Window edge: a one-pixel light line just inside the rounded outline.
    edge = dr.ring_mask(size, [(0, 0, ml.W, ml.H)], WINDOW_RADIUS, 1)
    dr.paint(img, (0, 0), edge, th.WINDOW_EDGE)
    # Header rule with a short accent run under the logo.
    img.paste(th.HEADER_LINE, (16, ml.HEADER_H, ml.W - 16, ml.HEADER_H + 1))
    dr.paint(img, (18, ml.HEADER_H), Image.new("L", (196, 1), 255),
             dr.hgradient((196, 1), th.ACCENT, th.HEADER_LINE))
    _deck(img)
    for card in (ml.LIGHTING_CARD, ml.ACTION_CARD):
        _card(img, card)
    return img


def _deck(img):
    x, y, w, h = kl.DECK
    mask = dr.rounded_mask((w, h), 12)
    dr.glow(img, (x, y + 4), mask, (0, 0, 0), 6, 0.8)
    # Accent under-glow along the bottom edge, as the keyboard's light bar.
    bar = dr.rounded_mask((w - 120, 6), 3)
    dr.glow(img, (x + 60, y + h - 4), bar, th.ACCENT, 6, 0.35)
    dr.paint(img, (x, y), mask, th.DECK_EDGE)
    dr.paint(img, (x, y), dr.rounded_mask((w, h), 12, 1), dr.vgradient((w, h), th.DECK_TOP,
                                                                     th.DECK_BOTTOM))
    # The strip above the function row carries the Flip controls and the model name.
    dr.text(img, (kl.unit_x(kl.NUMPAD + 4) - kl.GAP, ml.FLIP_Y + 11), "TARVOLIN  RT207", 10,
            th.TEXT_FAINT, True, "rm")
    # Caps cast their shadow on the deck in every state.
    for key in kl.build_keys() + [k for _, k in kl.build_gkeys()] + [kl.build_fn()]:
        wg.cap_shadow(img, key.parts)


def _card(img, rect):
    x, y, w, h = rect
    dr.paint(img, (x, y), dr.rounded_mask((w, h), 10), th.CARD_EDGE)
    dr.paint(img, (x, y), dr.rounded_mask((w, h), 10, 1), th.CARD)


def _keys(img, state, legend_colour=None):
    for key in kl.build_keys():
        colour = legend_colour(key) if legend_colour else None
        wg.key_cap(img, key.parts, state, key.legend, key.style, colour)
    for _, key in kl.build_gkeys():
        wg.key_cap(img, key.parts, state, key.legend, "gkey")
    fn = kl.build_fn()
    wg.key_cap(img, fn.parts, state, fn.legend, "fn")


def _link(img, art, state):
    x, y, w, h = art
    dy = 1 if state == "X" else 0
    emblem = (x + 2, y + 2 + dy, 32, 32)
    hexagon = dr.vector_mask((32, 32), lambda d, s: d.regular_polygon(
        (16 * s, 16 * s, 15 * s), 6, rotation=30, fill=255))
    inner = dr.vector_mask((32, 32), lambda d, s: d.regular_polygon(
        (16 * s, 16 * s, 12.5 * s), 6, rotation=30, fill=255))
    if state == "O":
        dr.glow(img, emblem[:2], hexagon, th.ACCENT, 4, 0.6)
    dr.paint(img, emblem[:2], hexagon, th.ACCENT if state != "X" else th.ACCENT_DEEP)
    dr.paint(img, emblem[:2], inner, (20, 22, 26))
    dr.text(img, (x + 18, y + 18 + dy), "T", 17, th.ACCENT if state != "X" else th.ACCENT_DEEP,
            True)
    colour = {"N": th.TEXT, "O": (255, 255, 255), "D": th.TEXT_DIM, "X": th.TEXT_DIM}[state]
    dr.spaced_text(img, (x + 44, y + 18 + dy), "TARVOLIN", 17, colour, 3)


def _profile_label(img, art, state):
    x, y, w, h = art
    look = {"N": "N", "O": "O", "D": "D", "X": "N"}[state]
    wg.plate(img, art, look, 8)
    # Faint stripes at the angle of the profile name the program writes here.
    stripes = dr.vector_mask((w, h), lambda d, s: [
        d.line(((i * s, h * s), ((i + h * 1.98) * s, 0)), fill=255, width=s)
        for i in range(-h * 2, w, 9)])
    stripes = dr.scale_mask(stripes, 0.10)
    inner = dr.rounded_mask((w, h), 8, 2)
    dr.paint(img, (x, y), ImageChops.multiply(stripes, inner), th.ACCENT)
    dr.paint(img, (x + 2, y + 8), dr.rounded_mask((3, h - 16), 1), th.ACCENT)


def _bank(img, art, state):
    x, y, w, h = art
    wg.plate(img, art, "N", 7)
    half = (w - 12) // 2
    b_lit = state == "O"
    for i, letter in enumerate("AB"):
        lit = (i == 1) == b_lit
        seg = (x + 4 + i * (half + 4), y + 6, half, h - 12)
        if lit:
            dr.glow(img, seg[:2], dr.rounded_mask(seg[2:], 5), th.ACCENT, 4, 0.5)
            wg.plate(img, seg, "CHECKED", 5)
            dr.text(img, (seg[0] + half / 2, seg[1] + seg[3] / 2), letter, 15, (255, 255, 255),
                    True)
        else:
            dr.text(img, (seg[0] + half / 2, seg[1] + seg[3] / 2), letter, 15, th.TEXT_FAINT, True)


def _lock(img, art, state, label):
    x, y, w, h = art
    on = state == "O"
    wg.led(img, (x + w // 2, y + 12), on, 4)
    dr.text(img, (x + w / 2, y + 29), label, 9, th.TEXT if on else th.TEXT_DIM, True)


def _flip(img, button, state):
    x, y, w, h = button.art
    wg.plate(img, button.art, wg.plate_look(state, "CHECKED"), 5)
    wg.icon_on(img, button.art, "swap", wg.icon_colour(state if state != "X" else "O"), 1.2)


def _flip_indicator(img, art, state):
    x, y, w, h = art
    on = state == "X"
    wg.led(img, (x + 9, y + h // 2), on, 3)
    dr.text(img, (x + 17, y + h / 2), "FLIP", 10, th.TEXT if on else th.TEXT_DIM, True, "lm")


def _rate(img, button, state):
    wg.plate(img, button.art, wg.plate_look(state, "CHECKED"))
    x, y, w, h = button.art
    colour = (255, 255, 255) if state in ("O", "X") else th.TEXT
    # Number and unit at the same size, centred together: a smaller unit blurs on screen.
    number_width = dr.text_width(button.label, 11, True)
    unit_width = dr.text_width("Hz", 11)
    gap = 3
    left = x + (w - number_width - gap - unit_width) / 2
    dr.text(img, (left, y + h / 2), button.label, 11, colour, True, "lm")
    dr.text(img, (left + number_width + gap, y + h / 2), "Hz", 11,
            colour if state == "X" else th.TEXT_DIM, False, "lm")


def _button(img, button, state):
    role = button.role
    if role == "key":
        return  # keys are drawn together
    if role == "link":
        _link(img, button.art, state)
    elif role == "profile_label":
        _profile_label(img, button.art, state)
    elif role in ("toggle", "text", "apply"):
        x_look = "CHECKED" if role == "toggle" else "DISABLED"
        wg.plate(img, button.art, wg.plate_look(state, x_look))
    elif role == "toggle_rate":
        _rate(img, button, state)
    elif role in ("icon", "close"):
        wg.window_icon(img, button.art, button.label, state, role == "close")
    elif role == "flip":
        _flip(img, button, state)
    elif role == "flip_indicator":
        _flip_indicator(img, button.art, state)
    elif role == "bank":
        _bank(img, button.art, state)
    elif role == "lock":
        _lock(img, button.art, state, button.label)
    elif role != "plain":
        raise ValueError("no painter for role %s" % role)


def state_picture(state, base=None):
    img = (base if base is not None else _background()).copy()
    _keys(img, state)
    for button in ml.buttons():
        _button(img, button, state)
    return img


def colour_picture(lit, base):
    """Views of the keyboard unlit and lit in a spectrum; loaded, never shown."""
    img = base.copy()
    x0, x1 = kl.KEYS_X0, kl.unit_x(25.5)

    def spectrum(key):
        if not lit:
            return th.TEXT_FAINT
        cx = key.box[0] + key.box[2] / 2
        r, g, b = colorsys.hsv_to_rgb((cx - x0) / (x1 - x0) * 0.85, 0.75, 1.0)
        return (round(r * 255), round(g * 255), round(b * 255))
    _keys(img, "N", spectrum)
    for button in ml.buttons():
        _button(img, button, "N")
    return img


def arrow_picture(normal):
    """Arrow.jpg: the four Flip arrow tiles on the deck colour under each arrow."""
    img = Image.new("RGB", ml.ARROW_IMAGE_SIZE, th.STRIP)
    for index, (_, direction, control) in enumerate(ml.ARROW_TILES):
        x, y, w, h = control
        tile = normal.crop((x, y, x + w, y + h))
        wg.icon_on(tile, (0, 0, w, h), "chevron_" + direction, th.ACCENT, 1.3)
        img.paste(tile, ml.arrow_tile_origin(index))
    return img


def window_mask(size, radius):
    """Shape picture: black inside the window, white (transparent) outside."""
    w, h = size
    img = Image.new("1", size, 1)
    inside = dr.rounded_mask(size, radius).point(lambda v: 255 if v >= 128 else 0).convert("1")
    img.paste(0, (0, 0, w, h), inside)
    return img


def render_all():
    base = _background()
    pictures = {name: state_picture(state, base) for name, state in
                (("main_normal", "N"), ("main_over", "O"), ("main_down", "D"),
                 ("main_disable", "X"))}
    pictures["main_color0"] = colour_picture(False, base)
    pictures["main_color1"] = colour_picture(True, base)
    pictures["Arrow"] = arrow_picture(pictures["main_normal"])
    return pictures, {"main_mask": window_mask((ml.W, ml.H), WINDOW_RADIUS)}
