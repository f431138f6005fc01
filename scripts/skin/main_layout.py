"""Every control of the main window: where it is and how it is drawn.

Pure data shared by the INI writer and the painters. Image buttons are given
by the rectangle of their art (see keyboard_layout.button_placement); other
controls (labels, lists, sliders, pictures) by their placement.
"""

from dataclasses import dataclass

import keyboard_layout as kl

W, H = kl.WINDOW_WIDTH, kl.WINDOW_HEIGHT

HEADER_H = 60
BOTTOM_Y = 414
LIGHTING_CARD = (20, BOTTOM_Y, 872, 158)
ACTION_CARD = (904, BOTTOM_Y, 316, 158)

LINK_URL = "https://tarvolin.example/"


@dataclass
class Button:
    """An image button. `role` picks the painter; `art` is the painted rectangle."""

    key: str
    art: tuple
    role: str
    label: str = ""  # legend or icon name, when the picture carries one

    @property
    def placement(self):
        return kl.button_placement(self.art)


@dataclass
class Control:
    """A control placed as is (labels, lists, sliders, pictures)."""

    key: str
    placement: tuple
    kind: str  # label, combo, slider, picture


def _header_buttons():
    buttons = [
        Button("TOVRAN_LINK", (18, 12, 196, 36), "link"),
        Button("FUNC_PROFILES", (232, 5, 240, 51), "profile_label"),
    ]
    for i in range(3):
        buttons.append(Button("FUNC_PROFILE%d" % (i + 1), (490 + i * 108, 15, 100, 30), "toggle"))
    icons = ["close", "minimize", "help", "menu"]
    keys = ["CONTROL_CLOSE", "CONTROL_MINIMIZE", "CONTROL_HELP", "CONTROL_MENU"]
    for i, (key, icon) in enumerate(zip(keys, icons)):
        buttons.append(Button(key, (W - 20 - 34 - i * 38, 14, 34, 28),
                              "close" if icon == "close" else "icon", icon))
    return buttons


# The Flip strip sits above F1..F4.
FLIP_Y = 80
F1_X = kl.unit_x(kl.MAIN + 2)
F4_RIGHT = kl.unit_x(kl.MAIN + 6) - kl.GAP
FLIP_CENTRE = (F1_X + F4_RIGHT) // 2

LEFT_ARROW = (F1_X + 36, FLIP_Y + 3, 16, 16)
RIGHT_ARROW = (F4_RIGHT - 36 - 16, FLIP_Y + 3, 16, 16)


def _deck_buttons():
    buttons = [
        Button("FLIP_1", (F1_X, FLIP_Y, 30, 22), "flip", "left"),
        Button("FLIP_0", (FLIP_CENTRE - 30, FLIP_Y, 60, 22), "flip_indicator"),
        Button("FLIP_2", (F4_RIGHT - 30, FLIP_Y, 30, 22), "flip", "right"),
        Button("LOCK_AB", kl.bank_indicator_art(), "bank"),
    ]
    for key, art, label in zip(("LOCK_NUM", "LOCK_CAPS", "LOCK_SCROLL"), kl.lock_indicator_arts(),
                               ("NUM", "CAPS", "SCROLL")):
        buttons.append(Button(key, art, "lock", label))
    return buttons


def _key_buttons():
    buttons = []
    for key in kl.build_keys():
        buttons.append(Button(kl.skin_key_of_code(key.code), key.box, "key"))
    for skin_key, key in kl.build_gkeys():
        buttons.append(Button(skin_key, key.box, "key"))
    buttons.append(Button("KEY_FN", kl.build_fn().box, "key"))
    return buttons


# Lighting card grid: three rows, labels left of their controls.
ROW_Y = (BOTTOM_Y + 24, BOTTOM_Y + 64, BOTTOM_Y + 104)
REPORT_RATES = ("1000", "500", "250", "125")  # field values 0..3


def _lighting_buttons():
    return [Button("FUNC_REPORT%d" % (i + 1), (124 + i * 64, ROW_Y[1], 60, 30), "toggle_rate",
                   REPORT_RATES[i]) for i in range(4)]


def _label(key, x, row, width=84):
    return Control(key, (x, ROW_Y[row] + 4, width, 22), "label")


def _lighting_controls():
    direction = [
        ("CONTROL_BLFXStatic", (686, ROW_Y[0] + 4, 84, 22), "label"),
        ("CONTROL_BLFXLStaPic", (774, ROW_Y[0], 48, 30), "picture"),
        ("CONTROL_BLFXRStaPic", (828, ROW_Y[0], 48, 30), "picture"),
    ]
    controls = [
        _label("CONTROL_DengStatic", 36, 0),
        Control("CONTROL_DengStaPic", (124, ROW_Y[0], 56, 30), "picture"),
        Control("CONTROL_XGcombox", (196, ROW_Y[0] + 2, 180, 320), "combo"),
        _label("CONTROL_LightStatic", 396, 0, 100),
        Control("CONTROL_LightSlider", (500, ROW_Y[0], 170, 30), "slider"),
        _label("CONTROL_UsbStatic", 36, 1),
        _label("CONTROL_SpeedStatic", 396, 1, 100),
        Control("CONTROL_SpeedSlider", (500, ROW_Y[1], 170, 30), "slider"),
        _label("CONTROL_USERgjStatic", 36, 2),
        Control("CONTROL_USERgjStaPic1", (124, ROW_Y[2], 40, 30), "picture"),
        Control("CONTROL_USERgjStaPic2", (168, ROW_Y[2], 40, 30), "picture"),
        _label("CONTROL_HXsjsStatic", 222, 2, 90),
        Control("CONTROL_HXsjsStaPic", (316, ROW_Y[2], 40, 30), "picture"),
        _label("CONTROL_LEDsjsStatic", 370, 2, 90),
        Control("CONTROL_LEDsjsStaPic", (464, ROW_Y[2], 40, 30), "picture"),
        Control("CONTROL_umCombo", (520, ROW_Y[2] + 2, 150, 300), "combo"),
        Control("CONTROL_JDTStatic", (920, ROW_Y[2] + 6, 284, 14), "picture"),
    ]
    # The direction controls keep one place for every effect: this panel has
    # room for them beside the sliders whatever else is shown.
    for suffix in ("", "2", "3"):
        for key, rect, kind in direction:
            controls.append(Control(key + suffix, rect, kind))
    return controls


def _action_buttons():
    return [
        # Room for the longest caption at 150% scaling.
        Button("FUNC_DEFAULT", (920, ROW_Y[0], 180, 32), "toggle"),
        Button("FUNC_MACRO", (1106, ROW_Y[0], 98, 32), "text"),
        Button("CONTROL2_APPLY", (920, ROW_Y[1], 90, 32), "apply"),
        Button("CONTROL_OK", (1017, ROW_Y[1], 90, 32), "text"),
        Button("CONTROL_CANCEL", (1114, ROW_Y[1], 90, 32), "text"),
        Button("TOVRAN_VER", (920, ROW_Y[2] + 26, 284, 18), "plain"),
        # Placed and captioned by the program but never shown.
        Button("FUNC_SWITCH", (826, 15, 150, 30), "plain"),
    ]


def buttons():
    return _header_buttons() + _deck_buttons() + _key_buttons() + _lighting_buttons() + \
        _action_buttons()


def controls():
    return _lighting_controls()


def arrow_controls():
    """LEFT_ARROW / RIGHT_ARROW: placed as is, pictures cut from Arrow.jpg."""
    return [Control("LEFT_ARROW", LEFT_ARROW, "arrow"),
            Control("RIGHT_ARROW", RIGHT_ARROW, "arrow")]


# Arrow.jpg: four 16x16 tiles in a row; BUTTONINFO2 gives each tile's
# top-left corner plus one (buttons paint from one pixel up and left).
ARROW_TILES = [
    ("UP_ARROW_LEFT1", "up", LEFT_ARROW),
    ("DOWN_ARROW_LEFT1", "down", LEFT_ARROW),
    ("UP_ARROW_RIGHT1", "up", RIGHT_ARROW),
    ("DOWN_ARROW_RIGHT1", "down", RIGHT_ARROW),
]
ARROW_IMAGE_SIZE = (4 * 20 + 4, 20)


def arrow_tile_origin(index):
    return (2 + index * 20, 2)
