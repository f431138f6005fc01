"""End-to-end check of SkinPreview.exe under Wine and Xvfb.

Two skins are shown in turn: a small one made here with flat colours per state (so the
expected pixels are exact), and the project's sample skin in resources/skin when it exists
(expected pixels come from its pictures, one pixel left of and above the key's position).
For each, the mouse rests away from a key, then on it, then presses it; a screenshot is
taken each time and the key's pixels are compared with the state pictures.
"""

import os
import re
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run")
CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"
TITLE = "Tarvolin Skin Preview"

results = {"passed": 0, "failed": 0}


def check(condition, what):
    if condition:
        results["passed"] += 1
        print(f"ok   {what}")
    else:
        results["failed"] += 1
        print(f"FAIL {what}")


def run(*args, **kwargs):
    return subprocess.run(list(args), check=True, capture_output=True, text=True, **kwargs).stdout


def pixel(image, x, y):
    out = run(CONVERT, image, "-format", f"%[pixel:p{{{x},{y}}}]", "info:")
    numbers = [float(n) for n in re.findall(r"[\d.]+", out)]
    if "%" in out:
        numbers = [n * 255 / 100 for n in numbers]
    return tuple(round(n) for n in numbers[:3])


def mean_colour(image, x, y, width, height):
    """Average colour of a box, robust against JPEG noise."""
    out = run(CONVERT, image, "-crop", f"{width}x{height}+{x}+{y}", "+repage", "-scale", "1x1!",
              "-format", "%[fx:round(255*r)],%[fx:round(255*g)],%[fx:round(255*b)]", "info:")
    return tuple(int(n) for n in out.strip().split(","))


def close(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def read_ini(path):
    raw = open(path, "rb").read()
    if raw.startswith(b"\xff\xfe"):
        text = raw[2:].decode("utf-16-le")
    else:
        text = raw.decode("utf-8", errors="replace")
    sections, current = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].upper(), {})
        elif "=" in line and current is not None and not line.startswith(";"):
            key, value = line.split("=", 1)
            current[key.strip().upper()] = value.strip()
    return sections


def layout(value):
    numbers = [int(n) for n in re.findall(r"-?\d+", value)[:4]]
    return tuple(numbers) if len(numbers) == 4 else None


class Preview:
    def __init__(self, exe, skin_folder, log):
        self.log = open(log, "w")
        self.process = subprocess.Popen([WINE_RUN, exe, windows_path(skin_folder)],
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.window = None
        deadline = time.time() + 120
        while time.time() < deadline and self.process.poll() is None:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", TITLE],
                                   capture_output=True, text=True).stdout.split()
            if found:
                self.window = found[0]
                break
            time.sleep(0.5)
        time.sleep(1.5)  # first paint

    def origin(self):
        out = run("xdotool", "getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"])

    def close(self):
        if self.window is not None and self.process.poll() is None:
            subprocess.run(["xdotool", "key", "--window", self.window, "Escape"],
                           capture_output=True)
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()  # the wine process this script started
            self.process.wait()
        self.log.close()


def screenshot(path):
    run("import", "-window", "root", path)
    return path


def states_of_key(preview, shots, name, key_box, expected=None):
    """Screenshots with the mouse away, on the key and pressing it. `expected(state, shot)`
    tells when a screenshot shows the state; until it does (or 8 s pass) the screenshot is
    taken again, so a slow machine gets more time but a fast one does not wait."""
    ox, oy = preview.origin()
    x, y, w, h = key_box
    centre = (ox + x + w // 2, oy + y + h // 2)

    def settle(state):
        path = os.path.join(shots, f"{name}-{state}.png")
        deadline = time.time() + 8
        time.sleep(0.5)
        while True:
            screenshot(path)
            if expected is None or expected(state, path) or time.time() > deadline:
                return path
            time.sleep(0.5)

    run("xdotool", "mousemove", "1270", "1010")
    normal = settle("normal")
    run("xdotool", "mousemove", str(centre[0]), str(centre[1]))
    over = settle("over")
    run("xdotool", "mousedown", "1")
    down = settle("down")
    run("xdotool", "mouseup", "1")
    time.sleep(0.5)
    return (ox, oy), normal, over, down


def made_skin_check(exe, shots):
    skin = tempfile.mkdtemp(prefix="tarvolin-skin-")
    size = "400x300"
    run(CONVERT, "-size", size, "xc:rgb(0,0,200)", "-fill", "rgb(255,255,0)", "-draw",
        "rectangle 10,10 50,50", os.path.join(skin, "main_normal.jpg"))
    run(CONVERT, "-size", size, "xc:rgb(0,200,0)", os.path.join(skin, "main_over.jpg"))
    run(CONVERT, "-size", size, "xc:rgb(200,0,0)", os.path.join(skin, "main_down.jpg"))
    run(CONVERT, "-size", size, "xc:rgb(128,128,128)", os.path.join(skin, "main_disable.jpg"))
    run(CONVERT, "-size", size, "xc:white", "-fill", "black", "-draw", "rectangle 20,20 379,279",
        "BMP3:" + os.path.join(skin, "mask.bmp"))
    with open(os.path.join(skin, "Main.ini"), "w") as ini:
        ini.write("[SCREEN]\nMain=main_normal.jpg\nMask=mask.bmp\n"
                  "[BUTTONINFO]\nKEY_01E=100,50,60,40\nCONTROL2_APPLY=200,150,80,30\n"
                  "LOCK_CAPS=300,60,30,30\nFUNC_G1=1,1,30,30\n")
    preview = Preview(exe, skin, os.path.join(shots, "made-skin.log"))
    try:
        check(preview.window is not None, "made skin: the preview window appears")
        if preview.window is None:
            return
        colours = {"normal": (0, 0, 200), "over": (0, 200, 0), "down": (200, 0, 0)}
        ox, oy = preview.origin()
        key = (ox + 130, oy + 70)
        (ox, oy), normal, over, down = states_of_key(
            preview, shots, "made", (100, 50, 60, 40),
            lambda state, shot: close(pixel(shot, *key), colours[state], 8))
        check(close(pixel(normal, *key), (0, 0, 200), 8), "made skin: key shows normal picture")
        check(close(pixel(over, *key), (0, 200, 0), 8), "made skin: hovered key shows over picture")
        check(close(pixel(down, *key), (200, 0, 0), 8), "made skin: pressed key shows down picture")
        # Only the key changes: the Apply button next to it keeps its normal picture.
        check(close(pixel(down, ox + 240, oy + 165), (0, 0, 200), 8),
              "made skin: other buttons stay normal")
        # The key's edge pixels come from its own rectangle of the over picture.
        check(close(pixel(over, ox + 100, oy + 50), (0, 200, 0), 8)
              and close(pixel(over, ox + 99, oy + 50), (0, 0, 200), 8),
              "made skin: the hovered key covers exactly its rectangle")
        # The mask's white border is cut away: the screen behind shows there.
        check(pixel(normal, ox + 5, oy + 5) != pixel(normal, ox + 30, oy + 100),
              "made skin: the mask's white border is not part of the window")
        check(close(pixel(normal, ox + 30, oy + 30), (255, 255, 0), 40),
              "made skin: the background picture fills the window")
        # Pressing an empty part of the window drags it.
        run("xdotool", "mousemove", str(ox + 300), str(oy + 250))
        run("xdotool", "mousedown", "1")
        time.sleep(0.3)
        for step in range(1, 6):
            run("xdotool", "mousemove", str(ox + 300 + 10 * step), str(oy + 250 + 6 * step))
            time.sleep(0.2)
        run("xdotool", "mouseup", "1")
        time.sleep(1.0)
        nx, ny = preview.origin()
        check((nx - ox, ny - oy) == (50, 30), f"made skin: dragging moved the window by "
              f"({nx - ox}, {ny - oy}), expected (50, 30)")
    finally:
        preview.close()


def bad_skin_check(exe, shots):
    """Garbage values, a cut-off JPG and missing pictures: the window still shows; a missing
    background ends the program quietly with exit code 0."""
    skin = tempfile.mkdtemp(prefix="tarvolin-bad-skin-")
    run(CONVERT, "-size", "300x200", "xc:rgb(0,0,200)", os.path.join(skin, "main_normal.jpg"))
    whole = open(os.path.join(skin, "main_normal.jpg"), "rb").read()
    open(os.path.join(skin, "main_over.jpg"), "wb").write(whole[: len(whole) // 3])
    with open(os.path.join(skin, "Main.ini"), "w") as ini:
        ini.write("[SCREEN]\nMain=main_normal.jpg\nMask=missing_mask.bmp_is_not_here_either\n")
    preview = Preview(exe, skin, os.path.join(shots, "bad-mask.log"))
    preview.close()
    check(preview.window is None and preview.process.returncode == 0,
          "bad skin: a missing mask picture ends the program with exit code 0, no window")

    with open(os.path.join(skin, "Main.ini"), "w") as ini:
        ini.write("[SCREEN]\nMain=main_normal.jpg\n[BUTTONINFO]\nKEY_01E=garbage,,x\n"
                  "KEY_01F=50,40,60,30,\u00e9xtra\nKEY_020=-20,-20,-5,-5\n"
                  "KEY_021=99999999999999,5,5,5\n")
    preview = Preview(exe, skin, os.path.join(shots, "bad-values.log"))
    try:
        check(preview.window is not None, "bad skin: garbage values and broken pictures still "
              "give a window")
        if preview.window is not None:
            (ox, oy), normal, over, down = states_of_key(preview, shots, "bad", (50, 40, 60, 30))
            check(preview.process.poll() is None, "bad skin: hovering and pressing crash nothing")
            # The over picture is a cut-off JPG and main_down.jpg is missing: the key shows
            # whatever those surfaces hold, but the untouched background stays blue.
            check(close(pixel(normal, ox + 200, oy + 150), (0, 0, 200), 8),
                  "bad skin: background still shown")
    finally:
        preview.close()
    check(preview.process.returncode == 0, "bad skin: the preview ended normally")

    os.remove(os.path.join(skin, "main_normal.jpg"))
    preview = Preview(exe, skin, os.path.join(shots, "bad-background.log"))
    preview.close()
    check(preview.window is None and preview.process.returncode == 0,
          "bad skin: a missing background ends the program with exit code 0, no window")


def sample_skin_check(exe, shots):
    skin = os.path.join(ROOT, "resources", "skin")
    if not os.path.exists(os.path.join(skin, "Main.ini")):
        print("skip sample skin: resources/skin/Main.ini not there")
        return
    buttons = read_ini(os.path.join(skin, "Main.ini")).get("BUTTONINFO", {})
    key_box = layout(buttons.get("KEY_01E", ""))
    check(key_box is not None and key_box[:2] != (1, 1), "sample skin: KEY_01E is placed")
    if key_box is None:
        return
    preview = Preview(exe, skin, os.path.join(shots, "sample-skin.log"))
    try:
        check(preview.window is not None, "sample skin: the preview window appears")
        if preview.window is None:
            return
        x, y, w, h = key_box
        # Compare the key's inner box (away from its edges) with the same box of each state
        # picture, taken one pixel left of and above the key's position.
        inner = (x + w // 4, y + h // 4, w // 2, h // 2)
        pictures = {"normal": "main_normal.jpg", "over": "main_over.jpg", "down": "main_down.jpg"}
        wanted = {state: mean_colour(os.path.join(skin, picture), inner[0] - 1, inner[1] - 1,
                                     inner[2], inner[3])
                  for state, picture in pictures.items()}
        ox, oy = preview.origin()

        def shown_in(shot):
            return mean_colour(shot, ox + inner[0], oy + inner[1], inner[2], inner[3])

        (ox, oy), normal, over, down = states_of_key(
            preview, shots, "sample", key_box,
            lambda state, shot: close(shown_in(shot), wanted[state], 12))
        seen = {}
        for state, shot in (("normal", normal), ("over", over), ("down", down)):
            expected = wanted[state]
            shown = shown_in(shot)
            seen[state] = shown
            check(close(shown, expected, 12),
                  f"sample skin: {state} key shows {shown}, picture has {expected}")
        check(not close(seen["normal"], seen["over"], 6) and not close(seen["over"], seen["down"], 6)
              and not close(seen["normal"], seen["down"], 6),
              "sample skin: normal, over and down differ on screen")
        # The lighting panel's lists and texts lie near the report-rate buttons; placed as
        # controls they leave the buttons free, so hovering one shows its over picture.
        rate_box = layout(buttons.get("FUNC_REPORT2", ""))
        check(rate_box is not None, "sample skin: FUNC_REPORT2 is placed")
        if rate_box is not None:
            rx, ry, rw, rh = rate_box
            rate_over = mean_colour(os.path.join(skin, "main_over.jpg"), rx - 1, ry - 1, rw, rh)

            def rate_shown(shot):
                return mean_colour(shot, ox + rx, oy + ry, rw, rh)

            _, rate_normal, rate_hover, _ = states_of_key(
                preview, shots, "sample-rate", rate_box,
                lambda state, shot: state != "over" or close(rate_shown(shot), rate_over, 12))
            check(close(rate_shown(rate_hover), rate_over, 12)
                  and not close(rate_shown(rate_normal), rate_over, 3),
                  "sample skin: the 500 Hz button takes the mouse (no control lies over it)")
    finally:
        preview.close()


def main():
    if len(sys.argv) < 2:
        print("usage: preview-e2e SkinPreview.exe [screenshot folder]")
        return 2
    exe = sys.argv[1]
    shots = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp(prefix="tarvolin-shots-")
    os.makedirs(shots, exist_ok=True)
    print(f"screenshots in {shots}")
    made_skin_check(exe, shots)
    bad_skin_check(exe, shots)
    sample_skin_check(exe, shots)
    print(f"{results['passed']} passed, {results['failed']} failed")
    return 0 if results["failed"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
