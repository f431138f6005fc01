"""Icon masks, drawn as vectors so they stay crisp at any button size.

Each icon is drawn in a square of side `m` centred in the box; `scale`
enlarges or shrinks it against the default of half the box's shorter side.
"""

import math

import drawing as dr


def _square(size, scale):
    m = min(size) * 0.5 * scale
    return size[0] / 2, size[1] / 2, m


def _lines(points_list, width):
    def draw(d, s, cx, cy, m):
        for points in points_list:
            pts = [((cx + px * m / 2) * s, (cy + py * m / 2) * s) for px, py in points]
            d.line(pts, fill=255, width=max(1, round(width * s)), joint="curve")
            r = width * s / 2
            for px, py in (pts[0], pts[-1]):
                d.ellipse((px - r, py - r, px + r, py + r), fill=255)
    return draw


def _polygon(points):
    def draw(d, s, cx, cy, m):
        d.polygon([((cx + px * m / 2) * s, (cy + py * m / 2) * s) for px, py in points], fill=255)
    return draw


def _combine(*parts):
    def draw(d, s, cx, cy, m):
        for part in parts:
            part(d, s, cx, cy, m)
    return draw


def _ellipse(x0, y0, x1, y1, width=None):
    def draw(d, s, cx, cy, m):
        box = ((cx + x0 * m / 2) * s, (cy + y0 * m / 2) * s, (cx + x1 * m / 2) * s,
               (cy + y1 * m / 2) * s)
        if width is None:
            d.ellipse(box, fill=255)
        else:
            d.ellipse(box, outline=255, width=max(1, round(width * s)))
    return draw


def _rect(x0, y0, x1, y1, radius=0.0, width=None):
    def draw(d, s, cx, cy, m):
        box = ((cx + x0 * m / 2) * s, (cy + y0 * m / 2) * s, (cx + x1 * m / 2) * s,
               (cy + y1 * m / 2) * s)
        r = radius * m / 2 * s
        if width is None:
            d.rounded_rectangle(box, r, fill=255)
        else:
            d.rounded_rectangle(box, r, outline=255, width=max(1, round(width * s)))
    return draw


def _arc(x0, y0, x1, y1, start, end, width):
    def draw(d, s, cx, cy, m):
        box = ((cx + x0 * m / 2) * s, (cy + y0 * m / 2) * s, (cx + x1 * m / 2) * s,
               (cy + y1 * m / 2) * s)
        d.arc(box, start, end, fill=255, width=max(1, round(width * s)))
    return draw


def _triangle(direction, size=0.9):
    a = size
    shapes = {
        "left": [(-a * 0.8, 0), (a * 0.55, -a), (a * 0.55, a)],
        "right": [(a * 0.8, 0), (-a * 0.55, -a), (-a * 0.55, a)],
        "up": [(0, -a * 0.8), (-a, a * 0.55), (a, a * 0.55)],
        "down": [(0, a * 0.8), (-a, -a * 0.55), (a, -a * 0.55)],
    }
    return _polygon(shapes[direction])


def _gear():
    def draw(d, s, cx, cy, m):
        teeth = 8
        points = []
        for i in range(teeth * 2):
            angle = math.pi * i / teeth
            r = (1.0 if i % 2 == 0 else 0.78) * m / 2
            for da in (-0.17, 0.17):
                a = angle + da
                points.append(((cx + r * math.cos(a)) * s, (cy + r * math.sin(a)) * s))
        d.polygon(points, fill=255)
        r = 0.32 * m / 2 * s
        d.ellipse((cx * s - r, cy * s - r, cx * s + r, cy * s + r), fill=0)
    return draw


ICONS = {
    "close": _lines([[(-0.55, -0.55), (0.55, 0.55)], [(0.55, -0.55), (-0.55, 0.55)]], 1.4),
    "minimize": _lines([[(-0.6, 0.1), (0.6, 0.1)]], 1.4),
    "menu": _lines([[(-0.65, -0.5), (0.65, -0.5)], [(-0.65, 0), (0.65, 0)],
                    [(-0.65, 0.5), (0.65, 0.5)]], 1.4),
    "help": _combine(_arc(-0.55, -0.95, 0.55, 0.15, 180, 90, 1.5),
                     _lines([[(0.0, 0.15), (0.0, 0.3)]], 1.5), _ellipse(-0.14, 0.62, 0.14, 0.9)),
    "plus": _lines([[(-0.6, 0), (0.6, 0)], [(0, -0.6), (0, 0.6)]], 1.8),
    "minus": _lines([[(-0.6, 0), (0.6, 0)]], 1.8),
    "ok": _lines([[(-0.7, 0.05), (-0.2, 0.55), (0.7, -0.5)]], 2.0),
    "cancel": _lines([[(-0.55, -0.55), (0.55, 0.55)], [(0.55, -0.55), (-0.55, 0.55)]], 2.0),
    "apply": _combine(_lines([[(0, -0.85), (0, 0.3)], [(-0.45, -0.12), (0, 0.33), (0.45, -0.12)],
                              [(-0.8, 0.35), (-0.8, 0.8), (0.8, 0.8), (0.8, 0.35)]], 1.6)),
    "restore": _combine(_arc(-0.75, -0.75, 0.75, 0.75, 200, 135, 1.6),
                        _polygon([(-0.95, -0.55), (-0.35, -0.6), (-0.75, -0.05)])),
    "keyboard": _combine(_rect(-1.0, -0.6, 1.0, 0.6, 0.15, 1.3),
                         _lines([[(-0.6, -0.2), (-0.55, -0.2)], [(-0.2, -0.2), (-0.15, -0.2)],
                                 [(0.2, -0.2), (0.25, -0.2)], [(0.6, -0.2), (0.55, -0.2)],
                                 [(-0.45, 0.22), (0.45, 0.22)]], 1.5)),
    "add_file": _combine(_lines([[(-0.55, -0.9), (0.2, -0.9), (0.6, -0.5), (0.6, 0.2)],
                                 [(-0.55, -0.9), (-0.55, 0.85), (0.0, 0.85)],
                                 [(0.55, 0.35), (0.55, 0.95)], [(0.25, 0.65), (0.85, 0.65)]], 1.4)),
    "folder": _combine(_lines([[(-0.9, 0.7), (-0.9, -0.7), (-0.35, -0.7), (-0.15, -0.45),
                                (0.75, -0.45), (0.75, -0.15)],
                               [(-0.9, 0.7), (-0.55, -0.15), (1.0, -0.15), (0.65, 0.7),
                                (-0.9, 0.7)]],
                              1.4)),
    "trash": _combine(_lines([[(-0.8, -0.6), (0.8, -0.6)], [(-0.25, -0.6), (-0.2, -0.85),
                                                             (0.2, -0.85), (0.25, -0.6)],
                              [(-0.6, -0.45), (-0.45, 0.9), (0.45, 0.9), (0.6, -0.45)],
                              [(-0.15, -0.25), (-0.12, 0.6)], [(0.15, -0.25), (0.12, 0.6)]], 1.3)),
    "swap": _lines([[(-0.35, 0.8), (-0.35, -0.7)], [(-0.75, -0.3), (-0.35, -0.75), (0.05, -0.3)],
                    [(0.35, -0.8), (0.35, 0.7)], [(-0.05, 0.3), (0.35, 0.75), (0.75, 0.3)]], 1.3),
    "left": _triangle("left"),
    "right": _triangle("right"),
    "up": _triangle("up"),
    "down": _triangle("down"),
    "chevron_up": _lines([[(-0.6, 0.3), (0, -0.3), (0.6, 0.3)]], 1.6),
    "chevron_down": _lines([[(-0.6, -0.3), (0, 0.3), (0.6, -0.3)]], 1.6),
    "diffuse": _combine(_polygon([(-1.0, 0), (-0.45, -0.5), (-0.45, 0.5)]),
                        _polygon([(1.0, 0), (0.45, -0.5), (0.45, 0.5)]),
                        _ellipse(-0.18, -0.18, 0.18, 0.18)),
    "converge": _combine(_polygon([(-0.3, 0), (-0.85, -0.5), (-0.85, 0.5)]),
                         _polygon([(0.3, 0), (0.85, -0.5), (0.85, 0.5)]),
                         _ellipse(-0.15, -0.15, 0.15, 0.15)),
    "brush": _combine(_lines([[(0.75, -0.8), (-0.05, 0.15)]], 1.6),
                      _polygon([(-0.05, 0.0), (0.15, 0.2), (-0.3, 0.85), (-0.85, 0.9),
                                (-0.6, 0.45)])),
    "eraser": _combine(_polygon([(0.2, -0.85), (0.9, -0.15), (0.05, 0.7), (-0.65, 0.0)]),
                       _lines([[(-0.65, 0.0), (-0.95, 0.3), (-0.55, 0.7), (0.05, 0.7)],
                               [(-0.55, 0.85), (0.85, 0.85)]], 1.2)),
    "grid": _combine(*[_rect(-0.9 + c * 0.65, -0.9 + r * 0.65, -0.9 + c * 0.65 + 0.5,
                             -0.9 + r * 0.65 + 0.5, 0.1) for r in range(3) for c in range(3)]),
    "record": _ellipse(-0.55, -0.55, 0.55, 0.55),
    "stop": _rect(-0.5, -0.5, 0.5, 0.5, 0.12),
    "gear": _gear(),
    "bulb": _combine(_ellipse(-0.6, -0.95, 0.6, 0.3, 1.2),
                     _lines([[(-0.3, 0.45), (0.3, 0.45)], [(-0.22, 0.75), (0.22, 0.75)]], 1.2)),
    "note": _combine(_ellipse(-0.75, 0.35, -0.15, 0.85), _ellipse(0.25, 0.15, 0.85, 0.65),
                     _lines([[(-0.18, 0.6), (-0.18, -0.75), (0.82, -0.95), (0.82, 0.4)],
                             [(-0.18, -0.4), (0.82, -0.6)]], 1.3)),
    "keycap": _combine(_rect(-0.9, -0.9, 0.9, 0.9, 0.25, 1.2),
                       _rect(-0.6, -0.7, 0.6, 0.4, 0.15, 1.0)),
}


def mask(name, size, scale=1.0):
    cx, cy, m = _square(size, scale)
    return dr.vector_mask(size, lambda d, s: ICONS[name](d, s, cx, cy, m))
