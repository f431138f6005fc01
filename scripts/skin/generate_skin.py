#!/usr/bin/python3
"""Writes the sample Skins folder: the three skin INI files and every picture.

Usage: generate_skin.py [--out DIR] [--ini-only]

The output is deterministic: fixed JPEG quality and options, no timestamps,
so running it again over the committed folder changes nothing.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ini_files  # noqa: E402

JPEG_QUALITY = 90
DEFAULT_OUT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                            "resources", "skin"))


def write_ini(out):
    for name, build in ini_files.INI_FILES.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(build())


def _save_jpeg(img, path):
    img.convert("RGB").save(path, "JPEG", quality=JPEG_QUALITY, subsampling=0, optimize=False,
                            progressive=False)


def write_pictures(out):
    # Pillow is needed only for the pictures; the INI files build without it.
    try:
        import dialog_pictures
        import main_pictures
        import panel_bitmaps
    except ImportError as error:
        raise SystemExit("%s: run with /usr/bin/python3 after apt-get install python3-pil" % error)

    jpegs, bitmaps = main_pictures.render_all()
    more_jpegs, more_bitmaps = dialog_pictures.render_all()
    jpegs.update(more_jpegs)
    bitmaps.update(more_bitmaps)
    bitmaps.update(panel_bitmaps.render_all())
    for name, img in sorted(jpegs.items()):
        _save_jpeg(img, os.path.join(out, name + ".jpg"))
    for name, img in sorted(bitmaps.items()):
        img.save(os.path.join(out, name + ".bmp"), "BMP")


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT, help="folder to write (default: %(default)s)")
    parser.add_argument("--ini-only", action="store_true", help="write the INI files only")
    args = parser.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    write_ini(args.out)
    if not args.ini_only:
        write_pictures(args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
