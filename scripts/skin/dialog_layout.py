"""Controls of the composite key dialog and of the profile manager."""

from main_layout import Button, Control

# --- Composite key dialog -------------------------------------------------

COMPOSITE_SIZE = (480, 410)
COMPOSITE_PANEL = (16, 100, 448, 250)  # CONTROL_MASK art
TAB_Y = 64

# One picture set per tab. Each set is the whole dialog with that tab shown
# as the active one and its panel behind the tab's controls; macro2 is the
# macro set with the record button lit, for use while recording.
COMPOSITE_SETS = {
    "key": ("key_normal", "key_over", "key_down", "key_normal"),
    "macro": ("macro_normal", "macro_over", "macro_down", "macro_disable"),
    "macro2": ("macro2_normal", "macro2_over", "macro2_down", "macro2_disable"),
    "media": ("media_normal", "media_over", "media_down", "media_normal"),
    "function": ("function_normal", "function_over", "function_down", "function_normal"),
}
TAB_OF_SET = {"key": "CONTROL_KEY", "macro": "CONTROL_MACRO", "macro2": "CONTROL_MACRO",
              "media": "CONTROL_MEDIA", "function": "CONTROL_FUNCTION"}

_PX, _PY = COMPOSITE_PANEL[0], COMPOSITE_PANEL[1]


def composite_buttons():
    tabs = ["CONTROL_KEY", "CONTROL_MACRO", "CONTROL_MEDIA", "CONTROL_FUNCTION"]
    buttons = [Button("CONTROL_TITLE", (16, 10, 260, 28), "title")]
    for i, key in enumerate(tabs):
        buttons.append(Button(key, (16 + i * 112, TAB_Y, 108, 30), "tab"))
    buttons += [
        Button("CONTROL_MASK", COMPOSITE_PANEL, "panel"),
        Button("FUNC_MACRO_ADD", (_PX + 348, _PY + 12, 42, 26), "icon", "plus"),
        Button("FUNC_MACRO_DELETE", (_PX + 394, _PY + 12, 42, 26), "icon", "minus"),
        Button("FUNC_MACRO_RECORD", (_PX + 242, _PY + 48, 194, 28), "record"),
        Button("FUNC_MACRO_UP_TOP", (_PX + 242, _PY + 82, 95, 26), "text"),
        Button("FUNC_MACRO_UP", (_PX + 341, _PY + 82, 95, 26), "text"),
        Button("FUNC_MACRO_DOWN", (_PX + 242, _PY + 112, 95, 26), "text"),
        Button("FUNC_MACRO_DOWN_BOTTOM", (_PX + 341, _PY + 112, 95, 26), "text"),
        Button("FUNC_MACRO_DELETE2", (_PX + 242, _PY + 142, 95, 26), "text"),
        Button("FUNC_MACRO_CLEAR", (_PX + 341, _PY + 142, 95, 26), "text"),
        Button("CONTROL_CLEAR", (16, 362, 40, 32), "icon", "restore"),
        Button("CONTROL_OSK", (62, 362, 40, 32), "icon", "keyboard"),
        Button("CONTROL_OK", (272, 362, 92, 32), "text"),
        Button("CONTROL_CANCEL", (372, 362, 92, 32), "text"),
    ]
    return buttons


def composite_controls():
    return [
        Control("KEY_SETTING", (16, 42, 448, 18), "label"),
        # Single-key tab.
        Control("TISHI_SINGLE_STATIC", (_PX + 12, _PY + 16, 424, 22), "label"),
        Control("FUNC_KEY_INPUT", (_PX + 12, _PY + 48, 424, 48), "edit"),
        # Multimedia and function tabs.
        Control("MEDIA_SETTING_TISHI", (_PX + 12, _PY + 16, 424, 22), "label"),
        Control("FUNC_MEDIA_SELECT", (_PX + 12, _PY + 48, 424, 300), "combo"),
        Control("FUNCTION_KEY_SETTING_TISHI", (_PX + 12, _PY + 16, 424, 22), "label"),
        Control("FUNC_FUNCTION_SELECT", (_PX + 12, _PY + 48, 424, 300), "combo"),
        # Macro tab.
        Control("MARCO_NAME_SETTING", (_PX + 12, _PY + 15, 100, 22), "label"),
        Control("FUNC_MACRO_LIST", (_PX + 114, _PY + 13, 226, 220), "combo"),
        Control("FUNC_MACRO_LIST2", (_PX + 12, _PY + 48, 220, 160), "list"),
        Control("FUNC_MACRO_CYCLES_PROMPT", (_PX + 242, _PY + 180, 95, 22), "label"),
        Control("FUNC_MACRO_CYCLES", (_PX + 341, _PY + 178, 95, 24), "edit"),
        Control("FUNC_MACRO_RECORD_DELAY", (_PX + 12, _PY + 218, 18, 20), "check"),
        Control("FUNC_MACRO_RECORD_DELAY2", (_PX + 34, _PY + 218, 198, 20), "label"),
    ]


# --- Profile manager --------------------------------------------------------

PROFILE_SIZE = (500, 330)
PROFILE_SET = ("Profile_normal", "Profile_over", "Profile_down", "Profile_down")


def profile_buttons():
    return [
        Button("FUNC_ADD", (20, 276, 48, 34), "icon", "add_file"),
        Button("FUNC_LOAD", (74, 276, 48, 34), "icon", "folder"),
        Button("FUNC_DELETE", (128, 276, 48, 34), "icon", "trash"),
        Button("CONTROL2_APPLY", (312, 276, 52, 34), "icon", "apply"),
        Button("CONTROL_OK", (370, 276, 52, 34), "icon", "ok"),
        Button("CONTROL_CANCEL", (428, 276, 52, 34), "icon", "cancel"),
    ]


PROFILE_LIST = (20, 58, 460, 204)


def profile_controls():
    return [Control("PROGRAM_LIST", PROFILE_LIST, "list")]
