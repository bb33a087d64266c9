#!/usr/bin/python3
"""Draws the launcher's artwork: both 440x500 backgrounds, the 21x21 check mark and the icon.
Usage: generate_art.py OUTDIR. Only seeded randomness is used, so a rerun gives the same bytes."""

import io
import random
import struct
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

W, H = 440, 500

EDGE = (199, 144, 64)
CENTRE = (220, 190, 79)
FRAME = (125, 78, 0)
INK = (45, 29, 7)
GLOW = (38, 22, 4)
OLIVE = (159, 130, 53)
WHITE = (249, 245, 240)
CREAM = (255, 246, 208)
ORANGE = (236, 146, 34)
PALE = (255, 244, 170)

BEBAS = "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Bold.otf"
COMFORTAA = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
SMALL = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"
FONTS = (BEBAS, COMFORTAA, SMALL)

# Font and pixel size of each kind of painted text.
STYLES = {
    "heading": (BEBAS, 36),
    "option": (BEBAS, 24),
    "greyed": (BEBAS, 24),
    "small": (SMALL, 11),
    "start": (COMFORTAA, 40),
    "exit": (COMFORTAA, 31),
}
LINE_PITCH = 15  # small text is the only kind set in several lines

# Where each painted element's ink must land: left, top, right, bottom (inclusive).
# The check marks go at x 70-90 beside the options, the resolution box at x 75-162,
# y 185-206, and the click areas around the options, START and Exit assume these boxes.
COMMON = [
    ("small", ["CHANGE THE GRAPHICS SETTINGS TO FIND THE BEST",
               "SETTINGS FOR YOUR HARDWARE OR JUST USE THE DEFAULT",
               "SETTINGS. CLICK START TO PLAY!"], (36, 98, 371, 136)),
    ("heading", ["RESOLUTION"], (39, 147, 155, 172)),
    ("heading", ["GRAPHICS QUALITY"], (39, 223, 231, 247)),
    ("option", ["NORMAL (DEFAULT)"], (104, 258, 273, 274)),
    ("heading", ["SCREEN MODE"], (36, 380, 181, 404)),
    ("option", ["FULLSCREEN"], (103, 416, 208, 432)),
    ("option", ["WINDOW"], (103, 449, 176, 464)),
    ("start", ["START"], (231, 451, 357, 487)),
    ("exit", ["Exit"], (375, 457, 428, 486)),
]
FULL_ONLY = [
    ("option", ["ULTRA HIGH"], (103, 291, 207, 307)),
    ("small", ["ULTRA HIGH MODE HAS HIGHER",
               "QUALITY GRAPHICS, BUT NORMAL",
               "MODE IS FASTER."], (242, 292, 426, 330)),
]
REDUCED_ONLY = [
    ("greyed", ["ULTRA HIGH"], (103, 291, 207, 307)),
    ("small", ["YOUR GRAPHICS CARD LACKS THE FEATURES THAT",
               "ULTRA HIGH MODE NEEDS, SO IT IS NOT AVAILABLE.",
               "SEE THE README FOR DETAILS."], (106, 319, 387, 357)),
]
LOGO_BOX = (131, 21, 291, 82)
# The backgrounds may differ only in x 100-430, y 287-360 (right and bottom exclusive here).
VARIANT_BOX = (100, 287, 431, 361)


# What counts as an element's ink when measuring where it landed: the dark brown letters
# (the amber never drops below red 190), the olive of a greyed label, and the white button
# letters together with the dark core of their drop shadow.
def is_dark(p):
    return p[0] < 120


def is_olive(p):
    return all(abs(a - b) <= 24 for a, b in zip(p, OLIVE))


def is_button(p):
    return is_dark(p) or (p[0] >= 235 and p[1] >= 228 and p[2] >= 215)


INK_TEST = {"logo": is_dark, "heading": is_dark, "option": is_dark, "small": is_dark,
            "greyed": is_olive, "start": is_button, "exit": is_button}


def ink_bbox(img, test, box):
    """Inclusive bounding box of the pixels in box (right and bottom exclusive) that pass test."""
    x0, y0, x1, y1 = box
    px = img.load()
    xs, ys = [], []
    for y in range(max(y0, 0), min(y1, img.height)):
        for x in range(max(x0, 0), min(x1, img.width)):
            if test(px[x, y]):
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs), max(ys)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def noise(size, seed):
    return Image.frombytes("L", size, random.Random(seed).randbytes(size[0] * size[1]))


def scale_mask(mask, factor):
    return mask.point(lambda v: min(255, round(v * factor)))


# --- background -------------------------------------------------------------

def gradient():
    """Warm amber, brightest in the middle."""
    # Pillow's radial gradient reads 181 at the middle of each side: normalise to 1 there.
    dist = Image.radial_gradient("L").resize((W, H), Image.Resampling.BICUBIC)

    def channel(i):
        def f(v):
            t = min(1.0, v / 181)
            t = t * t * (3 - 2 * t)
            return round(CENTRE[i] + (EDGE[i] - CENTRE[i]) * t)
        return dist.point(f)
    img = Image.merge("RGB", [channel(i) for i in range(3)])
    # A little grain keeps the wide gradient from banding.
    grain = noise((W, H), 7).point(lambda v: 128 + (v - 128) // 64)
    return Image.merge("RGB", [ImageChops.add(c, grain, 1, -128) for c in img.split()])


def band(img):
    """The faint gridded band from the left edge up to below the logo."""
    ss = 4
    shape = Image.new("L", (W * ss, H * ss))
    ImageDraw.Draw(shape).polygon(
        [(0, 230 * ss), (270 * ss, 90 * ss), (330 * ss, 90 * ss), (0, 325 * ss)], fill=255)
    shape = shape.resize((W, H), Image.Resampling.BOX).filter(ImageFilter.GaussianBlur(1.5))
    grid = Image.new("L", (W, H))
    d = ImageDraw.Draw(grid)
    for x in range(-H, W, 6):
        d.line([(x, 0), (x + H, H)], fill=255)
        d.line([(x, H), (x + H, 0)], fill=255)
    img.paste((232, 204, 112), (0, 0, W, H), scale_mask(shape, 0.22))
    img.paste((240, 214, 126), (0, 0, W, H), ImageChops.multiply(scale_mask(shape, 0.22), grid))


# --- text ---------------------------------------------------------------------

def font_for(style):
    path, size = STYLES[style]
    # Small text advances by the hinted widths, which match its hinted glyphs pixel for pixel.
    engine = ImageFont.Layout.BASIC if style == "small" else ImageFont.Layout.RAQM
    return ImageFont.truetype(path, size, layout_engine=engine)


def tracked(font, line, tracking):
    """Glyph origins with tracking added between letters, on whole pixels to keep stems crisp."""
    return [round(font.getlength(line[:i]) + tracking * i) for i in range(len(line))]


def evened(font, line, delta):
    """Glyph origins of a line made delta pixels wider or narrower, a pixel at a time, so that small
    text keeps an even rhythm: wider first at each word space, then where letters stand closest;
    narrower where letters stand furthest apart, word spaces counting as a little closer."""
    xs = [int(font.getlength(line[:i])) for i in range(len(line))]
    ink = [font.getbbox(ch) for ch in line]
    slots = [j for j in range(1, len(line)) if line[j] != " "]
    done = []

    def gap(j):
        before = j - 2 if line[j - 1] == " " else j - 1
        g = xs[j] + ink[j][0] - xs[before] - ink[before][2]
        return g - 3 if line[j - 1] == " " else g

    def spread(j):
        return min((abs(j - k) for k in done), default=len(line))

    def widen_order(j):
        word_space = line[j - 1] == " "
        return (done.count(j) if word_space else 1, gap(j), -spread(j))
    for _ in range(abs(delta)):
        if delta > 0:
            j = min(slots, key=widen_order)
        else:
            j = max(slots, key=lambda j: (gap(j), spread(j)))
        done.append(j)
        xs[j:] = [x + (1 if delta > 0 else -1) for x in xs[j:]]
    return xs


def text_mask(lines, style, spacing):
    """Coverage of the lines, each line's cap top one line pitch below the last. spacing is the
    tracking, or for small text each line's change of width."""
    font = font_for(style)
    cap_top = font.getbbox("H")[1]
    pad = 12
    origins = [evened(font, line, spacing[row]) if style == "small" else tracked(font, line, spacing)
               for row, line in enumerate(lines)]
    width = max(xs[-1] + font.getlength(line[-1]) for xs, line in zip(origins, lines))
    mask = Image.new("L", (int(width) + 2 * pad, (len(lines) - 1) * LINE_PITCH + font.size + 2 * pad))
    d = ImageDraw.Draw(mask)
    for row, (line, xs) in enumerate(zip(lines, origins)):
        for x, ch in zip(xs, line):
            d.text((pad + x, pad - cap_top + row * LINE_PITCH), ch, font=font, fill=255)
    return mask


def distress(mask, seed, strength):
    """Worn-print texture: specks, scuffs and grain eaten out of the letters."""
    rng = random.Random(seed)
    wear = Image.new("L", mask.size)
    d = ImageDraw.Draw(wear)
    w, h = mask.size
    for _ in range(int(w * h * 0.006 * strength)):
        x, y, r = rng.uniform(0, w), rng.uniform(0, h), rng.uniform(0.5, 1.2)
        d.ellipse([x - r, y - r * 0.7, x + r, y + r * 0.7], fill=rng.randint(170, 255))
    for _ in range(int(w * h * 0.0006 * strength)):
        x, y = rng.uniform(0, w), rng.uniform(0, h)
        d.line([(x, y), (x + rng.uniform(-5, 5), y + rng.uniform(-1.5, 1.5))], fill=rng.randint(120, 190))
    wear = wear.filter(ImageFilter.GaussianBlur(0.4))
    grain = noise(mask.size, seed + 1).point(lambda v: max(0, v - 200))
    return ImageChops.multiply(mask, ImageChops.invert(ImageChops.add(wear, grain)))


def sprite(style, lines, spacing, seed):
    """The element as layers of (colour, mask) in its own coordinates, bottom layer first."""
    mask = text_mask(lines, style, spacing)
    if style in ("heading", "option"):
        mask = distress(mask, seed, 1.0 if style == "heading" else 0.6)
        glow = scale_mask(mask.filter(ImageFilter.GaussianBlur(1.4)), 0.6)
        return [(GLOW, glow), (INK, mask)]
    if style == "greyed":
        return [(OLIVE, distress(mask, seed, 0.6))]
    if style == "small":
        return [(INK, mask)]
    shadow = Image.new("L", mask.size)
    shadow.paste(mask, (2, 5))
    shadow = shadow.filter(ImageFilter.GaussianBlur(1.6))
    return [(GLOW, shadow), (WHITE, mask)]


def paste_layers(img, layers, at, clip=None):
    for colour, mask in layers:
        box = (at[0], at[1], at[0] + mask.width, at[1] + mask.height)
        if clip:
            keep = Image.new("L", mask.size)
            keep.paste(255, (clip[0] - at[0], clip[1] - at[1], clip[2] - at[0], clip[3] - at[1]))
            mask = ImageChops.multiply(mask, keep)
        img.paste(colour, box, mask)


def measured(layers, test):
    """Ink extent of the layers painted on a mid amber, in the layers' own coordinates."""
    probe = Image.new("RGB", layers[0][1].size, lerp(EDGE, CENTRE, 0.6))
    paste_layers(probe, layers, (0, 0))
    return ink_bbox(probe, test, (0, 0) + probe.size)


def fit_tracking(style, lines, width, seed):
    """The letter spacing that gives the element its width, found by bisection."""
    test = INK_TEST[style]

    def span(t):
        b = measured(sprite(style, lines, t, seed), test)
        return b[2] - b[0] + 1
    lo, hi = -4.0, 6.0
    for _ in range(18):
        mid = (lo + hi) / 2
        if span(mid) < width:
            lo = mid
        else:
            hi = mid
    return min((lo, hi), key=lambda t: abs(span(t) - width))


def fit_lines(lines, width):
    """Each small-text line's change of width: the widest comes to the width, none passes it."""
    spans = []
    for line in lines:
        b = measured(sprite("small", [line], [0], 0), is_dark)
        spans.append(b[2] - b[0] + 1)
    return [width - w if w == max(spans) or w > width else 0 for w in spans]


def place(img, style, lines, box, seed, clip=None):
    """Paints the element so that its ink spans the box's width from its top left corner."""
    test = INK_TEST[style]
    backdrop = img.copy()
    width = box[2] - box[0] + 1
    # The real backdrop can shift a soft edge across the ink threshold: refit until it lands.
    for _ in range(3):
        spacing = fit_lines(lines, width) if style == "small" else fit_tracking(style, lines, width, seed)
        layers = sprite(style, lines, spacing, seed)
        b = measured(layers, test)
        img.paste(backdrop)
        paste_layers(img, layers, (box[0] - b[0], box[1] - b[1]), clip)
        found = ink_bbox(img, test, (box[0] - 8, box[1] - 8, box[2] + 9, box[3] + 9))
        if found[2] == box[2]:
            break
        width -= found[2] - box[2]


# --- logo ---------------------------------------------------------------------

def vertical_gradient(size, top, bottom):
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for y in range(size[1]):
        d.line([(0, y), (size[0], y)], fill=lerp(top, bottom, y / max(1, size[1] - 1)))
    return img


def dilate(mask, radius):
    """Round-cornered growth of a coverage mask by about radius pixels."""
    return mask.filter(ImageFilter.GaussianBlur(radius * 0.6)).point(lambda v: min(255, v * 4))


def logo(tracking):
    """The BRAMVIK word mark over a blade-shaped rule, as layers on its own canvas."""
    lw, lh = LOGO_BOX[2] - LOGO_BOX[0] + 1, LOGO_BOX[3] - LOGO_BOX[1] + 1
    pad = 8
    size = (lw + 2 * pad, lh + 2 * pad)
    font = ImageFont.truetype(BEBAS, 57)
    word = "BRAMVIK"
    letters = Image.new("L", size)
    d = ImageDraw.Draw(letters)
    top = pad + 2 - font.getbbox("H")[1]
    for i, ch in enumerate(word):
        d.text((pad + 2 + font.getlength(word[:i]) + tracking * i, top), ch, font=font, fill=255)

    # Drawn four times larger and reduced, for clean diagonal edges.
    ss = 4
    blade = Image.new("L", (size[0] * ss, size[1] * ss))
    cx, cy = ss * (pad + lw / 2), ss * (pad + lh - 6)
    left, right = ss * (pad + 2), ss * (pad + lw - 3)
    arm, gem = 6 * ss, 5 * ss
    ImageDraw.Draw(blade).polygon([
        (left, cy), (cx - gem - arm, cy - ss), (cx - gem, cy - ss), (cx, cy - gem), (cx + gem, cy - ss),
        (cx + gem + arm, cy - ss), (right, cy), (cx + gem + arm, cy + ss), (cx + gem, cy + ss),
        (cx, cy + gem), (cx - gem, cy + ss), (cx - gem - arm, cy + ss)], fill=255)
    blade = blade.resize(size, Image.Resampling.BOX)

    outline = dilate(ImageChops.lighter(letters, blade), 2.2)
    shadow = Image.new("L", size)
    shadow.paste(outline, (2, 2))
    shadow = scale_mask(shadow.filter(ImageFilter.GaussianBlur(2)), 0.45)
    face = vertical_gradient(size, CREAM, ORANGE)
    return [(GLOW, shadow), (INK, outline), (face, letters), (face, blade)]


def paint_logo(img):
    width = LOGO_BOX[2] - LOGO_BOX[0] + 1

    def span(t):
        b = measured(logo(t), is_dark)
        return b[2] - b[0] + 1
    tracking = min((t / 4 for t in range(-16, 9)), key=lambda t: abs(span(t) - width))
    layers = logo(tracking)
    b = measured(layers, is_dark)
    paste_layers(img, layers, (LOGO_BOX[0] - b[0], LOGO_BOX[1] - b[1]))


# --- check mark and icon -----------------------------------------------------------

def checkmark():
    """Pale square in a dark brown frame with a heavy tick, drawn large and reduced."""
    ss = 8
    n = 21 * ss
    img = vertical_gradient((n, n), (255, 250, 205), PALE)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, n - 1, n - 1], outline=INK, width=ss)
    # A hairline of amber inside the frame gives the square a slight bevel.
    d.rectangle([ss, ss, n - ss - 1, n - ss - 1], outline=(214, 170, 80), width=ss // 2)
    tick = [(4.6 * ss, 10.8 * ss), (8.6 * ss, 14.8 * ss), (16.4 * ss, 5.6 * ss)]
    d.line(tick, fill=INK, width=int(3.4 * ss), joint="curve")
    for x, y in (tick[0], tick[2]):
        r = 1.7 * ss
        d.ellipse([x - r, y - r, x + r, y + r], fill=INK)
    return img.resize((21, 21), Image.Resampling.BOX)


def icon(s):
    """The word mark's B, cream on a dark tile with an amber rim, drawn for one icon size."""
    ss = 8
    n = s * ss
    tile = Image.new("L", (n, n))
    ImageDraw.Draw(tile).rounded_rectangle([0, 0, n - 1, n - 1], radius=n * 0.2, fill=255)
    rim = max(ss, n // 16)
    inner = Image.new("L", (n, n))
    ImageDraw.Draw(inner).rounded_rectangle([rim, rim, n - 1 - rim, n - 1 - rim], radius=n * 0.2 - rim, fill=255)
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    img.paste(vertical_gradient((n, n), CENTRE, EDGE), (0, 0), tile)
    img.paste(vertical_gradient((n, n), (92, 58, 14), INK), (0, 0), inner)

    font = ImageFont.truetype(BEBAS, int(n * 0.95))
    l, t, r, b = font.getbbox("B")
    glyph = Image.new("L", (r, b))
    ImageDraw.Draw(glyph).text((0, 0), "B", font=font, fill=255)
    # Widened so the letter still reads at 16 pixels.
    glyph = glyph.crop((l, t, r, b)).resize((int((r - l) * 1.3), b - t), Image.Resampling.LANCZOS)
    at = ((n - glyph.width) // 2, (n - glyph.height) // 2)
    face = vertical_gradient(glyph.size, CREAM, ORANGE)
    img.paste(face, at, glyph)
    return img.resize((s, s), Image.Resampling.BOX)


# --- file formats -------------------------------------------------------------

def bmp_bytes(img):
    """24-bit bottom-up BI_RGB bitmap with a BITMAPINFOHEADER at 2834 pixels per metre."""
    w, h = img.size
    row = (w * 3 + 3) & ~3
    pixels = b"".join(
        img.crop((0, y, w, y + 1)).tobytes("raw", "BGR").ljust(row, b"\0") for y in range(h - 1, -1, -1))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2834, 2834, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


def ico_bytes(images):
    """Icon directory with 32-bit DIB entries, PNG for the 256-pixel one as Windows expects."""
    blobs = []
    for img in images:
        w, h = img.size
        if w >= 256:
            out = io.BytesIO()
            img.save(out, "PNG")
            blobs.append(out.getvalue())
            continue
        xor = b"".join(img.crop((0, y, w, y + 1)).tobytes("raw", "BGRA") for y in range(h - 1, -1, -1))
        mask_row = ((w + 31) // 32) * 4
        alpha = img.getchannel("A")
        and_mask = b"".join(
            bytes(sum(0x80 >> b for b in range(8) if x + b < w and alpha.getpixel((x + b, y)) == 0)
                  for x in range(0, w, 8)).ljust(mask_row, b"\0")
            for y in range(h - 1, -1, -1))
        info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
        blobs.append(info + xor + and_mask)
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        w = img.width % 256
        out += struct.pack("<BBBBHHII", w, w, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# --- assembly -----------------------------------------------------------------

def backgrounds():
    base = gradient()
    band(base)
    paint_logo(base)
    for seed, (style, lines, box) in enumerate(COMMON, start=100):
        place(base, style, lines, box, seed)
    ImageDraw.Draw(base).rectangle([0, 0, W - 1, H - 1], outline=FRAME)
    result = []
    for variant in (FULL_ONLY, REDUCED_ONLY):
        img = base.copy()
        # Same seeds in both, so ULTRA HIGH wears the same way dark or greyed; the clip keeps
        # its glow from touching pixels the two backgrounds share.
        for seed, (style, lines, box) in enumerate(variant, start=200):
            place(img, style, lines, box, seed, clip=VARIANT_BOX)
        result.append(img)
    return result


def check_layout(full, reduced):
    """Fails loudly when, say, a font update moves an element off its box."""
    common = [("logo", ["BRAMVIK"], LOGO_BOX)] + COMMON
    errors = []
    for img, variant in ((full, FULL_ONLY), (reduced, REDUCED_ONLY)):
        for style, lines, box in common + variant:
            found = ink_bbox(img, INK_TEST[style], (box[0] - 8, box[1] - 8, box[2] + 9, box[3] + 9))
            if found is None or max(abs(a - b) for a, b in zip(found, box)) > 1:
                errors.append(f"{lines[0]}: ink at {found}, wanted {box}")
    if errors:
        sys.exit("\n".join(errors))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: generate_art.py OUTDIR")
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    full, reduced = backgrounds()
    check_layout(full, reduced)
    (out / "background_full.bmp").write_bytes(bmp_bytes(full))
    (out / "background_reduced.bmp").write_bytes(bmp_bytes(reduced))
    (out / "checkmark.bmp").write_bytes(bmp_bytes(checkmark()))
    (out / "launcher.ico").write_bytes(ico_bytes([icon(s) for s in (16, 32, 48, 256)]))


if __name__ == "__main__":
    main()
