#!/usr/bin/python3
"""Mock-up of the main window as the program shows it, for checking the skin
by eye: the normal picture with the panel bitmaps, labels and captions laid
where the skin file puts them, a few keys in other states.

Usage: preview.py [--skin DIR] [--effect N] [--scale F] [--composite TAB] OUT.png
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw  # noqa: E402

import drawing as dr  # noqa: E402
import generate_skin  # noqa: E402
import theme as th  # noqa: E402
from text_tables import CONTROL_NAMES, EFFECT_NAMES  # noqa: E402


TEXT_SCALE = 1.0


def caption_font(size):
    return dr.font(round(size * TEXT_SCALE))


def read_ini(path):
    text = open(path, "rb").read().decode("utf-16")
    sections, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and current is not None and not line.startswith(";"):
            key, value = line.split("=", 1)
            current[key] = value
    return sections


def rect(value):
    return tuple(int(v) for v in value.split(",")[:4])


def show_button(canvas, pictures, info, key, state):
    x, y, w, h = rect(info[key])
    canvas.paste(pictures[state].crop((x - 1, y - 1, x - 1 + w, y - 1 + h)), (x, y))
    return x, y, w, h


def composite_preview(skin, tab_set):
    """The composite dialog on one tab, with sample captions and list contents."""
    info = read_ini(os.path.join(skin, "Composite.ini"))["BUTTONINFO"]
    pictures = {s: Image.open(os.path.join(skin, "%s_%s.jpg" % (tab_set, n))).convert("RGB")
                for s, n in (("N", "normal"), ("O", "over"))}
    canvas = Image.open(os.path.join(skin, "key_normal.jpg")).convert("RGB")
    draw = ImageDraw.Draw(canvas)
    macro = tab_set.startswith("macro")
    captions = {"CONTROL_KEY": "Single key", "CONTROL_MACRO": "Macro",
                "CONTROL_MEDIA": "Multimedia", "CONTROL_FUNCTION": "Function",
                "CONTROL_OK": "OK", "CONTROL_CANCEL": "Cancel"}
    if macro:
        captions.update({"FUNC_MACRO_RECORD": "Record", "FUNC_MACRO_UP_TOP": "Top",
                         "FUNC_MACRO_UP": "Up", "FUNC_MACRO_DOWN": "Down",
                         "FUNC_MACRO_DOWN_BOTTOM": "Bottom", "FUNC_MACRO_DELETE2": "Delete",
                         "FUNC_MACRO_CLEAR": "Clear"})
    shown = ["CONTROL_MASK", "CONTROL_TITLE", "CONTROL_CLEAR", "CONTROL_OSK"] + list(captions)
    if macro:
        shown += ["FUNC_MACRO_ADD", "FUNC_MACRO_DELETE"]
    for key in shown:
        state = "O" if key == "CONTROL_OK" else "N"
        x, y, w, h = show_button(canvas, pictures, info, key, state)
        if key in captions:
            draw.text((x + w / 2, y + h / 2), captions[key], font=caption_font(12),
                      fill=(255, 255, 255), anchor="mm")
    labels = {"KEY_SETTING": "Choose what this key does"}
    if macro:
        labels.update({"MARCO_NAME_SETTING": "Macro", "FUNC_MACRO_CYCLES_PROMPT": "Cycles",
                       "FUNC_MACRO_RECORD_DELAY2": "Record delays"})
    elif tab_set == "key":
        labels["TISHI_SINGLE_STATIC"] = "Press the key to assign"
    for key, value in labels.items():
        x, y, w, h = rect(info[key])
        draw.text((x, y + h / 2), value, font=caption_font(12), fill=(228, 228, 228), anchor="lm")
    boxes = []
    if macro:
        boxes = [("FUNC_MACRO_LIST", "Macro1"), ("FUNC_MACRO_CYCLES", "1"),
                 ("FUNC_MACRO_LIST2", "")]
    elif tab_set == "key":
        boxes = [("FUNC_KEY_INPUT", "Right Ctrl")]
    for key, value in boxes:
        x, y, w, h = rect(info[key])
        h = 24 if key == "FUNC_MACRO_LIST" else h
        draw.rectangle((x, y, x + w - 1, y + h - 1), fill=(250, 250, 250), outline=(120, 120, 120))
        draw.text((x + 6, y + h / 2), value, font=caption_font(12), fill=(0, 0, 0), anchor="lm")
    if macro:
        x, y, w, h = rect(info["FUNC_MACRO_LIST2"])
        for i, row in enumerate((("A", "Down", "50"), ("A", "Up", "120"), ("B", "Down", "30"))):
            for col, (cx, cell) in enumerate(zip((x + 6, x + 46, x + 96), row)):
                draw.text((cx, y + 12 + i * 18), cell, font=caption_font(11),
                          fill=(120, 120, 120) if col < 2 else (0, 0, 0), anchor="lm")
        x, y, w, h = rect(info["FUNC_MACRO_RECORD_DELAY"])
        draw.rectangle((x + 2, y + 3, x + 15, y + 16), outline=(200, 200, 200))
    return canvas


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("--skin", default=generate_skin.DEFAULT_OUT)
    parser.add_argument("--effect", type=int, default=254)
    parser.add_argument("--scale", type=float, default=1.0)
    parser.add_argument("--text-scale", type=float, default=1.0,
                        help="size of the program's captions, as at 150%% display scaling")
    parser.add_argument("--composite", choices=("key", "macro", "macro2", "media", "function"),
                        help="show the composite dialog on this tab instead of the main window")
    parser.add_argument("out")
    args = parser.parse_args(argv)
    skin = args.skin
    global TEXT_SCALE
    TEXT_SCALE = args.text_scale
    if args.composite:
        composite_preview(skin, args.composite).save(args.out)
        return 0
    ini = read_ini(os.path.join(skin, "Main.ini"))
    info = ini["BUTTONINFO"]
    pictures = {s: Image.open(os.path.join(skin, "main_%s.jpg" % n)).convert("RGB")
                for s, n in (("N", "normal"), ("O", "over"), ("D", "down"), ("X", "disable"))}
    canvas = pictures["N"].copy()
    for key in info:  # every image button shows its normal picture, shifted as the program does
        if key.startswith(("KEY_", "FUNC_", "CONTROL_OK", "CONTROL_CANCEL", "CONTROL2", "LOCK",
                           "FLIP", "TOVRAN", "CONTROL_HELP", "CONTROL_MENU", "CONTROL_CLOSE",
                           "CONTROL_MINIMIZE")) and key != "FUNC_SWITCH":
            show_button(canvas, pictures, info, key, "N")
    for key, state in (("KEY_01E", "O"), ("KEY_01F", "D"), ("KEY_020", "X"), ("FUNC_G1", "X"),
                       ("FUNC_PROFILE1", "X"), ("FUNC_REPORT1", "X"), ("LOCK_NUM", "O"),
                       ("KEY_01C", "O"), ("KEY_01B", "N")):
        show_button(canvas, pictures, info, key, state)
    draw = ImageDraw.Draw(canvas)
    captions = {"FUNC_PROFILE1": "Profile 1", "FUNC_PROFILE2": "Profile 2",
                "FUNC_PROFILE3": "Profile 3", "FUNC_DEFAULT": "Restore defaults",
                "FUNC_MACRO": "Macro", "CONTROL2_APPLY": "Apply", "CONTROL_OK": "OK",
                "CONTROL_CANCEL": "Cancel", "FUNC_G1": "A1", "FUNC_G2": "A2", "FUNC_G3": "A3",
                "FUNC_G4": "A4", "FUNC_G5": "A5"}
    for key, caption in captions.items():
        x, y, w, h = rect(info[key])
        draw.text((x + w / 2, y + h / 2), caption, font=caption_font(12), fill=(255, 255, 255),
                  anchor="mm")
    x, y, w, h = rect(info["FUNC_PROFILES"])
    label = Image.new("L", (140, 20), 0)
    ImageDraw.Draw(label).text((0, 10), "$Profile0", font=caption_font(13), fill=255, anchor="lm")
    label = label.rotate(26.8, expand=True, resample=Image.BICUBIC)
    canvas.paste((228, 228, 228), (x + 70, y + h - label.size[1] + 4), label)
    labels = {key: en for key, _, en in CONTROL_NAMES}
    visible = ["Usb", "Deng", "Light", "Speed"]
    visible += ["Tool", "DC", "LEDOFF"] if args.effect == 254 else ["FX"]
    for ctl, name in (("CONTROL_UsbStatic", "Usb"), ("CONTROL_DengStatic", "Deng"),
                      ("CONTROL_LightStatic", "Light"), ("CONTROL_SpeedStatic", "Speed"),
                      ("CONTROL_BLFXStatic", "FX"), ("CONTROL_USERgjStatic", "Tool"),
                      ("CONTROL_HXsjsStatic", "DC"), ("CONTROL_LEDsjsStatic", "LEDOFF")):
        if name in visible:
            x, y, w, h = rect(info[ctl])
            draw.text((x, y + h / 2), labels[name], font=caption_font(12), fill=(228, 228, 228),
                      anchor="lm")
    pics = [("CONTROL_DengStaPic", "dengdown"), ("CONTROL_LightSlider", "3"),
            ("CONTROL_SpeedSlider", "7"), ("CONTROL_JDTStatic", "jdt4")]
    if args.effect == 254:
        pics += [("CONTROL_USERgjStaPic1", "user1down"), ("CONTROL_USERgjStaPic2", "user2up"),
                 ("CONTROL_HXsjsStaPic", "sjsup"), ("CONTROL_LEDsjsStaPic", "sjsdown")]
        combos = [("CONTROL_XGcombox", EFFECT_NAMES[254][1]), ("CONTROL_umCombo", "USER_MODE1")]
    else:
        pics += [("CONTROL_BLFXLStaPic", "leftdown"), ("CONTROL_BLFXRStaPic", "rightup")]
        combos = [("CONTROL_XGcombox", EFFECT_NAMES.get(args.effect, ("", "?"))[1])]
    for ctl, name in pics:
        x, y, w, h = rect(info[ctl])
        canvas.paste(Image.open(os.path.join(skin, name + ".bmp")).convert("RGB"), (x, y))
    for ctl, value in combos:
        x, y, w, _ = rect(info[ctl])
        draw.rectangle((x, y, x + w - 1, y + 23), fill=(40, 44, 50), outline=th.CARD_EDGE)
        draw.text((x + 6, y + 12), value, font=caption_font(12), fill=(228, 228, 228), anchor="lm")
        draw.text((x + w - 12, y + 12), "\u25be", font=caption_font(12), fill=(180, 180, 180),
                  anchor="mm")
    if args.scale != 1.0:
        canvas = canvas.resize((round(canvas.size[0] * args.scale),
                                round(canvas.size[1] * args.scale)), Image.LANCZOS)
    canvas.save(args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
