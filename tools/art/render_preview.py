#!/usr/bin/python3
"""Shows the launcher as a player sees it: both backgrounds side by side with the default check marks.
Usage: render_preview.py [RESOURCES_DIR [OUT_PNG]], by default launcher/resources and docs/preview.png."""

import sys
from pathlib import Path

from PIL import Image

ROOT = Path(__file__).resolve().parents[2]
CLIENT = (440, 497)  # the window shows all but the artwork's bottom three rows
MARKS = [(70, 256), (70, 448)]  # NORMAL (DEFAULT) and WINDOW, the first-run choices
GAP = 16


def main():
    res = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "launcher/resources"
    out = Path(sys.argv[2]) if len(sys.argv) > 2 else ROOT / "docs/preview.png"
    mark = Image.open(res / "checkmark.bmp").convert("RGB")
    sheet = Image.new("RGB", (2 * CLIENT[0] + 3 * GAP, CLIENT[1] + 2 * GAP), (48, 44, 40))
    for i, name in enumerate(("background_full.bmp", "background_reduced.bmp")):
        window = Image.open(res / name).convert("RGB").crop((0, 0) + CLIENT)
        for at in MARKS:
            window.paste(mark, at)
        sheet.paste(window, (GAP + i * (CLIENT[0] + GAP), GAP))
    out.parent.mkdir(parents=True, exist_ok=True)
    sheet.save(out)


if __name__ == "__main__":
    main()
