"""Colours of the skin: a dark graphite body with one cyan accent."""

ACCENT = (22, 199, 232)
ACCENT_DEEP = (12, 96, 116)
ACCENT_SOFT = (120, 222, 240)
DANGER = (214, 58, 58)
RECORD = (232, 64, 72)

WINDOW_TOP = (24, 26, 31)
WINDOW_BOTTOM = (13, 14, 17)
WINDOW_EDGE = (52, 56, 64)
HEADER_LINE = (36, 39, 45)

DECK_TOP = (31, 34, 40)
DECK_BOTTOM = (22, 24, 29)
DECK_EDGE = (50, 54, 62)
STRIP = (27, 30, 35)

CARD = (24, 27, 32)  # flat, so the panel bitmaps blend wherever they sit
CARD_EDGE = (44, 48, 56)

TEXT = (226, 229, 234)
TEXT_DIM = (132, 138, 148)
TEXT_FAINT = (78, 83, 92)

# Key caps by state: body gradient top/bottom, highlight line, legend colour.
CAP = {
    "N": dict(top=(58, 62, 70), bottom=(43, 46, 53), light=(84, 89, 99), legend=TEXT),
    "O": dict(top=(80, 86, 97), bottom=(62, 67, 76), light=(110, 117, 130), legend=(255, 255, 255)),
    "D": dict(top=(30, 33, 38), bottom=(38, 41, 47), light=None, legend=ACCENT),
    "X": dict(top=(47, 49, 52), bottom=(44, 46, 49), light=(57, 59, 63), legend=ACCENT),
}
CAP_RIM = (15, 16, 19)
CAP_SHADOW = (6, 7, 8)

# Plate buttons (captions drawn by the program in white).
PLATE = {
    "N": dict(top=(46, 50, 58), bottom=(36, 39, 46), edge=(66, 71, 81)),
    "O": dict(top=(60, 65, 75), bottom=(48, 52, 60), edge=ACCENT),
    "D": dict(top=(26, 29, 34), bottom=(31, 34, 40), edge=ACCENT),
    "CHECKED": dict(top=(20, 128, 150), bottom=(12, 92, 110), edge=ACCENT_SOFT),
    "DISABLED": dict(top=(31, 33, 37), bottom=(29, 31, 35), edge=(44, 47, 53)),
}
