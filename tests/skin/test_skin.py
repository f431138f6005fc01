"""Checks of the committed sample skin (resources/skin).

The key list and the file names are written out here again on purpose, so a
slip in the generator's own tables is caught rather than repeated.
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.environ.get("TARVOLIN_SOURCE_DIR") or os.path.normpath(
    os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SKIN = os.path.join(ROOT, "resources", "skin")
GENERATOR = os.path.join(ROOT, "scripts", "skin", "generate_skin.py")

try:
    from PIL import Image
except ImportError:  # the structural checks below still run
    Image = None

# Key codes of the 105 key buttons.
KEY_CODES = [
    0x01E, 0x030, 0x02E, 0x020, 0x012, 0x021, 0x022, 0x023, 0x017, 0x024, 0x025, 0x026, 0x032,
    0x031, 0x018, 0x019, 0x010, 0x013, 0x01F, 0x014, 0x016, 0x02F, 0x011, 0x02D, 0x015, 0x02C,
    0x002, 0x003, 0x004, 0x005, 0x006, 0x007, 0x008, 0x009, 0x00A, 0x00B,
    0x01C, 0x001, 0x00E, 0x00F, 0x039, 0x00C, 0x00D, 0x01A, 0x01B, 0x02B, 0x027, 0x028, 0x029,
    0x033, 0x034, 0x035,
    0x03B, 0x03C, 0x03D, 0x03E, 0x03F, 0x040, 0x041, 0x042, 0x043, 0x044, 0x057, 0x058,
    0x137, 0x045, 0x152, 0x153, 0x147, 0x14F, 0x149, 0x151, 0x148, 0x150, 0x14B, 0x14D,
    0x046, 0x03A, 0x145, 0x135, 0x037, 0x04A, 0x04E, 0x11C,
    0x04F, 0x050, 0x051, 0x04B, 0x04C, 0x04D, 0x047, 0x048, 0x049, 0x052, 0x053,
    0x056, 0x15D, 0x01D, 0x02A, 0x038, 0x15B, 0x11D, 0x036, 0x138, 0x15C,
]


def slot(code):
    return code if code < 0x100 else (code - 0x80) & 0xFF


KEY_BUTTONS = ["KEY_%03X" % slot(c) for c in KEY_CODES] + \
    ["FUNC_G%d" % i for i in range(1, 10)] + ["KEY_FN"]
ENTER, RIGHT_BRACKET = "KEY_01C", "KEY_01B"  # Enter's picture may cover part of "]}"

MAIN_IMAGE_BUTTONS = KEY_BUTTONS + [
    "TOVRAN_LINK", "FUNC_PROFILES", "FUNC_MACRO", "CONTROL_OK", "CONTROL_CANCEL", "CONTROL_HELP",
    "CONTROL_CLOSE", "CONTROL_MINIMIZE", "CONTROL_MENU", "CONTROL2_APPLY", "LOCK_CAPS", "LOCK_NUM",
    "LOCK_SCROLL", "LOCK_AB", "FLIP_0", "FLIP_1", "FLIP_2", "TOVRAN_VER", "FUNC_PROFILE1",
    "FUNC_PROFILE2", "FUNC_PROFILE3", "FUNC_DEFAULT", "FUNC_SWITCH", "FUNC_REPORT1",
    "FUNC_REPORT2", "FUNC_REPORT3", "FUNC_REPORT4",
]
LIGHTING_CONTROLS = [
    "CONTROL_UsbStatic", "CONTROL_DengStatic", "CONTROL_DengStaPic", "CONTROL_XGcombox",
    "CONTROL_JDTStatic", "CONTROL_LightStatic", "CONTROL_LightSlider", "CONTROL_SpeedStatic",
    "CONTROL_SpeedSlider", "CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic",
    "CONTROL_USERgjStatic", "CONTROL_USERgjStaPic1", "CONTROL_USERgjStaPic2",
    "CONTROL_HXsjsStatic", "CONTROL_HXsjsStaPic", "CONTROL_LEDsjsStatic", "CONTROL_LEDsjsStaPic",
    "CONTROL_umCombo",
]
DIRECTION_ALTERNATES = [k + n for n in ("2", "3") for k in
                        ("CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic")]
COMBOS = {"CONTROL_XGcombox", "CONTROL_umCombo"}

COMPOSITE_IMAGE_BUTTONS = [
    "CONTROL_MASK", "CONTROL_TITLE", "CONTROL_OSK", "CONTROL_CLEAR", "CONTROL_MEDIA",
    "CONTROL_MACRO", "CONTROL_KEY", "CONTROL_FUNCTION", "CONTROL_OK", "CONTROL_CANCEL",
    "FUNC_MACRO_DELETE", "FUNC_MACRO_ADD", "FUNC_MACRO_UP_TOP", "FUNC_MACRO_UP",
    "FUNC_MACRO_DOWN", "FUNC_MACRO_DOWN_BOTTOM", "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR",
    "FUNC_MACRO_RECORD",
]
COMPOSITE_CONTROLS = [
    "FUNC_MACRO_RECORD_DELAY", "FUNC_MACRO_LIST2", "FUNC_MACRO_CYCLES", "FUNC_MACRO_CYCLES_PROMPT",
    "TISHI_SINGLE_STATIC", "MARCO_NAME_SETTING", "KEY_SETTING", "MEDIA_SETTING_TISHI",
    "FUNCTION_KEY_SETTING_TISHI", "FUNC_MACRO_RECORD_DELAY2", "FUNC_KEY_INPUT",
    "FUNC_MEDIA_SELECT", "FUNC_MACRO_LIST", "FUNC_FUNCTION_SELECT",
]
PROFILE_IMAGE_BUTTONS = ["CONTROL_OK", "CONTROL_CANCEL", "FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE",
                         "CONTROL2_APPLY"]

MAIN_PICTURES = ["main_normal", "main_over", "main_down", "main_disable", "main_color0",
                 "main_color1"]
COMPOSITE_PICTURES = [
    "key_normal", "key_over", "key_down", "macro_normal", "macro_over", "macro_down",
    "macro_disable", "macro2_normal", "macro2_over", "macro2_down", "macro2_disable",
    "media_normal", "media_over", "media_down", "function_normal", "function_over",
    "function_down",
]
PROFILE_PICTURES = ["Profile_normal", "Profile_over", "Profile_down"]
# Panel bitmap -> the control whose size it must have.
PANEL_BITMAPS = dict(
    [("dengup", "CONTROL_DengStaPic"), ("dengdown", "CONTROL_DengStaPic")] +
    [(n, "CONTROL_BLFXLStaPic") for n in (
        "leftup", "leftdown", "rightup", "rightdown", "kuosan", "kuosandown", "julong",
        "julongdown", "upup", "updown", "downup", "downdown")] +
    [(str(n), "CONTROL_LightSlider") for n in range(5)] +
    [(str(n), "CONTROL_SpeedSlider") for n in range(5, 10)] +
    [("sjsup", "CONTROL_HXsjsStaPic"), ("sjsdown", "CONTROL_LEDsjsStaPic")] +
    [(n, "CONTROL_USERgjStaPic1") for n in ("user1up", "user1down")] +
    [(n, "CONTROL_USERgjStaPic2") for n in ("user2up", "user2down")] +
    [("jdt%d" % n, "CONTROL_JDTStatic") for n in range(1, 11)])
CONTROL_NAME_KEYS = ["Usb", "Deng", "Light", "Speed", "FX", "Tool", "DC", "LEDOFF"]
EFFECTS = [str(n) for n in range(1, 29)] + ["254"]


def read_ini(name):
    """Sections of a skin INI as {section: {KEY: value}}, keys upper-cased as Windows compares."""
    with open(os.path.join(SKIN, name), "rb") as f:
        raw = f.read()
    if not raw.startswith(b"\xff\xfe"):
        raise AssertionError("%s lacks the UTF-16LE byte-order mark" % name)
    text = raw[2:].decode("utf-16-le")
    if "\n" in text.replace("\r\n", ""):
        raise AssertionError("%s has a line not ended by CRLF" % name)
    sections, current = {}, None
    for number, line in enumerate(text.split("\r\n"), 1):
        if not line or line.startswith(";"):
            continue
        if line.startswith("["):
            if not line.endswith("]") or line[1:-1] in sections:
                raise AssertionError("%s:%d bad or repeated section %r" % (name, number, line))
            current = sections[line[1:-1]] = {}
            continue
        key, sep, value = line.partition("=")
        if not sep or current is None:
            raise AssertionError("%s:%d not a key line: %r" % (name, number, line))
        if key.upper() in current:
            raise AssertionError("%s:%d repeats %s" % (name, number, key))
        current[key.upper()] = value
    return sections


def layout(value):
    """Parses x,y,w,h as the program does; rejects what would leave numbers unset."""
    parts = value.split(",")
    if len(parts) < 4:
        raise AssertionError("layout value %r has fewer than four numbers" % value)
    return tuple(int(p) for p in parts[:4])


def source_rect(rect):
    x, y, w, h = rect
    return (x - 1, y - 1, w, h)


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def inside(rect, size):
    x, y, w, h = rect
    return x >= 0 and y >= 0 and x + w <= size[0] and y + h <= size[1]


def picture_size(path):
    """Size of a JPEG or BMP; with Pillow the whole picture is decoded."""
    with open(path, "rb") as f:
        data = f.read()
    if Image is not None:
        with Image.open(path) as img:
            img.load()
            return img.size
    if data[:2] == b"BM":
        if struct.unpack_from("<I", data, 2)[0] != len(data):
            raise AssertionError("%s: BMP size field does not match the file" % path)
        width, height = struct.unpack_from("<ii", data, 18)
        return width, abs(height)
    if data[:2] == b"\xff\xd8" and data[-2:] == b"\xff\xd9":
        pos = 2
        while pos < len(data):
            marker, length = data[pos + 1], struct.unpack_from(">H", data, pos + 2)[0]
            if marker in (0xC0, 0xC1, 0xC2):
                height, width = struct.unpack_from(">HH", data, pos + 5)
                return width, height
            pos += 2 + length
    raise AssertionError("%s is neither a complete JPEG nor a BMP" % path)


def picture_path(name, ext):
    path = os.path.join(SKIN, name + "." + ext)
    if not os.path.isfile(path):
        raise AssertionError("missing picture %s.%s" % (name, ext))
    return path


class SkinFilesTest(unittest.TestCase):
    def setUp(self):
        self.main = read_ini("Main.ini")
        self.composite = read_ini("Composite.ini")
        self.profile = read_ini("Profile.ini")
        self.info = self.main["BUTTONINFO"]

    def test_every_section_and_key_is_present_with_a_real_layout(self):
        for name, ini, keys in (
                ("Main.ini", self.main, MAIN_IMAGE_BUTTONS + LIGHTING_CONTROLS +
                 DIRECTION_ALTERNATES + ["LEFT_ARROW", "RIGHT_ARROW"]),
                ("Composite.ini", self.composite, COMPOSITE_IMAGE_BUTTONS + COMPOSITE_CONTROLS),
                ("Profile.ini", self.profile, PROFILE_IMAGE_BUTTONS + ["PROGRAM_LIST"])):
            self.assertIn("SCREEN", ini, name)
            for key in keys:
                self.assertIn(key.upper(), ini["BUTTONINFO"], "%s lacks %s" % (name, key))
                x, y, w, h = layout(ini["BUTTONINFO"][key.upper()])
                self.assertFalse((x, y) == (1, 1), "%s %s is marked absent" % (name, key))
                self.assertGreater(w, 0, key)
                self.assertGreater(h, 0, key)
            for field in ("MAIN", "MASK"):
                self.assertTrue(os.path.isfile(os.path.join(SKIN, ini["SCREEN"][field])),
                                "%s SCREEN/%s names a missing file" % (name, field))
        self.assertRegex(self.main["SCREEN"]["LINK"], r"^https?://\S+$")
        self.assertEqual(len(set(KEY_BUTTONS)), 115)
        for key in ("UP_ARROW_LEFT1", "DOWN_ARROW_LEFT1", "UP_ARROW_RIGHT1", "DOWN_ARROW_RIGHT1"):
            layout(self.main["BUTTONINFO2"][key])

    def test_lighting_texts_and_effect_names_in_both_languages(self):
        for section in ("Control_Name", "Control_Name1"):
            for key in CONTROL_NAME_KEYS:
                self.assertTrue(self.main[section].get(key.upper(), "").strip(),
                                "%s/%s is empty" % (section, key))
        for section in ("Mode", "Mode1"):
            for key in EFFECTS:
                self.assertTrue(self.main[section].get(key, "").strip(),
                                "%s/%s is empty" % (section, key))
        # Chinese under the language-0 sections, English under the language-1 ones.
        self.assertTrue(all(any(ord(c) > 0x2E80 for c in v) for v in self.main["Mode"].values()))
        self.assertTrue(all(v.isascii() for v in self.main["Mode1"].values()))
        self.assertTrue(all(v.isascii() for v in self.main["Control_Name1"].values()))
        self.assertEqual(len(set(self.main["Mode1"].values())), len(EFFECTS), "repeated names")

    def test_no_two_controls_overlap_except_enter_and_right_bracket(self):
        rects = {k: layout(self.info[k.upper()]) for k in MAIN_IMAGE_BUTTONS + LIGHTING_CONTROLS +
                 ["LEFT_ARROW", "RIGHT_ARROW"]}
        for combo in COMBOS:  # only the closed box counts; the list drops over other controls
            x, y, w, _ = rects[combo]
            rects[combo] = (x, y, w, 24)
        names = sorted(rects)
        clashes = [(a, b) for i, a in enumerate(names) for b in names[i + 1:]
                   if overlaps(rects[a], rects[b]) and {a, b} != {ENTER, RIGHT_BRACKET}]
        self.assertEqual(clashes, [])
        for alternate in DIRECTION_ALTERNATES:
            moved = layout(self.info[alternate.upper()])
            others = [n for n in names if not n.startswith("CONTROL_BLFX")]
            self.assertEqual([n for n in others if overlaps(moved, rects[n])], [], alternate)

    def test_key_legends_tell_the_keys_apart(self):
        sys.path.insert(0, os.path.join(ROOT, "scripts", "skin"))
        import keyboard_layout
        codes_of = {}
        for key in keyboard_layout.build_keys():
            codes_of.setdefault(key.legend, []).append(key.code)
        shared = {legend for legend, codes in codes_of.items() if len(codes) > 1}
        # Left and right modifiers, both Enter keys, and Backspace drawn as an arrow like Left.
        self.assertEqual(shared, {("Shift",), ("Ctrl",), ("Alt",), ("Win",), ("Enter",),
                                  ("\u2190",)})

    def test_dialog_controls_do_not_overlap(self):
        # The panel image lies behind the tab's controls; the three tabs' own
        # controls share the panel and are never shown together.
        tabs = [{"TISHI_SINGLE_STATIC", "FUNC_KEY_INPUT"},
                {"MEDIA_SETTING_TISHI", "FUNC_MEDIA_SELECT"},
                {"FUNCTION_KEY_SETTING_TISHI", "FUNC_FUNCTION_SELECT"},
                {k for k in COMPOSITE_IMAGE_BUTTONS + COMPOSITE_CONTROLS
                 if k.startswith("FUNC_MACRO") or k == "MARCO_NAME_SETTING"}]
        info = self.composite["BUTTONINFO"]
        panel = layout(info["CONTROL_MASK"])
        keys = [k for k in COMPOSITE_IMAGE_BUTTONS + COMPOSITE_CONTROLS if k != "CONTROL_MASK"]
        for i, a in enumerate(keys):
            ra = layout(info[a])
            if a in ("FUNC_MACRO_LIST", "FUNC_MEDIA_SELECT", "FUNC_FUNCTION_SELECT"):
                ra = (ra[0], ra[1], ra[2], 24)
            in_tab = any(a in t for t in tabs)
            self.assertEqual(in_tab, inside((ra[0] - panel[0], ra[1] - panel[1], ra[2], ra[3]),
                                            panel[2:]), "%s and the panel" % a)
            for b in keys[i + 1:]:
                rb = layout(info[b])
                if b in ("FUNC_MACRO_LIST", "FUNC_MEDIA_SELECT", "FUNC_FUNCTION_SELECT"):
                    rb = (rb[0], rb[1], rb[2], 24)
                apart = any(a in t for t in tabs) and any(b in t for t in tabs) and not any(
                    a in t and b in t for t in tabs)
                if not apart:
                    self.assertFalse(overlaps(ra, rb), "%s overlaps %s" % (a, b))
        info = self.profile["BUTTONINFO"]
        keys = PROFILE_IMAGE_BUTTONS + ["PROGRAM_LIST"]
        for i, a in enumerate(keys):
            for b in keys[i + 1:]:
                self.assertFalse(overlaps(layout(info[a]), layout(info[b])), (a, b))

    def test_pictures_exist_and_have_the_sizes_the_layout_expects(self):
        size = picture_size(picture_path("main_mask", "bmp"))
        self.assertLessEqual(size[0], 1366, "wider than a 1366x768 screen")
        self.assertLessEqual(size[1], 728, "taller than a 1366x768 screen above its task bar")
        for name in MAIN_PICTURES:
            self.assertEqual(picture_size(picture_path(name, "jpg")), size, name)
        for key in MAIN_IMAGE_BUTTONS:
            self.assertTrue(inside(source_rect(layout(self.info[key.upper()])), size), key)
        for key in LIGHTING_CONTROLS + DIRECTION_ALTERNATES + ["LEFT_ARROW", "RIGHT_ARROW"]:
            rect = layout(self.info[key.upper()])
            if key in COMBOS:
                rect = rect[:3] + (24,)
            self.assertTrue(inside(rect, size), key)
        for bitmap, control in PANEL_BITMAPS.items():
            expected = layout(self.info[control.upper()])[2:]
            self.assertEqual(picture_size(picture_path(bitmap, "bmp")), expected, bitmap)
        arrow = picture_size(picture_path("Arrow", "jpg"))
        for key, control in (("UP_ARROW_LEFT1", "LEFT_ARROW"), ("DOWN_ARROW_LEFT1", "LEFT_ARROW"),
                             ("UP_ARROW_RIGHT1", "RIGHT_ARROW"),
                             ("DOWN_ARROW_RIGHT1", "RIGHT_ARROW")):
            x, y = layout(self.main["BUTTONINFO2"][key])[:2]
            w, h = layout(self.info[control])[2:]
            self.assertTrue(inside((x - 1, y - 1, w, h), arrow), key)
        for ini, pictures, buttons, mask in (
                (self.composite, COMPOSITE_PICTURES, COMPOSITE_IMAGE_BUTTONS, "composite_mask"),
                (self.profile, PROFILE_PICTURES, PROFILE_IMAGE_BUTTONS, "profile_mask")):
            size = picture_size(os.path.join(SKIN, ini["SCREEN"]["MASK"]))
            self.assertEqual(os.path.splitext(ini["SCREEN"]["MASK"])[0], mask)
            self.assertEqual(picture_size(os.path.join(SKIN, ini["SCREEN"]["MAIN"])), size)
            for name in pictures:
                self.assertEqual(picture_size(picture_path(name, "jpg")), size, name)
            for key in buttons:
                self.assertTrue(inside(source_rect(layout(ini["BUTTONINFO"][key])), size), key)
            for key, value in ini["BUTTONINFO"].items():
                self.assertTrue(inside(layout(value)[:3] + (min(layout(value)[3], 24),), size), key)

    def test_total_size_stays_modest(self):
        total = sum(os.path.getsize(os.path.join(SKIN, f)) for f in os.listdir(SKIN))
        self.assertLess(total, 4 * 1024 * 1024)

    def test_generator_reproduces_the_committed_ini_files(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, GENERATOR, "--ini-only", "--out", out], check=True)
            for name in ("Main.ini", "Composite.ini", "Profile.ini"):
                with open(os.path.join(out, name), "rb") as fresh, \
                        open(os.path.join(SKIN, name), "rb") as committed:
                    fresh_bytes, committed_bytes = fresh.read(), committed.read()
                if fresh_bytes != committed_bytes:
                    pairs = zip(fresh_bytes.decode("utf-16").splitlines(),
                                committed_bytes.decode("utf-16").splitlines())
                    first = next((p for p in pairs if p[0] != p[1]), ("(length)", "(length)"))
                    self.fail("%s differs from the generator's output: %r != %r (run "
                              "scripts/skin/generate_skin.py)" % (name, first[0], first[1]))


@unittest.skipIf(Image is None, "Pillow is needed to look at pixels")
class SkinPixelsTest(unittest.TestCase):
    """The caps sit under their buttons, and the four pictures differ as they should."""

    @classmethod
    def setUpClass(cls):
        cls.info = read_ini("Main.ini")["BUTTONINFO"]
        cls.pictures = {s: Image.open(picture_path(n, "jpg")).convert("L") for s, n in
                        (("N", "main_normal"), ("O", "main_over"), ("D", "main_down"),
                         ("X", "main_disable"))}

    def test_every_key_cap_fills_its_button_in_every_state(self):
        deck_max, cap_min = 40, 44
        for key in KEY_BUTTONS:
            x, y, w, h = source_rect(layout(self.info[key.upper()]))
            # Enter is wide only in its lower row and tall only in its right part.
            row = y + (3 * h // 4 if key == ENTER else h // 2)
            col = x + (3 * w // 4 if key == ENTER else w // 2)
            over = self.pictures["O"]
            self.assertLess(over.getpixel((x, row)), deck_max, "%s: no seam on the left" % key)
            self.assertLess(over.getpixel((col, y)), deck_max, "%s: no seam on top" % key)
            for px, py in ((x + 5, row), (x + w - 5, row), (col, y + 5), (col, y + h - 7)):
                self.assertGreater(over.getpixel((px, py)), cap_min,
                                   "%s: no cap at (%d, %d)" % (key, px, py))
            # The median of the top face leaves the legend out.
            face = (x + 5, y + 5, x + w - 5, y + h - 7)
            n, o, d = (sorted(self.pictures[s].crop(face).getdata())[(w - 10) * (h - 12) // 2]
                       for s in "NOD")
            self.assertGreater(o, n + 10, "%s: hover is not lighter" % key)
            self.assertLess(d, n - 8, "%s: pressed is not darker" % key)
            box = (x, y, x + w, y + h)
            normal = self.pictures["N"].crop(box).getdata()
            checked = self.pictures["X"].crop(box).getdata()
            diff = sum(abs(a - b) for a, b in zip(normal, checked)) / (w * h)
            self.assertGreater(diff, 2.0, "%s: the fourth picture looks like the first" % key)

    def test_window_masks_shape_the_windows(self):
        for name in ("main_mask", "composite_mask", "profile_mask"):
            with Image.open(picture_path(name, "bmp")) as mask:
                rgb = mask.convert("RGB")
                w, h = rgb.size
                for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
                    self.assertEqual(rgb.getpixel(corner), (255, 255, 255), name)
                for point in ((w // 2, h // 2), (w // 2, 0), (0, h // 2), (w - 1, h // 2)):
                    self.assertNotEqual(rgb.getpixel(point), (255, 255, 255), name)


if __name__ == "__main__":
    unittest.main()
