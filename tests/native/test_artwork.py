#!/usr/bin/python3
"""Checks the committed launcher bitmaps against the dialog's layout: file format, where each painted
element's ink lies, the places that must stay empty, the greyed variant, the check mark, and that
tools/art/generate_art.py still reproduces the files byte for byte."""

import importlib.util
import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
RES = ROOT / "launcher" / "resources"
GENERATOR = ROOT / "tools" / "art" / "generate_art.py"
ARTWORK = ("background_full.bmp", "background_reduced.bmp", "checkmark.bmp", "launcher.ico")

OLIVE = (159, 130, 53)
TOLERANCE = 2  # the layout's extents are approximate by a pixel of soft edge either way
SEARCH = 8  # how far around an element's box its ink is looked for


# What counts as ink for each painting style. The amber background has red above 190 everywhere,
# so the dark brown letters are the pixels at least halfway from it to their colour.
def dark(p):
    return p[0] < 120


def olive(p):
    return all(abs(a - b) <= 24 for a, b in zip(p, OLIVE))


def button(p):
    near_white = p[0] >= 235 and p[1] >= 228 and p[2] >= 215
    return near_white or dark(p)  # the letters and the core of their drop shadow


FULL, REDUCED = "background_full.bmp", "background_reduced.bmp"
BOTH = (FULL, REDUCED)

# Element, ink, inclusive extents (left, top, right, bottom), backgrounds showing it.
ELEMENTS = [
    ("logo", dark, (131, 21, 291, 82), BOTH),
    ("introduction", dark, (36, 98, 371, 136), BOTH),
    ("RESOLUTION", dark, (39, 147, 155, 172), BOTH),
    ("GRAPHICS QUALITY", dark, (39, 223, 231, 247), BOTH),
    ("NORMAL (DEFAULT)", dark, (104, 258, 273, 274), BOTH),
    ("ULTRA HIGH", dark, (103, 291, 207, 307), (FULL,)),
    ("ULTRA HIGH greyed", olive, (103, 291, 207, 307), (REDUCED,)),
    ("ULTRA HIGH note", dark, (242, 292, 426, 330), (FULL,)),
    ("ULTRA HIGH unavailable note", dark, (106, 319, 387, 357), (REDUCED,)),
    ("SCREEN MODE", dark, (36, 380, 181, 404), BOTH),
    ("FULLSCREEN", dark, (103, 416, 208, 432), BOTH),
    ("WINDOW", dark, (103, 449, 176, 464), BOTH),
    ("START", button, (231, 451, 357, 487), BOTH),
    ("Exit", button, (375, 457, 428, 486), BOTH),
]

# Click areas of the labels that the player clicks, inclusive.
CLICK_AREAS = {
    "NORMAL (DEFAULT)": (68, 256, 274, 274),
    "ULTRA HIGH": (68, 286, 274, 309),
    "ULTRA HIGH greyed": (68, 286, 274, 309),
    "FULLSCREEN": (68, 411, 274, 439),
    "WINDOW": (68, 446, 274, 474),
    "START": (231, 446, 360, 493),
    "Exit": (372, 453, 429, 489),
}

# Where the program puts the check marks and the resolution combo box, inclusive.
EMPTY_PLACES = [
    ("NORMAL (DEFAULT) mark", (70, 256, 90, 276)),
    ("ULTRA HIGH mark", (70, 290, 90, 310)),
    ("FULLSCREEN mark", (70, 414, 90, 434)),
    ("WINDOW mark", (70, 448, 90, 468)),
    ("resolution combo box", (75, 185, 162, 206)),
]

VARIANT_BOX = (100, 287, 430, 360)  # the only place where the backgrounds may differ


class Bitmap:
    """A 24-bit BI_RGB .bmp read without any imaging library."""

    def __init__(self, path):
        self.data = path.read_bytes()
        (self.magic, self.file_size, self.offset) = struct.unpack_from("<2sI4xI", self.data, 0)
        (self.header_size, self.width, self.height, self.planes, self.bpp, self.compression,
         self.image_size, self.ppm_x, self.ppm_y) = struct.unpack_from("<IiiHHIIii", self.data, 14)
        self.stride = (self.width * 3 + 3) & ~3

    def rows(self):
        """Pixel rows top first, each a list of (r, g, b)."""
        out = []
        for y in range(abs(self.height)):
            stored = self.height - 1 - y if self.height > 0 else y
            start = self.offset + stored * self.stride
            row = self.data[start:start + self.width * 3]
            out.append([(row[i + 2], row[i + 1], row[i]) for i in range(0, len(row), 3)])
        return out


_cache = {}


def pixels(name):
    if name not in _cache:
        _cache[name] = Bitmap(RES / name).rows()
    return _cache[name]


def ink_bbox(rows, test, box):
    """Inclusive bounding box of the pixels in the inclusive box that pass test, or None."""
    x0, y0, x1, y1 = box
    hits = [(x, y) for y in range(max(y0, 0), min(y1, len(rows) - 1) + 1)
            for x in range(max(x0, 0), min(x1, len(rows[0]) - 1) + 1) if test(rows[y][x])]
    if not hits:
        return None
    xs, ys = [h[0] for h in hits], [h[1] for h in hits]
    return min(xs), min(ys), max(xs), max(ys)


def found_ink(name, test, box):
    x0, y0, x1, y1 = box
    return ink_bbox(pixels(name), test, (x0 - SEARCH, y0 - SEARCH, x1 + SEARCH, y1 + SEARCH))


class BitmapFormat(unittest.TestCase):
    def test_headers(self):
        for name, size in ((FULL, (440, 500)), (REDUCED, (440, 500)), ("checkmark.bmp", (21, 21))):
            with self.subTest(name):
                bmp = Bitmap(RES / name)
                self.assertEqual(bmp.magic, b"BM")
                self.assertEqual(bmp.file_size, len(bmp.data))
                self.assertEqual(bmp.header_size, 40)  # BITMAPINFOHEADER
                self.assertEqual(bmp.offset, 14 + 40)  # no palette
                self.assertEqual((bmp.width, bmp.height), size)  # positive height: bottom-up
                self.assertEqual((bmp.planes, bmp.bpp, bmp.compression), (1, 24, 0))
                self.assertEqual(bmp.image_size, bmp.stride * bmp.height)
                self.assertEqual(len(bmp.data), bmp.offset + bmp.image_size)
                self.assertEqual((bmp.ppm_x, bmp.ppm_y), (2834, 2834))

    def test_icon_directory(self):
        data = (RES / "launcher.ico").read_bytes()
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertEqual((reserved, kind), (0, 1))
        sizes = []
        for i in range(count):
            w, h, _, _, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            side = w or 256
            sizes.append(side)
            with self.subTest(size=side):
                self.assertEqual((w, planes, bpp), (h, 1, 32))
                self.assertLessEqual(offset + length, len(data))
                image = data[offset:offset + length]
                if side == 256:
                    self.assertTrue(image.startswith(b"\x89PNG\r\n\x1a\n"))
                else:
                    self.assertEqual(struct.unpack_from("<Iii", image, 0), (40, side, 2 * side))
        self.assertEqual(sorted(sizes), [16, 32, 48, 256])


class Layout(unittest.TestCase):
    def test_ink_extents(self):
        for element, test, box, names in ELEMENTS:
            for name in names:
                with self.subTest(element=element, background=name):
                    found = found_ink(name, test, box)
                    self.assertIsNotNone(found, "no ink")
                    for edge, want, got in zip(("left", "top", "right", "bottom"), box, found):
                        self.assertLessEqual(abs(got - want), TOLERANCE, f"{edge} at {got}, wanted {want}")

    def test_clickable_labels_inside_click_areas(self):
        for element, test, box, names in ELEMENTS:
            if element not in CLICK_AREAS:
                continue
            x0, y0, x1, y1 = CLICK_AREAS[element]
            for name in names:
                with self.subTest(element=element, background=name):
                    found = found_ink(name, test, box)
                    self.assertIsNotNone(found, "no ink")
                    fx0, fy0, fx1, fy1 = found
                    self.assertTrue(x0 <= fx0 and y0 <= fy0 and fx1 <= x1 and fy1 <= y1,
                                    f"ink at {(fx0, fy0, fx1, fy1)}")

    def test_mark_squares_and_combo_box_place_are_plain_background(self):
        def plain(p):
            return 185 <= p[0] <= 235 and 135 <= p[1] <= 215 and 55 <= p[2] <= 135

        def step(a, b):
            return max(abs(i - j) for i, j in zip(a, b))

        for name in BOTH:
            rows = pixels(name)
            for place, (x0, y0, x1, y1) in EMPTY_PLACES:
                with self.subTest(place=place, background=name):
                    area = [(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)]
                    self.assertTrue(all(plain(rows[y][x]) for x, y in area), "ink or glow in place")
                    # The gradient and the faint grid change gently; the edge of a stroke does not.
                    steps = [step(rows[y][x], rows[y][x + 1]) for x, y in area if x < x1]
                    steps += [step(rows[y][x], rows[y + 1][x]) for x, y in area if y < y1]
                    self.assertLessEqual(max(steps), 20)

    def test_backgrounds_differ_only_around_ultra_high(self):
        full, reduced = pixels(FULL), pixels(REDUCED)
        x0, y0, x1, y1 = VARIANT_BOX
        differing = [(x, y) for y in range(500) for x in range(440) if full[y][x] != reduced[y][x]]
        self.assertTrue(differing)
        outside = [(x, y) for x, y in differing if not (x0 <= x <= x1 and y0 <= y <= y1)]
        self.assertEqual(outside, [])

    def test_greyed_ultra_high_is_muted_olive(self):
        rows = pixels(REDUCED)
        x0, y0, x1, y1 = (103, 291, 207, 307)
        area = [rows[y][x] for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)]
        self.assertFalse(any(dark(p) for p in area), "greyed label still has dark ink")
        letters = [p for p in area if olive(p)]
        self.assertGreater(len(letters), 300)
        for c in range(3):
            mean = sum(p[c] for p in letters) / len(letters)
            self.assertLessEqual(abs(mean - OLIVE[c]), 8)

    def test_edges_have_dark_brown_line(self):
        for name in BOTH:
            rows = pixels(name)
            edge = rows[0] + rows[-1] + [r[0] for r in rows] + [r[-1] for r in rows]
            with self.subTest(background=name):
                self.assertEqual(set(edge), {(125, 78, 0)})


class CheckMark(unittest.TestCase):
    def setUp(self):
        self.rows = pixels("checkmark.bmp")
        self.inside = [(x, y) for y in range(2, 19) for x in range(2, 19)]

    def test_dark_brown_outline(self):
        edge = self.rows[0] + self.rows[-1] + [r[0] for r in self.rows] + [r[-1] for r in self.rows]
        for p in edge:
            self.assertTrue(dark(p) and p[0] >= p[1] >= p[2], p)

    def test_pale_yellow_inside(self):
        pale = [xy for xy in self.inside if self._pale(self.rows[xy[1]][xy[0]])]
        self.assertGreater(len(pale), len(self.inside) // 2)
        # Both corners beside the tick stay pale: the tick sits within the square.
        for corner in ((3, 3), (16, 16), (3, 16)):
            self.assertTrue(self._pale(self.rows[corner[1]][corner[0]]), corner)

    def test_thick_tick_rising_to_the_right(self):
        ink = [(x, y) for x, y in self.inside if dark(self.rows[y][x])]
        self.assertGreater(len(ink), 40)
        lowest = max(ink, key=lambda xy: (xy[1], -xy[0]))
        right_end = max(ink, key=lambda xy: (xy[0], -xy[1]))
        left_end = min(ink, key=lambda xy: (xy[0], xy[1]))
        self.assertLess(left_end[0], lowest[0])
        self.assertLess(lowest[0], right_end[0])
        self.assertLess(right_end[1], left_end[1])  # the long arm climbs higher than the short one
        self.assertGreaterEqual(right_end[0] - left_end[0], 10)
        column = [y for x, y in ink if x == lowest[0]]
        self.assertGreaterEqual(len(column), 3, "tick stroke too thin")

    @staticmethod
    def _pale(p):
        return p[0] >= 235 and p[1] >= 225 and p[2] <= p[1] - 25


class Reproducible(unittest.TestCase):
    def test_generator_reproduces_committed_files(self):
        try:
            source = importlib.util.spec_from_file_location("generate_art", GENERATOR)
            generator = importlib.util.module_from_spec(source)
            source.loader.exec_module(generator)
        except ImportError as e:
            self.skipTest(f"generator needs Pillow: {e}")
        missing = [f for f in generator.FONTS if not Path(f).exists()]
        if missing:
            self.skipTest(f"generator fonts not installed: {', '.join(missing)}")
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, str(GENERATOR), out], check=True)
            for name in ARTWORK:
                with self.subTest(name):
                    self.assertEqual((Path(out) / name).read_bytes(), (RES / name).read_bytes())


if __name__ == "__main__":
    unittest.main()
