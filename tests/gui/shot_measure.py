#!/usr/bin/env python3
"""Measures a window's screenshot in the dialog's client coordinates, as the
driver's rect gives them (the screenshot holds the frame too, as wide at the
bottom as at the sides).
  shot_measure.py sizes PNG CLIENT-WIDTH CLIENT-HEIGHT X Y W H [X Y W H ...]
      one "WIDTH HEIGHT" per area: the bounding box of the pixels that differ
      from the dialog's face ("0 0" where nothing is drawn)
  shot_measure.py pixels PNG CLIENT-WIDTH CLIENT-HEIGHT X Y [X Y ...]
      one "#RRGGBB" per point"""
import sys

from PIL import Image


def main(argv):
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
