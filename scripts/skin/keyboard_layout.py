"""Geometry of the keyboard drawn on the main window.

Pure data: no drawing here, so the INI writer and the tests can use it
without Pillow. Everything is in pixels of the main window picture.

A key's *art* is the rectangle its cap is painted in. Image buttons paint
the rectangle one pixel left of and above their own position, so a button
that shows a cap drawn at (ax, ay) sits at (ax, ay) with one extra pixel of
width and height: the cap then covers the button's whole client area except
a one-pixel background seam on the left and top, and the cap the background
picture shows underneath is hidden by the button.
"""

from dataclasses import dataclass, field

UNIT = 44  # one key unit
GAP = 4  # space between two caps
CAP = UNIT - GAP

WINDOW_WIDTH = 1240
WINDOW_HEIGHT = 588

# The deck is the raised plate the keys sit on.
DECK = (20, 66, 1200, 338)  # x, y, w, h
KEYS_X0 = DECK[0] + (DECK[2] - int(25.5 * UNIT)) // 2
ROW0_Y = 112  # function row
ROW1_Y = 170  # number row; rows 2..5 follow at UNIT pitch

# Block origins in units from KEYS_X0.
G_BLOCK = 0.0
MAIN = 2.5
NAV = 18.0
NUMPAD = 21.5


def unit_x(u):
    return KEYS_X0 + round(u * UNIT)


def row_y(row):
    return ROW0_Y if row == 0 else ROW1_Y + (row - 1) * UNIT


@dataclass
class Key:
    """One key cap. `parts` are rectangles (x, y, w, h) whose union is the cap."""

    code: int
    legend: tuple
    parts: list = field(default_factory=list)
    style: str = "key"  # key, gkey, fn

    @property
    def box(self):
        x0 = min(p[0] for p in self.parts)
        y0 = min(p[1] for p in self.parts)
        x1 = max(p[0] + p[2] for p in self.parts)
        y1 = max(p[1] + p[3] for p in self.parts)
        return (x0, y0, x1 - x0, y1 - y0)


def slot_of_code(code):
    if code < 0x100:
        return code
    if code < 0x200:
        return (code - 0x80) & 0xFF
    return code - 0x100


def skin_key_of_code(code):
    return "KEY_%03X" % slot_of_code(code)


def _rect(block, u, row, width=1.0, rows=1):
    x = unit_x(block + u)
    y = row_y(row)
    w = round(width * UNIT) - GAP
    h = rows * UNIT - GAP
    return (x, y, w, h)


def _row(block, row, start, entries):
    """entries: (code, legend, width). Returns the keys laid left to right."""
    keys = []
    u = start
    for code, legend, width in entries:
        keys.append(Key(code, legend, [_rect(block, u, row, width)]))
        u += width
    return keys


def _legend(*lines):
    return tuple(lines)


def build_keys():
    """The 105 key buttons, the nine G-keys and Fn."""
    keys = []
    # Function row.
    keys += _row(MAIN, 0, 0, [(0x001, _legend("Esc"), 1)])
    fkeys = [0x03B, 0x03C, 0x03D, 0x03E, 0x03F, 0x040, 0x041, 0x042, 0x043, 0x044, 0x057, 0x058]
    for group, start in enumerate((2.0, 6.5, 11.0)):
        keys += _row(MAIN, 0, start,
                     [(code, _legend("F%d" % (group * 4 + i + 1)), 1)
                      for i, code in enumerate(fkeys[group * 4:group * 4 + 4])])
    keys += _row(NAV, 0, 0, [(0x137, _legend("PrtSc"), 1), (0x046, _legend("ScrLk"), 1),
                             (0x045, _legend("Pause"), 1)])
    # Number row: the backslash sits beside a one-unit Backspace, which leaves
    # room for the tall Enter below.
    keys += _row(MAIN, 1, 0, [
        (0x029, _legend("~", "`"), 1), (0x002, _legend("!", "1"), 1), (0x003, _legend("@", "2"), 1),
        (0x004, _legend("#", "3"), 1), (0x005, _legend("$", "4"), 1), (0x006, _legend("%", "5"), 1),
        (0x007, _legend("^", "6"), 1), (0x008, _legend("&", "7"), 1), (0x009, _legend("*", "8"), 1),
        (0x00A, _legend("(", "9"), 1), (0x00B, _legend(")", "0"), 1), (0x00C, _legend("_", "-"), 1),
        (0x00D, _legend("+", "="), 1), (0x02B, _legend("|", "\\"), 1),
        (0x00E, _legend("\u2190"), 1),
    ])
    keys += _row(MAIN, 2, 0, [(0x00F, _legend("Tab"), 1.5)] + [
        (code, _legend(ch), 1) for code, ch in zip(
            (0x010, 0x011, 0x012, 0x013, 0x014, 0x015, 0x016, 0x017, 0x018, 0x019), "QWERTYUIOP")
    ] + [(0x01A, _legend("{", "["), 1), (0x01B, _legend("}", "]"), 1)])
    keys += _row(MAIN, 3, 0, [(0x03A, _legend("Caps Lock"), 1.75)] + [
        (code, _legend(ch), 1) for code, ch in zip(
            (0x01E, 0x01F, 0x020, 0x021, 0x022, 0x023, 0x024, 0x025, 0x026), "ASDFGHJKL")
    ] + [(0x027, _legend(":", ";"), 1), (0x028, _legend("\"", "'"), 1)])
    # Enter spans rows 2 and 3: narrow on top, wide below. Its button is the
    # bounding box, which also covers part of the "]}" cap.
    top = _rect(MAIN, 13.5, 2, 1.5, 2)
    bottom = _rect(MAIN, 12.75, 3, 2.25, 1)
    keys.append(Key(0x01C, _legend("Enter"), [top, bottom]))
    keys += _row(MAIN, 4, 0, [(0x02A, _legend("Shift"), 1.25), (0x056, _legend("K45"), 1)] + [
        (code, _legend(ch), 1) for code, ch in zip(
            (0x02C, 0x02D, 0x02E, 0x02F, 0x030, 0x031, 0x032), "ZXCVBNM")
    ] + [(0x033, _legend("<", ","), 1), (0x034, _legend(">", "."), 1),
         (0x035, _legend("?", "/"), 1), (0x036, _legend("Shift"), 2.75)])
    keys += _row(MAIN, 5, 0, [
        (0x01D, _legend("Ctrl"), 1.25), (0x15B, _legend("Win"), 1.25),
        (0x038, _legend("Alt"), 1.25),
        (0x039, _legend(""), 6.25), (0x138, _legend("Alt"), 1.25), (0x15C, _legend("Win"), 1.25),
        (0x15D, _legend("Menu"), 1.25), (0x11D, _legend("Ctrl"), 1.25),
    ])
    # Navigation block.
    keys += _row(NAV, 1, 0, [(0x152, _legend("Ins"), 1), (0x147, _legend("Home"), 1),
                             (0x149, _legend("PgUp"), 1)])
    keys += _row(NAV, 2, 0, [(0x153, _legend("Del"), 1), (0x14F, _legend("End"), 1),
                             (0x151, _legend("PgDn"), 1)])
    keys += _row(NAV, 4, 1, [(0x148, _legend("\u2191"), 1)])
    keys += _row(NAV, 5, 0, [(0x14B, _legend("\u2190"), 1), (0x150, _legend("\u2193"), 1),
                             (0x14D, _legend("\u2192"), 1)])
    # Numeric pad.
    keys += _row(NUMPAD, 1, 0, [(0x145, _legend("Num"), 1), (0x135, _legend("/"), 1),
                                (0x037, _legend("*"), 1), (0x04A, _legend("-"), 1)])
    keys += _row(NUMPAD, 2, 0, [(0x047, _legend("7", "Home"), 1),
                                (0x048, _legend("8", "\u2191"), 1),
                                (0x049, _legend("9", "PgUp"), 1)])
    keys.append(Key(0x04E, _legend("+"), [_rect(NUMPAD, 3, 2, 1, 2)]))
    keys += _row(NUMPAD, 3, 0, [(0x04B, _legend("4", "\u2190"), 1), (0x04C, _legend("5"), 1),
                                (0x04D, _legend("6", "\u2192"), 1)])
    keys += _row(NUMPAD, 4, 0, [(0x04F, _legend("1", "End"), 1), (0x050, _legend("2", "\u2193"), 1),
                                (0x051, _legend("3", "PgDn"), 1)])
    keys.append(Key(0x11C, _legend("Enter"), [_rect(NUMPAD, 3, 4, 1, 2)]))
    keys += _row(NUMPAD, 5, 0, [(0x052, _legend("0", "Ins"), 2), (0x053, _legend(".", "Del"), 1)])
    for key in keys:
        if key.code in (0x001, 0x03A, 0x00F, 0x02A, 0x036, 0x01D, 0x15B, 0x038, 0x138, 0x15C, 0x15D,
                        0x11D, 0x00E, 0x01C):
            key.style = "mod"
    return keys


def build_gkeys():
    """G1..G5 in the outer column, G6..G9 in the inner one; skin key FUNC_G%d."""
    gkeys = []
    for i in range(9):
        col, row = (0, i + 1) if i < 5 else (1, i - 4)
        gkeys.append(("FUNC_G%d" % (i + 1), Key(0x200 + i, ("G%d" % (i + 1),),
                                                 [_rect(G_BLOCK, col, row)], "gkey")))
    return gkeys


def build_fn():
    return Key(0, ("Fn",), [_rect(G_BLOCK, 1, 5)], "fn")


def bank_indicator_art():
    """LOCK_AB sits above the G-keys in the function row."""
    return _rect(G_BLOCK, 0, 0, 2, 1)


def lock_indicator_arts():
    """LOCK_NUM, LOCK_CAPS, LOCK_SCROLL above the numeric pad."""
    x0 = unit_x(NUMPAD)
    width = 4 * UNIT - GAP
    each = (width - 2 * 8) // 3
    return [(x0 + i * (each + 8), ROW0_Y, each, CAP) for i in range(3)]


def button_placement(art):
    """Skin placement of an image button that shows the art at `art`."""
    x, y, w, h = art
    return (x, y, w + 1, h + 1)
