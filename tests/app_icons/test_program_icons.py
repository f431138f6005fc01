"""Checks of the committed program icons (resources/app/*.ico).

The file layout is read here byte by byte rather than through the generator's own
writer, so a slip in the writer is caught, not repeated.
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.environ.get("TARVOLIN_SOURCE_DIR") or os.path.normpath(
    os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
APP = os.path.join(ROOT, "resources", "app")
GENERATOR = os.path.join(ROOT, "scripts", "skin", "program_icons.py")
NAMES = ["keyboard_absent", "keyboard_attached", "macro_playing"]
SIZES = [16, 20, 24, 32, 48, 256]

try:
    from PIL import Image
except ImportError:
    Image = None


def read_entries(path):
    """(side, bits, data) of each directory entry, checking the directory itself."""
    with open(path, "rb") as f:
        blob = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", blob, 0)
    assert (reserved, kind) == (0, 1), "not an icon file"
    entries = []
    for i in range(count):
        w, h, colours, zero, planes, bits, size, offset = struct.unpack_from(
            "<BBBBHHII", blob, 6 + 16 * i)
        assert w == h and colours == 0 and zero == 0 and planes == 1
        assert offset + size <= len(blob), "entry runs past the end of the file"
        entries.append((w or 256, bits, blob[offset:offset + size]))
    return entries


def dib_pixels(side, data):
    """BGRA rows bottom-up of a 32-bit DIB entry, checked against its header and mask."""
    header = struct.unpack_from("<IiiHHIIiiII", data, 0)
    assert header[0] == 40 and header[1] == side and header[2] == 2 * side
    assert header[3] == 1 and header[4] == 32 and header[5] == 0
    colour_bytes = side * side * 4
    mask_row = ((side + 31) // 32) * 4
    assert len(data) == 40 + colour_bytes + mask_row * side
    pixels = []
    for row in range(side):  # bottom-up in the file
        y = side - 1 - row
        for x in range(side):
            b, g, r, a = data[40 + 4 * (row * side + x):40 + 4 * (row * side + x) + 4]
            masked = data[40 + colour_bytes + row * mask_row + x // 8] & (0x80 >> (x % 8))
            assert bool(masked) == (a == 0), "AND mask disagrees with alpha at %d,%d" % (x, y)
            pixels.append(((x, y), (r, g, b, a)))
    return dict(pixels)


class ProgramIcons(unittest.TestCase):
    def test_every_size_is_a_32_bit_entry_with_alpha(self):
        for name in NAMES:
            entries = read_entries(os.path.join(APP, name + ".ico"))
            self.assertEqual([e[0] for e in entries], SIZES, name)
            for side, bits, data in entries:
                self.assertEqual(bits, 32, (name, side))
                if side == 256:
                    self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n", name)
                    continue
                alphas = [p[3] for p in dib_pixels(side, data).values()]
                self.assertIn(0, alphas, (name, side, "no transparent pixel"))
                self.assertIn(255, alphas, (name, side, "no opaque pixel"))

    def test_the_three_states_differ_at_16_pixels(self):
        small = {}
        for name in NAMES:
            side, _, data = read_entries(os.path.join(APP, name + ".ico"))[0]
            small[name] = dib_pixels(side, data)

        def count(name, test):
            return sum(1 for r, g, b, a in small[name].values() if a > 200 and test(r, g, b))

        cyan = lambda r, g, b: b > 180 and g > 180 and r < 160
        red = lambda r, g, b: r > 180 and g < 110 and b < 110
        self.assertEqual(count("keyboard_absent", cyan), 0, "the absent keyboard is lit")
        self.assertGreater(count("keyboard_attached", cyan), 40)
        self.assertEqual(count("keyboard_attached", red), 0)
        self.assertGreater(count("macro_playing", red), 15, "no visible red badge")
        self.assertGreater(count("macro_playing", cyan), 20)
        # Even side by side in grey the absent icon differs from the lit one in most pixels.
        grey = lambda p: (p[0] * 3 + p[1] * 6 + p[2]) // 10 if p[3] else -1
        differ = sum(1 for xy in small["keyboard_absent"]
                     if abs(grey(small["keyboard_absent"][xy]) - grey(small["keyboard_attached"][xy])) > 40)
        self.assertGreater(differ, 60)

    @unittest.skipIf(Image is None, "Pillow is not installed")
    def test_generator_reproduces_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            sheet = os.path.join(out, "sheet.png")
            subprocess.run([sys.executable, GENERATOR, "--out", out, "--sheet", sheet], check=True)
            for name in NAMES:
                with open(os.path.join(out, name + ".ico"), "rb") as a, \
                        open(os.path.join(APP, name + ".ico"), "rb") as b:
                    self.assertEqual(a.read(), b.read(), name + ".ico is not what the generator writes")
            with Image.open(sheet) as img:  # the sheet reads every size back through Pillow
                self.assertGreater(img.size[0], 256)


if __name__ == "__main__":
    unittest.main()
