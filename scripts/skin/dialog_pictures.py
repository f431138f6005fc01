"""Pictures of the composite key dialog and of the profile manager."""

from PIL import Image

import dialog_layout as dl
import drawing as dr
import main_pictures as mp
import theme as th
import widgets as wg

DIALOG_RADIUS = 12
STATE_OF_PICTURE = ("N", "O", "D", "X")  # normal, over, down, disable


def _dialog_background(size):
    w, h = size
    img = dr.vgradient(size, th.WINDOW_TOP, th.WINDOW_BOTTOM)
    dr.paint(img, (0, 0), dr.ring_mask(size, [(0, 0, w, h)], DIALOG_RADIUS, 1), th.WINDOW_EDGE)
    return img


def _title(img, art, state):
    x, y, w, h = art
    emblem = dr.vector_mask((24, 24), lambda d, s: d.regular_polygon(
        (12 * s, 12 * s, 11 * s), 6, rotation=30, fill=255))
    inner = dr.vector_mask((24, 24), lambda d, s: d.regular_polygon(
        (12 * s, 12 * s, 9 * s), 6, rotation=30, fill=255))
    dr.paint(img, (x + 2, y + 2), emblem, th.ACCENT)
    dr.paint(img, (x + 2, y + 2), inner, th.WINDOW_TOP)
    wg.icon_on(img, (x + 2, y + 2, 24, 24), "keycap", th.ACCENT, 0.9)
    dr.spaced_text(img, (x + 36, y + h / 2), "TARVOLIN", 13, th.TEXT, 2)


def _tab(img, art, state, active):
    x, y, w, h = art
    if active:
        # The active tab joins the panel below it and carries the accent.
        layer = img.crop((x, y, x + w, y + h + 6))
        parts = [(0, 0, w, h + 6)]
        dr.paint(layer, (0, 0), dr.shape_mask((w, h + 6), parts, 7), th.CARD_EDGE)
        dr.paint(layer, (0, 0), dr.shape_mask((w, h + 6), [(1, 1, w - 2, h + 6)], 6), th.CARD)
        dr.paint(layer, (0, 0), dr.shape_mask((w, h + 6), [(10, 1, w - 20, 3)], 1),
                 th.ACCENT if state != "X" else th.ACCENT_DEEP)
        img.paste(layer.crop((0, 0, w, h)), (x, y))
        return
    wg.plate(img, art, wg.plate_look(state), 7)


def _panel(img, art, tab):
    x, y, w, h = art
    dr.paint(img, (x, y), dr.rounded_mask((w, h), 10), th.CARD_EDGE)
    dr.paint(img, (x, y), dr.rounded_mask((w, h), 10, 1), th.CARD)
    watermark = {"key": "keycap", "media": "note", "function": "gear"}.get(tab)
    if watermark:
        size = 96
        wg.icon_on(img, (x + w - size - 16, y + h - size - 12, size, size), watermark,
                   (33, 37, 43), 1.6)
    else:
        # Macro panel: a quiet frame around the action list's column of buttons.
        dr.paint(img, (x + 236, y + 44), Image.new("L", (1, 166), 255), (36, 40, 46))


def _composite_picture(tab_set, state):
    img = _dialog_background(dl.COMPOSITE_SIZE)
    tab = "macro" if tab_set == "macro2" else tab_set
    active_tab = dl.TAB_OF_SET[tab_set]
    for button in dl.composite_buttons():
        if button.role == "panel":
            _panel(img, button.art, tab)
    for button in dl.composite_buttons():
        role = button.role
        if button.key.startswith("FUNC_MACRO") and tab != "macro":
            continue  # hidden off the macro tab; the background must not show them
        if role == "title":
            _title(img, button.art, state)
        elif role == "tab":
            _tab(img, button.art, state, button.key == active_tab)
        elif role == "text":
            wg.plate(img, button.art, wg.plate_look(state))
        elif role == "record":
            _record(img, button.art, state, tab_set == "macro2")
        elif role == "icon":
            wg.plate(img, button.art, wg.plate_look(state))
            wg.icon_on(img, button.art, button.label, wg.icon_colour(state), 1.1)
        elif role != "panel":
            raise ValueError(role)
    return img


def _record(img, art, state, recording):
    """Record button; lit red in the set used while a recording runs."""
    x, y, w, h = art
    look = wg.plate_look(state)
    wg.plate(img, art, look)
    dot = (x + 6, y + 4, h - 8, h - 8)
    colour = th.RECORD if state != "X" else th.TEXT_FAINT
    if recording and state != "X":
        dr.glow(img, (x, y), dr.rounded_mask((w, h), 6), th.RECORD, 4, 0.45)
        dr.paint(img, (x, y), dr.ring_mask((w, h), [(0, 0, w, h)], 6, 1), th.RECORD)
        wg.icon_on(img, dot, "stop", colour, 0.9)
    else:
        wg.icon_on(img, dot, "record", colour, 0.9)


def _profile_picture(state):
    img = _dialog_background(dl.PROFILE_SIZE)
    _title(img, (18, 14, 200, 28), state)
    lx, ly, lw, lh = dl.PROFILE_LIST
    # Frame behind the list, one pixel wider than the control on each side.
    dr.paint(img, (lx - 2, ly - 2), dr.rounded_mask((lw + 4, lh + 4), 6), th.CARD_EDGE)
    dr.paint(img, (lx - 1, ly - 1), dr.rounded_mask((lw + 2, lh + 2), 5), th.CARD)
    for button in dl.profile_buttons():
        wg.plate(img, button.art, wg.plate_look(state))
        colour = wg.icon_colour(state)
        if button.label == "cancel" and state == "O":
            colour = (255, 160, 160)
        wg.icon_on(img, button.art, button.label, colour, 1.05)
    return img


def render_all():
    jpegs = {}
    for tab_set, names in dl.COMPOSITE_SETS.items():
        for name, state in zip(names, STATE_OF_PICTURE):
            if name not in jpegs:
                jpegs[name] = _composite_picture(tab_set, state)
    for name, state in zip(dl.PROFILE_SET, ("N", "O", "D", "D")):
        if name not in jpegs:
            jpegs[name] = _profile_picture(state)
    masks = {
        "composite_mask": mp.window_mask(dl.COMPOSITE_SIZE, DIALOG_RADIUS),
        "profile_mask": mp.window_mask(dl.PROFILE_SIZE, DIALOG_RADIUS),
    }
    return jpegs, masks
