#!/usr/bin/env python3
# Writes the fuzz targets' seed corpus (committed under corpus/): settings files of the
# lengths and bytes that matter, and rules inputs along the areas' edges and through a
# typical mode enumeration. Run it again only to change the seeds.
import shutil
import struct
from pathlib import Path

X8R8G8B8 = 22
ADD, PRESELECT, SELECT, PRESS = range(4)


def settings(windowed, width, height, quality):
    return struct.pack('<4i', windowed, width, height, quality)


def mode(width, height, refresh=60):
    return bytes([ADD]) + struct.pack('<4I', width, height, refresh, X8R8G8B8)


def preselect(width, height):
    return bytes([PRESELECT]) + struct.pack('<2i', width, height)


def select(index):
    return bytes([SELECT]) + struct.pack('<q', index)


def press(x, y):
    return bytes([PRESS]) + struct.pack('<2I', x, y)


DEFAULTS = settings(1, 1024, 768, 1)
SAVED = settings(0, 800, 600, 0)

SETTINGS_SEEDS = {
    'defaults': DEFAULTS,
    'saved-800x600-fullscreen-ultra': SAVED,
    'empty': b'',
    'only-windowed-4': SAVED[:4],
    'windowed-and-width-8': SAVED[:8],
    'quality-cut-short-15': SAVED[:15],
    'trailing-bytes-20': SAVED + b'\xff\xff\xff\xff',
    # Line feed, carriage return and end-of-file bytes that a text-mode read would mangle.
    'text-mode-bytes': settings(5, 0x0A0D, 1050, -1),
    'all-ones': b'\xff' * 16,
}

# Each area's inclusive corners, and the pixels just outside them across each edge.
AREAS = [(231, 446, 360, 493), (372, 453, 429, 489), (68, 256, 274, 274),
         (68, 286, 274, 309), (68, 411, 274, 439), (68, 446, 274, 474)]
EDGES = b''.join(
    press(x + dx, y + dy) for left, top, right, bottom in AREAS
    for x, y in [(left, top), (right, top), (left, bottom), (right, bottom)]
    for dx, dy in [(0, 0), (-1 if x == left else 1, 0), (0, -1 if y == top else 1)])

# A press left of or above the client area arrives as a word of 65535 or more.
OUTSIDE = b''.join(press(x, y) for x, y in [
    (65535, 260), (100, 65535), (65536 + 100, 260), (100, 65536 + 260),
    (0xFFFFFFFF, 460), (240, 460), (0, 0)])

TYPICAL = [(640, 480, 60), (640, 480, 75), (800, 600, 60), (800, 600, 75), (1024, 768, 60),
           (1024, 768, 75), (1152, 864, 75), (1280, 720, 60), (1280, 1024, 60),
           (1280, 1024, 75), (1600, 1200, 60), (1920, 1080, 60), (1920, 1080, 75)]

RULES_SEEDS = {
    'press-area-edges': bytes([0]) + EDGES,
    'press-outside-the-window': bytes([0]) + OUTSIDE,
    'typical-enumeration': bytes([len(TYPICAL)]) + b''.join(mode(*m) for m in TYPICAL)
    + preselect(1024, 768) + preselect(1600, 900) + preselect(800, 768)
    + select(-1) + select(0) + select(7) + select(8) + select(1 << 32) + press(300, 470),
    'full-list-then-repeats': bytes([3]) + b''.join(mode(*m) for m in [
        (800, 600), (1024, 768), (1280, 1024), (1600, 1200), (800, 600, 75), (1600, 1200, 75)])
    + preselect(1600, 1200) + select(2) + select(3),
    'sizes-again-later': bytes([8]) + b''.join(mode(*m) for m in [
        (1024, 768), (800, 600), (1280, 1024), (1024, 768, 75), (800, 600, 85)])
    + preselect(800, 600) + select(2),
    'below-minimum-sizes': bytes([4]) + b''.join(mode(*m) for m in [
        (799, 600), (800, 599), (0, 0), (640, 480)]) + preselect(799, 600) + select(0),
    'sizes-read-as-signed': bytes([2]) + mode(0xFFFFFFFF, 600) + mode(2147483648, 0xFFFFFFFF)
    + preselect(-1, 600) + preselect(-2147483648, -1) + select(1),
    'no-room': bytes([0]) + mode(1024, 768) + preselect(1024, 768) + select(0),
}


def write(folder, seeds):
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


root = Path(__file__).parent / 'corpus'
write(root / 'settings', SETTINGS_SEEDS)
write(root / 'rules', RULES_SEEDS)
