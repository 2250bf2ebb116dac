#!/usr/bin/env python3
"""Measures a window's screenshot in the dialog's client coordinates, as the
driver's rect gives them (the screenshot holds the frame too, as wide at the
bottom as at the sides).
  shot_measure.py sizes PNG CLIENT-WIDTH CLIENT-HEIGHT X Y W H [X Y W H ...]
      one "WIDTH HEIGHT" per area: the bounding box of the pixels that differ
      from the dialog's face ("0 0" where nothing is drawn)
  shot_measure.py pixels PNG CLIENT-WIDTH CLIENT-HEIGHT X Y [X Y ...]
      one "#RRGGBB" per point
  shot_measure.py cut PNG CLIENT-X CLIENT-Y X Y W H ALIGN [X Y W H ALIGN ...]
      with the client area at CLIENT-X CLIENT-Y of the picture: one line per
      text area, "ok" or the edges its text is cut at. Text that does not fit
      is drawn up to its area's edge: at the left of right-aligned text, at
      the right of left-aligned text, at either side of centred text, and at
      the bottom of text of several lines. Where the text fits, those edges
      stay bare."""
import sys

from PIL import Image


LINE = 12  # a line of the dialog font, in pixels at scale 1


def cut(argv):
    shot = Image.open(argv[2]).convert("RGB")
    left, top = int(argv[3]), int(argv[4])
    areas = argv[5:]
    if not areas or len(areas) % 5:
        sys.exit(__doc__)
    face = shot.getpixel((left + 1, top + 1))

    def inked(x0, y0, x1, y1):
        return any(shot.getpixel((left + x, top + y)) != face for x in range(x0, x1 + 1) for y in range(y0, y1 + 1))

    for i in range(0, len(areas), 5):
        x, y, w, h = (int(n) for n in areas[i:i + 4])
        align = areas[i + 4]
        edges = []
        if align in ("right", "center") and inked(x, y, x, y + h - 1):
            edges.append("left")
        if align in ("left", "center") and inked(x + w - 1, y, x + w - 1, y + h - 1):
            edges.append("right")
        # Only an area of several lines wraps its text down to the bottom; a
        # one-line area's glyphs may fill it from top to bottom.
        if h >= 2 * LINE and inked(x, y + h - 1, x + w - 1, y + h - 1):
            edges.append("bottom")
        print("cut at " + " and ".join(edges) if edges else "ok")


def main(argv):
    if len(argv) >= 2 and argv[1] == "cut" and len(argv) >= 10:
        return cut(argv)
    if len(argv) < 7 or argv[1] not in ("sizes", "pixels"):
        sys.exit(__doc__)
    step = 4 if argv[1] == "sizes" else 2
    numbers = [int(n) for n in argv[5:]]
    if not numbers or len(numbers) % step:
        sys.exit(__doc__)
    shot = Image.open(argv[2]).convert("RGB")
    client_w, client_h = int(argv[3]), int(argv[4])
    frame = (shot.width - client_w) // 2
    left, top = frame, shot.height - frame - client_h

    def pixel(x, y):
        return shot.getpixel((left + x, top + y))

    face = pixel(1, 1)
    for i in range(0, len(numbers), step):
        if step == 2:
            print("#%02X%02X%02X" % pixel(*numbers[i:i + 2]))
            continue
        x, y, w, h = numbers[i:i + 4]
        xs, ys = [], []
        for row in range(y, y + h):
            for column in range(x, x + w):
                if pixel(column, row) != face:
                    xs.append(column)
                    ys.append(row)
        print(f"{max(xs) - min(xs) + 1} {max(ys) - min(ys) + 1}" if xs else "0 0")


if __name__ == "__main__":
    main(sys.argv)
